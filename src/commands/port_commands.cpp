#include "commands/port_commands.h"

#include <new>

#include "codec/gpf_file.h"
#include "commands/compare_commands.h"
#include "commands/dialog_patterns.h"
#include "commands/preview_commands.h"
#include "commands/staging_commands.h"
#include "compare/flash_comparison.h"
#include "compare/port_report.h"
#include "patch/patch_verifier.h"
#include "support/fs_actions.h"
#include "support/mapped_file.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

namespace {

/// Lines of pictures the window's report shows; the summary counts them all.
constexpr std::size_t kListedPictures = 20;

std::nullopt_t refuse(Ui& ui, const std::string& text) {
    ui.message(text, "", MessageButtons::Ok);
    return std::nullopt;
}

std::string noTable(const Workspace& ws, const std::string& path) {
    return TextOr(ws, "str_CmpNoPIT", "No picture table found in this file") + "\r" + path;
}

/// Why a patch that does not apply is refused, in the verifier's terms.
std::string verdictOf(const PatchCheck& check) {
    const std::size_t errors = check.errors.size() + check.errorsNotListed;
    if (errors > 0) {
        std::string text =
            std::to_string(errors) + (errors == 1 ? " line" : " lines") + " cannot be applied";
        if (!check.errors.empty()) {
            text += " (line " + std::to_string(check.errors.front().line) + ": " +
                    check.errors.front().message + ")";
        }
        return text;
    }
    return "old bytes match on " + std::to_string(check.matching) + " of " +
           std::to_string(check.matching + static_cast<int>(check.mismatches.size())) +
           " lines: made for another firmware, or applied already";
}

std::vector<PictureEntry> loadedEntries(const Workspace& ws) {
    std::vector<PictureEntry> entries;
    entries.reserve(ws.rows.size());
    for (const PictureListEntry& row : ws.rows) entries.push_back(row.entry);
    return entries;
}

/// Stages one carried picture on its row of the loaded fullflash.
bool stageCarried(Workspace& ws, Ui& ui, std::span<const std::uint8_t> patched,
                  const PortedPicture& picture) {
    const auto position = static_cast<std::size_t>(*picture.newNumber);
    PictureListEntry& row = ws.rows[position];
    const std::string staging = StagingFilePath(ws, position);
    const int code = PortedCode(picture.replacement.type, row.entry.type);
    bool written = false;
    if (code == picture.replacement.type) {
        written = FSactions_Tavik::ReplaceFile(
            staging, StreamStagingFile(patched, picture.replacement, row.entry.number));
    } else if (DecodeFlashPicture(ws.picture, patched, picture.replacement)) {
        ws.picture.pictureNumber = static_cast<std::int16_t>(row.entry.number);
        written = GPFcodec::WriteGpfFile(staging, ws.picture, code);
    }
    if (!written) {
        ShowWriteFailed(ui, staging);
        return false;
    }
    row.changed = true;
    return true;
}

struct Sides {
    std::unique_ptr<MappedFile> old;
    PatchResult verified;
};

/// OLD and the patch applied to a copy of it; nothing after a message when
/// either cannot be read or the patch does not apply.
std::optional<Sides> readSides(const Workspace& ws, Ui& ui, const std::string& patchPath,
                               const std::string& oldPath) {
    Sides sides;
    sides.old = MappedFile::open(oldPath);
    if (!sides.old) {
        ShowFileMissing(ws, ui, oldPath);
        return std::nullopt;
    }
    const auto text = FSactions_Tavik::ReadFileBytes(patchPath);
    if (!text) {
        ShowFileMissing(ws, ui, patchPath);
        return std::nullopt;
    }
    try {
        sides.verified = VerifyPatch(sides.old->bytes(), *text);
    } catch (const std::bad_alloc&) {
        return refuse(ui, "Not enough memory to check this patch (" + std::to_string(text->size()) +
                              " bytes of text).");
    }
    if (!sides.verified.check.Applicable()) {
        return refuse(ui, TextOr(ws, "str_PortNoApply",
                                 "The patch does not apply to the fullflash it was made for") +
                              " (" + oldPath + "): " + verdictOf(sides.verified.check));
    }
    return sides;
}

PortWords windowWords(const Workspace& ws) {
    PortWords words;
    words.notInNew = TextOr(ws, "str_PortNotIn", "not in this fullflash");
    words.ambiguous = TextOr(ws, "str_PortAmbig", words.ambiguous);
    words.nearest = TextOr(ws, "str_PortNear", words.nearest);
    words.undecodable = TextOr(ws, "str_CmpUndec", words.undecodable);
    words.outsideTable = TextOr(ws, "str_PortOutTab", words.outsideTable);
    words.taken = TextOr(ws, "str_PortTaken", words.taken);
    words.carried = TextOr(ws, "str_PortCarried", words.carried);
    words.of = TextOr(ws, "str_PortOf", words.of);
    return words;
}

std::string windowReport(const Workspace& ws, const PortOutcome& outcome) {
    const PortWords words = windowWords(ws);
    std::string report = PortSummary(outcome.pictures, words);
    const std::size_t listed = std::min(outcome.pictures.size(), kListedPictures);
    for (std::size_t i = 0; i < listed; ++i) report += "\r" + PortLine(outcome.pictures[i], words);
    if (outcome.pictures.size() > listed) {
        report += "\r... " + std::to_string(outcome.pictures.size() - listed);
    }
    if (outcome.staged > 0) {
        report += "\r\r" + TextOr(ws, "str_PortSave", "Save Patch writes the carried pictures.");
    }
    return report;
}

}  // namespace

