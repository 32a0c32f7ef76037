// pictavo-cli info and list: what loading a fullflash shows.

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

#include "cli/json_output.h"
#include "cli/subcommands.h"

namespace {

struct FlashOptions {
    std::string flash;
    bool json = false;
};

int runInfo(const FlashOptions& options) {
    CliContext cli(TempFiles::Unused);
    if (!LoadFullflashForCli(cli, options.flash)) return 1;
    const FullflashState& f = cli.ws.flash;
    if (options.json) {
        std::cout << InfoJson(f, cli.ws.rows.size());
        return 0;
    }
    std::cout << "model: " << f.mModel << '\n'
              << "firmware: " << f.fw << '\n'
              << "language pack: " << f.lngPack << '\n'
              << "manufacturer: " << f.ManufN << '\n'
              << "platform: " << f.platform << '\n'
              << "PIT: " << f.PITadr << '\n'
              << "pictures: " << cli.ws.rows.size() << '\n';
    return 0;
}

int runList(const FlashOptions& options) {
    CliContext cli(TempFiles::Unused);
    if (!LoadFullflashForCli(cli, options.flash)) return 1;
    if (options.json) {
        std::cout << ListJson(cli.ws.rows);
        return std::cout.good() ? 0 : 1;
    }
    for (const PictureListEntry& row : cli.ws.rows) {
        const auto texts = ColumnTexts(row);
        for (std::size_t column = 0; column < texts.size(); ++column) {
            std::cout << texts[column] << (column + 1 < texts.size() ? '\t' : '\n');
        }
    }
    return std::cout.good() ? 0 : 1;
}

}  // namespace

void AddFullflashSubcommands(CLI::App& app, CliStatus& status) {
    auto options = std::make_shared<FlashOptions>();
    CLI::App* info = app.add_subcommand(
        "info", "model, firmware, language pack, manufacturer, platform, PIT and picture count");
    info->add_option("FLASH", options->flash, "the fullflash")->required();
    info->add_flag("--json", options->json, "one JSON document on stdout");
    info->callback([&status, options] { status.code = runInfo(*options); });

    CLI::App* list = app.add_subcommand(
        "list",
        "one tab-separated line per picture: #, hex, width, height, Type, PIToffset, PICoffset");
    list->add_option("FLASH", options->flash, "the fullflash")->required();
    list->add_flag("--json", options->json, "one JSON document on stdout");
    list->callback([&status, options] { status.code = runList(*options); });
}
