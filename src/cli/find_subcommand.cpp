// pictavo-cli find: which pictures of a fullflash show a picture file.

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <memory>

#include "cli/json_output.h"
#include "cli/subcommands.h"
#include "commands/find_commands.h"
#include "compare/picture_search.h"
#include "compare/shown_picture_index.h"

namespace {

/// Pictures --similar names for each file.
constexpr std::size_t kSimilarNamed = 5;

struct FindOptions {
    std::string flash;
    std::vector<std::string> pictures;
    bool similar = false;
    bool json = false;
};

std::string resultLine(const FindResult& result, bool similar) {
    std::string line = result.file + ":";
    if (similar) {
        for (const SimilarPicture& picture : result.similar) {
            char distance[32];
            std::snprintf(distance, sizeof distance, "%.2f", picture.distance);
            line += (&picture == result.similar.data() ? " " : ", ") +
                    std::to_string(picture.number) + " (" + distance + ")";
        }
    } else {
        for (const int number : result.equal) {
            line += (number == result.equal.front() ? " " : ", ") + std::to_string(number);
        }
        if (result.equal.empty()) line += " none";
    }
    return line;
}

int runFind(const FindOptions& options) {
    CliContext cli;
    if (cli.temp.path().empty()) {
        std::cerr << "pictavo-cli: cannot make a folder in " << FSactions_Tavik::TempFolder()
                  << '\n';
        return 1;
    }
    if (!LoadFullflashForCli(cli, options.flash) || cli.ws.rows.empty()) return 1;
    std::vector<PictureEntry> entries;
    entries.reserve(cli.ws.rows.size());
    for (const PictureListEntry& row : cli.ws.rows) entries.push_back(row.entry);
    const std::span<const std::uint8_t> flash = cli.ws.flash.file->bytes();
    ShownPictureIndex index(flash, entries);

    std::vector<FindResult> results;
    bool everyFileFound = true;
    for (const std::string& file : options.pictures) {
        FindResult result;
        result.file = file;
        const auto wanted = ReadWantedPicture(cli.ws, cli.ui, file);
        result.read = wanted.has_value();
        if (wanted && options.similar) {
            result.similar = FindSimilarPictures(flash, entries, *wanted, kSimilarNamed);
        } else if (wanted) {
            result.equal = index.find(*wanted);
        }
        everyFileFound =
            everyFileFound && result.read && (options.similar || !result.equal.empty());
        if (result.read && !options.json) std::cout << resultLine(result, options.similar) << '\n';
        results.push_back(std::move(result));
    }
    if (options.json) std::cout << FindJson(results, options.similar);
    return everyFileFound ? 0 : 1;
}

}  // namespace

void AddFindSubcommand(CLI::App& app, CliStatus& status) {
    auto options = std::make_shared<FindOptions>();
    CLI::App* find = app.add_subcommand(
        "find",
        "indices whose pictures equal (or, --similar, resemble) each picture file (exit 1 when "
        "one matches none)");
    find->add_option("FLASH", options->flash, "the fullflash")->required();
    find->add_option("PICTURE", options->pictures,
                     "PNG, BMP, GIF, JPEG, GPF or GPF2 files, read as \"Load picture\" reads them")
        ->required();
    find->add_flag("--similar", options->similar,
                   "the five nearest pictures, each with its distance (0: the same picture)");
    find->add_flag("--json", options->json, "one JSON document on stdout");
    find->callback([&status, options] { status.code = runFind(*options); });
}
