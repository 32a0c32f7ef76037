#include "devtools/mkflash.h"

#include <algorithm>
#include <array>
#include <span>

#include "devtools/byte_writer.h"
#include "devtools/embedded_files.h"
#include "devtools/picture_streams.h"
#include "devtools/seeded_random.h"

using namespace ByteWriter;

namespace {

constexpr std::uint32_t kMiB = 1u << 20;
constexpr std::uint32_t kFlashBase = 0xA0000000;  // flash address of file offset 0

// Identification fields and the platform pointer.
constexpr std::uint32_t kFirmwareAt = 0x8FC50;
constexpr std::uint32_t kLanguagePackAt = 0x8FC60;
constexpr std::uint32_t kModelAt = 0x8FC70;
constexpr std::uint32_t kManufacturerAt = 0x8FC80;
constexpr std::uint32_t kPlatformPointerAt = 0x8FD08;

// The platform structure P and what hangs off it.
constexpr std::uint32_t kPlatformStructure = 0xA0000;
constexpr std::uint32_t kMarker = 31;          // P + 31: zero on SGold
constexpr std::uint32_t kSGoldPit = 28;        // SGold: the table starts at P + 28
constexpr std::uint32_t kDisplacementAt = 48;  // New-SGold: byte k at P + 48 ...
constexpr std::uint8_t kDisplacement =
    0x40;  // ... so the table pointer sits at P - 44 + k = P + 20
constexpr std::uint32_t kNewSGoldPit = 0x200000;

// Erased flash: a run the SGold free-space search finds after stepping over
// some code at 0x40000, and everything behind the New-SGold start 0x1000000.
constexpr std::uint32_t kSGoldFreeSpace = 0x40000;
constexpr std::uint32_t kNewSGoldFreeSpace = 0x1000000;
constexpr std::uint32_t kCodeAtFreeSpace = 0x100;
constexpr std::uint32_t kLowErasedEnd = 0x80000;
constexpr std::uint32_t kMinErasedTail = 0x10000;

// Every type byte the decoder knows, uncompressed then compressed.
constexpr std::array<std::uint8_t, 10> kTypes{0x01, 0x05, 0x07, 0x08, 0x0A,
                                              0x81, 0x85, 0x87, 0x88, 0x8A};

std::uint32_t alignUp(std::uint32_t value, std::uint32_t alignment) {
    return (value + alignment - 1) / alignment * alignment;
}

std::uint32_t mibFor(std::uint32_t bytes) {
    return (bytes + kMiB - 1) / kMiB;
}

bool isLongFormat(MkflashPlatform platform, const std::string& model) {
    return platform == MkflashPlatform::NewSGold &&
           (model.starts_with("EL71") || model.starts_with("E71"));
}

struct PictureSize {
    int width;
    int height;
};

// Mostly icons, some menus and headers, a few full screens. The 8-byte entry
// holds the height in one byte; no picture is wider than the 240 columns the
// decoder's canvas has.
PictureSize pictureSize(int index, int maxHeight, SeededRandom& random) {
    if (index == 0) return {1, 1};
    if (index == 1) return {240, maxHeight};
    const int kind = random.between(0, 99);
    if (kind < 78) return {random.between(1, 40), random.between(1, 40)};
    if (kind < 98) return {random.between(16, 132), random.between(16, 176)};
    return {random.between(132, 240), random.between(160, maxHeight)};
}

struct PlannedPicture {
    MkflashPicture info;  ///< offsets and size are set when the pictures are placed
    PixelPattern pattern = PixelPattern::HorizontalGradient;
    SourcePixel tint;
    bool flipped = false;  ///< a version's picture stored in the other compression
};

/// Whether a picture of `type` shows the same pixels in the other compression.
/// Compressed 8 and 16 bits come from the program's encoder, which rounds
/// colours where the uncompressed streams here truncate them; uncompressed
/// ones are compressed by the decoding rules instead, from the same stored pixels.
bool keepsPixelsFlipped(std::uint8_t type) {
    const int depth = BitDepthOf(type);
    return depth == 1 || depth == 12 || depth == 24 || (type & 0x80) == 0;
}

std::vector<std::uint8_t> streamOf(const PlannedPicture& picture,
                                   const std::vector<SourcePixel>& pixels) {
    const MkflashPicture& info = picture.info;
    const int depth = BitDepthOf(info.type);
    if (picture.flipped && (depth == 8 || depth == 16) && (info.type & 0x80) != 0) {
        return RunLengthPixelsStream(depth, pixels);
    }
    return PictureStream(info.type, info.width, info.height, pixels);
}

PlannedPicture randomPicture(int index, int maxHeight, std::uint8_t type, SeededRandom& random) {
    const PictureSize size = pictureSize(index, maxHeight, random);
    PlannedPicture picture;
    picture.pattern = static_cast<PixelPattern>(random.between(0, kPixelPatternCount - 1));
    picture.tint = {random.byte(), random.byte(), random.byte()};
    picture.info.width = size.width;
    picture.info.height = size.height;
    picture.info.type = type;
    return picture;
}

std::vector<PlannedPicture> planPictures(std::uint64_t seed, int count, int maxHeight) {
    SeededRandom random(seed);
    std::vector<PlannedPicture> planned;
    planned.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::uint8_t type = kTypes[(static_cast<std::uint64_t>(i) + seed) % kTypes.size()];
        planned.push_back(randomPicture(i, maxHeight, type, random));
        planned.back().info.origin = i;
    }
    return planned;
}

