#include "commands/staging_commands.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "codec/gpf_file.h"
#include "commands/dialog_patterns.h"
#include "commands/file_commands.h"
#include "commands/gpf_commands.h"
#include "commands/picture_file_commands.h"
#include "commands/preview_commands.h"
#include "support/fs_actions.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

using FSactions_Tavik::FileMissing;

namespace {

constexpr std::array<std::string_view, 6> kProbedExtensions{".gpf2", ".gpf", ".bmp",
                                                            ".png",  ".jpg", ".gif"};

GPFcodec::PictureFileName pictureFileName(Workspace& ws, std::size_t rowPosition) {
    auto name = GPFcodec::PictureFileNameFor(ws.rows[rowPosition].entry.number, ws.HEXFilename,
                                             ws.ZeroFilename);
    ws.am = static_cast<std::uint8_t>(name.digits);
    return name;
}

/// The compression question of the load commands: OK keeps `code`, anything
/// else gives its uncompressed variant.
/// What the status bar says after "Load pictures": how many, from where.
void NoteStaged(Workspace& ws, int count, const std::string& folder) {
    constexpr Phrase kOne{"str_StStaged1", "1 picture staged from %2"};
    constexpr Phrase kMany{"str_StStaged", "%1 pictures staged from %2"};
    ws.statusNote = ws.say(count == 1 ? kOne : kMany, {std::to_string(count), folder});
}

int askedCode(Workspace& ws, Ui& ui, int code) {
    if (ws.cmpGPF) return code;
    return ui.message(ws.text("str_CmpgpfF") + "?", "", MessageButtons::OkCancel) ? code
                                                                                  : code - 128;
}

}  // namespace

void SetSavePatchEnabled(Workspace& ws, bool enabled) {
    ws.control("mnu_PopupPictures_SavePatch").enabled = enabled;
    ws.control("mnu_Fullflash_SavePatch").enabled = enabled;
}

ReadOutcome ReadReplacementSource(Workspace& ws, Ui& ui, const std::string& path) {
    const std::string extension = OpenExtension(path);
    bool read = false;
    if (extension == "gpf2" || extension == ".gpf") {
        read = ShowGpfFile(ws, ui, path);
    } else if (extension == ".gif" || extension == ".bmp" || extension == ".jpg" ||
               extension == ".png") {
        read = OpenPictureFile(ws, ui, path);
    } else {
        // Staging whatever the current picture happens to hold would put an
        // unrelated picture into the patch.
        constexpr Phrase kNotLoadable{"str_NotLoadable",
                                      "Only GPF, GPF2, BMP, GIF, JPG and PNG files can be loaded!"};
        ui.message(ws.say(kNotLoadable) + "\r" + path, "", MessageButtons::Ok);
        return ReadOutcome::Failed;
    }
    // Asked again after the read, which for a PNG has already asked once.
    if (extension == ".png" && !ConverterAvailable(ws, ui)) return ReadOutcome::ConverterMissing;
    return read ? ReadOutcome::Read : ReadOutcome::Failed;
}

StageOutcome StageShownPicture(Workspace& ws, Ui& ui, std::size_t rowPosition, int code) {
    if (code == kSaveGpf1Bit) {
        ShowOneBitRefused(ws, ui);
        return StageOutcome::Stopped;
    }
    PictureListEntry& row = ws.rows[rowPosition];
    const std::string staging = StagingFilePath(ws, static_cast<std::size_t>(row.entry.number));
    // The staging file says which picture it replaces, whatever was read before.
    ws.picture.pictureNumber = static_cast<std::int16_t>(row.entry.number);
    if (!GPFcodec::WriteGpfFile(staging, ws.picture, code)) {
        ShowWriteFailed(ws, ui, staging);
        return StageOutcome::Stopped;
    }
    ShowGpfFile(ws, ui, staging);
    row.changed = true;
    SetSavePatchEnabled(ws, true);
    return StageOutcome::Staged;
}

void mnu_PopupPictures_Load_Click(Workspace& ws, Ui& ui, int code) {
    ws.currentCode = static_cast<std::int16_t>(code);
    LoadReplacementPicture(ws, ui);
}

void mnu_PopupPictures_Loads_Click(Workspace& ws, Ui& ui, int code) {
    ws.currentCode = static_cast<std::int16_t>(code);
    LoadReplacementFolder(ws, ui);
}

