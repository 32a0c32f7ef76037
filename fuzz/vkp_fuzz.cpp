// Arbitrary bytes as a VKP patch: every block becomes a file whose name stays
// inside the folder and, for pictures, a GPF of whole 16-byte blocks.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tools/vkp_extractor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const NamingRule rule : {NamingRule{false, true}, NamingRule{true, false}}) {
        VkpExtractor extractor(text, rule);
        std::size_t files = 0;
        while (const auto file = extractor.next()) {
            if (++files > size) __builtin_trap();  // each file takes at least one line
            if (file->name.find_first_of(std::string_view("/\0", 2)) != std::string::npos)
                __builtin_trap();
            if (file->numbered && (file->bytes.size() < 32 || file->bytes.size() % 16 != 0))
                __builtin_trap();
            // Hex text gives at most one byte per two characters of the patch.
            const std::size_t header = file->numbered ? 32 + 15 : 0;
            if (file->bytes.size() > header + size / 2 + 1) __builtin_trap();
        }
    }
    return 0;
}
