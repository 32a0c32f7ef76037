#pragma once
// The generator behind pictavo-mkflash: a deterministic synthetic fullflash
// with identification fields, the platform structure, a picture index table,
// the pictures' data streams, erased flash and a few embedded files. The same
// options always give the same bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class MkflashPlatform { SGold, NewSGold };

/// A later version of an image: the image the same options make with seed
/// `baseSeed`, with `insert` new pictures at random indices, `remove` of its
/// pictures gone and `change` of them showing other pixels at their index.
/// Every picture's data is placed anew; a kept picture keeps its pixels and
/// depth, and some change their compression.
struct MkflashVersionOf {
    std::uint64_t baseSeed = 1;
    int insert = 0;
    int remove = 0;
    int change = 0;
};

struct MkflashOptions {
    MkflashPlatform platform = MkflashPlatform::SGold;
    std::string model = "S65";  ///< 3 or 4 characters
    int pictures = 200;         ///< table entries; more than the scan limit fill the table
    std::uint64_t seed = 1;
    int sizeMiB = 0;  ///< 0: the platform's default size
    std::uint8_t firmware = 0x58;
    std::string languagePack = "lg4";      ///< 3 characters
    std::string manufacturer = "SIEMENS";  ///< at most 16 characters, zero padded
    /// Embedded files among the resources behind the pictures: the six of the
    /// default image (PNG, GIF, XML, twice), then more of the same kinds.
    int embeddedFiles = 6;
    /// Three more files, an XML, a PNG and a GIF, back to back at the very end
    /// of the image: the GIF's trailer is the image's last byte.
    bool filesAtEnd = false;
    /// Makes a later version instead; `seed` then chooses what changes.
    std::optional<MkflashVersionOf> versionOf;
};

/// One picture as laid out: its table entry and its data stream.
struct MkflashPicture {
    int index = 0;
    int width = 0;
    int height = 0;
    std::uint8_t type = 0;
    std::uint32_t entryOffset = 0;  ///< file offset of the table entry
    std::uint32_t dataOffset = 0;   ///< file offset of the data stream
    std::uint32_t dataSize = 0;     ///< bytes in the data stream
    /// A version's picture: its index in the image it is a version of, or -1
    /// for an inserted one. Any other image's picture: its own index.
    int origin = -1;
    bool changed = false;  ///< a version's picture that shows other pixels than its origin
};

enum class EmbeddedKind { Png, Gif, Xml };

/// An embedded file: exactly the bytes a carver should cut out.
struct MkflashEmbedded {
    EmbeddedKind kind = EmbeddedKind::Png;
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

struct MkflashRegion {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

struct MkflashLayout {
    std::uint32_t platformPointer = 0;  ///< P, the file offset the pointer at 0x8FD08 leads to
    std::uint32_t pitOffset = 0;        ///< first table entry
    int entrySize = 8;                  ///< 8, or 12 for New-SGold E71 and EL71
    /// The table runs to the scan limit (2001 or 2501 entries); the entry
    /// behind the last one would pass the entry test but is never read.
    bool tableFull = false;
    std::uint32_t freeSpaceStart = 0;  ///< where the free-space search starts
    std::vector<MkflashPicture> pictures;
    std::vector<MkflashEmbedded> embedded;
    std::vector<MkflashRegion> erased;  ///< runs of 0xFF, in file order
    std::vector<int> removed;           ///< a version: indices of its origin's pictures left out
};

struct MkflashResult {
    std::vector<std::uint8_t> bytes;  ///< empty when `error` is set
    MkflashLayout layout;
    std::string error;  ///< why the options cannot be laid out

    [[nodiscard]] bool ok() const { return error.empty(); }
};

inline constexpr int kMkflashMaxSizeMiB = 256;
inline constexpr int kMkflashMaxEmbeddedFiles = 100000;

[[nodiscard]] int DefaultSizeMiB(MkflashPlatform platform);

/// Entries the scan reads at most: 2501 for the 12-byte entries of New-SGold
/// E71 and EL71 firmware, else 2001.
[[nodiscard]] int PictureLimit(MkflashPlatform platform, const std::string& model);

/// Builds the image, or explains why the options cannot be laid out (bad
/// field lengths, a size too small for the layout).
[[nodiscard]] MkflashResult MakeFullflash(const MkflashOptions& options);
