#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/gpf_file.h"
#include "tools/vkp_extractor.h"

namespace {

using namespace std::string_literals;

std::vector<ExtractedFile> extract(const std::string& patch) {
    VkpExtractor extractor(patch, {});
    std::vector<ExtractedFile> files;
    while (auto file = extractor.next()) files.push_back(std::move(*file));
    return files;
}

// Lines as the patch writer writes them: 8 address digits, old and new hex.
std::string dataLine(const std::string& newHex) {
    return "00300000: " + std::string(newHex.size(), '0') + " " + newHex + "\r\n";
}
// An 8-byte entry line (43 characters): width 16, height 16, the type, address.
std::string shortEntry(const std::string& type) {
    return dataLine("1010" + type + "0000003AA0").substr(0, 43);
}
std::string pictureBlock(const std::string& number, const std::string& entry,
                         const std::string& data) {
    return "\r\n; ##### Picture " + number + " #####\r\n" + entry + "\r\n\r\n" + data;
}

std::string gpfFile(const GPFcodec::GpfHeader& header, const std::string& data) {
    return GPFcodec::PadToSixteen(GPFcodec::WriteGpfHeader(header) + data);
}

TEST(VkpExtractor, RebuildsEachBlockFromItsLines) {
    const std::string sixteen = "000102030405060708090A0B0C0D0E0F";
    const std::string erased(32, 'F');
    // 44 characters: the last 24 are a 12-byte entry, 286 x 300, type 0x88.
    const std::string longEntry = std::string(20, '-') + "1E012C0188000000003A00A0";
    const struct {
        const char* name;
        std::string patch;
        std::vector<ExtractedFile> files;
    } cases[] = {
        {"a 43-character entry is the 8-byte form; 0x81 takes .gpf2",
         pictureBlock("1", shortEntry("81"), dataLine("AB")),
         {{"0001.gpf2", gpfFile({16, 16, 0x81, 1, false}, "\xAB"), true}}},
        {"a 44-character entry is the 12-byte form",
         pictureBlock("2", longEntry, dataLine("AB")),
         {{"0002.gpf2", gpfFile({286, 300, 0x88, 2, true}, "\xAB"), true}}},
        {"new bytes of an odd line: the half rounded to even; the number from leading digits",
         pictureBlock("12a3", shortEntry("05"), "00300000: 0 AB\r\n"),
         {{"12a3.gpf", gpfFile({16, 16, 0x05, 12, false}, "\xAB"), true}}},
        {"a row of sixteen FF bytes ends the data",
         pictureBlock("3", shortEntry("85"),
                      dataLine(sixteen) + dataLine(erased) + dataLine(sixteen)),
         {{"0003.gpf2",
           gpfFile({16, 16, 0x85, 3, false},
                   "\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D\x0E\x0F"s),
           true}}},
        {"a PNG block: its own name, no header, no padding",
         "\r\n; ##### PNG Picture 6EA433 #####\r\n" + dataLine("89504E47") + dataLine("0D0A"),
         {{"6EA433.png", "\x89PNG\r\n", false}}},
        {"lines ending in LF only, or CR only",
         "; ##### Picture 4 #####\n" + shortEntry("05") + "\n\n00300000: 00 0C\n\n" +
             "; ##### Picture 5 #####\r" + shortEntry("05") + "\r\r00300000: 00 0D\r",
         {{"0004.gpf", gpfFile({16, 16, 0x05, 4, false}, "\x0C"), true},
          {"0005.gpf", gpfFile({16, 16, 0x05, 5, false}, "\x0D"), true}}},
        {"names stay inside the folder",
         pictureBlock("../../x", shortEntry("05"), "") +
             "\r\n; ##### PNG Picture /etc/a\0b #####\r\n"s,
         {{".._.._x.gpf", gpfFile({16, 16, 0x05, 0, false}, ""), true},
          {"_etc_a_b.png", "", false}}},
        {"comments too short to carry a name, a comment with nothing after it",
         "; ##### Picture  #####\r\n; ##### PNG Picture #####\r\n" + dataLine("01") +
             "; ##### Picture 9 #####",
         {}},
        {"a comment without entry (a picture left out) leaves the next block whole",
         "\r\n; ##### Picture 6 #####" + pictureBlock("7", shortEntry("05"), dataLine("0D")),
         {{"0007.gpf", gpfFile({16, 16, 0x05, 7, false}, "\x0D"), true}}},
        {"binary garbage", "\x00\xFF\r\n\r\r\n; ##### \x89"s, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(extract(c.patch), c.files) << c.name;
}

}  // namespace
