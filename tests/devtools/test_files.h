#pragma once
// Fixture files for tests that go through real files: a temporary folder that
// removes itself, synthetic fullflash images written into it, and the picture
// list texts an image's layout predicts.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "common/temp_dir.h"
#include "devtools/mkflash.h"
#include "fullflash/picture_table.h"

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    const std::string bytes = ReadWholeFile(path);
    return {bytes.begin(), bytes.end()};
}

/// Small images keep the sanitizer builds quick.
inline MkflashOptions SmallSGold(int pictures = 12) {
    MkflashOptions options;
    options.pictures = pictures;
    options.sizeMiB = 2;
    return options;
}

inline MkflashOptions SmallNewSGold(const std::string& model = "E71", int pictures = 12) {
    MkflashOptions options;
    options.platform = MkflashPlatform::NewSGold;
    options.model = model;
    options.pictures = pictures;
    options.sizeMiB = 17;
    return options;
}

/// Builds the image, writes it to `path` and returns its layout.
inline MkflashLayout WriteFlash(const std::string& path, const MkflashOptions& options) {
    const MkflashResult result = MakeFullflash(options);
    EXPECT_TRUE(result.ok()) << result.error;
    WriteBytes(path, result.bytes);
    return result.layout;
}

/// The rows the picture list must show for a laid-out table, formatted here
/// The table entry the generator wrote for a picture.
inline PictureEntry EntryOf(const MkflashPicture& p) {
    return {p.index,
            static_cast<unsigned>(p.width),
            static_cast<unsigned>(p.height),
            p.type,
            0,
            p.entryOffset,
            p.dataOffset};
}

/// independently of the scan.
inline std::vector<PictureListEntry> ExpectedRows(const MkflashLayout& layout) {
    std::vector<PictureListEntry> rows;
    char buffer[16];
    auto format = [&buffer](const char* pattern, unsigned value) {
        std::snprintf(buffer, sizeof buffer, pattern, value);
        return std::string(buffer);
    };
    for (const MkflashPicture& p : layout.pictures) {
        const auto index = static_cast<unsigned>(p.index);
        const PictureEntry entry = EntryOf(p);
        rows.push_back({entry, format("%04u", index), format("%03X", index),
                        std::to_string(p.width), std::to_string(p.height), format("%02X00", p.type),
                        format("%X", p.entryOffset), format("%07X", p.dataOffset)});
    }
    return rows;
}

/// Writes the image to a file named after its model and seed; returns the path.
inline std::string WriteFlashPath(const TempDir& dir, const MkflashOptions& options) {
    const std::string path = dir.file(options.model + "-" + std::to_string(options.seed) + "-" +
                                      std::to_string(options.pictures) + ".bin");
    WriteFlash(path, options);
    return path;
}
