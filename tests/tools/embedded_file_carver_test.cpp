#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tools/embedded_file_carver.h"
#include "tools/windowed_carve_walk.h"

namespace {

std::span<const std::uint8_t> asBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::vector<CarvedFile> scan(const std::string& bytes, CarveKind kind) {
    EmbeddedFileCarver carver(asBytes(bytes), SignatureOf(kind));
    std::vector<CarvedFile> files;
    while (const auto file = carver.next()) files.push_back(*file);
    return files;
}

std::string filler(std::size_t count) {
    return std::string(count, '\xFF');
}

/// The claim the test below checks on many strings: the carver finds
/// exactly the files of the windowed walk whose last, partly filled window is
/// searched; the walk to the letter finds the first of them and misses only
/// files whose end signature lies in the last 255 bytes.
void expectWalkEquivalence(const std::string& bytes, CarveKind kind) {
    const CarveSignature& signature = SignatureOf(kind);
    const auto fixed = WindowedCarveWalk(asBytes(bytes), signature, LastWindow::Searched);
    ASSERT_EQ(scan(bytes, kind), fixed) << testing::PrintToString(bytes);

    const auto letter = WindowedCarveWalk(asBytes(bytes), signature, LastWindow::Skipped);
    ASSERT_LE(letter.size(), fixed.size());
    ASSERT_TRUE(std::equal(letter.begin(), letter.end(), fixed.begin()));
    for (std::size_t i = letter.size(); i < fixed.size(); ++i) {
        const std::size_t endSignatureEnd =
            fixed[i].offset + fixed[i].size - signature.endAdjustment;
        ASSERT_GT(endSignatureEnd + kCarveWindow, bytes.size());
    }
}

// Between two progress reports the search covers 8 MiB; a start signature
// that straddles the end of such a step is still found.
TEST(EmbeddedFileCarver, FindsASignatureAcrossTwoSearchSteps) {
    const std::size_t start = (std::size_t{8} << 20) - 3;
    const std::string bytes = filler(start) + "GIF89a" + std::string("\x00\x3B", 2);
    EXPECT_EQ(scan(bytes, CarveKind::Gif), (std::vector<CarvedFile>{{start, 8}}));
}

// Random strings of signatures, their pieces and gaps of every length.
TEST(EmbeddedFileCarver, EqualsTheWindowedWalkOnRandomStrings) {
    std::mt19937 random(20240531);
    auto pick = [&random](std::size_t low, std::size_t high) {
        return std::uniform_int_distribution<std::size_t>(low, high)(random);
    };
    for (CarveKind kind : {CarveKind::Gif, CarveKind::Png, CarveKind::Xml}) {
        const CarveSignature& signature = SignatureOf(kind);
        const std::string start(signature.start);
        const std::string end(signature.end);
        const std::string alphabet = start + end + "\xFF";
        for (int round = 0; round < 3000; ++round) {
            std::string bytes;
            for (std::size_t t = pick(1, 14); t > 0; --t) {
                switch (pick(0, 6)) {
                    case 0:
                        bytes += start;
                        break;
                    case 1:
                        bytes += end;
                        break;
                    case 2:
                        bytes += start.substr(0, pick(1, start.size() - 1));
                        break;
                    case 3:
                        bytes += alphabet[pick(0, alphabet.size() - 1)];
                        break;
                    case 4:
                        bytes += filler(pick(236, 262));
                        break;
                    case 5:
                        bytes += filler(pick(0, 12));
                        break;
                    default:
                        bytes += filler(pick(0, 700));
                        break;
                }
            }
            expectWalkEquivalence(bytes, kind);
        }
    }
}

}  // namespace