/// A changed picture's first pixel turns opaque and from dark to white or
/// from light to black, so it differs in every format, 1 bit included.
std::vector<SourcePixel> pixelsOf(const PlannedPicture& picture) {
    std::vector<SourcePixel> pixels =
        MakePixels(picture.info.width, picture.info.height, picture.pattern, picture.tint);
    if (picture.info.changed && !pixels.empty()) {
        const SourcePixel& first = pixels.front();
        const bool dark = first.red * 299 + first.green * 587 + first.blue * 114 < 128 * 1000;
        const std::uint8_t value = dark ? 255 : 0;
        pixels.front() = {value, value, value, false};
    }
    return pixels;
}

/// Numbers the pictures in table order, places their data one after the
/// other from `dataStart` and returns their streams.
std::vector<std::vector<std::uint8_t>> placePictures(std::vector<PlannedPicture>& planned,
                                                     int entrySize, std::uint32_t pitOffset,
                                                     std::uint32_t dataStart) {
    std::vector<std::vector<std::uint8_t>> streams;
    streams.reserve(planned.size());
    std::uint32_t dataOffset = dataStart;
    for (std::size_t i = 0; i < planned.size(); ++i) {
        MkflashPicture& info = planned[i].info;
        streams.push_back(streamOf(planned[i], pixelsOf(planned[i])));
        info.index = static_cast<int>(i);
        info.entryOffset =
            pitOffset + static_cast<std::uint32_t>(i) * static_cast<std::uint32_t>(entrySize);
        info.dataOffset = dataOffset;
        info.dataSize = static_cast<std::uint32_t>(streams.back().size());
        dataOffset += info.dataSize;
    }
    return streams;
}

/// `count` of the numbers in `pool`, chosen at random.
std::vector<int> pickFrom(std::vector<int> pool, int count, SeededRandom& random) {
    for (int i = 0; i < count; ++i) {
        const int j = random.between(i, static_cast<int>(pool.size()) - 1);
        std::swap(pool[static_cast<std::size_t>(i)], pool[static_cast<std::size_t>(j)]);
    }
    pool.resize(static_cast<std::size_t>(count));
    return pool;
}

