#include "fullflash/identification.h"

#include <gtest/gtest.h>

#include <functional>

#include "fullflash/flash_bytes.h"

using namespace std::string_literals;

namespace {

constexpr std::uint32_t kP = 0xA0000;  // where the platform pointer leads

// An SGold fullflash as far as identification reads it.
FlashBytes sgoldFlash() {
    FlashBytes flash(0xA1000, 0xEE);
    flash.byte(0x8FC50, 0x05)
        .text(0x8FC60, "lg4")
        .text(0x8FC70, "S65\0"s)
        .text(0x8FC80, "SIEMENS\0\0\0\0\0\0\0\0\0"s)
        .u32(0x8FD08, 0xA0000000 + kP)
        .byte(kP + 31, 0x00);
    return flash;
}

// New-SGold: P + 31 non-zero, k at P + 48, the table pointer at P - 44 + k.
FlashBytes newSGoldFlash(std::uint8_t k, std::uint32_t pitPointer) {
    FlashBytes flash = sgoldFlash();
    flash.byte(kP + 31, 0x01).byte(kP + 48, k).u32(kP - 44 + k, pitPointer);
    return flash;
}

}  // namespace

// Fields outside the file read as zero bytes, so any input gives an identity
// and nothing is read out of bounds.
TEST(IdentifyFullflash, FieldsPlatformAndTableStart) {
    struct Case {
        std::string name;
        std::function<FlashBytes()> flash;
        std::string expected;  ///< fw | lngPack | mModel | ManufN | platform | PITadr
    };
    const Case cases[] = {
        {"SGold: the table at P + 28", sgoldFlash, "05|lg4|S65|SIEMENS|SGold|A001C"},
        {"zero third byte kept when the fourth is not zero",
         [] { return sgoldFlash().text(0x8FC70, "S6\0X"s); }, "05|lg4|S6\0X|SIEMENS|SGold|A001C"s},
        {"only the fourth byte is examined", [] { return sgoldFlash().text(0x8FC70, "AB\0\0"s); },
         "05|lg4|AB\0|SIEMENS|SGold|A001C"s},
        {"manufacturer of sixteen zeros",
         [] { return sgoldFlash().text(0x8FC80, std::string(16, '\0')); },
         "05|lg4|S65||SGold|A001C"},
        {"inner zero of the manufacturer kept, sixteen characters read",
         [] { return sgoldFlash().text(0x8FC80, "BenQ\0Mobile AG 1"s); },
         "05|lg4|S65|BenQ\0Mobile AG 1|SGold|A001C"s},
        {"platform pointer loses its top digit",
         [] { return sgoldFlash().u32(0x8FD08, 0x500A0000); }, "05|lg4|S65|SIEMENS|SGold|A001C"},
        {"New-SGold, k = 0x40: the table pointer loses its top digit",
         [] { return newSGoldFlash(0x40, 0xB0123456); }, "05|lg4|S65|SIEMENS|New-SGold|0123456"},
        {"New-SGold, k = 255", [] { return newSGoldFlash(0xFF, 0xA0000020); },
         "05|lg4|S65|SIEMENS|New-SGold|0000020"},
        {"New-SGold marker of any non-zero value",
         [] { return sgoldFlash().byte(kP + 31, 0x80).byte(kP + 48, 44); },
         "05|lg4|S65|SIEMENS|New-SGold|EEEEEEE"},
        {"empty file", [] { return FlashBytes(0); }, "00|\0\0\0|\0\0\0||SGold|1C"s},
        {"ends inside the platform pointer",
         [] { return FlashBytes(0x8FD0A).u16(0x8FD08, 0x1234); }, "00|\0\0\0|\0\0\0||SGold|1250"s},
        {"pointer past the end", [] { return sgoldFlash().u32(0x8FD08, 0xAFFFFFF0); },
         "05|lg4|S65|SIEMENS|SGold|1000000C"},
        {"New-SGold P below 44, pointer place before the file",
         [] { return sgoldFlash().u32(0x8FD08, 0xA0000010).byte(0x10 + 31, 1).byte(0x10 + 48, 0); },
         "05|lg4|S65|SIEMENS|New-SGold|0000000"},
    };
    for (const Case& c : cases) {
        const FullflashIdentity id = IdentifyFullflash(c.flash().bytes());
        EXPECT_EQ(id.NewSGold, id.platform == "New-SGold") << c.name;
        EXPECT_EQ(id.fw + "|" + id.lngPack + "|" + id.mModel + "|" + id.ManufN + "|" + id.platform +
                      "|" + id.PITadr,
                  c.expected)
            << c.name;
    }
}
