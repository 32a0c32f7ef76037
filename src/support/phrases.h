#pragma once
// Words the core puts together for people (verdicts, reports, status lines):
// each has a language key and the English it reads while no language file
// gives the key a text. pictavo-cli prints its reports in that English, so
// scripts reading them never depend on the configured language.

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

struct Phrase {
    std::string_view key;      ///< "str_..." in the language files
    std::string_view english;  ///< "%1" … "%9" stand for the values filled in
};

class PhraseBook {
  public:
    /// A language's text of a key, or nullptr (or an empty text) when it has none.
    using Lookup = std::function<const std::string*(std::string_view key)>;

    /// English throughout.
    PhraseBook() = default;
    explicit PhraseBook(Lookup lookup) : m_lookup(std::move(lookup)) {}

    [[nodiscard]] std::string operator()(const Phrase& phrase) const;
    /// The phrase with "%1" replaced by the first value, "%2" by the second …
    [[nodiscard]] std::string operator()(const Phrase& phrase,
                                         std::initializer_list<std::string_view> values) const;

  private:
    Lookup m_lookup;
};

/// `text` with "%1" … "%9" replaced by `values` in one pass, so a value that
/// holds "%2" itself stays as it is; a number without a value stays too.
[[nodiscard]] std::string FillPhrase(std::string_view text,
                                     std::initializer_list<std::string_view> values);
