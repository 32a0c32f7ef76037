#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tools/embedded_file_scanner.h"
#include "tools/windowed_carve_walk.h"

namespace {

using namespace std::string_literals;

std::span<const std::uint8_t> asBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::vector<CarvedFile> scan(const std::string& bytes, CarveKind kind) {
    EmbeddedFileScanner scanner(asBytes(bytes), SignatureOf(kind));
    std::vector<CarvedFile> files;
    while (const auto file = scanner.next()) files.push_back(*file);
    return files;
}

std::string filler(std::size_t count) {
    return std::string(count, '\xFF');
}

const std::string kGif = "GIF89a";
const std::string kGifEnd = "\x00\x3B"s;
const std::string kPng = "\x89PNG\r\n\x1A\n";
const std::string kXml = "<?xml ";
const std::string kXmlEnd = " \x00"s;

TEST(EmbeddedFileScanner, FindsTheFilesTheWindowedWalkDefines) {
    const struct {
        const char* name;
        CarveKind kind;
        std::string bytes;
        std::vector<CarvedFile> files;
    } cases[] = {
        {"trailer 100 bytes after the start",
         CarveKind::Gif,
         filler(0x200) + kGif + filler(94) + kGifEnd + filler(300),
         {{0x200, 102}}},
        {"a PNG keeps the CRC after IEND",
         CarveKind::Png,
         filler(9) + kPng + "IHDR" + "IEND" + "\xAE\x42\x60\x82" + filler(300),
         {{9, 20}}},
        {"an XML text stops before its blank and zero",
         CarveKind::Xml,
         kXml + "a=1" + kXmlEnd + filler(300),
         {{0, 9}}},
        {"back to back",
         CarveKind::Gif,
         filler(3) + kGif + kGifEnd + kGif + "x" + kGifEnd + filler(300),
         {{3, 8}, {11, 9}}},
        {"a start in a later window replaces the first",
         CarveKind::Gif,
         kGif + filler(300) + kGif + filler(10) + kGifEnd + filler(300),
         {{306, 18}}},
        {"a start inside the first one's window does not",
         CarveKind::Gif,
         kGif + filler(100) + kGif + filler(300) + kGifEnd + filler(300),
         {{0, 414}}},
        {"an end with no start", CarveKind::Gif, filler(20) + kGifEnd + filler(300), {}},
        {"nothing at all", CarveKind::Png, "", {}},
        {"a start as the last bytes", CarveKind::Gif, filler(400) + kGif, {}},
        {"an end as the last bytes, in the last window",
         CarveKind::Gif,
         filler(400) + kGif + "ab" + kGifEnd,
         {{400, 10}}},
        {"a CRC cut off by the end of the file", CarveKind::Png, kPng + "IEND\xAE", {{0, 13}}},
        {"a start across two steps of the search",
         CarveKind::Gif,
         filler((std::size_t{8} << 20) - 3) + kGif + kGifEnd + filler(300),
         {{(std::size_t{8} << 20) - 3, 8}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(scan(c.bytes, c.kind), c.files) << c.name;
        EXPECT_EQ(WindowedCarveWalk(asBytes(c.bytes), SignatureOf(c.kind), LastWindow::Searched),
                  c.files)
            << c.name;
    }
    // The walk to the letter never searches the last, partly filled window.
    const std::string lastWindow = filler(400) + kGif + "ab" + kGifEnd;
    EXPECT_EQ(
        WindowedCarveWalk(asBytes(lastWindow), SignatureOf(CarveKind::Gif), LastWindow::Skipped),
        std::vector<CarvedFile>{});

    EXPECT_EQ(CarvedFileName(0x200, ".gif"), "00000200.gif");
    EXPECT_EQ(CarvedFileName(0x123456789ABull, ".png"), "123456789AB.png");
}

/// The claim the test below checks on many strings: the scanner finds
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

// Random strings of signatures, their pieces and gaps of every length.
TEST(EmbeddedFileScanner, EqualsTheWindowedWalkOnRandomStrings) {
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
