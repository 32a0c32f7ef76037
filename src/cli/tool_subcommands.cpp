// pictavo-cli extract-vkp, extract-gpn and carve: the Tools menu's extraction
// commands with the file and the folder given on the command line.

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/subcommands.h"
#include "commands/carve_commands.h"
#include "commands/extract_commands.h"
#include "support/fs_actions.h"

namespace {

struct ToolOptions {
    std::string input;
    std::string folder;
    std::string kind;
    bool hexNames = false;
    bool noZeroNames = false;
    bool overwrite = false;
};

void addInputAndFolder(CLI::App* command, ToolOptions& options, const std::string& input) {
    command->add_option(input, options.input, "the file to read")->required();
    command->add_option("--to", options.folder, "an existing folder for the files")->required();
    command->add_flag("--overwrite", options.overwrite,
                      "replace existing files (else they are kept)");
}

void addNameFlags(CLI::App* command, ToolOptions& options) {
    command->add_flag("--hex-names", options.hexNames, "name pictures by hexadecimal numbers");
    command->add_flag("--no-zero-names", options.noZeroNames, "do not pad names with zeros");
}

/// The checks before any work: a readable input and an existing folder.
bool inputsUsable(const ToolOptions& options) {
    errno = 0;
    if (FSactions_Tavik::FileMissing(options.input)) {
        const int error = errno;
        std::cerr << "pictavo-cli: cannot read " << options.input << ": "
                  << (error != 0 ? std::strerror(error) : "not a regular file") << '\n';
        return false;
    }
    if (!std::filesystem::is_directory(options.folder)) {
        std::cerr << "pictavo-cli: not a folder: " << options.folder << '\n';
        return false;
    }
    return true;
}

using Extraction = ExtractionEnd (*)(Workspace&, Ui&, const std::string&, const std::string&);

int runExtraction(const ToolOptions& options, Extraction extract) {
    if (!inputsUsable(options)) return 1;
    CliContext cli;
    cli.ws.HEXFilename = options.hexNames;
    cli.ws.ZeroFilename = !options.noZeroNames;
    cli.ui.answerQuestions = options.overwrite;
    const ExtractionEnd end =
        extract(cli.ws, cli.ui, options.input, FSactions_Tavik::WithTrailingSlash(options.folder));
    if (end.failed) return 1;
    ReportWritten(end.written, options.folder);
    return 0;
}

int runCarve(const ToolOptions& options) {
    if (!inputsUsable(options)) return 1;
    const CarveKind kind = options.kind == "gif"   ? CarveKind::Gif
                           : options.kind == "png" ? CarveKind::Png
                                                   : CarveKind::Xml;
    CliContext cli;
    cli.ui.answerQuestions = options.overwrite;
    const auto count = CarveFiles(cli.ws, cli.ui, options.input, kind,
                                  FSactions_Tavik::WithTrailingSlash(options.folder));
    if (!count) return 1;
    ReportWritten(*count, options.folder);
    return 0;
}

}  // namespace

void AddToolSubcommands(CLI::App& app, CliStatus& status) {
    auto vkp = std::make_shared<ToolOptions>();
    CLI::App* extractVkp = app.add_subcommand(
        "extract-vkp",
        "the pictures and PNG files of a VKP patch, as \"Extract from Graph.Patch\"");
    addInputAndFolder(extractVkp, *vkp, "PATCH");
    addNameFlags(extractVkp, *vkp);
    extractVkp->callback([&status, vkp] { status.code = runExtraction(*vkp, ExtractFromVkpFile); });

    auto gpn = std::make_shared<ToolOptions>();
    CLI::App* extractGpn = app.add_subcommand(
        "extract-gpn", "the GPF and GPF2 files of a GPN file, as \"Extract from GPN\"");
    addInputAndFolder(extractGpn, *gpn, "FILE");
    addNameFlags(extractGpn, *gpn);
    extractGpn->callback([&status, gpn] { status.code = runExtraction(*gpn, ExtractFromGpnFile); });

    auto carve = std::make_shared<ToolOptions>();
    CLI::App* carveCommand = app.add_subcommand(
        "carve", "the GIF, PNG or XML files inside any file, as \"Extract GIFs/PNGs/XMLs\"");
    addInputAndFolder(carveCommand, *carve, "FILE");
    carveCommand->add_option("--kind", carve->kind, "what to find")
        ->required()
        ->check(CLI::IsMember({"gif", "png", "xml"}));
    carveCommand->callback([&status, carve] { status.code = runCarve(*carve); });
}
