// Arbitrary text read as a VKP patch. Whatever the reader makes of it must hold
// together, and every data line it reads that this program could write must
// come back the same when written out again and read anew.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "patch/vkp_format.h"
#include "patch/vkp_reader.h"

namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Vkp::Document doc = Vkp::ParseVkp(text);
    int previousLine = 0;
    for (const Vkp::Record& r : doc.records) {
        require(r.line > previousLine && r.line <= doc.lines);
        previousLine = r.line;
        // Offsets move addresses by less than 2^33 either way.
        require(r.address > -(std::int64_t{1} << 34) && r.address < (std::int64_t{1} << 34));
        if (!r.oldBytes) continue;
        require(r.oldBytes->size() >= r.newBytes.size());
        const bool writable =
            r.address >= 0 && !r.newBytes.empty() &&
            r.address + static_cast<std::int64_t>(r.newBytes.size()) - 1 <= 0xFFFFFFFF;
        if (!writable || r.oldBytes->size() != r.newBytes.size()) continue;

        const std::string line =
            VkpFormat::DataLine({static_cast<std::uint32_t>(r.address), *r.oldBytes, r.newBytes});
        const Vkp::Document again = Vkp::ParseVkp(line);
        require(again.errors.empty() && again.warnings.empty() && again.records.size() == 1);
        require(again.records[0].address == r.address && again.records[0].oldBytes == r.oldBytes &&
                again.records[0].newBytes == r.newBytes);
    }
    require(doc.errors.size() <= Vkp::kKeptFindings && doc.warnings.size() <= Vkp::kKeptFindings);
    for (const Vkp::Finding& f : doc.errors)
        require(f.line >= 1 && f.line <= doc.lines && !f.message.empty());
    for (const Vkp::Finding& f : doc.warnings) require(f.line >= 1 && f.line <= doc.lines);
    return 0;
}
