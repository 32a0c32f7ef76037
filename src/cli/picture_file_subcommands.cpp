// pictavo-cli probe and open-picture: outside picture files as File > Open
// reads them.

#include <CLI/CLI.hpp>

#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>

#include "cli/subcommands.h"
#include "codec/bmp_writer.h"
#include "commands/dialog_patterns.h"
#include "commands/picture_file_commands.h"
#include "picture_io/picture_file_info.h"
#include "picture_io/png_chunks.h"
#include "support/mapped_file.h"

namespace {

using PictureIO::PictureKind;

std::string hexBytes(const std::array<PNGcodec::PaletteEntry, 256>& table, int entries,
                     bool alphaOnly) {
    std::ostringstream out;
    out << std::hex << std::uppercase << std::setfill('0');
    for (int i = 0; i < entries; ++i) {
        const auto& e = table[static_cast<std::size_t>(i)];
        if (i > 0) out << ' ';
        if (alphaOnly) {
            out << std::setw(2) << int{e.alpha};
        } else {
            out << std::setw(2) << int{e.red} << std::setw(2) << int{e.green} << std::setw(2)
                << int{e.blue};
        }
    }
    return out.str();
}

void printPng(const PNGcodec::PngInfo& info) {
    std::cout << "width: " << info.width << "\nheight: " << info.height
              << "\nbit depth: " << int{info.bitDepth} << "\ncolour type: " << int{info.colourType}
              << "\nbackground: " << info.background << "\npalette entries: " << info.paletteEntries
              << "\npalette: " << hexBytes(info.palette, info.paletteEntries, false)
              << "\ntransparency entries: " << info.transparencyEntries
              << "\ntransparency: " << hexBytes(info.transparency, info.transparencyEntries, true)
              << '\n';
}

void printInfo(const PictureIO::PictureFileInfo& info) {
    std::cout << "width: " << info.width << "\nheight: " << info.height
              << "\ncolour bits: " << int{info.colourBits} << "\ndata offset: " << info.dataOffset
              << "\nbackground red: " << int{info.backgroundRed}
              << "\nbackground green: " << int{info.backgroundGreen}
              << "\nbackground blue: " << int{info.backgroundBlue} << '\n';
}

int runProbe(const std::string& path) {
    if (!CliFileReadable(path)) return 1;
    const auto file = MappedFile::open(path);
    if (!file) return 1;
    const auto bytes = file->bytes();
    const PictureKind kind = PictureIO::PictureKindOf(bytes);
    if (kind == PictureKind::Png) {
        const auto info = PNGcodec::ReadPngInfo(bytes);
        if (!info) {
            std::cerr << "pictavo-cli: This is not PNG!\n";
            return 1;
        }
        std::cout << "kind: png\n";
        printPng(*info);
        return 0;
    }
    std::cout << "kind: " << PictureIO::PictureKindName(kind) << '\n';
    switch (kind) {
        case PictureKind::Bmp:
            printInfo(PictureIO::ReadBmpInfo(bytes));
            break;
        case PictureKind::Gif:
            printInfo(PictureIO::ReadGifInfo(bytes));
            break;
        case PictureKind::Jpeg:
            printInfo(PictureIO::ReadJpegInfo(bytes));
            break;
        default:
            std::cout << "width: 0\nheight: 0\n";
    }
    return 0;
}

struct OpenPictureOptions {
    std::string file;
    std::string bmp;
    bool overwrite = false;
};

int runOpenPicture(const OpenPictureOptions& options) {
    CliContext cli;
    cli.ui.answerQuestions = options.overwrite;
    if (!OpenPictureFile(cli.ws, cli.ui, options.file)) return 1;
    std::cout << cli.ws.pictureInfo << '\n';
    if (!ConfirmOverwrite(cli.ws, cli.ui, options.bmp)) return 1;
    if (!GPFcodec::WriteBmpFile(options.bmp, cli.ws.picture, true)) {
        ShowWriteFailed(cli.ws, cli.ui, options.bmp);
        return 1;
    }
    return 0;
}

}  // namespace

void AddPictureFileSubcommands(CLI::App& app, CliStatus& status) {
    auto probeFile = std::make_shared<std::string>();
    CLI::App* probe = app.add_subcommand(
        "probe", "header facts of a BMP, GIF, JPEG or PNG file as File > Open reads them");
    probe->add_option("FILE", *probeFile, "the picture file")->required();
    probe->callback([&status, probeFile] { status.code = runProbe(*probeFile); });

    auto openOptions = std::make_shared<OpenPictureOptions>();
    CLI::App* open = app.add_subcommand(
        "open-picture", "reads FILE as File > Open does and writes it as a 32-bit BMP");
    open->add_option("FILE", openOptions->file, "a BMP, GIF, JPEG or PNG file")->required();
    open->add_option("--bmp", openOptions->bmp, "OUT.bmp")->required();
    open->add_flag("--overwrite", openOptions->overwrite, "replace an existing OUT.bmp");
    open->callback([&status, openOptions] { status.code = runOpenPicture(*openOptions); });
}
