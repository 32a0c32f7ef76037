// Arbitrary bytes carved for each kind and split as a GPN file. The fast
// carver must find exactly the files of the windowed walk (with its last
// window searched); the GPN pictures found lay end to end over the file from
// the first picture on, and their names stay inside the folder. Any
// difference is a finding.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "tools/embedded_file_carver.h"
#include "tools/gpn_splitter.h"
#include "tools/windowed_carve_walk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    for (CarveKind kind : {CarveKind::Gif, CarveKind::Png, CarveKind::Xml}) {
        EmbeddedFileCarver carver(bytes, SignatureOf(kind));
        std::vector<CarvedFile> found;
        while (const auto file = carver.next()) {
            if (file->offset + file->size > size) __builtin_trap();
            found.push_back(*file);
        }
        if (found != WindowedCarveWalk(bytes, SignatureOf(kind), LastWindow::Searched))
            __builtin_trap();
    }

    GpnSplitter splitter(bytes, NamingRule{true, true});
    std::string joined;
    while (const auto file = splitter.next()) {
        if (file->name.find('/') != std::string::npos || file->bytes.size() < 16) __builtin_trap();
        joined += file->bytes;
    }
    if (joined.size() > size) __builtin_trap();
    const std::size_t start = size - joined.size();
    if (start % 16 != 0 && !joined.empty()) __builtin_trap();
    if (std::memcmp(joined.data(), data + start, joined.size()) != 0) __builtin_trap();
    return 0;
}
