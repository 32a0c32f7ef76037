#include "page_texts.h"

#include <array>
#include <string_view>

#include "json_text.h"
#include "support/phrases.h"
#include "workspace/workspace.h"

namespace {

constexpr std::array kPagePhrases{
    Phrase{"str_WebPrivacy",
           "Your files stay on this computer: Pictavo runs inside this page, which sends "
           "nothing anywhere."},
    Phrase{"str_WebStart", "Open a fullflash (.bin) or drop it on the page."},
    Phrase{"str_WebDropRow", "Drop a PNG, BMP, GIF or JPEG file on a row to replace its picture."},
    Phrase{"str_WebReplace", "Replace picture..."},
    Phrase{"str_WebExport", "Export"},
    Phrase{"str_WebGpf2", "Save as GPF2"},
    Phrase{"str_WebZoom", "Zoom"},
    Phrase{"str_WebLanguage", "Language"},
    Phrase{"str_WebTooLarge", "%1 is %2 MiB: this page opens files of at most %3 MiB."},
    Phrase{"str_WebUndecodable", "The browser cannot decode this picture: %1"},
    Phrase{"str_WebStopped", "The page's engine stopped (%1). Open the fullflash again."},
};

/// Language texts the page shows as they stand.
constexpr std::array<std::string_view, 7> kShownTexts{
    "str_mModel", "str_firmW", "str_lngPa", "str_platf", "str_manuf", "str_all", "str_Succes"};

}  // namespace

void AddPageTexts(JsonText& answer, const Workspace& ws) {
    const PhraseBook words = ws.phrases();
    for (const Phrase& phrase : kPagePhrases) answer.key(phrase.key).value(words(phrase));
    for (std::string_view key : kShownTexts) answer.key(key).value(ws.text(key));
}