/// Turns the planned pictures of an image into those of its later version;
/// the error when the changes do not fit the image.
std::string makeVersion(std::vector<PlannedPicture>& pictures, const MkflashVersionOf& version,
                        std::uint64_t seed, int maxHeight, int limit, std::vector<int>& removed) {
    const int count = static_cast<int>(pictures.size());
    if (version.insert < 0 || version.remove < 0 || version.change < 0)
        return "--insert, --remove and --change cannot be negative";
    if (version.remove + version.change > count) {
        return "the image has " + std::to_string(count) + " pictures: too few to remove " +
               std::to_string(version.remove) + " and change " + std::to_string(version.change);
    }
    if (count - version.remove + version.insert > limit) {
        return "the version would have " + std::to_string(count - version.remove + version.insert) +
               " pictures; the table holds at most " + std::to_string(limit);
    }
    SeededRandom random(seed ^ 0x7E57AB1E7E57AB1Eull);
    std::vector<int> all(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) all[static_cast<std::size_t>(i)] = i;
    const std::vector<int> chosen = pickFrom(all, version.remove + version.change, random);
    removed.assign(chosen.begin(), chosen.begin() + version.remove);
    std::sort(removed.begin(), removed.end());
    for (auto it = chosen.begin() + version.remove; it != chosen.end(); ++it) {
        PlannedPicture& picture = pictures[static_cast<std::size_t>(*it)];
        picture.info.changed = true;
        picture.tint = {random.byte(), random.byte(), random.byte()};
    }

    std::vector<PlannedPicture> kept;
    for (PlannedPicture& picture : pictures) {
        if (std::binary_search(removed.begin(), removed.end(), picture.info.origin)) continue;
        // The same pixels in the other compression: what a later firmware
        // may store instead, which a match by what pictures show must see through.
        if (random.between(0, 3) == 0 && !picture.info.changed &&
            keepsPixelsFlipped(picture.info.type)) {
            picture.info.type ^= 0x80;
            picture.flipped = true;
        }
        kept.push_back(picture);
    }
    for (int i = 0; i < version.insert; ++i) {
        const std::uint8_t type = kTypes[static_cast<std::size_t>(random.between(0, 9))];
        PlannedPicture inserted = randomPicture(2, maxHeight, type, random);
        inserted.info.origin = -1;
        const int at = random.between(0, static_cast<int>(kept.size()));
        kept.insert(kept.begin() + at, std::move(inserted));
    }
    pictures = std::move(kept);
    return {};
}

struct PlannedFile {
    MkflashEmbedded info;
    std::vector<std::uint8_t> bytes;
};

// The files of the resource area, in the order PNG, GIF, XML, PNG, GIF, XML,
// repeated with other sizes and texts after the first six.
std::pair<EmbeddedKind, std::vector<std::uint8_t>> embeddedFile(int index) {
    const int round = index / 6;
    switch (index % 6) {
        case 0:
            return {EmbeddedKind::Png,
                    round == 0 ? MakePng(4, 4) : MakePng(1 + round % 6, 1 + (round + 3) % 6)};
        case 1:
            return {EmbeddedKind::Gif, MakeGif(1 + round % 2)};
        case 2:
            return {EmbeddedKind::Xml, MakeXml(2 * round + 1)};
        case 3:
            return {EmbeddedKind::Png,
                    round == 0 ? MakePng(6, 2) : MakePng(1 + (round + 2) % 6, 1 + round / 6 % 6)};
        case 4:
            return {EmbeddedKind::Gif, MakeGif(2 - round % 2)};
        default:
            return {EmbeddedKind::Xml, MakeXml(2 * round + 2)};
    }
}

