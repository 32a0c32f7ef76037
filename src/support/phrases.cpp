#include "support/phrases.h"

std::string PhraseBook::operator()(const Phrase& phrase) const {
    if (m_lookup) {
        const std::string* text = m_lookup(phrase.key);
        if (text != nullptr && !text->empty()) return *text;
    }
    return std::string(phrase.english);
}

std::string PhraseBook::operator()(const Phrase& phrase,
                                   std::initializer_list<std::string_view> values) const {
    return FillPhrase((*this)(phrase), values);
}

std::string FillPhrase(std::string_view text, std::initializer_list<std::string_view> values) {
    std::string filled;
    filled.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const auto number = static_cast<std::size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && number < values.size()) {
            filled += *(values.begin() + number);
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}
