#include "commands/preview_commands.h"

#include "codec/picture_decoder.h"
#include "codec/picture_type.h"
#include "commands/dialog_patterns.h"
#include "support/basic_calculations.h"
#include "support/byte_cursor.h"
#include "support/fs_actions.h"
#include "support/mapped_file.h"
#include "ui/silent_ui.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

using namespace BasicCalculations_Tavik;

std::string InformationLine(const std::string& number, const std::string& width,
                            const std::string& height, const GPFcodec::PictureTypeInfo& type,
                            double dataSize, const PhraseBook& words) {
    constexpr Phrase kLine{"str_InfoLine", "%1 :: %2 x %3 :: %4bit :: %5 :: %6 bytes"};
    constexpr Phrase kCompressed{"str_InfoComp", "compressed"};
    constexpr Phrase kUncompressed{"str_InfoUncomp", "uncompressed"};
    return words(kLine, {number, width, height, std::to_string(type.bitDepth),
                         words(type.compressed ? kCompressed : kUncompressed),
                         std::to_string(static_cast<long long>(dataSize))});
}

std::string StagingFilePath(const Workspace& ws, std::size_t rowPosition) {
    return FSactions_Tavik::JoinPath(ws.tempFolder,
                                     PadZeros(std::to_string(rowPosition), 4) + ".gpf2");
}

std::optional<GPFcodec::GpfHeader> ReadGpfHeader(Workspace& ws, Ui& ui, ByteCursor& in) {
    ws.unknownFile = false;
    auto header = GPFcodec::ParseGpfHeader(in);
    if (!header) {
        ws.unknownFile = true;
        ui.message(ws.text("str_UNKfile"), "", MessageButtons::Ok);
    }
    return header;
}

GPFcodec::PaintedImage PaintForPreview(const Workspace& ws, const DecodedPicture& picture) {
    // On a checkerboard the front end draws the squares in screen pixels
    // beneath the picture; it needs the transparency kept.
    if (ws.checkerboard) return GPFcodec::PaintPictureKeepingTransparency(picture, ws.transparency);
    return GPFcodec::PaintPicture(picture, ws.transparency, ws.backgroundRed, ws.backgroundGreen,
                                  ws.backgroundBlue);
}

void DrawPicture(Workspace& ws) {
    ws.preview = PaintForPreview(ws, ws.picture);
    ++ws.previewRevision;
}

bool ShowSelectedPicture(Workspace& ws, Ui& ui) {
    const PictureListEntry* row = ws.selected();
    if (row == nullptr || !ws.isLoaded()) return false;
    if (row->changed) return ShowGpfFile(ws, ui, StagingFilePath(ws, *ws.selectedRow));

    const PictureEntry& entry = row->entry;
    const auto type = GPFcodec::TypeInfoFromText(row->type);
    ByteCursor source(ws.flash.file->bytes(), entry.dataOffset);
    const bool decoded = GPFcodec::DecodePicture(
        ws.picture, ui, source, static_cast<std::int16_t>(entry.number), entry.width, entry.height,
        type.compressed, type.bitDepth, ws.phrases());
    // A refused type still redraws and shows the row's texts, so the user sees
    // which picture was refused.
    DrawPicture(ws);
    ws.pictureInfo = InformationLine(row->index, row->width, row->height, type, ws.picture.dataSize,
                                     ws.phrases());
    return decoded;
}

bool DecodeFullflashPicture(DecodedPicture& picture, std::span<const std::uint8_t> flash,
                            const PictureEntry& entry) {
    const auto type = GPFcodec::TypeInfoFromCode(entry.type);
    ByteCursor source(flash, entry.dataOffset);
    SilentUi quiet;
    return GPFcodec::DecodePicture(picture, quiet, source, static_cast<std::int16_t>(entry.number),
                                   entry.width, entry.height, type.compressed, type.bitDepth);
}

bool DecodeGpfFile(DecodedPicture& picture, const std::string& path) {
    const auto file = MappedFile::open(path);
    if (!file) return false;
    ByteCursor in(file->bytes());
    const auto header = GPFcodec::ParseGpfHeader(in);
    if (!header) return false;
    const auto type = GPFcodec::TypeInfoFromCode(header->typeCode);
    SilentUi quiet;
    return GPFcodec::DecodePicture(picture, quiet, in, header->pictureNumber, header->width,
                                   header->height, type.compressed, type.bitDepth);
}

bool ShowGpfFile(Workspace& ws, Ui& ui, const std::string& path) {
    // Mapped, not read: a huge file named .gpf costs only the pages the
    // decoder touches.
    const auto file = MappedFile::open(path);
    if (!file) {
        ShowFileMissing(ws, ui, path);
        return false;
    }
    return ShowGpfBytes(ws, ui, file->bytes());
}

bool ShowGpfBytes(Workspace& ws, Ui& ui, std::span<const std::uint8_t> bytes) {
    ByteCursor in(bytes);
    const auto header = ReadGpfHeader(ws, ui, in);
    if (!header) {
        ui.message("error was occupated", "", MessageButtons::Ok);
        return false;
    }
    const auto type = GPFcodec::TypeInfoFromCode(header->typeCode);
    const bool decoded =
        GPFcodec::DecodePicture(ws.picture, ui, in, header->pictureNumber, header->width,
                                header->height, type.compressed, type.bitDepth, ws.phrases());
    DrawPicture(ws);
    ws.pictureInfo =
        InformationLine(std::to_string(header->pictureNumber), std::to_string(header->width),
                        std::to_string(header->height), type, ws.picture.dataSize, ws.phrases());
    return decoded;
}

PreviewKeeper::PreviewKeeper(Workspace& ws)
    : m_ws(ws),
      m_row(ws.selectedRow),
      m_rowsRevision(ws.rowsRevision),
      m_picture(ws.picture),
      m_pictureInfo(ws.pictureInfo) {}

PreviewKeeper::~PreviewKeeper() {
    if (m_ws.rowsRevision != m_rowsRevision) return;
    m_ws.selectedRow = m_row;
    if (m_row) {
        // The row was shown when it was selected; a type the decoder refuses
        // has already said so then.
        SilentUi quiet;
        ShowSelectedPicture(m_ws, quiet);
        return;
    }
    m_ws.picture = m_picture;
    m_ws.pictureInfo = m_pictureInfo;
    DrawPicture(m_ws);
}

void ClearPreview(Workspace& ws) {
    ws.pictureInfo.clear();
    ws.preview = {};
    ++ws.previewRevision;
}

bool SelectAndShow(Workspace& ws, Ui& ui, std::size_t rowPosition) {
    ws.selectedRow = rowPosition;
    const bool decoded = ShowSelectedPicture(ws, ui);
    ui.refresh();
    return decoded;
}
