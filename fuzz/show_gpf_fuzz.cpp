// Arbitrary bytes as a GPF or GPF2 file, through the same path as opening one
// from File > Open: header, decode, paint, information line. A refused header
// must leave its cursor where it was, and dataSize bytes from the stream start
// are what a raw copy takes: never more than the file holds.

#include <cstddef>
#include <cstdint>
#include <span>

#include "codec/gpf_file.h"
#include "commands/preview_commands.h"
#include "ui/silent_ui.h"
#include "workspace/workspace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace GPFcodec;
    static Workspace ws;
    static SilentUi ui;
    const bool decoded = ShowGpfBytes(ws, ui, {data, size});

    ByteCursor file(std::span<const std::uint8_t>(data, size));
    const std::optional<GpfHeader> header = ParseGpfHeader(file);
    if (!header) {
        if (file.position() != 0 || decoded) __builtin_trap();
        return 0;
    }
    if (WriteGpfHeader(*header).size() != kGpfHeaderSize) __builtin_trap();
    const std::size_t available = size > kGpfHeaderSize ? size - kGpfHeaderSize : 0;
    if (decoded && ws.picture.dataSize > static_cast<double>(available)) __builtin_trap();
    return 0;
}
