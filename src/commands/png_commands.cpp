#include "commands/png_commands.h"

#include "codec/bmp_writer.h"
#include "codec/gpf_file.h"
#include "commands/dialog_patterns.h"
#include "commands/picture_file_commands.h"
#include "commands/preview_commands.h"
#include "picture_io/converter_contract.h"
#include "picture_io/png_chunks.h"
#include "support/fs_actions.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

namespace {

std::optional<std::string> askPngPath(const Workspace& ws, Ui& ui, const std::string& initialName) {
    const auto chosen = AskSavePath(ws, ui, Filter(ws, FileKind::Png), initialName);
    if (!chosen) return std::nullopt;
    return WithExtension(*chosen, ".png");
}

std::span<const std::uint8_t> asBytes(const std::string& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

}  // namespace

bool WritePictureAsPng(Workspace& ws, Ui& ui, const std::string& path, bool withAlpha) {
    const TemporaryFile bitmap(ConverterTempPath(ws, PNGcodec::kTempBmp));
    const TemporaryFile png(ConverterTempPath(ws, PNGcodec::kTempPng));
    for (const TemporaryFile* stale : {&bitmap, &png}) {
        if (!stale->clear()) {
            ShowWriteFailed(ws, ui, stale->path());
            return false;
        }
    }
    if (!GPFcodec::WriteBmpFile(bitmap.path(), ws.picture, withAlpha)) {
        ShowWriteFailed(ws, ui, bitmap.path());
        return false;
    }
    PNGcodec::RunConverter(ws.nConvert,
                           withAlpha ? PNGcodec::kPngWithAlpha : PNGcodec::kPngWithoutAlpha,
                           png.path(), bitmap.path());
    const auto converted = FSactions_Tavik::ReadFileBytes(png.path());
    if (!converted || !PNGcodec::HasPngSignature(asBytes(*converted))) {
        ShowConverterFailed(ws, ui, path);
        return false;
    }
    if (!FSactions_Tavik::ReplaceFile(path, *converted)) {
        ShowWriteFailed(ws, ui, path);
        return false;
    }
    return true;
}

void mnu_PopupPic_SaveAsPNG_Click(Workspace& ws, Ui& ui) {
    if (!ConverterAvailable(ws, ui)) return;
    const auto path = askPngPath(ws, ui, "");
    if (!path || !ConfirmOverwrite(ws, ui, *path)) return;
    const bool withAlpha = ui.message(ws.text("str_SalCh") + "?", "", MessageButtons::OkCancel);
    if (WritePictureAsPng(ws, ui, *path, withAlpha)) ShowSuccess(ws, ui);
}

void mnu_PopupPictures_SaveAsPNG_Click(Workspace& ws, Ui& ui) {
    if (ws.selected() == nullptr) return;
    // As the list's "Save as BMP": the selected row is decoded again, since
    // the preview may show a file opened since.
    if (!SelectAndShow(ws, ui, *ws.selectedRow)) return;
    if (!ConverterAvailable(ws, ui)) return;
    const auto name =
        GPFcodec::PictureFileNameFor(ws.selected()->entry.number, ws.HEXFilename, ws.ZeroFilename);
    ws.am = static_cast<std::uint8_t>(name.digits);
    const auto path = askPngPath(ws, ui, name.base);
    if (!path || !ConfirmOverwrite(ws, ui, *path)) return;
    if (WritePictureAsPng(ws, ui, *path, PngWithAlpha(ws))) ShowSuccess(ws, ui);
}

bool PngWithAlpha(const Workspace& ws) {
    return ws.picture.hasAlpha || ws.pngAlpha;
}

BatchEnd SavePicturesAsPng(Workspace& ws, Ui& ui, const std::string& folder,
                           const RowFilter& filter) {
    if (!ConverterAvailable(ws, ui)) return BatchEnd{false, 0};
    return SavePicturesInFolder(ws, ui, folder, ".png", filter, [&](const std::string& path) {
        return WritePictureAsPng(ws, ui, path, PngWithAlpha(ws));
    });
}
