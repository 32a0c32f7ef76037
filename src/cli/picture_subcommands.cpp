// pictavo-cli show, export and convert: the save commands of the picture menus
// driven by flags instead of dialogs.

#include <CLI/CLI.hpp>

#include <charconv>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "cli/subcommands.h"
#include "commands/bmp_commands.h"
#include "commands/gpf_commands.h"
#include "commands/png_commands.h"
#include "commands/preview_commands.h"
#include "support/fs_actions.h"

namespace {

std::optional<int> parseNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

/// "0,5,10-20" as a set of picture numbers.
std::optional<std::set<int>> parsePictureList(const std::string& text) {
    std::set<int> numbers;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view item(text.data() + start, comma - start);
        const std::size_t dash = item.find('-');
        const auto first = parseNumber(item.substr(0, dash));
        const auto last =
            dash == std::string_view::npos ? first : parseNumber(item.substr(dash + 1));
        if (!first || !last || *last < *first || *last - *first > 65535) return std::nullopt;
        for (int n = *first; n <= *last; ++n) numbers.insert(n);
        start = comma + 1;
    }
    return numbers;
}

/// Options of the commands that name their files as the batch saves do.
struct NameOptions {
    bool hexNames = false;
    bool noZeroNames = false;
    bool overwrite = false;

    void addTo(CLI::App* command) {
        command->add_flag("--hex-names", hexNames, "name files by hexadecimal picture numbers");
        command->add_flag("--no-zero-names", noZeroNames, "do not pad names with zeros");
        command->add_flag("--overwrite", overwrite, "replace existing files (else they are kept)");
    }
    void applyTo(CliContext& cli) const {
        cli.ws.HEXFilename = hexNames;
        cli.ws.ZeroFilename = !noZeroNames;
        cli.ui.answerQuestions = overwrite;
    }
};

struct ExportOptions {
    std::string flash;
    std::string as;
    std::string folder;
    std::string pictures;
    bool alpha = false;
    NameOptions names;
};

int runShow(const std::string& file) {
    CliContext cli;
    if (!ShowGpfFile(cli.ws, cli.ui, file)) return 1;
    std::cout << cli.ws.pictureInfo << '\n';
    return 0;
}

int runExport(const ExportOptions& options, const std::optional<std::set<int>>& pictures) {
    if (!std::filesystem::is_directory(options.folder)) {
        std::cerr << "pictavo-cli: not a folder: " << options.folder << '\n';
        return 1;
    }
    CliContext cli;
    options.names.applyTo(cli);
    cli.ws.pngAlpha = options.alpha;
    if (!LoadFullflashForCli(cli, options.flash)) return 1;
    if (pictures && !pictures->empty() &&
        static_cast<std::size_t>(*pictures->rbegin()) >= cli.ws.rows.size()) {
        throw CLI::ValidationError(
            "--pictures", "no picture " + std::to_string(*pictures->rbegin()) + " (the list has " +
                              std::to_string(cli.ws.rows.size()) + ")");
    }

    RowFilter filter;
    if (pictures) {
        filter = [&](std::size_t position) {
            return pictures->contains(static_cast<int>(position));
        };
    }
    const std::string target = FSactions_Tavik::WithTrailingSlash(options.folder);
    BatchEnd end;
    if (options.as == "bmp") {
        end = SavePicturesAsBmp(cli.ws, cli.ui, target, filter);
    } else if (options.as == "png") {
        end = SavePicturesAsPng(cli.ws, cli.ui, target, filter);
    } else {
        end = SavePicturesAsGpf(cli.ws, cli.ui, target, "." + options.as, filter);
    }
    if (!end.completed) std::cerr << "pictavo-cli: export stopped\n";
    ReportWritten(end.written, options.folder);
    return end.completed ? cli.status() : 1;
}

struct ConvertOptions {
    std::string flash;
    int index = 0;
    std::string out;
    int depth = 0;
    bool uncompressed = false;
    bool overwrite = false;
};

