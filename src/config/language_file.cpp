#include "config/language_file.h"

#include <array>

#include "config/config_lines.h"

namespace ConfigActions {

namespace {

using enum CaptionExtra;

template <std::size_t N>
using Rules = std::array<CaptionRule, N>;

constexpr std::span<const CaptionRule> kNone{};
constexpr Rules<2> kPlSel{{{"Frame2", "", " nConvert.exe"}, {"Frame1", "", "", LanguageName}}};
constexpr Rules<1> kCmpgpfF{{{"Check2"}}};
constexpr Rules<1> kFFinfo{{{"FFinfo"}}};
constexpr Rules<2> kTrCh{{{"TransCheck"}, {"Check1"}}};
constexpr Rules<1> kFileR{{{"mnu_File"}}};
constexpr Rules<1> kFileOp{{{"mnu_FileOpen"}}};
constexpr Rules<1> kFileEx{{{"mnu_FileExit"}}};
constexpr Rules<1> kTab{{{"TabStrip1"}}};
constexpr Rules<3> kSBMP{{{"mnu_PopupPic_SaveAsBMP"},
                          {"mnu_PopupPictures_SaveAsBMP"},
                          {"mnu_PopupPictures_SaveAsBMPs", "", "", All}}};
constexpr Rules<3> kSGPF{{{"mnu_PopupPic_SaveAsGPF"},
                          {"mnu_PopupPictures_SaveAsGPF"},
                          {"mnu_PopupPictures_SaveAsGPFs", "", "", All}}};
constexpr Rules<2> kSPNG{{{"mnu_PopupPic_SaveAsPNG"}, {"mnu_PopupPictures_SaveAsPNG"}}};
constexpr Rules<1> kHelp{{{"mnu_Help"}}};
constexpr Rules<1> kHAbout{{{"mnu_Help_About"}}};
constexpr Rules<1> kLoad{{{"mnu_PopupPictures_Load"}}};
constexpr Rules<2> kSaPa{{{"mnu_PopupPictures_SavePatch"}, {"mnu_Fullflash_SavePatch"}}};
constexpr Rules<2> kSett{{{"mnu_Settings"}, {"Form2"}}};
constexpr Rules<2> kBrowse{{{"Command5"}, {"Command1"}}};
constexpr Rules<1> kBtnApl{{{"Command3"}}};
constexpr Rules<1> kBtnCan{{{"Command4"}}};
constexpr Rules<1> kTools{{{"mnu_Tools"}}};
constexpr Rules<3> kTsf{{{"mnu_Tools_FindGIF", "", " GIF", All},
                         {"mnu_Tools_FindPNG", "", " PNG", All},
                         {"mnu_Tools_FindXML", "", " XML", All}}};
constexpr Rules<1> kPPcP{{{"mnu_Fullflash_Change_PNG"}}};
constexpr Rules<1> kFileCl{{{"mnu_FileClose"}}};
constexpr Rules<1> kFFlash{{{"mnu_FullFlash"}}};
constexpr Rules<1> kExtrFgrP{{{"mnu_Tools_ExtractFgrP"}}};
constexpr Rules<1> kDef{{{"Check3", "GPF2 "}}};
constexpr Rules<1> kLods{{{"mnu_PopupPictures_Loads"}}};
constexpr Rules<1> kAdZ{{{"Check4"}}};
constexpr Rules<1> kHfN{{{"Check5"}}};
constexpr Rules<1> kExtrFGPN{{{"mnu_Tools_ExtractFGPN"}}};
constexpr Rules<1> kCompare{{{"mnu_Fullflash_Compare"}}};
constexpr Rules<1> kCmpStage{{{"mnu_Fullflash_CompareStage"}}};
constexpr Rules<1> kCmpClose{{{"mnu_Fullflash_CompareClose"}}};
constexpr Rules<1> kCmpOnly{{{"CompareOnly"}}};
constexpr Rules<1> kCmpColumn{{{"CompareColumn"}}};

constexpr std::array kKeys{
    LanguageKey{"str_UNKfile", true, kNone},
    LanguageKey{"str_Succes", true, kNone},
    LanguageKey{"str_PlSel", true, kPlSel},
    LanguageKey{"str_CmpgpfF", true, kCmpgpfF},
    LanguageKey{"str_SalCh", true, kNone},
    LanguageKey{"str_save", true, kNone},
    LanguageKey{"str_open", true, kNone},
    LanguageKey{"str_CntCmp", true, kNone},
    LanguageKey{"str_LarPic", true, kNone},
    LanguageKey{"cap_FFinfo", false, kFFinfo},
    LanguageKey{"cap_TrCh", false, kTrCh},
    LanguageKey{"cap_mnFileR", false, kFileR},
    LanguageKey{"cap_mnFileOp", false, kFileOp},
    LanguageKey{"cap_mnFileEx", false, kFileEx},
    LanguageKey{"cap_tStr1tab1", false, kTab},
    LanguageKey{"str_mModel", true, kNone},
    LanguageKey{"str_firmW", true, kNone},
    LanguageKey{"str_lngPa", true, kNone},
    LanguageKey{"str_platf", true, kNone},
    LanguageKey{"str_manuf", true, kNone},
    LanguageKey{"str_RegExt", true, kNone},
    LanguageKey{"cap_mnSBMP", false, kSBMP},
    LanguageKey{"cap_mnSGPF", false, kSGPF},
    LanguageKey{"cap_mnSPNG", false, kSPNG},
    LanguageKey{"str_fnExi", true, kNone},
    LanguageKey{"cap_mnHelp", false, kHelp},
    LanguageKey{"cap_mnHAbout", false, kHAbout},
    LanguageKey{"str_tnx", true, kNone},
    LanguageKey{"str_faExi", true, kNone},
    LanguageKey{"str_fChan", true, kNone},
    LanguageKey{"str_4save", true, kNone},
    LanguageKey{"str_4open", true, kNone},
    LanguageKey{"str_cFold", true, kNone},
    LanguageKey{"cap_mnLoad", false, kLoad},
    LanguageKey{"cap_mnSaPa", false, kSaPa},
    LanguageKey{"cap_mnSett", false, kSett},
    LanguageKey{"cap_Browse", false, kBrowse},
    LanguageKey{"cap_btnApl", false, kBtnApl},
    LanguageKey{"cap_btnCan", false, kBtnCan},
    LanguageKey{"cap_mnTools", false, kTools},
    LanguageKey{"cap_mnTsf", false, kTsf},
    LanguageKey{"cap_mnPPcP", false, kPPcP},
    LanguageKey{"str_all", true, kNone},
    LanguageKey{"cap_mnFileCl", false, kFileCl},
    LanguageKey{"cap_mnFFlash", false, kFFlash},
    LanguageKey{"cap_mnTExtrFgrP", false, kExtrFgrP},
    LanguageKey{"str_Def", true, kDef},
    LanguageKey{"cap_mnLods", false, kLods},
    LanguageKey{"str_AdZ", false, kAdZ},
    LanguageKey{"str_HfN", false, kHfN},
    LanguageKey{"cap_mnTExtrFGPN", false, kExtrFGPN},
    LanguageKey{"cap_mnCompare", false, kCompare},
    LanguageKey{"cap_mnCmpStage", false, kCmpStage},
    LanguageKey{"cap_mnCmpClose", false, kCmpClose},
    LanguageKey{"cap_CmpOnly", false, kCmpOnly},
    LanguageKey{"cap_CmpColumn", false, kCmpColumn},
    LanguageKey{"str_CmpWith", true, kNone},
    LanguageKey{"str_CmpDiffer", true, kNone},
    LanguageKey{"str_CmpOnlyB", true, kNone},
    LanguageKey{"str_CmpOnlyA", true, kNone},
    LanguageKey{"str_CmpPixels", true, kNone},
    LanguageKey{"str_CmpEntry", true, kNone},
    LanguageKey{"str_CmpBoth", true, kNone},
    LanguageKey{"str_CmpMoved", true, kNone},
    LanguageKey{"str_CmpNotInB", true, kNone},
    LanguageKey{"str_CmpUndec", true, kNone},
    LanguageKey{"str_CmpNoPIT", true, kNone},
    LanguageKey{"str_CmpModel", true, kNone},
    LanguageKey{"str_CmpStaged", true, kNone},
    LanguageKey{"str_CmpLeft", true, kNone},
};

constexpr std::string_view kAllKey = "str_all";

std::string compose(const CaptionRule& rule, std::string_view text, std::string_view languageName,
                    std::string_view allText) {
    std::string caption = std::string(rule.prefix) + std::string(text) + std::string(rule.suffix);
    if (rule.extra == All) caption += " (" + std::string(allText) + ")";
    if (rule.extra == LanguageName) caption += " " + std::string(languageName);
    return caption;
}

}  // namespace

std::span<const LanguageKey> LanguageKeys() {
    return kKeys;
}

LanguageChanges ReadLanguage(std::string_view bytes, std::string_view languageName,
                             std::string allText) {
    LanguageChanges changes;
    for (std::string_view line : SplitLines(bytes)) {
        for (const LanguageKey& key : kKeys) {
            const auto text = KeyValue(line, key.key);
            if (!text) continue;
            if (key.stored) changes.texts.emplace_back(key.key, *text);
            if (key.key == kAllKey) allText = *text;
            for (const CaptionRule& rule : key.captions) {
                changes.captions.emplace_back(rule.control,
                                              compose(rule, *text, languageName, allText));
            }
        }
    }
    return changes;
}

}  // namespace ConfigActions
