// Identification and picture table scan of a fullflash, on the bytes a load
// reads them from (the in-memory functions; a load through a file would only
// add the mapping).
//
// Real images are at least 0x8FD0C bytes, fuzz inputs a few hundred, so the
// input is laid into an image whose first 0x8FC50 bytes are erased (0xFF, so
// a table found there ends at once instead of listing 2001 zero entries):
//   byte 0       flags: bit 0 points the platform pointer at the image,
//                bit 1 points the New-SGold table pointer at the image
//   bytes 1..2   where P lies, as an offset into the body (modulo its size)
//   bytes 3..4   where the New-SGold table lies, likewise
//   bytes 5..    the body, from the identification area (0x8FC50) on
// Without the flags the pointers are taken as they are, which mostly leads
// past the end of the image: that has to hold up too.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fullflash/identification.h"
#include "fullflash/picture_table.h"
#include "fuzz_require.h"
#include "support/basic_calculations.h"
#include "support/byte_cursor.h"

namespace {

using namespace BasicCalculations_Tavik;

constexpr std::size_t kHeader = 5;
constexpr std::uint32_t kBody = FlashLayout::kFirmware;
constexpr std::size_t kMaxBody = 1 << 16;
constexpr std::uint32_t kFlashBase = 0xA0000000;

void putU32(std::span<std::uint8_t> image, std::int64_t at, std::uint32_t value) {
    if (at < 0 || static_cast<std::size_t>(at) + 4 > image.size()) return;
    for (std::size_t i = 0; i < 4; ++i)
        image[static_cast<std::size_t>(at) + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kHeader || size - kHeader > kMaxBody) return 0;
    ByteCursor header(std::span<const std::uint8_t>(data, size));
    const std::uint8_t flags = header.u8();
    const std::uint16_t platformChoice = header.u16le();
    const std::uint16_t tableChoice = header.u16le();
    const std::span<const std::uint8_t> body(data + kHeader, size - kHeader);
    const auto bodySize = std::max<std::uint32_t>(1, static_cast<std::uint32_t>(body.size()));

    // Filling 0x8FC50 bytes for every input would cost more than the scan, so
    // the image lives on between inputs: the body is copied over the old one,
    // and a pointer written into the erased prefix is erased again at the end.
    static std::vector<std::uint8_t> buffer(kBody + kMaxBody, 0xFF);
    const std::span<std::uint8_t> image = std::span(buffer).first(kBody + body.size());
    std::copy(body.begin(), body.end(), image.begin() + kBody);
    if (flags & 1) {
        putU32(image, FlashLayout::kPlatformPointer,
               kFlashBase + kBody + platformChoice % bodySize);
    }
    FullflashIdentity id = IdentifyFullflash(image);
    std::int64_t tablePointerAt = -1;
    if ((flags & 2) && id.NewSGold) {
        ByteCursor in(image, FlashLayout::kPlatformPointer);
        const std::uint32_t p = PointerToOffset(in.bytes(4));
        in.seek(std::size_t{p} + FlashLayout::kDisplacement);
        tablePointerAt = std::int64_t{p} - FlashLayout::kDisplacementBase + in.u8();
        putU32(image, tablePointerAt, kFlashBase + kBody + tableChoice % bodySize);
        id = IdentifyFullflash(image);
    }
    require(id.fw.size() == 2 && id.lngPack.size() == 3);
    require(id.mModel.size() == 3 || id.mModel.size() == 4);
    require(id.ManufN.size() <= 16 && (id.ManufN.empty() || id.ManufN.back() != '\0'));
    require(id.platform == (id.NewSGold ? "New-SGold" : "SGold"));
    require(!id.NewSGold || id.PITadr.size() == 7);

    const EntryFormat format = EntryFormatFor(id.NewSGold, id.mModel);
    const std::uint32_t pit = HexToNumber(id.PITadr);
    std::vector<int> progress;
    const auto rows = ReadPictureTable(image, pit, format,
                                       [&progress](int percent) { progress.push_back(percent); });
    require(rows.size() <= static_cast<std::size_t>(HighestIndex(format)) + 1);
    require(!progress.empty() && progress.front() >= 0 && progress.back() == 100 &&
            std::is_sorted(progress.begin(), progress.end()));
    const auto entrySize = static_cast<std::size_t>(EntrySize(format));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::size_t entry = pit + i * entrySize;
        require(rows[i].pitOffset == NumberToHex(static_cast<std::uint32_t>(entry)));
        require(entry + entrySize <= image.size());  // no row is read from beyond the file
        require(rows[i].picOffset.size() == 7 && rows[i].type.size() == 4);
    }
    if (tablePointerAt < kBody) putU32(image, tablePointerAt, 0xFFFFFFFF);
    return 0;
}
