#include "config/settings_file.h"

#include <gtest/gtest.h>

#include "config/dialog_folders.h"
#include "config/recent_files.h"

using namespace ConfigActions;
using namespace std::string_literals;

namespace {

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

TEST(ReadSettings, TakesWhatTheKeyRulesGive) {
    const struct {
        std::string name;
        std::string bytes;
        SettingsFound expected;
    } cases[] = {
        {"UppercaseTrueIsOff", "Transparency=TRUE\r\n", with(&SettingsFound::Transparency, false)},
        {"AnyEndingInTrueIsOn", "CompressGPF=untrue\r\n", with(&SettingsFound::CompressGPF, true)},
        {"TrueNotAtTheEndIsOff", "Transparency=trueish\r\n",
         with(&SettingsFound::Transparency, false)},
        {"KeyIsAPrefix", "nConvertPath=x\r\n",
         with(&SettingsFound::nConvert, std::string("ath=x"))},
        {"LastLineWinsWithCrOnlyEnds", "Language=A\rLanguage=B\r",
         with(&SettingsFound::Language, std::string("B"))},
        {"LfEndsAndNoFinalEnd", "MRU2=/x.bin\nMRU2=/y.bin", recentOnly(1, "/y.bin")},
        {"KeysHaveCase", "language=A\r\nhexFilename=true\r\n", {}},
        {"KeyWithoutSeparatorSetsNothing", "nConvert\r\nHEXFilename\r\n", {}},
        {"BinaryBytes", "\0\xff=\r\nZeroFilename=\0true"s,
         with(&SettingsFound::ZeroFilename, true)},
        {"OwnSettingReadAsASwitch", "AskFileAssociation=false\r\n",
         with(&SettingsFound::AskFileAssociation, false)},
        {"HugeLine", "MRU1=" + std::string(1 << 20, 'x'), recentOnly(0, std::string(1 << 20, 'x'))},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadSettings(c.bytes), c.expected) << c.name;
}

TEST(AddRecentFile, NewestFirstWithoutRepeats) {
    const struct {
        std::string name;
        std::vector<std::string> loads;
        std::vector<std::string> shown;  ///< captions of the shown entries, newest first
    } cases[] = {
        {"ThreeFiles", {"A", "B", "C"}, {"C", "B", "A"}},
        {"FourthDropsTheOldest", {"A", "B", "C", "D"}, {"D", "C", "B"}},
        {"SecondAgain", {"A", "B", "A"}, {"A", "B"}},
        {"FirstAgainChangesNothing", {"A", "B", "C", "C"}, {"C", "B", "A"}},
        {"SecondOfThreeAgain", {"A", "B", "C", "B"}, {"B", "C"}},
        {"ThirdAgain", {"A", "B", "C", "A"}, {"A", "C", "B"}},
        {"LongerNameIsAnotherFile", {"/f.bin", "/f.bin.bin"}, {"/f.bin.bin", "/f.bin"}},
    };
    for (const auto& c : cases) {
        RecentFiles recent;
        for (const std::string& path : c.loads) AddRecentFile(recent, path);
        std::vector<std::string> shown;
        for (const RecentFile& entry : recent) {
            if (entry.shown) shown.push_back(entry.caption);
        }
        EXPECT_EQ(shown, c.shown) << c.name;
    }
}

TEST(ReadDialogFolders, TheLastLineOfAKindWins) {
    EXPECT_EQ(ReadDialogFolders("FolderOfBitmaps=/a\r\nFolderOfBitmaps=/b\r\n"),
              (DialogFolders{{"FolderOfBitmaps", "/b"}}));
}

}  // namespace