// Files with code between them; each second GIF follows the PNG before it
// directly. An XML text is closed by a blank and a zero byte.
std::vector<PlannedFile> planEmbedded(std::uint32_t start, int count, SeededRandom& random) {
    std::vector<PlannedFile> planned;
    std::uint32_t offset = start;
    for (int i = 0; i < count; ++i) {
        auto [kind, bytes] = embeddedFile(i);
        const bool backToBack = i % 6 == 4;
        if (!backToBack) offset += static_cast<std::uint32_t>(random.between(16, 64));
        planned.push_back(
            {{kind, offset, static_cast<std::uint32_t>(bytes.size())}, std::move(bytes)});
        offset += planned.back().info.size;
        if (kind == EmbeddedKind::Xml) offset += 2;
    }
    return planned;
}

// The files at the end of the image: XML (with its blank and zero), PNG, GIF.
std::vector<PlannedFile> planFilesAtEnd(std::uint32_t imageEnd) {
    std::vector<PlannedFile> planned;
    for (auto& [kind, bytes] :
         {std::pair{EmbeddedKind::Xml, MakeXml(0)}, std::pair{EmbeddedKind::Png, MakePng(1, 1)},
          std::pair{EmbeddedKind::Gif, MakeGif(1)}}) {
        planned.push_back({{kind, 0, static_cast<std::uint32_t>(bytes.size())}, bytes});
    }
    std::uint32_t offset = imageEnd;
    for (auto file = planned.rbegin(); file != planned.rend(); ++file) {
        offset -= file->info.size + (file->info.kind == EmbeddedKind::Xml ? 2 : 0);
        file->info.offset = offset;
    }
    return planned;
}

class ImageWriter {
  public:
    ImageWriter(std::uint32_t size, std::uint64_t seed) : m_bytes(size, 0xFF), m_random(seed) {}

    /// Firmware code: bytes without structure, never a run of erased blocks.
    void code(std::uint32_t begin, std::uint32_t end) {
        for (std::uint32_t i = begin; i < end; i += 8) {
            const std::uint64_t value = m_random.next();
            for (std::uint32_t b = 0; b < 8 && i + b < end; ++b) {
                m_bytes[i + b] = static_cast<std::uint8_t>(value >> (8 * b));
            }
        }
    }
    void bytes(std::uint32_t at, std::span<const std::uint8_t> data) {
        std::copy(data.begin(), data.end(), m_bytes.begin() + at);
    }
    [[nodiscard]] std::span<std::uint8_t> span() { return m_bytes; }
    [[nodiscard]] SeededRandom& random() { return m_random; }
    [[nodiscard]] std::vector<std::uint8_t> take() { return std::move(m_bytes); }

  private:
    std::vector<std::uint8_t> m_bytes;
    SeededRandom m_random;
};

std::string checkFields(const MkflashOptions& options) {
    if (options.model.size() < 3 || options.model.size() > 4) {
        return "the model must have 3 or 4 characters: '" + options.model + "'";
    }
    if (options.languagePack.size() != 3) return "the language pack must have 3 characters";
    if (options.manufacturer.size() > 16) return "the manufacturer has at most 16 characters";
    if (options.pictures < 0) return "the number of pictures cannot be negative";
    if (options.embeddedFiles < 1 || options.embeddedFiles > kMkflashMaxEmbeddedFiles) {
        return "the number of embedded files must be 1 to " +
               std::to_string(kMkflashMaxEmbeddedFiles);
    }
    if (options.sizeMiB < 0 || options.sizeMiB > kMkflashMaxSizeMiB) {
        return "the size must be 1 to " + std::to_string(kMkflashMaxSizeMiB) + " MiB";
    }
    return {};
}

void writeIdentification(ImageWriter& out, const MkflashOptions& options) {
    const std::span<std::uint8_t> image = out.span();
    image[kFirmwareAt] = options.firmware;
    putText(image, kLanguagePackAt, options.languagePack);
    std::fill_n(image.begin() + kModelAt, 4, 0);
    putText(image, kModelAt, options.model);
    std::fill_n(image.begin() + kManufacturerAt, 16, 0);
    putText(image, kManufacturerAt, options.manufacturer);
    putU32le(image, kPlatformPointerAt, kFlashBase + kPlatformStructure);
}

