#include "commands/picture_file_commands.h"

#include <cstdlib>

#include "commands/dialog_patterns.h"
#include "commands/preview_commands.h"
#include "picture_io/converter_contract.h"
#include "picture_io/paletted_bmp.h"
#include "picture_io/picture_file_info.h"
#include "picture_io/picture_pixels.h"
#include "picture_io/picture_reader_loader.h"
#include "picture_io/png_chunks.h"
#include "support/fs_actions.h"
#include "support/mapped_file.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

using namespace FSactions_Tavik;
using PictureIO::PictureKind;

namespace {

/// What the header of a file says, in the terms the size test and the
/// caption use.
struct Header {
    int width = 0;
    int height = 0;
    int colourBits = 0;
    std::uint16_t dataOffset = 0;
    bool topDown = false;  ///< a BMP whose rows are stored from the top
    int colourType = 0;    ///< PNG only
};

Header headerOf(PictureKind kind, std::span<const std::uint8_t> bytes) {
    Header header;
    PictureIO::PictureFileInfo info;
    if (kind == PictureKind::Bmp) info = PictureIO::ReadBmpInfo(bytes);
    if (kind == PictureKind::Gif) info = PictureIO::ReadGifInfo(bytes);
    if (kind == PictureKind::Jpeg) info = PictureIO::ReadJpegInfo(bytes);
    header.width = info.width;
    // A negative BMP height is a picture stored top row first, not an
    // empty one.
    header.height = std::abs(info.height);
    header.topDown = info.height < 0;
    header.colourBits = kind == PictureKind::Jpeg ? 24 : info.colourBits;
    header.dataOffset = info.dataOffset;
    return header;
}

std::optional<Header> pngHeaderOf(std::span<const std::uint8_t> bytes) {
    const auto info = PNGcodec::ReadPngInfo(bytes);
    if (!info) return std::nullopt;
    Header header;
    header.width = info->width;
    header.height = info->height;
    header.colourBits = info->bitDepth;
    header.colourType = info->colourType;
    return header;
}

constexpr Phrase kNotAPicture{"str_NotPic", "Not a BMP, GIF, JPEG or PNG file!"};
constexpr Phrase kNotPng{"str_NotPng", "This is not PNG!"};
constexpr Phrase kCannotRead{"str_CantRead", "Cannot read picture!"};
constexpr Phrase kConverterWroteNothing{"str_ConvNone", "The converter wrote no file!"};
constexpr Phrase kPictureLine{"str_InfoPic", "%1 x %2 :: %3bit"};

bool refuse(Ui& ui, const std::string& text) {
    ui.message(text, "", MessageButtons::Ok);
    return false;
}

void commit(Workspace& ws, const Header& header, const PictureIO::PicturePixels& pixels,
            bool hasAlpha) {
    DecodedPicture& picture = ws.picture;
    picture.width = static_cast<std::int16_t>(header.width);
    picture.height = static_cast<std::int16_t>(header.height);
    for (int y = 0; y < header.height; ++y) {
        for (int x = 0; x < header.width; ++x) picture.at(x, y) = pixels.at(x, y);
    }
    picture.hasAlpha = hasAlpha;
    ws.pictureInfo =
        ws.say(kPictureLine, {std::to_string(header.width), std::to_string(header.height),
                              std::to_string(header.colourBits)});
    DrawPicture(ws);
}

bool readPicture(Workspace& ws, Ui& ui, const std::string& path, const std::string& shownPath,
                 bool converted);

/// The PNG's own size test has passed: the converter writes it as a bitmap,
/// which is then read like any other, its size tested again.
bool readThroughConverter(Workspace& ws, Ui& ui, const std::string& path, const Header& png) {
    const TemporaryFile bitmap(ConverterTempPath(ws, PNGcodec::kTempBmp));
    if (!bitmap.clear()) {
        ShowWriteFailed(ws, ui, bitmap.path());
        return false;
    }
    PNGcodec::RunConverter(ws.nConvert, PNGcodec::BmpOptionsForColourType(png.colourType),
                           bitmap.path(), path);
    if (FileMissing(bitmap.path())) {
        ShowConverterFailed(ws, ui, path);
        return false;
    }
    return readPicture(ws, ui, bitmap.path(), path, true);
}

bool readPicture(Workspace& ws, Ui& ui, const std::string& path, const std::string& shownPath,
                 bool converted) {
    const auto file = MappedFile::open(path);
    if (!file) {
        ShowFileMissing(ws, ui, shownPath);
        return false;
    }
    const std::span<const std::uint8_t> bytes = file->bytes();
    const PictureKind kind = PictureIO::PictureKindOf(bytes);
    // The converter is asked for a bitmap; anything else from it is refused
    // rather than sent round again.
    if (kind == PictureKind::None || (converted && kind == PictureKind::Png)) {
        return refuse(ui, ws.say(kNotAPicture) + "\r" + shownPath);
    }
    Header header = headerOf(kind, bytes);
    if (kind == PictureKind::Png) {
        if (!ConverterAvailable(ws, ui)) return false;
        const auto png = pngHeaderOf(bytes);
        if (!png) return refuse(ui, ws.say(kNotPng));
        header = *png;
    }
    if (header.width > kMaxPictureWidth || header.height > kMaxPictureHeight) {
        return refuse(ui, ws.text("str_LarPic") + "!");
    }
    if (header.width < 1 || header.height < 1) {
        return refuse(ui, ws.say(kCannotRead) + "\r" + shownPath);
    }
    if (kind == PictureKind::Png) return readThroughConverter(ws, ui, path, header);

    if (kind == PictureKind::Bmp && header.colourBits == 32) {
        commit(ws, header,
               PictureIO::ReadBmp32Pixels(bytes, header.dataOffset, header.width, header.height,
                                          header.topDown),
               true);
        return true;
    }
    auto pixels = kind == PictureKind::Bmp ? PictureIO::ReadPalettedBmpPixels(
                                                 bytes, header.width, header.height, header.topDown)
                                           : std::nullopt;
    if (!pixels) {
        const Cell background{ws.backgroundRed, ws.backgroundGreen, ws.backgroundBlue, 0};
        pixels = PictureIO::LoadPicturePixels(bytes, header.width, header.height, background);
    }
    if (!pixels) {
        const std::string& readerProblem = PictureIO::PictureReaderProblem();
        return refuse(
            ui, readerProblem.empty() ? ws.say(kCannotRead) + "\r" + shownPath : readerProblem);
    }
    commit(ws, header, *pixels, false);
    return true;
}

}  // namespace

TemporaryFile::~TemporaryFile() {
    if (!FileMissing(m_path)) DeleteFile(m_path);
}

bool TemporaryFile::clear() const {
    if (!FileMissing(m_path)) DeleteFile(m_path);
    return FileMissing(m_path);
}

std::string ConverterTempPath(const Workspace& ws, std::string_view name) {
    return JoinPath(ws.tempFolder, std::string(name));
}

bool ConverterAvailable(const Workspace& ws, Ui& ui) {
    if (!FileMissing(ws.nConvert)) return true;
    ui.message(ws.text("str_fnExi") + "!", "nConvert", MessageButtons::Ok);
    return false;
}

void ShowConverterFailed(const Workspace& ws, Ui& ui, const std::string& path) {
    ui.message(ws.say(kConverterWroteNothing) + "\r" + path, "nConvert", MessageButtons::Ok);
}

bool OpenPictureFile(Workspace& ws, Ui& ui, const std::string& path) {
    const TemporaryFile bitmap(ConverterTempPath(ws, PNGcodec::kTempBmp));
    return readPicture(ws, ui, path, path, false);
}
