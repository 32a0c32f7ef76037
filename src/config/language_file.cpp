#include "config/language_file.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

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

// Captions of what this program adds to the window; no key above reaches them.
constexpr Rules<1> kView{{{"mnu_View"}}};
constexpr Rules<1> kVFit{{{"mnu_View_ZoomFit"}}};
constexpr Rules<1> kVZoomIn{{{"mnu_View_ZoomIn"}}};
constexpr Rules<1> kVZoomOut{{{"mnu_View_ZoomOut"}}};
constexpr Rules<1> kSbZoom{{{"StatusZoom"}}};
constexpr Rules<1> kPngAlpha{{{"Check6"}}};
// The frames of the Settings dialog, after str_PlSel has captioned them with
// a file name no longer in use and with the language's own name.
constexpr Rules<1> kFrConv{{{"Frame2"}}};
constexpr Rules<1> kFrLang{{{"Frame1"}}};
constexpr Rules<1> kVChkb{{{"mnu_View_Checkerboard"}}};
constexpr Rules<1> kVerPa{{{"mnu_Fullflash_VerifyPatch"}}};
constexpr Rules<1> kDiscard{{{"mnu_PopupPictures_Discard"}}};
constexpr Rules<1> kHRdMe{{{"mnu_Help_ReadMe"}}};
constexpr Rules<12> kBit{{{"mnu_PopupPictures_Load_1bit", "1 "},
                          {"mnu_PopupPictures_Load_8bit", "8 "},
                          {"mnu_PopupPictures_Load_16bit", "16 "},
                          {"mnu_PopupPictures_Load_24bit", "24 "},
                          {"mnu_PopupPictures_Loads_1bit", "1 "},
                          {"mnu_PopupPictures_Loads_8bit", "8 "},
                          {"mnu_PopupPictures_Loads_16bit", "16 "},
                          {"mnu_PopupPictures_Loads_24bit", "24 "},
                          {"mnu_PopupPic_SaveAsGPF_1bit", "1 "},
                          {"mnu_PopupPic_SaveAsGPF_8bit", "8 "},
                          {"mnu_PopupPic_SaveAsGPF_16bit", "16 "},
                          {"mnu_PopupPic_SaveAsGPF_24bit", "24 "}}};
constexpr Rules<1> kTab2{{{"ThumbnailsTab"}}};
constexpr Rules<1> kLvNum{{{"ColumnHeader1"}}};
constexpr Rules<1> kLvHex{{{"ColumnHeader2"}}};
constexpr Rules<1> kLvWidth{{{"ColumnHeader3"}}};
constexpr Rules<1> kLvHeight{{{"ColumnHeader4"}}};
constexpr Rules<1> kLvType{{{"ColumnHeader5"}}};
constexpr Rules<1> kLvPIT{{{"ColumnHeader6"}}};
constexpr Rules<1> kLvPIC{{{"ColumnHeader7"}}};
constexpr Rules<1> kTipPIT{{{"ColumnTip6"}}};
constexpr Rules<1> kTipPIC{{{"ColumnTip7"}}};
constexpr Rules<1> kSbHint{{{"StatusHint"}}};
constexpr Rules<1> kSbCount{{{"StatusPictures"}}};
constexpr Rules<1> kSbSel{{{"StatusPicture"}}};
constexpr Rules<1> kSbData{{{"StatusDataAt"}}};
constexpr Rules<1> kSbBytes{{{"StatusBytes"}}};
constexpr Rules<1> kSbStaged{{{"StatusStaged"}}};
constexpr Rules<1> kSbNoPIT{{{"StatusNoTable"}}};
constexpr Rules<1> kBtnOK{{{"Command2"}}};
constexpr Rules<1> kBtnReg{{{"Command6"}}};
constexpr Rules<1> kDontAsk{{{"DontAskAgain"}}};
constexpr Rules<1> kPortPa{{{"mnu_Fullflash_PortPatch"}}};
constexpr Rules<1> kFindPic{{{"mnu_Tools_FindPicture"}}};

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
    LanguageKey{"cap_mnView", false, kView},
    LanguageKey{"cap_mnVFit", false, kVFit},
    LanguageKey{"cap_mnVChkb", false, kVChkb},
    LanguageKey{"cap_mnVerPa", false, kVerPa},
    LanguageKey{"cap_mnDiscard", false, kDiscard},
    LanguageKey{"cap_mnHRdMe", false, kHRdMe},
    LanguageKey{"cap_mnBit", false, kBit},
    LanguageKey{"cap_tStr1tab2", false, kTab2},
    LanguageKey{"cap_lvNum", false, kLvNum},
    LanguageKey{"cap_lvHex", false, kLvHex},
    LanguageKey{"cap_lvWidth", false, kLvWidth},
    LanguageKey{"cap_lvHeight", false, kLvHeight},
    LanguageKey{"cap_lvType", false, kLvType},
    LanguageKey{"cap_lvPIT", false, kLvPIT},
    LanguageKey{"cap_lvPIC", false, kLvPIC},
    LanguageKey{"cap_tipPIT", false, kTipPIT},
    LanguageKey{"cap_tipPIC", false, kTipPIC},
    LanguageKey{"cap_sbHint", false, kSbHint},
    LanguageKey{"cap_sbCount", false, kSbCount},
    LanguageKey{"cap_sbSel", false, kSbSel},
    LanguageKey{"cap_sbData", false, kSbData},
    LanguageKey{"cap_sbBytes", false, kSbBytes},
    LanguageKey{"cap_sbStaged", false, kSbStaged},
    LanguageKey{"cap_sbNoPIT", false, kSbNoPIT},
    LanguageKey{"cap_btnOK", false, kBtnOK},
    LanguageKey{"cap_btnReg", false, kBtnReg},
    LanguageKey{"cap_chDontAsk", false, kDontAsk},
    LanguageKey{"str_AbCredit", true, kNone},
    LanguageKey{"str_AbHelp", true, kNone},
    LanguageKey{"str_AbForums", true, kNone},
    LanguageKey{"str_AbViKlay", true, kNone},
    LanguageKey{"str_AbConv", true, kNone},
    LanguageKey{"str_RegNo", true, kNone},
    LanguageKey{"cap_mnVZoomIn", false, kVZoomIn},
    LanguageKey{"cap_mnVZoomOut", false, kVZoomOut},
    LanguageKey{"cap_sbZoom", false, kSbZoom},
    LanguageKey{"cap_chPngA", false, kPngAlpha},
    LanguageKey{"cap_frConv", false, kFrConv},
    LanguageKey{"cap_frLang", false, kFrLang},
    LanguageKey{"cap_mnPortPa", false, kPortPa},
    LanguageKey{"cap_mnFindPic", false, kFindPic},
};