void writePlatformStructure(ImageWriter& out, bool newSGold, std::uint32_t pitOffset) {
    if (!newSGold) return;  // P + 31 is the second type byte of the first entry: zero
    const std::span<std::uint8_t> image = out.span();
    constexpr std::uint32_t p = kPlatformStructure;
    image[p + kMarker] = static_cast<std::uint8_t>(out.random().byte() | 0x01);
    image[p + kDisplacementAt] = kDisplacement;
    putU32le(image, p - 44 + kDisplacement, kFlashBase + pitOffset);
}

void writeEntry(std::span<std::uint8_t> image, std::uint32_t at, bool longFormat,
                const MkflashPicture& picture, std::uint16_t unused) {
    if (longFormat) {
        putU16le(image, at, static_cast<std::uint16_t>(picture.width));
        putU16le(image, at + 2, static_cast<std::uint16_t>(picture.height));
        image[at + 4] = picture.type;
        image[at + 5] = 0x00;
        putU16le(image, at + 6, unused);
        putU32le(image, at + 8, kFlashBase + picture.dataOffset);
    } else {
        image[at] = static_cast<std::uint8_t>(picture.width);
        image[at + 1] = static_cast<std::uint8_t>(picture.height);
        image[at + 2] = picture.type;
        image[at + 3] = 0x00;
        putU32le(image, at + 4, kFlashBase + picture.dataOffset);
    }
}

// Behind the last entry: an entry that ends the table (SGold: a type byte of
// 0x90 or more, which keeps P + 31 zero in an empty table; New-SGold: erased
// bytes), or, in a full table, a copy of the first entry, which the scan must
// never reach.
void writeTableEnd(ImageWriter& out, const MkflashLayout& layout, bool newSGold) {
    const std::span<std::uint8_t> image = out.span();
    const auto at = layout.pitOffset + static_cast<std::uint32_t>(layout.pictures.size()) *
                                           static_cast<std::uint32_t>(layout.entrySize);
    if (layout.tableFull) {
        std::copy_n(image.begin() + layout.pitOffset, layout.entrySize, image.begin() + at);
        return;
    }
    std::fill_n(image.begin() + at, layout.entrySize, 0xFF);
    if (!newSGold) image[at + 3] = 0x00;  // SGold entries are always 8 bytes
}

}  // namespace

int DefaultSizeMiB(MkflashPlatform platform) {
    return platform == MkflashPlatform::SGold ? 32 : 64;
}

int PictureLimit(MkflashPlatform platform, const std::string& model) {
    return isLongFormat(platform, model) ? 2501 : 2001;
}

