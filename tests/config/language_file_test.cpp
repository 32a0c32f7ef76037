#include "config/language_file.h"

#include <gtest/gtest.h>

#include <set>

#include "common/temp_dir.h"
#include "config/config_lines.h"

using namespace ConfigActions;
using namespace std::string_literals;

namespace {

struct LanguageCase {
    std::string name;
    std::string bytes;
    std::string allBefore;
    LanguageChanges expected;
};

class ReadLanguageLines : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(ReadLanguageLines, SetTextsAndCaptionsInFileOrder) {
    const LanguageCase& c = GetParam();
    EXPECT_EQ(ReadLanguage(c.bytes, "German", c.allBefore), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadLanguageLines,
    ::testing::Values(
        LanguageCase{"AnySeparator", "str_Succes: done\r\n", "", {{{"str_Succes", " done"}}, {}}},
        LanguageCase{"KeysHaveCase", "Str_Succes=x\r\nSTR_ALL=x\r\n", "", {}},
        LanguageCase{"PrefixComposition",
                     "str_Def=as Default",
                     "",
                     {{{"str_Def", "as Default"}}, {{"Check3", "GPF2 as Default"}}}},
        LanguageCase{"AllFromBefore",
                     "cap_mnTsf=Extract\r\nstr_all=all\r\n",
                     "",
                     {{{"str_all", "all"}},
                      {{"mnu_Tools_FindGIF", "Extract GIF ()"},
                       {"mnu_Tools_FindPNG", "Extract PNG ()"},
                       {"mnu_Tools_FindXML", "Extract XML ()"}}}},
        LanguageCase{"AllOfTheSecondLoad",
                     "cap_mnSBMP=Save as BMP\rstr_all=all\r",
                     "all",
                     {{{"str_all", "all"}},
                      {{"mnu_PopupPic_SaveAsBMP", "Save as BMP"},
                       {"mnu_PopupPictures_SaveAsBMP", "Save as BMP"},
                       {"mnu_PopupPictures_SaveAsBMPs", "Save as BMP (all)"}}}},
        LanguageCase{"FramesNameConverterAndLanguage",
                     "str_PlSel=Select\n",
                     "",
                     {{{"str_PlSel", "Select"}},
                      {{"Frame2", "Select nConvert.exe"}, {"Frame1", "Select German"}}}},
        LanguageCase{"CaptionOnlyKeysStoreNothing",
                     "cap_Browse=Find\r\nstr_HfN=Hex",
                     "",
                     {{}, {{"Command5", "Find"}, {"Command1", "Find"}, {"Check5", "Hex"}}}},
        LanguageCase{"CommentsAndBinaryLinesIgnored", "; str_all=x\r\n\0\xfe\xff\r\n"s, "", {}}),
    [](const auto& info) { return info.param.name; });

/// Strict enough for the shipped files: lead bytes and continuation counts.
bool isUtf8(std::string_view bytes) {
    int pending = 0;
    for (unsigned char byte : bytes) {
        if (pending > 0) {
            if ((byte & 0xC0) != 0x80) return false;
            --pending;
            continue;
        }
        if (byte < 0x80) continue;
        if (byte >= 0xC2 && byte <= 0xDF) {
            pending = 1;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            pending = 2;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            pending = 3;
        } else {
            return false;
        }
    }
    return pending == 0;
}

// The shipped files must give every key a text, in valid UTF-8, with the
// format's CR LF line ends and line length.
class ShippedLanguageFile : public ::testing::TestWithParam<std::string> {};

TEST_P(ShippedLanguageFile, HasEveryKeyWithAText) {
    const std::string bytes = ReadWholeFile(std::string(PICTAVO_BIN_DIR) + "/" + GetParam());
    ASSERT_FALSE(bytes.empty());
    std::set<std::string> found;
    for (std::string_view line : SplitLines(bytes)) {
        EXPECT_LE(line.size(), 255u) << line;
        for (const LanguageKey& key : LanguageKeys()) {
            const auto text = KeyValue(line, key.key);
            if (text && !text->empty()) found.insert(std::string(key.key));
        }
    }
    for (const LanguageKey& key : LanguageKeys())
        EXPECT_TRUE(found.contains(std::string(key.key))) << key.key;

    std::string lineEnds;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) lineEnds += "LF ";
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) lineEnds += "CR ";
    }
    EXPECT_EQ(lineEnds, "");
    EXPECT_TRUE(bytes.ends_with("\r\n"));
    EXPECT_TRUE(isUtf8(bytes));
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguageFile,
                         ::testing::Values("English.lng", "Russian.lng"), [](const auto& info) {
                             return info.param.substr(0, info.param.find('.'));
                         });

}  // namespace
