#include "commands/gpf_commands.h"

#include "codec/gpf_file.h"
#include "codec/picture_type.h"
#include "commands/dialog_patterns.h"
#include "commands/preview_commands.h"
#include "support/basic_calculations.h"
#include "support/byte_cursor.h"
#include "support/fs_actions.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

using namespace BasicCalculations_Tavik;

namespace {

/// The endings a chosen name may have without ".gpf2" being added: the
/// re-encoding save accepts "gpf2" (so "xgpf2" stays), the raw save ".gpf2".
enum class GpfEndings { ReencodingSave, RawSave };

std::optional<std::string> askGpfPath(const Workspace& ws, Ui& ui, const std::string& initialName,
                                      GpfEndings endings) {
    auto path = AskSavePath(ws, ui, Filter(ws, FileKind::GraphicPatch), initialName, "gpf");
    const char* gpf2 = endings == GpfEndings::RawSave ? ".gpf2" : "gpf2";
    if (path && !path->ends_with(gpf2) && !path->ends_with(".gpf")) *path += ".gpf2";
    return path;
}

void refuseTallGpf(const Workspace& ws, Ui& ui) {
    ui.message(ws.text("str_CntCmp") + "!", "", MessageButtons::Ok);
}

/// A GPF keeps one byte for the height: a taller picture cannot be stored in one.
bool tooTallFor(const std::string& path, int height) {
    return height > 255 && !GPFcodec::IsGpf2Path(path);
}

/// Header from the decoded picture, the row's type byte, then the bytes the
/// last decode consumed, copied unchanged from the fullflash.
std::string rawGpfFile(const Workspace& ws, const PictureListEntry& row, bool gpf2) {
    GPFcodec::GpfHeader header;
    header.width = ws.picture.width;
    header.height = ws.picture.height;
    header.pictureNumber = ws.picture.pictureNumber;
    header.typeCode = row.entry.type;
    header.gpf2 = gpf2;
    ByteCursor flash(ws.flash.file->bytes(), row.entry.dataOffset);
    return GPFcodec::PadToSixteen(GPFcodec::WriteGpfHeader(header) +
                                  flash.bytes(static_cast<std::size_t>(ws.picture.dataSize)));
}

SaveOutcome writeRawGpf(Workspace& ws, Ui& ui, const PictureListEntry& row,
                        const std::string& path) {
    if (tooTallFor(path, ws.picture.height)) {
        refuseTallGpf(ws, ui);
        return SaveOutcome::Refused;
    }
    if (!FSactions_Tavik::ReplaceFile(path, rawGpfFile(ws, row, GPFcodec::IsGpf2Path(path)))) {
        ShowWriteFailed(ws, ui, path);
        return SaveOutcome::Failed;
    }
    return SaveOutcome::Written;
}

}  // namespace

void ShowOneBitRefused(const Workspace& ws, Ui& ui) {
    constexpr Phrase kOneBitGpf{"str_Gpf1bit", "1bit GPF"};
    ui.message(ws.say(kOneBitGpf) + " " + ws.text("str_CntCmp"), "", MessageButtons::Ok);
}

std::string ChooseGpfExtension(const Workspace& ws, Ui& ui) {
    if (ws.defGPF2) return ".gpf2";
    const bool gpf2 = ui.message(ws.control("mnu_PopupPic_SaveAsGPF").caption + "2?", "",
                                 MessageButtons::OkCancel);
    return gpf2 ? ".gpf2" : ".gpf";
}

void mnu_PopupPic_SaveAsGPF_Click(Workspace& ws, Ui& ui, int code) {
    ws.currentCode = static_cast<std::int16_t>(code);
    SaveAsGpfWithDepth(ws, ui);
}

bool AcceptGpfTarget(const Workspace& ws, Ui& ui, const std::string& path) {
    if (tooTallFor(path, ws.picture.height)) {
        refuseTallGpf(ws, ui);
        return false;
    }
    return ConfirmOverwrite(ws, ui, path);
}

SaveOutcome WriteShownPictureAsGpf(Workspace& ws, Ui& ui, const std::string& path, int code) {
    if (code == kSaveGpf1Bit) {
        ShowOneBitRefused(ws, ui);
        return SaveOutcome::Refused;
    }
    if (!GPFcodec::WriteGpfFile(path, ws.picture, code)) {
        ShowWriteFailed(ws, ui, path);
        return SaveOutcome::Failed;
    }
    return SaveOutcome::Written;
}

void SaveAsGpfWithDepth(Workspace& ws, Ui& ui) {
    const std::string extension = ChooseGpfExtension(ws, ui);
    const auto path = askGpfPath(ws, ui, "gpfFile" + extension, GpfEndings::ReencodingSave);
    if (!path || !AcceptGpfTarget(ws, ui, *path)) return;
    if (!ws.cmpGPF && !ui.message(ws.text("str_CmpgpfF") + "?", "", MessageButtons::OkCancel)) {
        ws.currentCode = static_cast<std::int16_t>(ws.currentCode - 128);
    }
    if (WriteShownPictureAsGpf(ws, ui, *path, ws.currentCode) == SaveOutcome::Written) {
        ShowSuccess(ws, ui);
    }
}

void mnu_PopupPictures_SaveAsGPF_Click(Workspace& ws, Ui& ui) {
    if (ws.selected() == nullptr) return;
    // As for BMP: the selected row is decoded again, which also makes
    // dataSize that picture's byte count.
    if (!SelectAndShow(ws, ui, *ws.selectedRow)) return;
    const PictureListEntry& row = *ws.selected();
    const auto name =
        GPFcodec::PictureFileNameFor(row.entry.number, ws.HEXFilename, ws.ZeroFilename);
    ws.am = static_cast<std::uint8_t>(name.digits);
    const std::string extension = ChooseGpfExtension(ws, ui);
    const auto path = askGpfPath(ws, ui, name.base + extension, GpfEndings::RawSave);
    if (!path || !ConfirmOverwrite(ws, ui, *path)) return;
    if (writeRawGpf(ws, ui, row, *path) == SaveOutcome::Written) ShowSuccess(ws, ui);
}

BatchEnd SavePicturesAsGpf(Workspace& ws, Ui& ui, const std::string& folder,
                           const std::string& extension, const RowFilter& filter) {
    return SaveRowByRow(ws, ui, filter, [&](std::size_t position) {
        const PictureListEntry& row = ws.rows[position];
        const std::string path =
            (folder + PadZeros(std::to_string(row.entry.number), 4)).append(extension);
        if (!ConfirmOverwrite(ws, ui, path)) return RowSaved::Skipped;
        const SaveOutcome outcome = writeRawGpf(ws, ui, row, path);
        if (outcome == SaveOutcome::Failed) return RowSaved::Stop;
        return outcome == SaveOutcome::Written ? RowSaved::Written : RowSaved::Skipped;
    });
}

void mnu_PopupPictures_SaveAsGPFs_Click(Workspace& ws, Ui& ui) {
    const std::string folder = ui.BrowseForFolder(FolderPrompt(ws));
    if (folder.empty()) return;
    const std::string extension = ChooseGpfExtension(ws, ui);
    const std::string target = FSactions_Tavik::WithTrailingSlash(folder);
    const BatchEnd end = SavePicturesAsGpf(ws, ui, target, extension);
    NoteFilesWritten(ws, end.written, target);
    if (end.completed) ShowSuccess(ws, ui);
}
