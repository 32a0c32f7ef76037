#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/gpf_file.h"
#include "tools/gpn_splitter.h"

namespace {

using namespace std::string_literals;

std::vector<ExtractedFile> split(const std::string& gpn) {
    GpnSplitter splitter({reinterpret_cast<const std::uint8_t*>(gpn.data()), gpn.size()}, {});
    std::vector<ExtractedFile> files;
    while (auto file = splitter.next()) files.push_back(std::move(*file));
    return files;
}

std::string gpfFile(std::int16_t number, bool gpf2, const std::string& data) {
    return GPFcodec::PadToSixteen(GPFcodec::WriteGpfHeader({16, 300, 0x88, number, gpf2}) + data);
}

TEST(GpnSplitter, KeepsPartialBlocksAndLeavesOutWhatPrecedesThefirstPicture) {
    const std::string picture = gpfFile(7, false, "\x01\x02"s);
    const std::string magicOnly = "GraphPatchFile_2";
    const struct {
        const char* name;
        std::string gpn;
        std::vector<ExtractedFile> files;
    } cases[] = {
        {"pictures back to back, a GPF2 among them",
         picture + gpfFile(300, true, ""),
         {{"0007.gpf", picture, true}, {"0300.gpf2", gpfFile(300, true, ""), true}}},
        {"blocks before the first picture",
         std::string(33, 'x') + std::string(15, 'y') + picture,
         {{"0007.gpf", picture, true}}},
        {"a short last block", picture + "tail", {{"0007.gpf", picture + "tail", true}}},
        {"a magic out of step with the blocks", "x" + picture, {}},
        {"a magic as the last block",
         picture + magicOnly,
         {{"0007.gpf", picture, true}, {"0000.gpf2", magicOnly, true}}},
        {"a header block cut short", magicOnly + "\x05", {{"0005.gpf2", magicOnly + "\x05", true}}},
        {"a header block that spells a magic is still the header",
         "GraphicPatchFile" + magicOnly,
         {{"29255.gpf", "GraphicPatchFile" + magicOnly, true}}},
        {"nothing", "", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(split(c.gpn), c.files) << c.name;
}

}  // namespace
