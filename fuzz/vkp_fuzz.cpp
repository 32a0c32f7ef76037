// Arbitrary text as a VKP patch, read and extracted.
// Whatever the reader makes of it must hold together, and every data line it
// reads that this program could write must come back the same when written
// out again and read anew. Every block the extractor finds becomes a file
// whose name stays inside the folder and, for pictures, a GPF of whole 16-byte
// blocks.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_require.h"
#include "patch/vkp_format.h"
#include "patch/vkp_reader.h"
#include "tools/vkp_extractor.h"

namespace {

void readPatch(std::string_view text) {
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
            Vkp::DataLine({static_cast<std::uint32_t>(r.address), *r.oldBytes, r.newBytes});
        const Vkp::Document again = Vkp::ParseVkp(line);
        require(again.errors.empty() && again.warnings.empty() && again.records.size() == 1);
        require(again.records[0].address == r.address && again.records[0].oldBytes == r.oldBytes &&
                again.records[0].newBytes == r.newBytes);
    }
    require(doc.errors.size() <= Vkp::kKeptFindings && doc.warnings.size() <= Vkp::kKeptFindings);
    for (const Vkp::Finding& f : doc.errors)
        require(f.line >= 1 && f.line <= doc.lines && !f.message.empty());
    for (const Vkp::Finding& f : doc.warnings) require(f.line >= 1 && f.line <= doc.lines);
}

void extractFiles(std::string_view text) {
    for (const NamingRule rule : {NamingRule{false, true}, NamingRule{true, false}}) {
        VkpExtractor extractor(text, rule);
        std::size_t files = 0;
        while (const auto file = extractor.next()) {
            require(++files <= text.size());  // each file takes at least one line
            require(file->name.find_first_of(std::string_view("/\0", 2)) == std::string::npos);
            require(!file->numbered || (file->bytes.size() >= 32 && file->bytes.size() % 16 == 0));
            // Hex text gives at most one byte per two characters of the patch.
            const std::size_t header = file->numbered ? 32 + 15 : 0;
            require(file->bytes.size() <= header + text.size() / 2 + 1);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    readPatch(text);
    extractFiles(text);
    return 0;
}
