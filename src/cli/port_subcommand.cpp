// pictavo-cli port: a picture patch made for one firmware carried to another,
// its pictures matched by what they show.

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/json_output.h"
#include "cli/subcommands.h"
#include "commands/dialog_patterns.h"
#include "commands/patch_commands.h"
#include "commands/port_commands.h"
#include "compare/port_report.h"

namespace {

struct PortOptions {
    std::string patch;
    std::string old;
    std::string fresh;
    std::string out;
    std::string pick;
    bool overwrite = false;
    bool json = false;
};

int fail(const std::string& message) {
    std::cerr << "pictavo-cli: " << message << '\n';
    return 1;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

int runPort(const PortOptions& options) {
    const std::string out = WithExtension(options.out, ".vkp");
    for (const std::string* input : {&options.patch, &options.old, &options.fresh}) {
        if (sameFile(out, *input) || sameFile(options.out, *input))
            return fail("-o names an input (" + *input + "): choose another");
    }
    CliContext cli;
    cli.ui.answerQuestions = options.overwrite;
    if (cli.temp.path().empty())
        return fail("cannot make a staging folder in " + FSactions_Tavik::TempFolder());
    if (!CliFileReadable(options.patch) || !CliFileReadable(options.old) ||
        !LoadFullflashForCli(cli, options.fresh)) {
        return 1;
    }
    if (!ConfirmOverwrite(cli.ws, cli.ui, out)) return 1;
    const PickRule pick = options.pick == "nearest" ? PickRule::Nearest : PickRule::SameIndexOnly;
    const auto outcome = StagePortedPatch(cli.ws, cli.ui, options.patch, options.old, pick);
    if (!outcome) return 1;

    const PortWords words;
    const std::string summary = PortSummary(outcome->pictures, words);
    WrittenFiles written;
    if (!outcome->failed && outcome->staged > 0) {
        const auto patch = WritePatchTo(cli.ws, cli.ui, out);
        if (!patch) return 1;
        written.patch = out;
        written.patchPictures = patch->pictures;
        written.notPlaced = static_cast<int>(patch->notPlaced.size());
    }
    if (options.json) {
        std::cout << PortJson(outcome->pictures, summary, written);
    } else {
        for (const PortedPicture& picture : outcome->pictures) {
            std::cout << PortLine(picture, words) << '\n';
        }
        std::cout << summary << '\n';
        if (written.patchPictures)
            std::cout << out << ": " << PictureCount(*written.patchPictures) << '\n';
    }
    if (!written.patchPictures) fail("no picture carried over: nothing written");
    if (written.notPlaced > 0) fail(PictureCount(written.notPlaced) + " not placed");
    const bool everyPicture =
        CarriedCount(outcome->pictures) == static_cast<int>(outcome->pictures.size());
    return everyPicture && !outcome->failed && written.notPlaced == 0 ? 0 : 1;
}

}  // namespace

void AddPortSubcommand(CLI::App& app, CliStatus& status) {
    auto options = std::make_shared<PortOptions>();
    CLI::App* port = app.add_subcommand(
        "port",
        "carries a picture patch to another firmware, its pictures matched by what they show "
        "(exit 0 all carried, 1 some not)");
    port->add_option("PATCH", options->patch, "the .vkp patch, made for OLD")->required();
    port->add_option("--from", options->old, "OLD.bin, the fullflash the patch was made for")
        ->required();
    port->add_option("--to", options->fresh, "NEW.bin, the fullflash to carry it to")->required();
    port->add_option("-o", options->out, "NEW.vkp, the carried patch (.vkp is added when missing)")
        ->required();
    port->add_option("--pick", options->pick,
                     "nearest: of several pictures of NEW that show an original, take the "
                     "nearest index")
        ->check(CLI::IsMember({"nearest"}));
    port->add_flag("--overwrite", options->overwrite, "replace an existing NEW.vkp");
    port->add_flag("--json", options->json, "one JSON document on stdout");
    port->callback([&status, options] { status.code = runPort(*options); });
}
