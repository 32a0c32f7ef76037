#include "commands/embedded_png_commands.h"

#include "commands/dialog_patterns.h"
#include "commands/staging_commands.h"
#include "patch/png_patch.h"
#include "patch/vkp_format.h"
#include "support/fs_actions.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

using namespace FSactions_Tavik;

namespace {

constexpr Phrase kNoOffsetName{"str_PngNoOfs", "The file name is no hexadecimal offset!"};
constexpr Phrase kNoPngThere{"str_PngNone", "No PNG ending in IEND starts at %1 in the fullflash!"};
constexpr Phrase kNotPng{"str_PngNot", "Not a PNG file!"};
constexpr Phrase kTooLarge{"str_PngLarge", "Too large size!"};

/// The file name without folder and without its last four characters.
std::string offsetName(const std::string& path) {
    const std::string cleaned = CleanDialogPath(path);
    std::string name = cleaned.substr(cleaned.rfind('/') + 1);
    name.resize(name.size() - std::min<std::size_t>(4, name.size()));
    return name;
}

}  // namespace

std::string PngPatchPath(const Workspace& ws) {
    return JoinPath(ws.tempFolder, "PNGpatch.vkp");
}

void mnu_Fullflash_Change_PNG_Click(Workspace& ws, Ui& ui) {
    ReplaceEmbeddedPng(ws, ui);
}

void ReplaceEmbeddedPng(Workspace& ws, Ui& ui) {
    const auto chosen = AskOpenPath(ws, ui, Filter(ws, FileKind::Png));
    if (!chosen) return;
    ReplaceEmbeddedPngWith(ws, ui, *chosen);
}

bool ReplaceEmbeddedPngWith(Workspace& ws, Ui& ui, const std::string& path) {
    if (!ws.isLoaded()) return false;
    const auto newPng = ReadFileBytes(path);
    if (FileMissing(path) || !newPng) {
        ShowFileMissing(ws, ui, path);
        return false;
    }
    const std::string name = offsetName(path);
    const auto start = PngOffsetFromName(name);
    if (!start) {
        ui.message(ws.say(kNoOffsetName) + "\r" + path, "", MessageButtons::Ok);
        return false;
    }
    const auto flash = ws.flash.file->bytes();
    const auto end = EmbeddedPngEnd(flash, *start);
    if (!end) {
        ui.message(ws.say(kNoPngThere, {name}), "", MessageButtons::Ok);
        return false;
    }
    if (!newPng->starts_with(kPngSignature)) {
        ui.message(ws.say(kNotPng) + "\r" + path, "", MessageButtons::Ok);
        return false;
    }
    // Not even a byte past the old PNG: whatever follows it belongs to
    // something else.
    if (newPng->size() > *end - *start) {
        ui.message(ws.say(kTooLarge), "", MessageButtons::Ok);
        return false;
    }

    std::string block;
    Vkp::AppendLine(block, "");
    Vkp::AppendLine(block, Vkp::PngComment(name));
    Vkp::AppendRows(block, PngReplacementRows(flash, *start, *end, *newPng));
    const std::string pending = PngPatchPath(ws);
    const std::string earlier =
        ws.flash.pngChangesPending ? ReadFileBytes(pending).value_or("") : "";
    if (!ReplaceFile(pending, earlier + block)) {
        ShowWriteFailed(ws, ui, pending);
        return false;
    }
    SetSavePatchEnabled(ws, true);
    ws.flash.pngChangesPending = true;
    return true;
}