MkflashResult MakeFullflash(const MkflashOptions& options) {
    MkflashResult result;
    result.error = checkFields(options);
    if (!result.ok()) return result;

    const bool newSGold = options.platform == MkflashPlatform::NewSGold;
    const bool longFormat = isLongFormat(options.platform, options.model);
    const int limit = PictureLimit(options.platform, options.model);
    const int maxHeight = longFormat ? 320 : 255;
    // A version is drawn from its image's seed; `seed` chooses what changes.
    const std::uint64_t imageSeed = options.versionOf ? options.versionOf->baseSeed : options.seed;
    std::vector<PlannedPicture> pictures =
        planPictures(imageSeed, std::min(options.pictures, limit), maxHeight);
    MkflashLayout& layout = result.layout;
    if (options.versionOf) {
        result.error = makeVersion(pictures, *options.versionOf, options.seed, maxHeight, limit,
                                   layout.removed);
        if (!result.ok()) return result;
    }
    const int count = static_cast<int>(pictures.size());
    const int sizeMiB = options.sizeMiB == 0 ? DefaultSizeMiB(options.platform) : options.sizeMiB;
    const auto size = static_cast<std::uint32_t>(sizeMiB) * kMiB;

    layout.platformPointer = kPlatformStructure;
    layout.pitOffset = newSGold ? kNewSGoldPit : kPlatformStructure + kSGoldPit;
    layout.entrySize = longFormat ? 12 : 8;
    layout.tableFull = options.versionOf ? count == limit : options.pictures >= limit;
    layout.freeSpaceStart = newSGold ? kNewSGoldFreeSpace : kSGoldFreeSpace;

    const std::uint32_t tableEnd =
        layout.pitOffset + static_cast<std::uint32_t>((count + 1) * layout.entrySize);
    // A version's data starts elsewhere, so no picture keeps its place.
    const std::uint32_t dataStart = alignUp(tableEnd, 0x100) + (options.versionOf ? 0x100 : 0);
    const std::vector<std::vector<std::uint8_t>> streams =
        placePictures(pictures, layout.entrySize, layout.pitOffset, dataStart);
    const std::uint32_t dataEnd =
        pictures.empty() ? dataStart
                         : pictures.back().info.dataOffset + pictures.back().info.dataSize;

    SeededRandom layoutRandom(imageSeed ^ 0x5A5A5A5A5A5A5A5Aull);
    std::vector<PlannedFile> files =
        planEmbedded(alignUp(dataEnd, 0x100), options.embeddedFiles, layoutRandom);
    const std::uint32_t embeddedEnd = files.back().info.offset + files.back().info.size + 2;
    const std::vector<PlannedFile> filesAtEnd =
        options.filesAtEnd ? planFilesAtEnd(size) : std::vector<PlannedFile>{};
    const std::uint32_t erasedEnd = filesAtEnd.empty() ? size : filesAtEnd.front().info.offset;

    const std::uint32_t codeEnd = newSGold ? kNewSGoldFreeSpace + kCodeAtFreeSpace : embeddedEnd;
    if (newSGold && embeddedEnd > kNewSGoldFreeSpace) {
        result.error =
            std::to_string(count) + " pictures do not fit below the free space at 0x1000000";
        return result;
    }
    if (codeEnd + kMinErasedTail + (size - erasedEnd) > size) {
        result.error = "--size-mib " + std::to_string(sizeMiB) +
                       " is too small for this layout: it needs at least " +
                       std::to_string(mibFor(codeEnd + kMinErasedTail + (size - erasedEnd))) +
                       " MiB";
        return result;
    }

    ImageWriter out(size, imageSeed ^ 0xC0DEC0DEC0DEC0DEull);
    out.code(0, kSGoldFreeSpace + kCodeAtFreeSpace);
    out.code(kLowErasedEnd, dataStart);
    out.code(dataEnd, codeEnd);
    layout.erased = {
        {kSGoldFreeSpace + kCodeAtFreeSpace, kLowErasedEnd - kSGoldFreeSpace - kCodeAtFreeSpace},
        {codeEnd, erasedEnd - codeEnd}};

    MkflashOptions identity = options;
    if (options.versionOf) ++identity.firmware;  // a later firmware of the same model
    writeIdentification(out, identity);
    writePlatformStructure(out, newSGold, layout.pitOffset);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const MkflashPicture& info = pictures[i].info;
        writeEntry(out.span(), info.entryOffset, longFormat, info,
                   static_cast<std::uint16_t>(out.random().next()));
        out.bytes(info.dataOffset, streams[i]);
        layout.pictures.push_back(info);
    }
    writeTableEnd(out, layout, newSGold);
    files.insert(files.end(), filesAtEnd.begin(), filesAtEnd.end());
    for (const PlannedFile& file : files) {
        out.bytes(file.info.offset, file.bytes);
        if (file.info.kind == EmbeddedKind::Xml) {
            out.span()[file.info.offset + file.info.size] = ' ';
            out.span()[file.info.offset + file.info.size + 1] = 0x00;
        }
        layout.embedded.push_back(file.info);
    }
    result.bytes = out.take();
    return result;
}
