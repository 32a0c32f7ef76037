#include "commands/comparison_commands.h"

#include <array>
#include <filesystem>
#include <string_view>

#include "codec/picture_type.h"
#include "commands/common_phrases.h"
#include "commands/dialog_patterns.h"
#include "commands/difference_outputs.h"
#include "commands/preview_commands.h"
#include "support/fs_actions.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

namespace {

constexpr Phrase kWith{"str_CmpWith", "Compared with"};
constexpr Phrase kDiffering{"str_CmpDiffer", "differing pictures"};
constexpr Phrase kOnlyB{"str_CmpOnlyB", "only in B"};
constexpr Phrase kOnlyA{"str_CmpOnlyA", "only in A"};
constexpr Phrase kPixels{"str_CmpPixels", "pixels"};
constexpr Phrase kEntry{"str_CmpEntry", "entry"};
constexpr Phrase kBoth{"str_CmpBoth", "both"};
constexpr Phrase kMoved{"str_CmpMoved", "moved"};
constexpr Phrase kNotInB{"str_CmpNotInB", "Not in B's table"};
constexpr Phrase kOtherModel{"str_CmpModel",
                             "Only fullflashes of one model and platform can be compared"};
constexpr Phrase kStaged{"str_CmpStaged", "Pictures of B staged"};
constexpr Phrase kLeftOut{"str_CmpLeft", "Left out (cannot be decoded in B, or not in this table)"};

void setComparisonControls(Workspace& ws, bool open) {
    ws.control("mnu_Fullflash_CompareStage").enabled = open;
    ws.control("mnu_Fullflash_CompareClose").enabled = open;
}

/// Keeps the selected row when it differs, else selects the first row that
/// does, so what the comparison found is in view.
void selectDifferingRow(Workspace& ws, Ui& ui) {
    const ComparisonState& c = *ws.comparison;
    if (ws.selectedRow && c.differenceAt(*ws.selectedRow) != nullptr) return;
    for (const PictureDifference& difference : c.differences) {
        if (!difference.a) continue;
        ws.selectedRow = static_cast<std::size_t>(difference.number);
        ShowSelectedPicture(ws, ui);
        return;
    }
}

FullflashIdentity loadedIdentity(const FullflashState& flash) {
    FullflashIdentity id;
    id.mModel = flash.mModel;
    id.platform = flash.platform;
    id.NewSGold = flash.NewSGold;
    return id;
}

std::string modelText(const std::string& side, const FullflashIdentity& id) {
    return side + ": " + id.mModel + " (" + id.platform + ")";
}

}  // namespace

void mnu_Fullflash_Compare_Click(Workspace& ws, Ui& ui) {
    if (!ws.isLoaded()) return;
    FileDialogRequest request;
    request.title = FileDialogTitle(ws, DialogPurpose::Open);
    request.filters = {Filter(ws, FileKind::Fullflash)};
    // B is most often A's neighbour: another version of the same phone's file.
    request.initialFolder = std::filesystem::path(ws.flash.file->path()).parent_path().string();
    const auto chosen = ui.openFile(request);
    if (chosen) CompareWith(ws, ui, CleanDialogPath(*chosen));
}

bool CompareWith(Workspace& ws, Ui& ui, const std::string& path) {
    std::shared_ptr<const MappedFile> file =
        FSactions_Tavik::FileMissing(path) ? nullptr : MappedFile::open(path);
    if (!file) {
        ShowFileMissing(ws, ui, path);
        return false;
    }
    ScannedFullflash b = ScanFullflash(file->bytes());
    if (b.entries.empty()) {
        ui.message(ws.say(kNoPictureTableInFile) + "\r" + path, "", MessageButtons::Ok);
        return false;
    }
    const FullflashIdentity a = loadedIdentity(ws.flash);
    if (Incompatibility(a, b.identity)) {
        ui.message(
            ws.say(kOtherModel) + "\r" + modelText("A", a) + "\r" + modelText("B", b.identity), "",
            MessageButtons::Ok);
        return false;
    }

    std::vector<PictureEntry> entries;
    entries.reserve(ws.rows.size());
    for (const PictureListEntry& row : ws.rows) entries.push_back(row.entry);
    ComparisonState state;
    state.differences = ComparePictures(ws.flash.file->bytes(), entries, file->bytes(), b.entries);
    state.differenceOfRow.assign(ws.rows.size(), -1);
    for (std::size_t i = 0; i < state.differences.size(); ++i) {
        const PictureDifference& difference = state.differences[i];
        if (difference.a) {
            state.differenceOfRow[static_cast<std::size_t>(difference.number)] =
                static_cast<int>(i);
        }
    }
    state.file = std::move(file);
    state.flash = std::move(b);
    ws.comparison = std::move(state);
    ++ws.rowsRevision;  // the list gains its comparison column and marks
    setComparisonControls(ws, true);
    selectDifferingRow(ws, ui);
    ShowComparedPicture(ws);
    return true;
}

