// pictavo-cli info and list: what loading a fullflash shows.

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

#include "cli/cli_commands.h"

namespace {

int runInfo(const std::string& flash) {
    CliContext cli;
    if (!LoadFlashForCli(cli, flash)) return 1;
    const FullflashState& f = cli.ws.flash;
    std::cout << "model: " << f.mModel << '\n'
              << "firmware: " << f.fw << '\n'
              << "language pack: " << f.lngPack << '\n'
              << "manufacturer: " << f.ManufN << '\n'
              << "platform: " << f.platform << '\n'
              << "PIT: " << f.PITadr << '\n'
              << "pictures: " << cli.ws.rows.size() << '\n';
    return 0;
}

int runList(const std::string& flash) {
    CliContext cli;
    if (!LoadFlashForCli(cli, flash)) return 1;
    for (const PictureListEntry& row : cli.ws.rows) {
        const auto texts = ColumnTexts(row);
        for (std::size_t column = 0; column < texts.size(); ++column) {
            std::cout << texts[column] << (column + 1 < texts.size() ? '\t' : '\n');
        }
    }
    return std::cout.good() ? 0 : 1;
}

}  // namespace

void AddFlashCommands(CLI::App& app, CliStatus& status) {
    auto flash = std::make_shared<std::string>();
    CLI::App* info = app.add_subcommand(
        "info", "model, firmware, language pack, manufacturer, platform, PIT and picture count");
    info->add_option("FLASH", *flash, "the fullflash")->required();
    info->callback([&status, flash] { status.code = runInfo(*flash); });

    CLI::App* list = app.add_subcommand(
        "list",
        "one tab-separated line per picture: #, hex, width, height, Type, PIToffset, PICoffset");
    list->add_option("FLASH", *flash, "the fullflash")->required();
    list->callback([&status, flash] { status.code = runList(*flash); });
}
