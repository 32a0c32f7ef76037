#include "fullflash/identification.h"

#include "support/basic_calculations.h"
#include "support/byte_cursor.h"

using namespace BasicCalculations_Tavik;

FullflashIdentity IdentifyFullflash(std::span<const std::uint8_t> flash) {
    using namespace FlashLayout;
    ByteCursor in(flash);
    FullflashIdentity id;

    in.seek(kFirmware);
    id.fw = BytesToHex(in.bytes(1), false);

    in.seek(kModel);
    id.mModel = in.bytes(4);
    // Only the fourth byte decides: a zero third byte stays in the text.
    if (id.mModel[3] == '\0') id.mModel.resize(3);

    in.seek(kLanguagePack);
    id.lngPack = in.bytes(3);

    in.seek(kManufacturer);
    id.ManufN = in.bytes(16);
    while (!id.ManufN.empty() && id.ManufN.back() == '\0') id.ManufN.pop_back();

    in.seek(kPlatformPointer);
    const std::uint32_t p = PointerToOffset(in.bytes(4));

    in.seek(std::size_t{p} + kNewSGoldMarker);
    id.NewSGold = in.u8() != 0;
    id.platform = id.NewSGold ? "New-SGold" : "SGold";

    if (!id.NewSGold) {
        id.PITadr = NumberToHex(p + kSGoldPit);
    } else {
        in.seek(std::size_t{p} + kDisplacement);
        const std::uint32_t k = in.u8();
        // P - 44 + k may fall below zero for a garbage pointer; such a place
        // lies outside the file and reads as zero bytes, as every read there does.
        const std::int64_t pointerAt = std::int64_t{p} - kDisplacementBase + k;
        std::string pointer(4, '\0');
        if (pointerAt >= 0) {
            in.seek(static_cast<std::size_t>(pointerAt));
            pointer = in.bytes(4);
        }
        id.PITadr = BytesToHex(pointer, true).substr(1);
    }
    return id;
}