int runConvert(const ConvertOptions& options) {
    const std::map<int, int> codes{
        {1, kSaveGpf1Bit}, {8, kSaveGpf8Bit}, {16, kSaveGpf16Bit}, {24, kSaveGpf24Bit}};
    CliContext cli;
    cli.ui.answerQuestions = options.overwrite;
    if (!LoadFullflashForCli(cli, options.flash)) return 1;
    const auto index = static_cast<std::size_t>(options.index);
    if (index >= cli.ws.rows.size()) {
        std::cerr << "pictavo-cli: no picture " << index << " (the list has " << cli.ws.rows.size()
                  << ")\n";
        return 1;
    }
    if (!SelectAndShow(cli.ws, cli.ui, index)) return 1;
    if (!AcceptGpfTarget(cli.ws, cli.ui, options.out)) return 1;
    const int code = codes.at(options.depth) - (options.uncompressed ? 128 : 0);
    return WriteShownPictureAsGpf(cli.ws, cli.ui, options.out, code) == SaveOutcome::Written ? 0
                                                                                             : 1;
}

}  // namespace

void AddPictureSubcommands(CLI::App& app, CliStatus& status) {
    auto file = std::make_shared<std::string>();
    CLI::App* show = app.add_subcommand("show", "the information line of a GPF or GPF2 file");
    show->add_option("FILE", *file, "a .gpf or .gpf2 file")->required();
    show->callback([&status, file] { status.code = runShow(*file); });

    auto exportOptions = std::make_shared<ExportOptions>();
    CLI::App* exportCommand = app.add_subcommand(
        "export", "every picture (or the listed ones) as the batch saves write them");
    exportCommand->add_option("FLASH", exportOptions->flash, "the fullflash")->required();
    exportCommand->add_option("--as", exportOptions->as, "file kind")
        ->required()
        ->check(CLI::IsMember({"bmp", "gpf", "gpf2", "png"}));
    exportCommand->add_option("--to", exportOptions->folder, "an existing folder")->required();
    exportCommand->add_option("--pictures", exportOptions->pictures,
                              "picture numbers and ranges, e.g. 0,5,10-20");
    exportCommand->add_flag("--alpha", exportOptions->alpha,
                            "PNG: transparent pixels get alpha 0 instead of the marker colour");
    exportOptions->names.addTo(exportCommand);
    exportCommand->callback([&status, exportOptions] {
        const NameOptions& names = exportOptions->names;
        if (exportOptions->alpha && exportOptions->as != "png")
            throw CLI::ValidationError("--alpha", "applies to --as png only");
        // The GPF batch names files by their 4-digit number whatever the
        // settings, so a naming option there would be silently ignored.
        if ((exportOptions->as == "gpf" || exportOptions->as == "gpf2") &&
            (names.hexNames || names.noZeroNames)) {
            throw CLI::ValidationError(
                "--as " + exportOptions->as,
                "names files by 4-digit numbers; --hex-names and --no-zero-names do not apply");
        }
        std::optional<std::set<int>> pictures;
        if (!exportOptions->pictures.empty()) {
            pictures = parsePictureList(exportOptions->pictures);
            if (!pictures) {
                throw CLI::ValidationError("--pictures", "takes numbers and ranges: 0,5,10-20");
            }
        }
        status.code = runExport(*exportOptions, pictures);
    });

    auto convertOptions = std::make_shared<ConvertOptions>();
    CLI::App* convert = app.add_subcommand(
        "convert", "one picture re-encoded in a bit depth, as the picture menu's \"Save as GPF\"");
    convert->add_option("FLASH", convertOptions->flash, "the fullflash")->required();
    convert->add_option("INDEX", convertOptions->index, "picture number")
        ->required()
        ->check(CLI::NonNegativeNumber);
    convert->add_option("OUT", convertOptions->out, "OUT.gpf or OUT.gpf2")->required();
    convert->add_option("--depth", convertOptions->depth, "bit depth")
        ->required()
        ->check(CLI::IsMember({1, 8, 16, 24}));
    convert->add_flag("--uncompressed", convertOptions->uncompressed,
                      "write the uncompressed type");
    convert->add_flag("--overwrite", convertOptions->overwrite, "replace an existing OUT");
    convert->callback([&status, convertOptions] {
        const std::string& out = convertOptions->out;
        if (!out.ends_with(".gpf") && !out.ends_with(".gpf2")) {
            throw CLI::ValidationError("OUT", "ends in .gpf or .gpf2");
        }
        status.code = runConvert(*convertOptions);
    });
}
