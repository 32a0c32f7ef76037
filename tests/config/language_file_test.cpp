#include "config/language_file.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QRegularExpression>
#include <QStringDecoder>
#include <map>
#include <set>

#include "common/temp_dir.h"
#include "config/config_lines.h"
#include "workspace/controls.h"

using namespace ConfigActions;
using namespace std::string_literals;

namespace {

TEST(ReadLanguage, SetsTextsAndCaptionsInFileOrder) {
    const struct {
        std::string name;
        std::string bytes;
        std::string allBefore;
        LanguageChanges expected;
    } cases[] = {
        {"AnySeparator", "str_Succes: done\r\n", "", {{{"str_Succes", " done"}}, {}}},
        {"KeysHaveCase", "Str_Succes=x\r\nSTR_ALL=x\r\n", "", {}},
        {"PrefixComposition",
         "str_Def=as Default",
         "",
         {{{"str_Def", "as Default"}}, {{"Check3", "GPF2 as Default"}}}},
        {"AllFromBefore",
         "cap_mnTsf=Extract\r\nstr_all=all\r\n",
         "",
         {{{"str_all", "all"}},
          {{"mnu_Tools_FindGIF", "Extract GIF ()"},
           {"mnu_Tools_FindPNG", "Extract PNG ()"},
           {"mnu_Tools_FindXML", "Extract XML ()"}}}},
        {"AllOfTheSecondLoad",
         "cap_mnSBMP=Save as BMP\rstr_all=all\r",
         "all",
         {{{"str_all", "all"}},
          {{"mnu_PopupPic_SaveAsBMP", "Save as BMP"},
           {"mnu_PopupPictures_SaveAsBMP", "Save as BMP"},
           {"mnu_PopupPictures_SaveAsBMPs", "Save as BMP (all)"}}}},
        {"FramesNameConverterAndLanguage",
         "str_PlSel=Select\n",
         "",
         {{{"str_PlSel", "Select"}},
          {{"Frame2", "Select nConvert.exe"}, {"Frame1", "Select German"}}}},
        {"CaptionOnlyKeysStoreNothing",
         "cap_Browse=Find\r\nstr_HfN=Hex",
         "",
         {{}, {{"Command5", "Find"}, {"Command1", "Find"}, {"Check5", "Hex"}}}},
        {"CommentsAndBinaryLinesIgnored", "; str_all=x\r\n\0\xfe\xff\r\n"s, "", {}},
        {"PhrasesKeptUnderTheirWholeKey",
         "str_VerSafe=Fine\r\nstr_=x\r\nstr_VerLine\r\n",
         "",
         {{{"str_VerSafe", "Fine"}}, {}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadLanguage(c.bytes, "German", c.allBefore), c.expected) << c.name;
    }
}

// The shipped files must give every key a text, in valid UTF-8, with the
// format's CR LF line ends and line length.
TEST(ShippedLanguageFiles, HaveEveryKeyWithAText) {
    for (const char* name : {"English.lng", "Russian.lng"}) {
        SCOPED_TRACE(name);
        const std::string bytes = ReadWholeFile(std::string(PICTAVO_BIN_DIR) + "/" + name);
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

        QString text = QString::fromStdString(bytes);
        EXPECT_TRUE(text.endsWith("\r\n"));
        EXPECT_FALSE(text.remove("\r\n").contains(QRegularExpression("[\r\n]"))) << "CR LF only";
        QStringDecoder utf8(QStringDecoder::Utf8);
        (void)utf8(QByteArray::fromStdString(bytes));
        EXPECT_FALSE(utf8.hasError());
    }
}

// A key that begins another key would take that key's lines as its own. And
// every caption the window shows can be translated, but for texts that no
// language changes: the program's name, zoom ratios, recent-file paths and the
// names of the two pop-up menus, which are never shown.
TEST(LanguageKeys, NoKeyBeginsAnotherAndEveryCaptionHasOne) {
    std::set<std::string_view> reached{
        "Form1",         "mnu_View_Zoom1", "mnu_View_Zoom2", "mnu_View_Zoom4",    "mnu_View_Zoom8",
        "mnu_File_MRU1", "mnu_File_MRU2",  "mnu_File_MRU3",  "mnu_PopupPictures", "mnu_PopupPic"};
    for (const LanguageKey& key : LanguageKeys()) {
        for (const LanguageKey& other : LanguageKeys()) {
            EXPECT_TRUE(key.key == other.key || !other.key.starts_with(key.key))
                << key.key << " begins " << other.key;
        }
        for (const CaptionRule& rule : key.captions) reached.insert(rule.control);
    }
    for (const MenuSpec& entry : MenuTree()) {
        if (entry.kind == MenuKind::Separator) continue;
        EXPECT_TRUE(reached.contains(entry.name)) << entry.name;
    }
    for (const auto& table : {WindowControls(), SettingsDialogControls()}) {
        for (const ControlSpec& control : table)
            EXPECT_TRUE(reached.contains(control.name)) << control.name;
    }
}

/// Every phrase the sources define (`{"str_Key", "English"}`), by key, with
/// its English.
std::map<std::string, std::string> phrasesInSources() {
    const QRegularExpression definition(
        QStringLiteral(R"re(\{\s*"(str_\w+)"\s*,\s*((?:"(?:[^"\\]|\\.)*"\s*)+)\})re"));
    const QRegularExpression piece(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    std::map<std::string, std::string> phrases;
    QDirIterator files(QStringLiteral(PICTAVO_SOURCE_DIR "/src"),
                       {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = QString::fromStdString(ReadWholeFile(files.next().toStdString()));
        for (const auto& found : definition.globalMatch(source)) {
            QString english;
            for (const auto& part : piece.globalMatch(found.captured(2)))
                english += part.captured(1);
            english.replace(QStringLiteral("\\\""), QStringLiteral("\""));
            const auto [it, added] =
                phrases.emplace(found.captured(1).toStdString(), english.toStdString());
            EXPECT_TRUE(added || it->second == english.toStdString()) << it->first << " twice";
        }
    }
    return phrases;
}

// The words the core puts together read the same in the window and in
// pictavo-cli's English, and every one of them has its Russian. A key that a
// table key begins would be taken by that key.
TEST(ShippedLanguageFiles, GiveEveryPhraseItsText) {
    const auto phrases = phrasesInSources();
    ASSERT_GT(phrases.size(), 30u);
    for (const auto& [key, english] : phrases) {
        for (const LanguageKey& tableKey : LanguageKeys()) {
            EXPECT_TRUE(key == tableKey.key || !key.starts_with(tableKey.key))
                << tableKey.key << " begins " << key;
        }
        EXPECT_EQ(english.find_first_of("\r\n"), std::string::npos)
            << key << ": a line break would end the language file's line";
    }
    for (const char* name : {"English.lng", "Russian.lng"}) {
        SCOPED_TRACE(name);
        std::map<std::string, std::string> texts;
        for (const auto& [key, text] :
             ReadLanguage(ReadWholeFile(std::string(PICTAVO_BIN_DIR) + "/" + name), "", "").texts)
            texts[key] = text;
        for (const auto& [key, english] : phrases) {
            ASSERT_TRUE(texts.contains(key)) << key;
            if (name == std::string("English.lng")) {
                EXPECT_EQ(texts[key], english) << key;
            } else {
                EXPECT_FALSE(texts[key].empty()) << key;
            }
        }
    }
}

}  // namespace
