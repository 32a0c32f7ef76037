#include "tools/byte_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// Every way this processor can search against std::search, on haystacks where
// needles and near-misses (first and last byte right, middle wrong) sit at
// every offset of a 64-byte block, near the end and across the blocks' seams.
TEST(FindBytes, EachSearchUnitFindsWhatStdSearchFinds) {
    std::vector<SearchUnit> units{SearchUnit::Plain};
    if (BestSearchUnit() != SearchUnit::Plain) units.push_back(SearchUnit::Sse2);
    if (BestSearchUnit() == SearchUnit::Avx2) units.push_back(SearchUnit::Avx2);
    std::mt19937 random(7);
    for (const std::string& needle :
         std::vector<std::string>{"GIF89a", "\x89PNG\r\n\x1A\n", std::string("\x00\x3B", 2), "Q"}) {
        std::string nearMiss = needle;
        if (nearMiss.size() > 2) nearMiss[1] = '#';
        for (int round = 0; round < 300; ++round) {
            std::string haystack(std::uniform_int_distribution<std::size_t>(0, 300)(random),
                                 '\xFF');
            for (int planted = std::uniform_int_distribution<int>(0, 4)(random); planted > 0;
                 --planted) {
                const std::string& piece = random() % 2 ? needle : nearMiss;
                const std::size_t at =
                    std::uniform_int_distribution<std::size_t>(0, haystack.size())(random);
                haystack.replace(std::min(at, haystack.size()), piece.size(), piece);
            }
            // An allocation of exactly the haystack's size: reading past it is a finding.
            const std::vector<std::uint8_t> bytes(haystack.begin(), haystack.end());
            for (std::size_t from = 0; from <= haystack.size() + 1; from += 1 + random() % 40) {
                const auto it = std::search(
                    haystack.begin() + static_cast<std::ptrdiff_t>(std::min(from, haystack.size())),
                    haystack.end(), needle.begin(), needle.end());
                const std::size_t expected = it == haystack.end()
                                                 ? kNotFound
                                                 : static_cast<std::size_t>(it - haystack.begin());
                for (SearchUnit unit : units) {
                    ASSERT_EQ(FindBytesWith(unit, bytes, from, needle), expected)
                        << "unit " << static_cast<int>(unit) << " from " << from;
                }
            }
        }
    }
    EXPECT_EQ(FindBytes({}, 0, "a"), kNotFound);
    EXPECT_EQ(FindBytes({}, 0, ""), kNotFound);
}

}  // namespace
