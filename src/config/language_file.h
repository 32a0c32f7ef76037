#pragma once
// Language files: one "key<separator>text" line per message text or caption.
// Keys and separators are matched on the bytes; texts stay byte strings (the
// window decodes them for display).

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ConfigActions {

/// What a caption is made of besides the key's text.
enum class CaptionExtra {
    None,
    All,           ///< " (" + the text of str_all + ")"
    LanguageName,  ///< " " + the configured language name
};

/// One caption a key sets: prefix + text + suffix + extra.
struct CaptionRule {
    std::string_view control;
    std::string_view prefix = {};
    std::string_view suffix = {};
    CaptionExtra extra = CaptionExtra::None;
};

struct LanguageKey {
    std::string_view key;
    bool stored;  ///< the text is kept as the message text of the key
    std::span<const CaptionRule> captions;
};

/// Every key, in the order each line is tested.
[[nodiscard]] std::span<const LanguageKey> LanguageKeys();

/// What a language file changes, each list in file order.
struct LanguageChanges {
    std::vector<std::pair<std::string, std::string>> texts;     ///< key, text
    std::vector<std::pair<std::string, std::string>> captions;  ///< control, caption

    friend bool operator==(const LanguageChanges&, const LanguageChanges&) = default;
};

/// Reads a language file. Captions that include str_all use its text as it
/// stands at that line: `allText` (the text kept from before) until the file
/// sets it.
[[nodiscard]] LanguageChanges ReadLanguage(std::string_view bytes, std::string_view languageName,
                                           std::string allText);

}  // namespace ConfigActions
