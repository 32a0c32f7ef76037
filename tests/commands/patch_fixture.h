#pragma once
// A loaded fullflash built from exact bytes, with staging files written
// directly (so a test controls every stream length) and the patch written and
// checked through the commands.

#include <string>

#include "codec/gpf_file.h"
#include "commands/patch_commands.h"
#include "commands/preview_commands.h"
#include "common/loaded_workspace.h"
#include "patch/patch_verifier.h"

/// An image with `count` one-byte 8-bit pictures, 16 bytes apart from
/// FlashBuilder::kData on, and erased flash at 0x40000..0x40400 unless `erased`
/// is false.
inline std::string SmallPictures(int count, bool erased = true) {
    FlashBuilder builder;
    for (int i = 0; i < count; ++i)
        builder.addPicture(1, 1, 0x05, std::string(1, static_cast<char>(0x10 + i)));
    std::string bytes = builder.bytes();
    if (erased) bytes.replace(0x40000, 0x400, std::string(0x400, '\xFF'));
    return bytes;
}

/// Points picture `index`'s table entry at file offset `offset`.
inline void PointEntry(std::string& flash, int index, std::uint32_t offset) {
    const std::uint32_t address = 0xA0000000u + offset;
    for (int i = 0; i < 4; ++i) {
        flash[FlashBuilder::kPit + 8 * static_cast<std::size_t>(index) + 4 +
              static_cast<std::size_t>(i)] = static_cast<char>(address >> (8 * i));
    }
}

struct PatchFixture : LoadedWorkspace {
    std::string flash;

    explicit PatchFixture(const std::string& bytes) : LoadedWorkspace(bytes), flash(bytes) {}

    /// A staging file for `row` holding `stream` as a picture of `type`, and
    /// the row's mark.
    void stage(std::size_t row, const std::string& stream, int width = 1, int height = 1,
               std::uint8_t type = 0x05) {
        const GPFcodec::GpfHeader header{static_cast<std::int16_t>(width),
                                         static_cast<std::int16_t>(height), type,
                                         static_cast<std::int16_t>(row), true};
        dir.write(stagingName(row),
                  GPFcodec::PadToSixteen(GPFcodec::WriteGpfHeader(header) + stream));
        ws.rows[row].changed = true;
    }
    [[nodiscard]] static std::string stagingName(std::size_t row) {
        return std::string(4 - std::to_string(row).size(), '0') + std::to_string(row) + ".gpf2";
    }

    /// "Save Patch" into `name`; returns the file written ("" when none).
    std::string savePatch(const std::string& name = "out.vkp") {
        ui.choosePath(dir.file(name));
        mnu_Fullflash_SavePatch_Click(ws, ui);
        return ReadWholeFile(dir.file(name));
    }

    [[nodiscard]] PatchCheck verify(const std::string& patch) const {
        return VerifyPatch({reinterpret_cast<const std::uint8_t*>(flash.data()), flash.size()},
                           patch)
            .check;
    }
};
