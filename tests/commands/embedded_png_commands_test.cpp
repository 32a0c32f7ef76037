#include "commands/embedded_png_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "commands/patch_fixture.h"
#include "patch/patch_report.h"
#include "patch/png_patch.h"

namespace {

constexpr std::uint32_t kFirst = 0x50000;
constexpr std::uint32_t kSecond = 0x50100;

/// A PNG-shaped file of `size` bytes: signature, filler, IEND and its CRC.
std::string png(std::size_t size, char filler) {
    return std::string(kPngSignature) + std::string(size - 16, filler) + "IEND" +
           "\x11\x22\x33\x44";
}

std::string flashWithPngs() {
    std::string flash = SmallPictures(2);
    flash.replace(kFirst, 100 + 4, png(100, 'a') + "NEXT");
    flash.replace(kSecond, 64 + 4, png(64, 'b') + "NEXT");
    flash.replace(0x50200, 8, kPngSignature);  // a PNG without IEND up to the end of the file
    return flash;
}

bool changePng(PatchFixture& t, const std::string& name, const std::string& content) {
    t.ui.choosePath(t.dir.write(name, content));
    mnu_Fullflash_Change_PNG_Click(t.ws, t.ui);
    return std::filesystem::exists(PngPatchPath(t.ws));
}

TEST(ChangePng, RefusesWhatWouldHitAnythingButTheOldPng) {
    const struct {
        std::string name;
        std::string content;
        std::string message;  ///< the path follows a message ending in a line break
    } cases[] = {
        {"logo.png", png(60, 'x'), "The file name is no hexadecimal offset!\r"},
        {"100050000.png", png(60, 'x'), "The file name is no hexadecimal offset!\r"},
        {"50001.png", png(60, 'x'), "No PNG ending in IEND starts at 50001 in the fullflash!"},
        {"FFFFFFFF.png", png(60, 'x'),
         "No PNG ending in IEND starts at FFFFFFFF in the fullflash!"},
        {"50000.png", png(101, 'x'), "Too large size!"},
        {"50000.png", png(102, 'x'), "Too large size!"},
        {"50000.png", std::string(60, 'x'), "Not a PNG file!\r"},
    };
    for (const auto& c : cases) {
        PatchFixture t(flashWithPngs());
        EXPECT_FALSE(changePng(t, c.name, c.content)) << c.name;
        const std::string path = c.message.ends_with('\r') ? t.dir.file(c.name) : "";
        EXPECT_EQ(
            t.ui.transcript(),
            (std::vector<std::string>{"open:  File  | Portable Network Graphic files (*.png) |  | ",
                                      c.message + path}));
        EXPECT_FALSE(t.ws.flash.pngChangesPending);
    }
}

TEST(ChangePng, BlocksGatherUntilSavePatchAppendsThem) {
    PatchFixture t(flashWithPngs());
    ASSERT_TRUE(changePng(t, "50000.png", png(95, 'n')));
    EXPECT_TRUE(t.ws.control("mnu_Fullflash_SavePatch").enabled);
    std::filesystem::create_directory(t.dir.file("two"));
    ASSERT_TRUE(changePng(t, "two/50100.png", png(64, 'm')));

    const std::string patch = t.savePatch();
    const std::size_t first = patch.find("\r\n; ##### PNG Picture 50000 #####\r\n00050000: ");
    const std::size_t second = patch.find("\r\n; ##### PNG Picture 50100 #####\r\n00050100: ");
    EXPECT_NE(first, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_FALSE(std::filesystem::exists(PngPatchPath(t.ws)));
    EXPECT_FALSE(t.ws.flash.pngChangesPending);

    const PatchResult result =
        VerifyPatch({reinterpret_cast<const std::uint8_t*>(t.flash.data()), t.flash.size()}, patch);
    EXPECT_TRUE(result.check.clean()) << PatchReport(result.check, "\n", 10);
    const std::string patched(result.patched.begin(), result.patched.end());
    EXPECT_EQ(patched.substr(kFirst, 104), png(95, 'n') + std::string(5, '\xFF') + "NEXT");
    EXPECT_EQ(patched.substr(kSecond, 68), png(64, 'm') + "NEXT");
}

}  // namespace
