#include "commands/comparison_commands.h"

#include <array>
#include <filesystem>
#include <string_view>

#include "codec/picture_type.h"
#include "commands/compare_commands.h"
#include "commands/dialog_patterns.h"
#include "commands/preview_commands.h"
#include "support/fs_actions.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

namespace {

struct DefaultText {
    std::string_view key;
    std::string_view text;
};

/// What the comparison says while no language file gives its texts.
constexpr std::array kDefaultTexts{
    DefaultText{"str_CmpWith", "Compared with"},
    DefaultText{"str_CmpDiffer", "differing pictures"},
    DefaultText{"str_CmpOnlyB", "only in B"},
    DefaultText{"str_CmpOnlyA", "only in A"},
    DefaultText{"str_CmpPixels", "pixels"},
    DefaultText{"str_CmpEntry", "entry"},
    DefaultText{"str_CmpBoth", "both"},
    DefaultText{"str_CmpMoved", "moved"},
    DefaultText{"str_CmpNotInB", "Not in B's table"},
    DefaultText{"str_CmpUndec", "cannot be decoded"},
    DefaultText{"str_CmpNoPIT", "No picture table found in this file"},
    DefaultText{"str_CmpModel", "Only fullflashes of one model and platform can be compared"},
    DefaultText{"str_CmpStaged", "Pictures of B staged"},
    DefaultText{"str_CmpLeft", "Left out (cannot be decoded in B, or not in this table)"},
};

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

FlashIdentity loadedIdentity(const FullflashState& flash) {
    FlashIdentity id;
    id.mModel = flash.mModel;
    id.platform = flash.platform;
    id.NewSGold = flash.NewSGold;
    return id;
}

std::string modelText(const std::string& side, const FlashIdentity& id) {
    return side + ": " + id.mModel + " (" + id.platform + ")";
}

}  // namespace

std::string ComparisonText(const Workspace& ws, const std::string& key) {
    const std::string& text = ws.text(key);
    if (!text.empty()) return text;
    for (const DefaultText& fallback : kDefaultTexts) {
        if (fallback.key == key) return std::string(fallback.text);
    }
    return {};
}

void mnu_Fullflash_Compare_Click(Workspace& ws, Ui& ui) {
    if (!ws.isLoaded()) return;
    FileDialogRequest request;
    request.title = FileDialogTitle(ws, DialogPurpose::Open);
    request.filters = {{"FullFlash files (*.bin)", "*.bin"}};
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
    ScannedFlash b = ScanFlash(file->bytes());
    if (b.entries.empty()) {
        ui.message(ComparisonText(ws, "str_CmpNoPIT") + "\r" + path, "", MessageButtons::Ok);
        return false;
    }
    const FlashIdentity a = loadedIdentity(ws.flash);
    if (Incompatibility(a, b.identity)) {
        ui.message(ComparisonText(ws, "str_CmpModel") + "\r" + modelText("A", a) + "\r" +
                       modelText("B", b.identity),
                   "", MessageButtons::Ok);
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
    std::string text = ComparisonText(ws, "str_CmpStaged") + ": " + std::to_string(staged.staged);
    const int leftOut = staged.undecodable + staged.outsideA;
    if (leftOut > 0) {
        text.append("\r")
            .append(ComparisonText(ws, "str_CmpLeft"))
            .append(": ")
            .append(std::to_string(leftOut));
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
        c.pictureInfo = ComparisonText(ws, "str_CmpNotInB");
        return;
    }
    const PictureListEntry texts = MakeListEntry(c.flash.entries[row]);
    const auto type = GPFcodec::TypeInfoFromText(texts.type);
    if (!DecodeFlashPicture(c.picture, c.file->bytes(), texts.entry)) {
        c.pictureInfo = "B: " + texts.index + " :: " + texts.width + " x " + texts.height +
                        " :: " + ComparisonText(ws, "str_CmpUndec");
        return;
    }
    c.preview = PaintForPreview(ws, c.picture);
    c.pictureInfo =
        "B: " + InformationLine(texts.index, texts.width, texts.height, type, c.picture.dataSize);
}

std::string DifferenceKindText(const Workspace& ws, const PictureDifference& difference) {
    if (difference.onlyInA()) return ComparisonText(ws, "str_CmpOnlyA");
    if (difference.onlyInB()) return ComparisonText(ws, "str_CmpOnlyB");
    if (difference.onlyMoved()) return ComparisonText(ws, "str_CmpMoved");
    if (difference.entry && difference.pixels) return ComparisonText(ws, "str_CmpBoth");
    return ComparisonText(ws, difference.pixels ? "str_CmpPixels" : "str_CmpEntry");
}

std::string ComparisonBarText(const Workspace& ws) {
    if (!ws.comparison) return {};
    const ComparisonState& c = *ws.comparison;
    std::size_t onlyB = 0;
    for (const PictureDifference& difference : c.differences) onlyB += difference.onlyInB() ? 1 : 0;
    std::string text = ComparisonText(ws, "str_CmpWith") + " " +
                       std::filesystem::path(c.file->path()).filename().string() + "  |  " +
                       ComparisonText(ws, "str_CmpDiffer") + ": " +
                       std::to_string(c.differences.size());
    if (onlyB > 0)
        text += "  |  " + ComparisonText(ws, "str_CmpOnlyB") + ": " + std::to_string(onlyB);
    return text;
}
