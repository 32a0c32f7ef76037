// Arbitrary bytes as a GPF or GPF2 file, through the same path as opening one
// from File > Open: header, decode, paint, information line.

#include <cstddef>
#include <cstdint>
#include <string>

#include "commands/preview_commands.h"
#include "ui/silent_ui.h"
#include "workspace/workspace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Workspace ws;
    static SilentUi ui;
    ShowGpfBytes(ws, ui, {data, size});
    return 0;
}
