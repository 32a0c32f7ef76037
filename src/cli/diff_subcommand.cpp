// pictavo-cli diff: which pictures differ between two fullflashes of one
// phone, their pairs as PNG files, and a patch that turns A's pictures into B's.

#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <memory>

#include "cli/json_output.h"
#include "cli/subcommands.h"
#include "commands/dialog_patterns.h"
#include "commands/difference_outputs.h"
#include "commands/fullflash_commands.h"
#include "commands/patch_commands.h"
#include "compare/comparison_report.h"
#include "compare/fullflash_comparison.h"
#include "support/mapped_file.h"

namespace {

struct DiffOptions {
    std::string a;
    std::string b;
    std::string folder;
    std::string vkp;
    bool overwrite = false;
    bool json = false;
};

void say(const std::string& message) {
    std::cerr << "pictavo-cli: " << message << '\n';
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

/// The fullflashes are only read: the patch may replace neither.
bool isInput(const DiffOptions& options, const std::string& path) {
    return sameFile(path, options.a) || sameFile(path, options.b);
}

bool writePngPairs(CliContext& cli, const DiffOptions& options,
                   std::span<const PictureDifference> differences,
                   std::span<const std::uint8_t> flashB, WrittenFiles& written) {
    const std::string folder = FSactions_Tavik::WithTrailingSlash(options.folder);
    const BatchEnd end = SaveDifferencesAsPng(cli.ws, cli.ui, folder, differences, flashB);
    if (!end.completed) say("--to stopped");
    written.pictureFiles = end.written;
    written.folder = options.folder;
    return end.completed;
}

bool writePatch(CliContext& cli, const DiffOptions& options,
                std::span<const PictureDifference> differences,
                std::span<const std::uint8_t> flashB, WrittenFiles& written) {
    const std::string out = WithExtension(options.vkp, ".vkp");
    if (isInput(options, out)) {
        say("the fullflashes are never written: choose another --vkp");
        return false;
    }
    if (!ConfirmOverwrite(cli.ws, cli.ui, out)) return false;
    const StagedDifferences staged = StageDifferences(cli.ws, cli.ui, differences, flashB);
    if (staged.failed) return false;
    if (staged.undecodable > 0)
        say(PictureCount(staged.undecodable) + " undecodable in B left out of the patch");
    if (staged.outsideA > 0)
        say(PictureCount(staged.outsideA) + " only in one table left out of the patch");
    const auto patch = WritePatchTo(cli.ws, cli.ui, out);
    if (!patch) return false;
    written.patch = out;
    written.patchPictures = patch->pictures;
    written.notPlaced = static_cast<int>(patch->notPlaced.size());
    if (!patch->notPlaced.empty()) say(PictureCount(written.notPlaced) + " not placed");
    return patch->notPlaced.empty() && staged.undecodable == 0 && staged.outsideA == 0;
}

int runDiff(const DiffOptions& options) {
    CliContext cli;
    // The export's default names, whatever the settings say: NNNN-a.png.
    cli.ws.HEXFilename = false;
    cli.ws.ZeroFilename = true;
    cli.ui.answerQuestions = options.overwrite;
    if (cli.temp.path().empty()) {
        say("cannot make a folder in " + FSactions_Tavik::TempFolder());
        return 1;
    }

    if (!CliFileReadable(options.a) || !CliFileReadable(options.b)) return 1;
    const std::shared_ptr<const MappedFile> fileB = MappedFile::open(options.b);
    if (!fileB) {
        say("cannot map " + options.b);
        return 1;
    }
    if (!LoadFullflash(cli.ws, cli.ui, options.a)) return 1;
    const std::span<const std::uint8_t> flashA = cli.ws.flash.file->bytes();
    const std::span<const std::uint8_t> flashB = fileB->bytes();

    const ScannedFullflash b = ScanFullflash(flashB);
    for (const auto& [path, count] :
         {std::pair{options.a, cli.ws.rows.size()}, std::pair{options.b, b.entries.size()}}) {
        if (count == 0) {
            say("no picture table found in " + path);
            return 1;
        }
    }
    if (const auto problem = Incompatibility(IdentifyFullflash(flashA), b.identity)) {
        say(*problem);
        return 1;
    }
    if (flashA.size() != flashB.size()) {
        say("warning: A has " + std::to_string(flashA.size()) + " bytes, B " +
            std::to_string(flashB.size()));
    }

    std::vector<PictureEntry> entriesA;
    entriesA.reserve(cli.ws.rows.size());
    for (const PictureListEntry& row : cli.ws.rows) entriesA.push_back(row.entry);
    const std::vector<PictureDifference> differences =
        ComparePictures(flashA, entriesA, flashB, b.entries);
    if (!options.json) {
        for (const PictureDifference& difference : differences) {
            std::cout << DifferenceLine(difference) << '\n';
        }
        std::cout << ComparisonSummary(differences) << '\n';
    }

    WrittenFiles written;
    bool outputsWritten = true;
    if (!options.folder.empty())
        outputsWritten = writePngPairs(cli, options, differences, flashB, written);
    if (outputsWritten && !options.vkp.empty())
        outputsWritten = writePatch(cli, options, differences, flashB, written);
    if (options.json) {
        std::cout << DiffJson(differences, ComparisonSummary(differences), written);
    } else {
        if (written.pictureFiles) ReportWritten(*written.pictureFiles, written.folder);
        if (written.patchPictures)
            std::cout << written.patch << ": " << PictureCount(*written.patchPictures) << '\n';
    }
    return differences.empty() && outputsWritten ? 0 : 1;
}

}  // namespace

void AddDiffSubcommand(CLI::App& app, CliStatus& status) {
    auto options = std::make_shared<DiffOptions>();
    CLI::App* diff = app.add_subcommand(
        "diff",
        "pictures that differ between two fullflashes (exit 1 when some do), their PNG pairs, a "
        "patch turning A's into B's");
    diff->add_option("A", options->a, "the first fullflash (only read)")->required();
    diff->add_option("B", options->b, "the second fullflash (only read)")->required();
    diff->add_option("--to", options->folder, "an existing folder for the PNG pairs")
        ->check(CLI::ExistingDirectory);
    diff->add_option("--vkp", options->vkp, "OUT.vkp (.vkp is added when missing)");
    diff->add_flag("--overwrite", options->overwrite,
                   "replace existing files (else they are kept)");
    diff->add_flag("--json", options->json, "one JSON document on stdout");
    diff->callback([&status, options] { status.code = runDiff(*options); });
}
