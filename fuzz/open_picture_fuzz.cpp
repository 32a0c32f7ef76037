// Arbitrary bytes as an outside picture file opened from File > Open: the
// signature dispatch, the header probes, the size tests and the decode through
// QImage or the 32-bit bitmap reader. No converter is set, so a PNG ends at
// the converter test. Every header probe and the 32-bit bitmap reader also
// meet the bytes whatever their signature says.

#include <sys/mman.h>
#include <unistd.h>

#include <QtGlobal>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "commands/picture_file_commands.h"
#include "picture_io/picture_file_info.h"
#include "picture_io/picture_pixels.h"
#include "picture_io/png_chunks.h"
#include "ui/silent_ui.h"
#include "workspace/workspace.h"

namespace {

void ignoreQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

/// A temporary folder of this run's own, so the converter's files of other
/// programs are never touched.
std::string tempFolder;

void removeTempFolder() {
    ::rmdir(tempFolder.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Decoders complain about every broken file; the complaints cost more
    // time than the decoding.
    qInstallMessageHandler(ignoreQtMessages);
    std::string pattern = "/tmp/fuzz-open-picture-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    tempFolder = pattern;
    std::atexit(removeTempFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A file in memory: nothing is left behind in the temporary folder.
    static const int fd = ::memfd_create("open-picture", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    static Workspace ws;
    static SilentUi ui;
    ws.tempFolder = tempFolder;
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
        return 0;
    }
    OpenPictureFile(ws, ui, path);

    const std::span<const std::uint8_t> bytes(data, size);
    const PictureIO::PictureFileInfo bmp = PictureIO::ReadBmpInfo(bytes);
    static_cast<void>(PictureIO::ReadGifInfo(bytes));
    static_cast<void>(PictureIO::ReadJpegInfo(bytes));
    static_cast<void>(PNGcodec::ReadPngInfo(bytes));
    // Within the picture limit, as the program reads them.
    static_cast<void>(
        PictureIO::ReadBmp32Pixels(bytes, bmp.dataOffset, std::min<int>(bmp.width, 240),
                                   std::min(std::abs(bmp.height), 320), bmp.height < 0));
    return 0;
}
