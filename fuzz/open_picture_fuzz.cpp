// Arbitrary bytes as an outside picture file opened from File > Open: the
// signature dispatch, the header probes, the size tests and the decode through
// QImage or the 32-bit bitmap reader. No converter is set, so a PNG ends at
// the converter test.

#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "commands/picture_file_commands.h"
#include "ui/silent_ui.h"
#include "workspace/workspace.h"

namespace {

void ignoreQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Decoders complain about every broken file; the complaints cost more
    // time than the decoding.
    qInstallMessageHandler(ignoreQtMessages);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("fuzz-open-picture-" + std::to_string(::getpid())))
                                        .string();
    static Workspace ws;
    static SilentUi ui;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    OpenPictureFile(ws, ui, path);
    return 0;
}