void mnu_Fullflash_CompareStage_Click(Workspace& ws, Ui& ui) {
    if (!ws.comparison) return;
    const StagedDifferences staged =
        StageDifferences(ws, ui, ws.comparison->differences, ws.comparison->file->bytes());
    if (staged.failed) return;
    // The selected row may be staged now: the preview shows what it holds.
    ShowSelectedPicture(ws, ui);
    ui.refresh();
    std::string text = ws.say(kStaged) + ": " + std::to_string(staged.staged);
    const int leftOut = staged.undecodable + staged.outsideA;
    if (leftOut > 0) {
        text.append("\r").append(ws.say(kLeftOut)).append(": ").append(std::to_string(leftOut));
    }
    ui.message(text, "", MessageButtons::Ok);
}

void mnu_Fullflash_CompareClose_Click(Workspace& ws) {
    EndComparison(ws);
}

void EndComparison(Workspace& ws) {
    if (!ws.comparison) return;
    ws.comparison.reset();
    ++ws.rowsRevision;
    setComparisonControls(ws, false);
}

void CompareOnly_Click(Workspace& ws, Ui& ui, bool checked) {
    if (!ws.comparison) return;
    ws.comparison->onlyDiffering = checked;
    if (checked) selectDifferingRow(ws, ui);
    ShowComparedPicture(ws);
}

void ShowComparedPicture(Workspace& ws) {
    if (!ws.comparison) return;
    ComparisonState& c = *ws.comparison;
    c.preview = {};
    c.pictureInfo.clear();
    if (!ws.selectedRow) return;
    const std::size_t row = *ws.selectedRow;
    if (row >= c.flash.entries.size()) {
        c.pictureInfo = ws.say(kNotInB);
        return;
    }
    const PictureListEntry texts = MakeListEntry(c.flash.entries[row]);
    const auto type = GPFcodec::TypeInfoFromText(texts.type);
    if (!DecodeFullflashPicture(c.picture, c.file->bytes(), texts.entry)) {
        c.pictureInfo = "B: " + texts.index + " :: " + texts.width + " x " + texts.height +
                        " :: " + ws.say(kCannotBeDecoded);
        return;
    }
    c.preview = PaintForPreview(ws, c.picture);
    c.pictureInfo = "B: " + InformationLine(texts.index, texts.width, texts.height, type,
                                            c.picture.dataSize, ws.phrases());
}

std::string DifferenceKindText(const Workspace& ws, const PictureDifference& difference) {
    if (difference.onlyInA()) return ws.say(kOnlyA);
    if (difference.onlyInB()) return ws.say(kOnlyB);
    if (difference.onlyMoved()) return ws.say(kMoved);
    if (difference.entry && difference.pixels) return ws.say(kBoth);
    return ws.say(difference.pixels ? kPixels : kEntry);
}

ComparisonBarParts ComparisonBar(const Workspace& ws) {
    if (!ws.comparison) return {};
    const ComparisonState& c = *ws.comparison;
    std::size_t onlyB = 0;
    for (const PictureDifference& difference : c.differences) onlyB += difference.onlyInB() ? 1 : 0;
    ComparisonBarParts parts;
    parts.before = ws.say(kWith) + " ";
    parts.fileName = std::filesystem::path(c.file->path()).filename().string();
    parts.counts = ws.say(kDiffering) + ": " + std::to_string(c.differences.size());
    if (onlyB > 0) {
        parts.counts +=
            std::string(kComparisonBarJoiner) + ws.say(kOnlyB) + ": " + std::to_string(onlyB);
    }
    return parts;
}

std::string ComparisonBarText(const Workspace& ws) {
    const ComparisonBarParts parts = ComparisonBar(ws);
    return parts.before + parts.fileName + std::string(kComparisonBarJoiner) + parts.counts;
}
