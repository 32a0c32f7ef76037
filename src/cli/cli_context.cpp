#include <cerrno>
#include <cstring>
#include <iostream>

#include "cli/subcommands.h"
#include "commands/fullflash_commands.h"
#include "commands/settings_commands.h"
#include "support/fs_actions.h"
#include "support/running_program_folder.h"

CliContext::CliContext(TempFiles files) : temp(files == TempFiles::Used) {
    ws.phrasesInEnglish = true;
    ws.applicationFolder = RunningProgramFolder();
    if (!temp.path().empty()) ws.tempFolder = temp.path();
    // The window's settings and language file, so messages carry the same
    // texts. A settings file that cannot be read or written is reported but
    // fails no command.
    LoadSettings(ws, ui);
    ui.messages = 0;
}

bool CliFileReadable(const std::string& path) {
    errno = 0;  // a folder opens fine and sets no error: don't report a stale one
    if (!FSactions_Tavik::FileMissing(path)) return true;
    const int error = errno;
    std::cerr << "pictavo-cli: cannot read " << path << ": "
              << (error != 0 ? std::strerror(error) : "not a regular file") << '\n';
    return false;
}

void ReportWritten(int written, const std::string& folder) {
    std::cout << "files written to " << folder << ": " << written << '\n';
}

std::string PictureCount(int count) {
    return std::to_string(count) + (count == 1 ? " picture" : " pictures");
}

bool LoadFullflashForCli(CliContext& cli, const std::string& path) {
    if (!CliFileReadable(path) || !LoadFullflash(cli.ws, cli.ui, path)) return false;
    if (cli.ws.rows.empty())
        std::cerr << "pictavo-cli: warning: no picture table found in " << path << '\n';
    return true;
}
