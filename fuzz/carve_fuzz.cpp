// Arbitrary bytes carved for each kind: the fast scanner must find exactly the
// files of the windowed walk (with its last window searched). Any difference
// is a finding.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "tools/embedded_file_scanner.h"
#include "tools/windowed_carve_walk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    for (CarveKind kind : {CarveKind::Gif, CarveKind::Png, CarveKind::Xml}) {
        EmbeddedFileScanner scanner(bytes, SignatureOf(kind));
        std::vector<CarvedFile> found;
        while (const auto file = scanner.next()) {
            if (file->offset + file->size > size) __builtin_trap();
            found.push_back(*file);
        }
        if (found != WindowedCarveWalk(bytes, SignatureOf(kind), LastWindow::Searched))
            __builtin_trap();
    }
    return 0;
}
