#include "commands/bmp_commands.h"

#include "codec/bmp_writer.h"
#include "codec/gpf_file.h"
#include "commands/dialog_patterns.h"
#include "commands/preview_commands.h"
#include "support/fs_actions.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

namespace {

std::optional<std::string> askBmpPath(const Workspace& ws, Ui& ui, const std::string& initialName) {
    const auto chosen = AskSavePath(ws, ui, Filter(ws, FileKind::Bitmap), initialName);
    if (!chosen) return std::nullopt;
    return WithExtension(*chosen, ".bmp");
}

bool writeBmp(const Workspace& ws, Ui& ui, const std::string& path, bool bits32) {
    if (GPFcodec::WriteBmpFile(path, ws.picture, bits32)) return true;
    ShowWriteFailed(ws, ui, path);
    return false;
}

}  // namespace

void mnu_PopupPic_SaveAsBMP_Click(Workspace& ws, Ui& ui) {
    const auto path = askBmpPath(ws, ui, "");
    if (!path || !ConfirmOverwrite(ws, ui, *path)) return;
    const bool bits32 = ui.message(ws.text("str_SalCh") + "?", "", MessageButtons::OkCancel);
    if (writeBmp(ws, ui, *path, bits32)) ShowSuccess(ws, ui);
}

void mnu_PopupPictures_SaveAsBMP_Click(Workspace& ws, Ui& ui) {
    if (ws.selected() == nullptr) return;
    // The list menu saves the selected row, so it is decoded again rather
    // than trusting that the preview still shows it (a GPF file may have been
    // opened since); a type that cannot be decoded gives no file.
    if (!SelectAndShow(ws, ui, *ws.selectedRow)) return;
    const PictureListEntry* row = ws.selected();
    const auto name =
        GPFcodec::PictureFileNameFor(row->entry.number, ws.HEXFilename, ws.ZeroFilename);
    ws.am = static_cast<std::uint8_t>(name.digits);
    const auto path = askBmpPath(ws, ui, name.base);
    if (!path || !ConfirmOverwrite(ws, ui, *path)) return;
    if (writeBmp(ws, ui, *path, ws.picture.hasAlpha)) ShowSuccess(ws, ui);
}

BatchEnd SavePicturesAsBmp(Workspace& ws, Ui& ui, const std::string& folder,
                           const RowFilter& filter) {
    return SavePicturesInFolder(ws, ui, folder, ".bmp", filter, [&](const std::string& path) {
        return writeBmp(ws, ui, path, ws.picture.hasAlpha);
    });
}

void mnu_PopupPictures_SaveAsBMPs_Click(Workspace& ws, Ui& ui) {
    const std::string folder = ui.BrowseForFolder(FolderPrompt(ws));
    if (folder.empty()) return;
    const std::string target = FSactions_Tavik::WithTrailingSlash(folder);
    const BatchEnd end = SavePicturesAsBmp(ws, ui, target);
    NoteFilesWritten(ws, end.written, target);
    if (end.completed) ShowSuccess(ws, ui);
}
