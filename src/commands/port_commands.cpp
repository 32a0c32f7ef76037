#include "commands/port_commands.h"

#include <new>

#include "codec/gpf_file.h"
#include "commands/common_phrases.h"
#include "commands/dialog_patterns.h"
#include "commands/difference_outputs.h"
#include "commands/preview_commands.h"
#include "commands/staging_commands.h"
#include "compare/fullflash_comparison.h"
#include "compare/port_report.h"
#include "patch/patch_report.h"
#include "patch/patch_verifier.h"
#include "support/fs_actions.h"
#include "support/mapped_file.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

namespace {

std::nullopt_t refuse(Ui& ui, const std::string& text) {
    ui.message(text, "", MessageButtons::Ok);
    return std::nullopt;
}

constexpr Phrase kDoesNotApply{"str_PortNoApply",
                               "The patch does not apply to the fullflash it was made for"};
constexpr Phrase kOtherPlatform{"str_PortPlatf",
                                "A patch is carried only between fullflashes of one platform"};
constexpr Phrase kNothingToPort{"str_PortNone", "changes no picture: nothing to port"};
constexpr Phrase kOldFlash{"str_PortOld", "the fullflash the patch was made for"};
constexpr Phrase kSaveToFinish{"str_PortSave", "Save Patch writes the carried pictures."};
constexpr Phrase kNotInNew{"str_PortNotIn", "not in this fullflash"};
constexpr Phrase kAmbiguous{"str_PortAmbig", "ambiguous"};
constexpr Phrase kNearest{"str_PortNear", "nearest of"};
constexpr Phrase kOutsideTable{"str_PortOutTab", "only one table lists it"};
constexpr Phrase kTaken{"str_PortTaken", "already takes another picture"};
constexpr Phrase kCarried{"str_PortCarried", "carried over"};
constexpr Phrase kOf{"str_PortOf", "of"};

std::string noTable(const Workspace& ws, const std::string& path) {
    return ws.say(kNoPictureTableInFile) + "\r" + path;
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
    } else if (DecodeFullflashPicture(ws.picture, patched, picture.replacement)) {
        ws.picture.pictureNumber = static_cast<std::int16_t>(row.entry.number);
        written = GPFcodec::WriteGpfFile(staging, ws.picture, code);
    }
    if (!written) {
        ShowWriteFailed(ws, ui, staging);
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
        return refuse(ui, ws.say(kNoMemoryForPatch, {std::to_string(text->size())}));
    }
    if (!sides.verified.check.applicable()) {
        return refuse(ui, ws.say(kDoesNotApply) + " (" + oldPath +
                              "): " + JudgePatch(sides.verified.check, ws.phrases()).text);
    }
    return sides;
}

PortWords windowWords(const Workspace& ws) {
    PortWords words;
    words.notInNew = ws.say(kNotInNew);
    words.ambiguous = ws.say(kAmbiguous);
    words.nearest = ws.say(kNearest);
    words.undecodable = ws.say(kCannotBeDecoded);
    words.outsideTable = ws.say(kOutsideTable);
    words.taken = ws.say(kTaken);
    words.carried = ws.say(kCarried);
    words.of = ws.say(kOf);
    return words;
}

/// The picture lines of the window's report; the summary is its verdict.
std::string reportLines(const Workspace& ws, const PortOutcome& outcome) {
    const PortWords words = windowWords(ws);
    std::string report;
    for (const PortedPicture& picture : outcome.pictures) {
        if (!report.empty()) report += "\r";
        report += PortLine(picture, words);
    }
    if (outcome.staged > 0) report += "\r\r" + ws.say(kSaveToFinish);
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
    const ScannedFullflash old = ScanFullflash(oldFlash);
    if (old.entries.empty()) return refuse(ui, noTable(ws, oldPath));
    if (ws.rows.empty()) return refuse(ui, noTable(ws, ws.flash.file->path()));
    if (old.identity.platform != ws.flash.platform) {
        return refuse(
            ui, ws.say(kOtherPlatform) + ": " + old.identity.platform + ", " + ws.flash.platform);
    }
    const std::span<const std::uint8_t> patched = sides->verified.patched;
    const ScannedFullflash patchedScan = ScanFullflash(patched);
    const std::vector<PictureEntry> fresh = loadedEntries(ws);

    PortOutcome outcome;
    outcome.pictures = PlanPort({oldFlash, old.entries}, {patched, patchedScan.entries},
                                {ws.flash.file->bytes(), fresh}, pick);
    if (outcome.pictures.empty()) {
        return refuse(ui, patchPath + " " + ws.say(kNothingToPort));
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
    const auto patch = AskOpenPath(ws, ui, Filter(ws, FileKind::Vkp));
    if (!patch) return;
    FileDialogRequest request;
    request.title = DialogTitle(ws, ws.say(kOldFlash), DialogPurpose::Open);
    request.filters = {Filter(ws, FileKind::Fullflash)};
    const auto old = ui.openFile(request);
    if (!old) return;
    const auto outcome =
        StagePortedPatch(ws, ui, *patch, CleanDialogPath(*old), PickRule::SameIndexOnly);
    if (!outcome) return;
    std::string title = ws.control("mnu_Fullflash_PortPatch").caption;
    while (title.ends_with('.')) title.pop_back();
    const ReportTone tone = outcome->staged == 0 ? ReportTone::Bad
                            : static_cast<std::size_t>(outcome->staged) < outcome->pictures.size()
                                ? ReportTone::Warning
                                : ReportTone::Good;
    ui.report(title, tone, PortSummary(outcome->pictures, windowWords(ws)),
              reportLines(ws, *outcome));
}
