// Arbitrary text as a patch for a small synthetic fullflash: verification
// must hold up, apply only what it reports as applied, and report what it did.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "devtools/mkflash.h"
#include "fuzz_require.h"
#include "patch/patch_report.h"
#include "patch/patch_verifier.h"

namespace {

const std::vector<std::uint8_t>& image() {
    static const std::vector<std::uint8_t> bytes = [] {
        MkflashOptions options;
        options.pictures = 12;
        options.sizeMiB = 1;
        MkflashResult image = MakeFullflash(options);
        // Picture 1 is a whole screen; listed as 16 x 16 it leaves the time
        // of each run to the patch instead of to decoding it.
        const std::uint32_t entry = image.layout.pictures.at(1).entryOffset;
        image.bytes[entry] = 16;
        image.bytes[entry + 1] = 16;
        return image.bytes;
    }();
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t>& flash = image();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const PatchResult result = VerifyPatch(flash, text);
    const PatchCheck& check = result.check;
    require(result.patched.size() == flash.size());

    // Bytes that differ lie under some line that lies inside the file. The
    // gaps between the lines are compared whole: the image is a megabyte.
    const Vkp::Document doc = Vkp::ParseVkp(text);
    std::vector<std::pair<std::size_t, std::size_t>> lines;
    std::uint64_t newBytes = 0;
    for (const Vkp::Record& r : doc.records) {
        if (r.address < 0 ||
            static_cast<std::uint64_t>(r.address) + r.newBytes.size() > flash.size())
            continue;
        const auto begin = static_cast<std::size_t>(r.address);
        lines.emplace_back(begin, begin + r.newBytes.size());
        newBytes += r.newBytes.size();
    }
    std::sort(lines.begin(), lines.end());
    std::uint64_t differing = 0;
    std::size_t covered = 0;  // everything before it has been compared
    for (const auto& [begin, end] : lines) {
        if (begin > covered) {
            require(std::memcmp(flash.data() + covered, result.patched.data() + covered,
                                begin - covered) == 0);
            covered = begin;
        }
        for (; covered < end; ++covered) differing += flash[covered] != result.patched[covered];
    }
    require(std::memcmp(flash.data() + covered, result.patched.data() + covered,
                        flash.size() - covered) == 0);
    require(differing == check.bytesChanged && check.bytesChanged <= newBytes);
    require(check.dataLines == static_cast<int>(doc.records.size()));
    // Old bytes longer than the new ones may reach past the end of the file.
    for (const OldBytesMismatch& m : check.mismatches) require(m.address <= flash.size());
    require(check.matching + check.mismatches.size() + check.unchecked.size() == lines.size());
    for (const LineOverlap& o : check.overlaps) require(o.firstLine <= o.secondLine);
    require(!PatchReport(check, "\n", 5).empty());
    return 0;
}
