#include "config/settings_file.h"

#include <gtest/gtest.h>

#include "config/recent_files.h"

using namespace ConfigActions;
using namespace std::string_literals;

namespace {

struct ReadCase {
    std::string name;
    std::string bytes;
    SettingsFound expected;
};

SettingsFound with(auto SettingsFound::*member, auto value) {
    SettingsFound found;
    found.*member = value;
    return found;
}

SettingsFound recentOnly(std::size_t slot, std::string caption) {
    SettingsFound found;
    found.recent[slot] = std::move(caption);
    return found;
}

class ReadSettingsLines : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadSettingsLines, TakeWhatTheKeyRulesGive) {
    EXPECT_EQ(ReadSettings(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadSettingsLines,
    ::testing::Values(ReadCase{"UppercaseTrueIsOff", "Transparency=TRUE\r\n",
                               with(&SettingsFound::Transparency, false)},
                      ReadCase{"AnyEndingInTrueIsOn", "CompressGPF=untrue\r\n",
                               with(&SettingsFound::CompressGPF, true)},
                      ReadCase{"KeyIsAPrefix", "nConvertPath=x\r\n",
                               with(&SettingsFound::nConvert, std::string("ath=x"))},
                      ReadCase{"LastLineWinsWithCrOnlyEnds", "Language=A\rLanguage=B\r",
                               with(&SettingsFound::Language, std::string("B"))},
                      ReadCase{"LfEndsAndNoFinalEnd", "MRU2=/x.bin\nMRU2=/y.bin",
                               recentOnly(1, "/y.bin")},
                      ReadCase{"KeysHaveCase", "language=A\r\nhexFilename=true\r\n", {}},
                      ReadCase{"KeyWithoutSeparatorSetsNothing", "nConvert\r\nHEXFilename\r\n", {}},
                      ReadCase{"BinaryBytes", "\0\xff=\r\nZeroFilename=\0true"s,
                               with(&SettingsFound::ZeroFilename, true)},
                      ReadCase{"HugeLine", "MRU1=" + std::string(1 << 20, 'x'),
                               recentOnly(0, std::string(1 << 20, 'x'))}),
    [](const auto& info) { return info.param.name; });

TEST(SettingsFileText, SevenLinesThenTheShownRecentFiles) {
    RecentFiles recent;
    EXPECT_EQ(SettingsFileText({}, recent),
              "nConvert=\r\nLanguage=\r\nTransparency=true\r\nCompressGPF=false\r\n"
              "DefaultGPF2=false\r\nZeroFilename=true\r\nHEXFilename=false\r\n");

    recent[0] = {true, "/a.bin"};
    recent[2] = {true, "/c.bin"};
    SettingsValues values{"/bin/conv", "German", false, true, true, false, true};
    EXPECT_EQ(SettingsFileText(values, recent),
              "nConvert=/bin/conv\r\nLanguage=German\r\nTransparency=false\r\nCompressGPF=true\r\n"
              "DefaultGPF2=true\r\nZeroFilename=false\r\nHEXFilename=true\r\n"
              "MRU1=/a.bin\r\nMRU3=/c.bin\r\n");
}

struct RecentCase {
    std::string name;
    std::vector<std::string> loads;
    std::vector<std::string> shown;  ///< captions of the shown entries, newest first
};

class RecentFileOrder : public ::testing::TestWithParam<RecentCase> {};

TEST_P(RecentFileOrder, NewestFirstWithoutRepeats) {
    RecentFiles recent;
    for (const std::string& path : GetParam().loads) AddRecentFile(recent, path);
    std::vector<std::string> shown;
    for (const RecentFile& entry : recent) {
        if (entry.shown) shown.push_back(entry.caption);
    }
    EXPECT_EQ(shown, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecentFileOrder,
    ::testing::Values(
        RecentCase{"ThreeFiles", {"A", "B", "C"}, {"C", "B", "A"}},
        RecentCase{"FourthDropsTheOldest", {"A", "B", "C", "D"}, {"D", "C", "B"}},
        RecentCase{"SecondAgain", {"A", "B", "A"}, {"A", "B"}},
        RecentCase{"FirstAgainChangesNothing", {"A", "B", "C", "C"}, {"C", "B", "A"}},
        RecentCase{"SecondOfThreeAgain", {"A", "B", "C", "B"}, {"B", "C"}},
        RecentCase{"ThirdAgain", {"A", "B", "C", "A"}, {"A", "C", "B"}},
        RecentCase{"LongerNameIsAnotherFile", {"/f.bin", "/f.bin.bin"}, {"/f.bin.bin", "/f.bin"}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
