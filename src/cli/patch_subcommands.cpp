// pictavo-cli patch, verify and apply: staging and "Save Patch" in one run, and
// the proof of what a patch does before it goes onto a phone.

#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <new>
#include <optional>

#include "cli/json_output.h"
#include "cli/subcommands.h"
#include "commands/dialog_patterns.h"
#include "commands/embedded_png_commands.h"
#include "commands/gpf_commands.h"
#include "commands/patch_commands.h"
#include "commands/staging_commands.h"
#include "patch/patch_report.h"
#include "patch/patch_verifier.h"
#include "support/fs_actions.h"
#include "support/mapped_file.h"

namespace {

struct PatchOptions {
    std::string flash;
    std::string out;
    int depth = 0;
    bool uncompressed = false;
    std::vector<std::string> replacements;
    std::string folder;
    std::vector<std::string> pngs;
    bool hexNames = false;
    bool noZeroNames = false;
    bool overwrite = false;
};

int fail(const std::string& message) {
    std::cerr << "pictavo-cli: " << message << '\n';
    return 1;
}

/// "INDEX=FILE" staged as "Load picture" stages FILE for picture INDEX.
bool stageReplacement(CliContext& cli, const std::string& replacement, int code) {
    const std::size_t equals = replacement.find('=');
    std::size_t index = 0;
    const char* first = replacement.data();
    const char* last = first + std::min(equals, replacement.size());
    const auto [end, error] = std::from_chars(first, last, index);
    if (equals == std::string::npos || error != std::errc() || end != last) {
        fail("--replace takes INDEX=FILE: " + replacement);
        return false;
    }
    if (index >= cli.ws.rows.size()) {
        fail("no picture " + std::to_string(index) + " (the list has " +
             std::to_string(cli.ws.rows.size()) + ")");
        return false;
    }
    const std::string file = replacement.substr(equals + 1);
    if (FSactions_Tavik::FileMissing(file)) {
        ShowFileMissing(cli.ws, cli.ui, file);
        return false;
    }
    return ReadReplacementSource(cli.ws, cli.ui, file) == ReadOutcome::Read &&
           StageShownPicture(cli.ws, cli.ui, index, code) == StageOutcome::Staged;
}

int runPatch(const PatchOptions& options) {
    const std::map<int, int> codes{
        {1, kSaveGpf1Bit}, {8, kSaveGpf8Bit}, {16, kSaveGpf16Bit}, {24, kSaveGpf24Bit}};
    const int code = codes.at(options.depth) - (options.uncompressed ? 128 : 0);
    CliContext cli;
    cli.ws.HEXFilename = options.hexNames;
    cli.ws.ZeroFilename = !options.noZeroNames;
    cli.ui.answerQuestions = options.overwrite;
    if (cli.temp.path().empty())
        return fail("cannot make a staging folder in " + FSactions_Tavik::TempFolder());
    if (!LoadFullflashForCli(cli, options.flash)) return 1;

    for (const std::string& replacement : options.replacements) {
        if (!stageReplacement(cli, replacement, code)) return 1;
    }
    if (!options.folder.empty()) {
        if (!std::filesystem::is_directory(options.folder))
            return fail("not a folder: " + options.folder);
        const auto fixed = [code](Workspace&, Ui&, std::size_t) { return code; };
        const std::string folder = FSactions_Tavik::WithTrailingSlash(options.folder);
        if (!StageFolder(cli.ws, cli.ui, folder, fixed).completed) return 1;
    }
    for (const std::string& png : options.pngs) {
        if (!ReplaceEmbeddedPngWith(cli.ws, cli.ui, png)) return 1;
    }
    // A picture that could not be read would silently be missing from the patch.
    if (cli.status() != 0) return fail("nothing written");

    const std::string out = WithExtension(options.out, ".vkp");
    if (!ConfirmOverwrite(cli.ws, cli.ui, out)) return 1;
    const auto written = WritePatchTo(cli.ws, cli.ui, out);
    if (!written) return 1;
    std::cout << out << ": " << PictureCount(written->pictures) << '\n';
    if (!written->notPlaced.empty())
        return fail(PictureCount(static_cast<int>(written->notPlaced.size())) + " not placed");
    return cli.status();
}

struct PatchFiles {
    std::string flash;
    std::string patch;
    std::string out;  ///< apply only
    bool overwrite = false;
    bool json = false;  ///< verify only
};

struct PatchInput {
    std::unique_ptr<MappedFile> flash;
    std::string text;
};

std::optional<PatchInput> readPatchInput(const std::string& flashPath,
                                         const std::string& patchPath) {
    PatchInput input;
    input.flash = MappedFile::open(flashPath);
    if (!input.flash) {
        fail("cannot read " + flashPath);
        return std::nullopt;
    }
    auto text = FSactions_Tavik::ReadFileBytes(patchPath);
    if (!text) {
        fail("cannot read " + patchPath);
        return std::nullopt;
    }
    input.text = std::move(*text);
    return input;
}

/// Items of each kind the report lists: as many as the reader keeps; a text of
/// millions of lines would otherwise print millions of lines.
constexpr std::size_t kListedItems = Vkp::kKeptFindings;

/// The check, or nothing (said) when the patch is too large for the memory.
std::optional<PatchResult> verified(const PatchInput& input, const std::string& patchPath) {
    try {
        return VerifyPatch(input.flash->bytes(), input.text);
    } catch (const std::bad_alloc&) {
        fail("not enough memory to check " + patchPath + " (" + std::to_string(input.text.size()) +
             " bytes of text)");
        return std::nullopt;
    }
}

int runVerify(const PatchFiles& files) {
    const auto input = readPatchInput(files.flash, files.patch);
    if (!input) return 1;
    const auto result = verified(*input, files.patch);
    if (!result) return 1;
    if (files.json) {
        std::cout << VerifyJson(result->check);
    } else {
        std::cout << PatchReport(result->check, "\n", kListedItems) << '\n';
    }
    return JudgePatch(result->check).kind == PatchVerdictKind::Safe ? 0 : 1;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

int runApply(const PatchFiles& files) {
    const std::string& out = files.out;
    const auto input = readPatchInput(files.flash, files.patch);
    if (!input) return 1;
    if (sameFile(files.flash, out))
        return fail("the fullflash is never written: choose another OUT");
    const auto verifiedPatch = verified(*input, files.patch);
    if (!verifiedPatch) return 1;
    const PatchResult& result = *verifiedPatch;
    if (!result.check.applicable()) {
        std::cout << PatchReport(result.check, "\n", kListedItems) << '\n';
        return fail("the patch does not apply to this fullflash; nothing written");
    }
    CliContext cli;
    cli.ui.answerQuestions = files.overwrite;
    if (!ConfirmOverwrite(cli.ws, cli.ui, out)) return 1;
    const std::string_view bytes(reinterpret_cast<const char*>(result.patched.data()),
                                 result.patched.size());
    if (!FSactions_Tavik::ReplaceFile(out, bytes)) return fail("cannot write " + out);
    std::cout << out << ": " << result.check.dataLines << " data lines applied";
    if (!result.check.unchecked.empty())
        std::cout << " (" << result.check.unchecked.size() << " without old bytes, not checked)";
    std::cout << ", " << result.check.bytesChanged << " bytes changed\n";
    return 0;
}

}  // namespace

void AddPatchSubcommands(CLI::App& app, CliStatus& status) {
    auto patch = std::make_shared<PatchOptions>();
    CLI::App* patchCommand = app.add_subcommand("patch",
                                                "stages pictures as \"Load picture\"/\"Load "
                                                "pictures\" and \"Change PNG\" do, then writes the "
                                                "patch as \"Save Patch\" does");
    patchCommand->add_option("FLASH", patch->flash, "the fullflash")->required();
    patchCommand->add_option("OUT", patch->out, "the patch (.vkp is added when missing)")
        ->required();
    patchCommand->add_option("--depth", patch->depth, "bit depth of the load entry")
        ->required()
        ->check(CLI::IsMember({1, 8, 16, 24}));
    patchCommand->add_flag("--uncompressed", patch->uncompressed, "stage the uncompressed type");
    // One value per flag, so a flag before FLASH and OUT cannot swallow them.
    patchCommand
        ->add_option("--replace", patch->replacements,
                     "INDEX=FILE: picture number and its new picture; once per picture")
        ->allow_extra_args(false);
    patchCommand->add_option("--from-folder", patch->folder,
                             "a folder of pictures named as the exports name them");
    patchCommand
        ->add_option("--change-png", patch->pngs,
                     "a PNG named after the offset of the one it replaces; once per PNG")
        ->allow_extra_args(false);
    patchCommand->add_flag("--hex-names", patch->hexNames,
                           "folder files have hexadecimal picture numbers");
    patchCommand->add_flag("--no-zero-names", patch->noZeroNames,
                           "folder file names are not padded with zeros");
    patchCommand->add_flag("--overwrite", patch->overwrite, "replace an existing OUT");
    patchCommand->callback([&status, patch] { status.code = runPatch(*patch); });

    auto checked = std::make_shared<PatchFiles>();
    CLI::App* verify = app.add_subcommand(
        "verify",
        "checks a patch against a fullflash and reports what it changes (exit 1 on any problem)");
    verify->add_option("FLASH", checked->flash, "the fullflash")->required();
    verify->add_option("PATCH", checked->patch, "the .vkp patch")->required();
    verify->add_flag("--json", checked->json, "one JSON document on stdout");
    verify->callback([&status, checked] { status.code = runVerify(*checked); });

    auto applied = std::make_shared<PatchFiles>();
    CLI::App* apply = app.add_subcommand(
        "apply",
        "writes a patched copy of the fullflash; refuses a patch whose old bytes do not match");
    apply->add_option("FLASH", applied->flash, "the fullflash (only read)")->required();
    apply->add_option("PATCH", applied->patch, "the .vkp patch")->required();
    apply->add_option("-o", applied->out, "OUT.bin, the patched copy")->required();
    apply->add_flag("--overwrite", applied->overwrite, "replace an existing OUT");
    apply->callback([&status, applied] { status.code = runApply(*applied); });
}
