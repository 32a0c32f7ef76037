#include "commands/find_commands.h"

#include <cstdio>

#include "commands/dialog_patterns.h"
#include "commands/picture_file_commands.h"
#include "commands/preview_commands.h"
#include "commands/staging_commands.h"
#include "compare/picture_search.h"
#include "compare/shown_picture_index.h"
#include "support/fs_actions.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

namespace {

/// Pictures the message names when none matches exactly.
constexpr std::size_t kNearestNamed = 5;

std::vector<PictureEntry> loadedEntries(const Workspace& ws) {
    std::vector<PictureEntry> entries;
    entries.reserve(ws.rows.size());
    for (const PictureListEntry& row : ws.rows) entries.push_back(row.entry);
    return entries;
}

std::string distanceText(double distance) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", distance);
    return text;
}

void tellNoneMatches(Workspace& ws, Ui& ui, const std::vector<PictureEntry>& entries,
                     const ShownPixels& wanted) {
    constexpr Phrase kNoneShowsIt{"str_FindNone", "No picture of this fullflash shows it"};
    constexpr Phrase kNearest{"str_FindNear", "Nearest"};
    std::string text = ws.say(kNoneShowsIt) + "\r" + ws.say(kNearest) + ":";
    for (const SimilarPicture& similar :
         FindSimilarPictures(ws.flash.file->bytes(), entries, wanted, kNearestNamed)) {
        text += "\r" + ws.rows[static_cast<std::size_t>(similar.number)].index + " (" +
                distanceText(similar.distance) + ")";
    }
    ui.message(text, "", MessageButtons::Ok);
}

}  // namespace

std::optional<ShownPixels> ReadWantedPicture(Workspace& ws, Ui& ui, const std::string& path) {
    if (FSactions_Tavik::FileMissing(path)) {
        ShowFileMissing(ws, ui, path);
        return std::nullopt;
    }
    if (ReadReplacementSource(ws, ui, path) != ReadOutcome::Read) return std::nullopt;
    // GPF files carry any size; the firmware's pictures are at most this.
    if (ws.picture.width > kMaxPictureWidth || ws.picture.height > kMaxPictureHeight) {
        ui.message(ws.text("str_LarPic") + "!", "", MessageButtons::Ok);
        return std::nullopt;
    }
    return ShownPixelsOf(ws.picture);
}

std::vector<std::size_t> FindPictureRows(Workspace& ws, Ui& ui, const std::string& path) {
    std::vector<std::size_t> rows;
    if (ws.rows.empty()) return rows;
    const auto wanted = ReadWantedPicture(ws, ui, path);
    if (!wanted) return rows;
    const std::vector<PictureEntry> entries = loadedEntries(ws);
    for (const int number : ShownPictureIndex(ws.flash.file->bytes(), entries).find(*wanted)) {
        rows.push_back(static_cast<std::size_t>(number));
    }
    if (rows.empty()) {
        tellNoneMatches(ws, ui, entries, *wanted);
    } else {
        ws.selectedRow = rows.front();
    }
    // The preview shows the list's picture again, not the file that was read.
    if (ws.selected() != nullptr) ShowSelectedPicture(ws, ui);
    return rows;
}

std::vector<std::size_t> mnu_Tools_FindPicture_Click(Workspace& ws, Ui& ui) {
    if (ws.rows.empty()) return {};
    FileDialogRequest request;
    request.title = FileDialogTitle(ws, DialogPurpose::Open);
    request.filters = {Filter(ws, FileKind::Graphics)};
    const auto chosen = ui.openFile(request);
    if (!chosen) return {};
    return FindPictureRows(ws, ui, CleanDialogPath(*chosen));
}