void LoadReplacementPicture(Workspace& ws, Ui& ui) {
    if (ws.selected() == nullptr) return;
    const std::size_t position = *ws.selectedRow;
    FileDialogRequest request;
    request.title = FileDialogTitle(ws, DialogPurpose::Open);
    request.filters = {Filter(ws, FileKind::Graphics)};
    request.initialName = pictureFileName(ws, position).base;
    const auto chosen = ui.openFile(request);
    if (!chosen) return;
    if (FileMissing(*chosen)) {
        ShowFileMissing(ws, ui, *chosen);
        return;
    }
    if (ReadReplacementSource(ws, ui, *chosen) != ReadOutcome::Read) return;
    ws.currentCode = static_cast<std::int16_t>(askedCode(ws, ui, ws.currentCode));
    StageShownPicture(ws, ui, position, ws.currentCode);
}

BatchEnd StageFolder(Workspace& ws, Ui& ui, const std::string& folder, const CodeChoice& code) {
    const PreviewKeeper keeper(ws);
    BatchEnd end;
    const std::size_t count = ws.rows.size();
    for (std::size_t position = 0; position < count; ++position) {
        const std::string base = folder + pictureFileName(ws, position).base;
        for (std::string_view extension : kProbedExtensions) {
            const std::string file = base + std::string(extension);
            if (FileMissing(file)) continue;
            const ReadOutcome read = ReadReplacementSource(ws, ui, file);
            if (read == ReadOutcome::ConverterMissing) end.completed = false;
            if (read == ReadOutcome::Read) {
                if (StageShownPicture(ws, ui, position, code(ws, ui, position)) ==
                    StageOutcome::Stopped) {
                    end.completed = false;
                } else {
                    ++end.written;
                }
            }
            break;
        }
        if (!end.completed) return end;
        ui.progress(static_cast<int>(static_cast<double>(position + 1) /
                                     static_cast<double>(count) * 100.0));
    }
    return end;
}

void LoadReplacementFolder(Workspace& ws, Ui& ui) {
    const std::string folder =
        ui.BrowseForFolder(DialogTitle(ws, ws.text("str_cFold"), DialogPurpose::Open));
    if (folder.empty()) return;
    const int menuCode = ws.currentCode;
    const auto askEach = [menuCode](Workspace& w, Ui& u, std::size_t) {
        return askedCode(w, u, menuCode);
    };
    const std::string source = FSactions_Tavik::WithTrailingSlash(folder);
    const BatchEnd end = StageFolder(ws, ui, source, askEach);
    NoteStaged(ws, end.written, source);
    if (!end.completed) return;
    ui.refresh();
    SetSavePatchEnabled(ws, true);
    ShowSuccess(ws, ui);
}

int RowOwnCode(const PictureEntry& entry) {
    const int depth = entry.type & 0x0F;
    const bool compressed = (entry.type & 0xF0) == 0x80;
    const int format = depth == 0x01 ? 0x01 : depth == 0x05 ? 0x05 : depth == 0x0A ? 0x0A : 0x08;
    return format == 0x01 || !compressed ? format : format + 0x80;
}

bool StageDroppedPicture(Workspace& ws, Ui& ui, std::size_t rowPosition, const std::string& path) {
    if (rowPosition >= ws.rows.size()) return false;
    if (FileMissing(path)) {
        ShowFileMissing(ws, ui, path);
        return false;
    }
    ws.selectedRow = rowPosition;
    if (ReadReplacementSource(ws, ui, path) != ReadOutcome::Read) return false;
    return StageShownPicture(ws, ui, rowPosition, RowOwnCode(ws.rows[rowPosition].entry)) ==
           StageOutcome::Staged;
}

void StageDroppedFolder(Workspace& ws, Ui& ui, const std::string& folder) {
    const auto ownCode = [](Workspace& w, Ui&, std::size_t position) {
        return RowOwnCode(w.rows[position].entry);
    };
    const std::string source = FSactions_Tavik::WithTrailingSlash(folder);
    const BatchEnd end = StageFolder(ws, ui, source, ownCode);
    NoteStaged(ws, end.written, source);
    if (!end.completed) return;
    ui.refresh();
    ShowSuccess(ws, ui);
}

void mnu_PopupPictures_Discard_Click(Workspace& ws, Ui& ui) {
    const PictureListEntry* row = ws.selected();
    if (row == nullptr || !row->changed) return;
    const std::string staging = StagingFilePath(ws, static_cast<std::size_t>(row->entry.number));
    if (!FileMissing(staging) && !FSactions_Tavik::DeleteFile(staging)) {
        ShowWriteFailed(ws, ui, staging);
        return;
    }
    ws.rows[*ws.selectedRow].changed = false;
    const bool anyStaged = std::any_of(ws.rows.begin(), ws.rows.end(),
                                       [](const PictureListEntry& r) { return r.changed; });
    SetSavePatchEnabled(ws, anyStaged || ws.flash.pngChangesPending);
    ShowSelectedPicture(ws, ui);
}
