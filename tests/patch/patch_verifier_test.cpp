#include "patch/patch_verifier.h"

#include <gtest/gtest.h>

#include "commands/patch_fixture.h"

namespace {

TEST(VerifyPatch, ReportsEveryKindOfFindingWithItsLine) {
    const std::string flash = SmallPictures(4);
    const std::string patch =
        "; hand-made\r\n"
        "0000101C: 01010500000009A0 02010500000009A0\r\n"  // picture 0 becomes 2 x 1
        "00090000: 10 77\r\n"
        "00090010: 99 88\r\n"  // the fullflash holds 11 there: picture 1 is hit too
        "00090020: 12 FF\r\n"  // picture 2's data, its entry unchanged
        "00090020: 12 EE\r\n"
        "00090031: 0011\r\n"
        "10: 0G 11\r\n"
        "0009003F: 0000 1111\r\n";  // its last byte lies past the end
    const PatchResult result =
        VerifyPatch({reinterpret_cast<const std::uint8_t*>(flash.data()), flash.size()}, patch);
    EXPECT_EQ(PatchReport(result.check, "\n", 10),
              "Old bytes match on 4 of 5 lines: the patch was made for another firmware (or is "
              "applied already). Do not flash it.\n"
              "Lines: 9\n"
              "Data lines: 7\n"
              "Bytes changed: 5\n"
              "Lines that cannot be applied: 2\n"
              "  line 8: \"0G 11\" is no hex data, number or string\n"
              "  line 9: lies past the end of the fullflash (size 00090040)\n"
              "Lines whose old bytes match the fullflash: 4\n"
              "Old bytes that differ from the fullflash: 1\n"
              "  line 4: at 00090010\n"
              "Lines without old bytes: 1\n"
              "  line 7: no old bytes: cannot be checked against this fullflash\n"
              "Overlapping lines: 1\n"
              "  lines 5 and 6 at 00090020\n"
              "Warnings: 0\n"
              "Pictures listed: 4 (before the patch: 4)\n"
              "Pictures with a new entry: 1\n"
              "  picture 0: 2 x 1, 8 bit uncompressed, decodes (2 bytes at 00090000)\n"
              "Pictures whose data changes without a new entry: 2\n"
              "  picture 1 (data at 00090010): decodes\n"
              "  picture 2 (data at 00090020): decodes\n"
              "Result: cannot be applied");
    EXPECT_EQ(result.patched.size(), flash.size());
    EXPECT_EQ(result.patched[0x90020], 0xEE) << "lines apply in file order";
    EXPECT_NE(PatchReport(result.check, "\r", 0).find("\rOverlapping lines: 1\r  ... and 1 more\r"),
              std::string::npos);
}

}  // namespace
