#include "patch/patch_verifier.h"

#include <gtest/gtest.h>

#include "commands/patch_fixture.h"
#include "patch/patch_report.h"

namespace {

PatchResult verified(const std::string& flash, const std::string& patch) {
    return VerifyPatch({reinterpret_cast<const std::uint8_t*>(flash.data()), flash.size()}, patch);
}

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
        "0009003F: 0000 1111\r\n"  // its last byte lies past the end
        "20: 0H 11\r\n";
    const PatchResult result = verified(flash, patch);
    EXPECT_EQ(PatchReport(result.check, "\n", 10),
              "Cannot be read: line 8: \"0G 11\" is no hex data, number or string\n"
              "Lines: 10 (data lines: 7)\n"
              "Bytes changed: 5\n"
              "Lines that cannot be read: 2\n"
              "  line 8: \"0G 11\" is no hex data, number or string\n"
              "  line 10: \"0H 11\" is no hex data, number or string\n"
              "Lines outside this fullflash (size 00090040): 1\n"
              "  line 9: lies past its end\n"
              "Lines whose old bytes match: 4 of 5\n"
              "  line 4: differs at 00090010\n"
              "Lines without old bytes, not checked: 1\n"
              "  line 7\n"
              "Overlapping lines: 1\n"
              "  lines 5 and 6 at 00090020\n"
              "Warnings: 0\n"
              "Pictures listed: 4 (before the patch: 4)\n"
              "Pictures with a new entry: 1\n"
              "  picture 0: 2 x 1, 8 bit uncompressed, decodes (2 bytes at 00090000)\n"
              "Other pictures whose data changes: 2\n"
              "  picture 1 (data at 00090010): decodes\n"
              "  picture 2 (data at 00090020): decodes");
    EXPECT_EQ(result.patched.size(), flash.size());
    EXPECT_EQ(result.patched[0x90020], 0xEE) << "lines apply in file order";
    EXPECT_NE(PatchReport(result.check, "\r", 0).find("\rOverlapping lines: 1\r  ... and 1 more\r"),
              std::string::npos);
}

// One verdict per patch; a line that would mend the fullflash's own bytes
// back is told apart from one made for other bytes.
TEST(VerifyPatch, JudgesEachPatchWithOneVerdict) {
    const std::string flash = SmallPictures(4);
    const struct {
        std::string patch;
        PatchVerdictKind kind;
        std::string verdict;
    } cases[] = {
        {"0000101C: 01010500000009A0 02010500000009A0\r\n", PatchVerdictKind::Safe,
         "Safe to flash"},
        {"00040000: 00\r\n", PatchVerdictKind::CheckFirst,
         "Check before flashing: lines without old bytes: 1"},
        {"00090010: 11 FF\r\n00090010: 11 EE\r\n", PatchVerdictKind::CheckFirst,
         "Check before flashing: other pictures whose data changes: 1; overlapping lines: 1"},
        {"; nothing but a comment\r\n", PatchVerdictKind::CheckFirst,
         "Check before flashing: no data lines"},
        {"00090000: 0F 10\r\n00090010: 11\r\n", PatchVerdictKind::AlreadyApplied,
         "Already applied to this fullflash"},
        {"00090000: 0F 1C\r\n00090010: 11 1C\r\n", PatchVerdictKind::OtherFirmware,
         "Do not flash: made for another firmware (old bytes match on 1 of 2 lines)"},
        {"00090000: 10 1C\r\n0FFFFFFF: 00 01\r\n", PatchVerdictKind::OtherFirmware,
         "Do not flash: made for another firmware (old bytes match on 1 of 2 lines)"},
        {"00090000: 10 1C\r\nzz\r\n", PatchVerdictKind::Unreadable,
         "Cannot be read: line 2: no address, offset, pragma or comment at \"zz\""},
    };
    for (const auto& c : cases) {
        const PatchVerdict verdict = JudgePatch(verified(flash, c.patch).check);
        EXPECT_EQ(verdict.text, c.verdict) << c.patch;
        EXPECT_EQ(verdict.kind, c.kind) << c.patch;
    }
}

}  // namespace
