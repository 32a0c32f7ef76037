#include "support/phrases.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(FillPhrase, PutsEachValueAtItsNumberOnce) {
    const struct {
        std::string_view text;
        std::initializer_list<std::string_view> values;
        std::string filled;
    } cases[] = {
        {"%1 of %2", {"3", "4"}, "3 of 4"},
        {"%2, %1", {"a", "b"}, "b, a"},
        {"%1 %2", {"%2", "x"}, "%2 x"},
        {"%3 and 100%", {"a"}, "%3 and 100%"},
        {"%", {}, "%"},
    };
    for (const auto& c : cases) EXPECT_EQ(FillPhrase(c.text, c.values), c.filled) << c.text;
}

TEST(PhraseBook, TakesTheLanguagesTextAndEnglishWhereItHasNone) {
    constexpr Phrase kSet{"str_A", "English %1"};
    constexpr Phrase kEmpty{"str_B", "English B"};
    constexpr Phrase kMissing{"str_C", "English C"};
    const std::map<std::string, std::string, std::less<>> texts{{"str_A", "Русский %1"},
                                                                {"str_B", ""}};
    const PhraseBook words([&texts](std::string_view key) -> const std::string* {
        const auto it = texts.find(key);
        return it == texts.end() ? nullptr : &it->second;
    });
    EXPECT_EQ(words(kSet, {"1"}), "Русский 1");
    EXPECT_EQ(words(kEmpty), "English B");
    EXPECT_EQ(words(kMissing), "English C");
    EXPECT_EQ(PhraseBook()(kSet, {"2"}), "English 2");
}

}  // namespace