constexpr std::string_view kAllKey = "str_all";

// A line can only carry a key that it starts with, so it is tried against the
// keys that share its first characters alone (in table order) instead of all:
// reading the language file is a good part of a short pictavo-cli run.
constexpr std::size_t kKeyHead = 5;
static_assert(std::all_of(kKeys.begin(), kKeys.end(),
                          [](const LanguageKey& key) { return key.key.size() >= kKeyHead; }));

const std::unordered_map<std::string_view, std::vector<const LanguageKey*>>& keysByHead() {
    static const auto byHead = [] {
        std::unordered_map<std::string_view, std::vector<const LanguageKey*>> heads;
        for (const LanguageKey& key : kKeys) heads[key.key.substr(0, kKeyHead)].push_back(&key);
        return heads;
    }();
    return byHead;
}

std::string compose(const CaptionRule& rule, std::string_view text, std::string_view languageName,
                    std::string_view allText) {
    std::string caption = std::string(rule.prefix) + std::string(text) + std::string(rule.suffix);
    if (rule.extra == All) caption.append(" (").append(allText).append(")");
    if (rule.extra == LanguageName) caption.append(" ").append(languageName);
    return caption;
}

/// A "str_Key=text" line of a text no table row names: the words the core
/// puts together (see support/phrases.h), kept under their own key.
std::optional<std::pair<std::string, std::string>> PhraseLine(std::string_view line) {
    constexpr std::string_view kPhrasePrefix = "str_";
    const std::size_t equals = line.find('=');
    if (!line.starts_with(kPhrasePrefix) || equals == std::string_view::npos ||
        equals == kPhrasePrefix.size())
        return std::nullopt;
    return std::pair{std::string(line.substr(0, equals)), std::string(line.substr(equals + 1))};
}

}  // namespace

std::span<const LanguageKey> LanguageKeys() {
    return kKeys;
}

LanguageChanges ReadLanguage(std::string_view bytes, std::string_view languageName,
                             std::string allText) {
    LanguageChanges changes;
    const auto& heads = keysByHead();
    for (std::string_view line : SplitLines(bytes)) {
        bool known = false;
        const auto candidates = heads.find(line.substr(0, kKeyHead));
        const std::vector<const LanguageKey*> none;
        for (const LanguageKey* candidate : candidates == heads.end() ? none : candidates->second) {
            const LanguageKey& key = *candidate;
            const auto text = KeyValue(line, key.key);
            if (!text) continue;
            known = true;
            if (key.stored) changes.texts.emplace_back(key.key, *text);
            if (key.key == kAllKey) allText = *text;
            for (const CaptionRule& rule : key.captions) {
                changes.captions.emplace_back(rule.control,
                                              compose(rule, *text, languageName, allText));
            }
        }
        if (const auto phrase = PhraseLine(line); !known && phrase)
            changes.texts.push_back(*phrase);
    }
    return changes;
}

}  // namespace ConfigActions