int PortedCode(std::uint8_t replacementType, std::uint8_t rowType) {
    const int format = replacementType & 0x0F;
    if (replacementType == rowType || format == 0x07) return replacementType;
    const bool compressed = (rowType & 0xF0) == 0x80 && format != 0x01;
    return format | (compressed ? 0x80 : 0x00);
}

std::optional<PortOutcome> StagePortedPatch(Workspace& ws, Ui& ui, const std::string& patchPath,
                                            const std::string& oldPath, PickRule pick) {
    if (!ws.isLoaded()) return std::nullopt;
    const auto sides = readSides(ws, ui, patchPath, oldPath);
    if (!sides) return std::nullopt;
    const std::span<const std::uint8_t> oldFlash = sides->old->bytes();
    const ScannedFlash old = ScanFlash(oldFlash);
    if (old.entries.empty()) return refuse(ui, noTable(ws, oldPath));
    if (ws.rows.empty()) return refuse(ui, noTable(ws, ws.flash.file->path()));
    if (old.identity.platform != ws.flash.platform) {
        return refuse(ui, TextOr(ws, "str_PortPlatf",
                                 "A patch is carried only between fullflashes of one platform") +
                              ": " + old.identity.platform + ", " + ws.flash.platform);
    }
    const std::span<const std::uint8_t> patched = sides->verified.patched;
    const ScannedFlash patchedScan = ScanFlash(patched);
    const std::vector<PictureEntry> fresh = loadedEntries(ws);

    PortOutcome outcome;
    outcome.pictures = PlanPort({oldFlash, old.entries}, {patched, patchedScan.entries},
                                {ws.flash.file->bytes(), fresh}, pick);
    if (outcome.pictures.empty()) {
        return refuse(ui, patchPath + " " +
                              TextOr(ws, "str_PortNone", "changes no picture: nothing to port"));
    }
    for (const PortedPicture& picture : outcome.pictures) {
        if (picture.status != PortStatus::Carried) continue;
        if (!stageCarried(ws, ui, patched, picture)) {
            outcome.failed = true;
            break;
        }
        ++outcome.staged;
    }
    if (outcome.staged > 0) SetSavePatchEnabled(ws, true);
    if (ws.selected() != nullptr) ShowSelectedPicture(ws, ui);
    ui.refresh();
    return outcome;
}

void mnu_Fullflash_PortPatch_Click(Workspace& ws, Ui& ui) {
    if (!ws.isLoaded()) return;
    const auto patch = AskOpenPath(ws, ui, {"ViKlay Patch File (*.vkp)", "*.vkp"});
    if (!patch) return;
    FileDialogRequest request;
    request.title = DialogTitle(
        ws, TextOr(ws, "str_PortOld", "the fullflash the patch was made for"), DialogPurpose::Open);
    request.filters = {{"FullFlash files (*.bin)", "*.bin"}};
    const auto old = ui.openFile(request);
    if (!old) return;
    const auto outcome =
        StagePortedPatch(ws, ui, *patch, CleanDialogPath(*old), PickRule::SameIndexOnly);
    if (!outcome) return;
    std::string title = ws.control("mnu_Fullflash_PortPatch").caption;
    while (title.ends_with('.')) title.pop_back();
    ui.message(windowReport(ws, *outcome), title, MessageButtons::Ok);
}
