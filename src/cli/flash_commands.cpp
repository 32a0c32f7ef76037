#include <cerrno>
#include <cstring>
#include <iostream>

#include "cli/cli_commands.h"
#include "cli/cli_ui.h"
#include "commands/fullflash_commands.h"
#include "support/fs_actions.h"
#include "workspace/workspace.h"

bool LoadFlashForCli(Workspace& ws, CliUi& ui, const std::string& path) {
    errno = 0;  // a folder opens fine and sets no error: don't report a stale one
    if (FSactions_Tavik::FileMissing(path)) {
        const int error = errno;
        std::cerr << "pictavo-cli: cannot read " << path << ": "
                  << (error != 0 ? std::strerror(error) : "not a regular file") << '\n';
        return false;
    }
    return LoadFullflash(ws, ui, path);
}

int UsageError(const std::string& why) {
    if (!why.empty()) std::cerr << "pictavo-cli: " << why << '\n';
    std::cerr << UsageText();
    return 2;
}

int RunInfo(const Arguments& args) {
    if (args.size() != 1) return UsageError();
    Workspace ws;
    CliUi ui;
    if (!LoadFlashForCli(ws, ui, args[0])) return 1;
    const FullflashState& f = ws.flash;
    std::cout << "model: " << f.mModel << '\n'
              << "firmware: " << f.fw << '\n'
              << "language pack: " << f.lngPack << '\n'
              << "manufacturer: " << f.ManufN << '\n'
              << "platform: " << f.platform << '\n'
              << "PIT: " << f.PITadr << '\n'
              << "pictures: " << ws.rows.size() << '\n';
    return 0;
}

int RunList(const Arguments& args) {
    if (args.size() != 1) return UsageError();
    Workspace ws;
    CliUi ui;
    if (!LoadFlashForCli(ws, ui, args[0])) return 1;
    for (const PictureListEntry& row : ws.rows) {
        const auto texts = ColumnTexts(row);
        for (std::size_t column = 0; column < texts.size(); ++column) {
            std::cout << texts[column] << (column + 1 < texts.size() ? '\t' : '\n');
        }
    }
    return std::cout.good() ? 0 : 1;
}
