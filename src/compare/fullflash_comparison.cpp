#include "compare/fullflash_comparison.h"

#include <algorithm>

#include "codec/decoded_picture.h"
#include "codec/picture_decoder.h"
#include "codec/picture_type.h"
#include "codec/stream_length.h"
#include "support/basic_calculations.h"
#include "ui/silent_ui.h"

namespace {

using Bytes = std::span<const std::uint8_t>;

int bitDepthOf(std::uint8_t type) {
    return GPFcodec::TypeInfoFromCode(type).bitDepth;
}

/// A model field as text that can be shown: a file that is no fullflash has
/// any bytes there.
std::string printable(const std::string& field) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : field) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            text += c;
        } else {
            text += {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0x0F]};
        }
    }
    return text;
}

bool sameEntry(const PictureEntry& a, const PictureEntry& b) {
    return a.width == b.width && a.height == b.height && a.type == b.type &&
           a.dataOffset == b.dataOffset;
}

bool wholeOnCanvas(const PictureEntry& entry) {
    return entry.width <= DecodedPicture::kCanvasWidth &&
           entry.height <= DecodedPicture::kCanvasHeight;
}

bool sameBytes(Bytes a, std::size_t startA, Bytes b, std::size_t startB, std::size_t length) {
    return std::equal(a.begin() + static_cast<std::ptrdiff_t>(startA),
                      a.begin() + static_cast<std::ptrdiff_t>(startA + length),
                      b.begin() + static_cast<std::ptrdiff_t>(startB));
}

/// Data offsets sorted, so the place of a picture (up to the next picture's
/// data, or the end of the file) can be found.
std::vector<std::uint32_t> sortedOffsets(std::span<const PictureEntry> entries) {
    std::vector<std::uint32_t> offsets;
    offsets.reserve(entries.size());
    for (const PictureEntry& entry : entries) offsets.push_back(entry.dataOffset);
    std::sort(offsets.begin(), offsets.end());
    return offsets;
}

class PictureComparer {
  public:
    PictureComparer(Bytes flashA, std::span<const PictureEntry> a, Bytes flashB,
                    std::span<const PictureEntry> b)
        : m_flashA(flashA), m_flashB(flashB), m_entriesA(a), m_entriesB(b) {}

    PictureDifference compare(const PictureEntry& a, const PictureEntry& b) {
        PictureDifference difference;
        difference.number = a.number;
        difference.a = a;
        difference.b = b;
        difference.entry = !sameEntry(a, b);
        difference.undecodableA = bitDepthOf(a.type) == 0;
        difference.undecodableB = bitDepthOf(b.type) == 0;
        difference.pixels = pixelsDiffer(a, b, difference);
        return difference;
    }

  private:
    bool pixelsDiffer(const PictureEntry& a, const PictureEntry& b,
                      const PictureDifference& difference) {
        if (difference.undecodableA != difference.undecodableB) return true;
        if (a.width != b.width || a.height != b.height) return true;
        if (difference.undecodableA) return !samePlaces(a, b);
        if (a.type == b.type && sameStreams(a, b)) return false;
        // Pixels the canvas cannot hold are never decoded: equal streams are
        // the only proof that they are equal.
        if (!wholeOnCanvas(a)) return true;
        return !samePixels(a, b);
    }

    /// Equal stream bytes of equal types show the same picture, wherever they
    /// lie. A stream cut off by the end of its file proves nothing: the other
    /// file may go on where this one ends.
    [[nodiscard]] bool sameStreams(const PictureEntry& a, const PictureEntry& b) const {
        const auto lengthA = streamLength(m_flashA, a);
        const auto lengthB = streamLength(m_flashB, b);
        if (!lengthA || lengthA != lengthB) return false;
        if (a.dataOffset + *lengthA >= m_flashA.size() ||
            b.dataOffset + *lengthB >= m_flashB.size()) {
            return false;
        }
        return sameBytes(m_flashA, a.dataOffset, m_flashB, b.dataOffset, *lengthA);
    }

    static std::optional<std::size_t> streamLength(Bytes flash, const PictureEntry& entry) {
        return GPFcodec::StreamLength(flash, entry.dataOffset, entry.width, entry.height,
                                      GPFcodec::TypeInfoFromCode(entry.type));
    }

    /// Streams no decoder reads have no known length: their places, from the
    /// data offset up to the next picture's data, stand for them.
    bool samePlaces(const PictureEntry& a, const PictureEntry& b) {
        if (a.type != b.type) return false;
        if (m_offsetsA.empty()) {
            m_offsetsA = sortedOffsets(m_entriesA);
            m_offsetsB = sortedOffsets(m_entriesB);
        }
        const std::size_t lengthA = placeLength(m_flashA, m_offsetsA, a.dataOffset);
        return lengthA == placeLength(m_flashB, m_offsetsB, b.dataOffset) &&
               sameBytes(m_flashA, a.dataOffset, m_flashB, b.dataOffset, lengthA);
    }

    static std::size_t placeLength(Bytes flash, const std::vector<std::uint32_t>& offsets,
                                   std::uint32_t offset) {
        if (offset >= flash.size()) return 0;
        const auto next = std::upper_bound(offsets.begin(), offsets.end(), offset);
        const std::size_t end =
            next == offsets.end() ? flash.size() : std::min<std::size_t>(*next, flash.size());
        return end - offset;
    }

    bool samePixels(const PictureEntry& a, const PictureEntry& b) {
        decode(m_flashA, a, m_pictureA);
        decode(m_flashB, b, m_pictureB);
        const int columns = m_pictureA.canvasColumns();
        for (int y = 0; y < m_pictureA.canvasRows(); ++y) {
            const Cell* rowA = &m_pictureA.at(0, y);
            if (!std::equal(rowA, rowA + columns, &m_pictureB.at(0, y))) return false;
        }
        return true;
    }

    /// Cells a cut-off stream does not reach would keep an earlier picture's
    /// pixels; cleared first, they are equal on both sides.
    static void decode(Bytes flash, const PictureEntry& entry, DecodedPicture& picture) {
        picture.width = static_cast<std::int16_t>(entry.width);
        picture.height = static_cast<std::int16_t>(entry.height);
        for (int y = 0; y < picture.canvasRows(); ++y) {
            std::fill_n(&picture.at(0, y), picture.canvasColumns(), Cell{});
        }
        const auto info = GPFcodec::TypeInfoFromCode(entry.type);
        ByteCursor source(flash, entry.dataOffset);
        SilentUi quiet;
        GPFcodec::DecodePicture(picture, quiet, source, static_cast<std::int16_t>(entry.number),
                                entry.width, entry.height, info.compressed, info.bitDepth);
    }

    Bytes m_flashA;
    Bytes m_flashB;
    std::span<const PictureEntry> m_entriesA;
    std::span<const PictureEntry> m_entriesB;
    std::vector<std::uint32_t> m_offsetsA;
    std::vector<std::uint32_t> m_offsetsB;
    DecodedPicture m_pictureA;
    DecodedPicture m_pictureB;
};

}  // namespace

ScannedFullflash ScanFullflash(std::span<const std::uint8_t> flash) {
    ScannedFullflash scanned;
    scanned.identity = IdentifyFullflash(flash);
    const FullflashIdentity& id = scanned.identity;
    const auto rows = ReadPictureTable(flash, BasicCalculations_Tavik::HexToNumber(id.PITadr),
                                       EntryFormatFor(id.NewSGold, id.mModel), {});
    scanned.entries.reserve(rows.size());
    for (const PictureListEntry& row : rows) scanned.entries.push_back(row.entry);
    return scanned;
}

std::optional<std::string> Incompatibility(const FullflashIdentity& a, const FullflashIdentity& b) {
    if (a.platform == b.platform && a.mModel == b.mModel) return std::nullopt;
    return "A is " + printable(a.mModel) + " (" + a.platform + "), B is " + printable(b.mModel) +
           " (" + b.platform + "): only fullflashes of one model and platform can be compared";
}

bool PictureDifference::onlyMoved() const {
    return a && b && !pixels && a->width == b->width && a->height == b->height &&
           a->type == b->type && a->dataOffset != b->dataOffset;
}

std::vector<PictureDifference> ComparePictures(std::span<const std::uint8_t> flashA,
                                               std::span<const PictureEntry> a,
                                               std::span<const std::uint8_t> flashB,
                                               std::span<const PictureEntry> b) {
    std::vector<PictureDifference> differences;
    PictureComparer comparer(flashA, a, flashB, b);
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        PictureDifference difference = comparer.compare(a[i], b[i]);
        if (difference.entry || difference.pixels) differences.push_back(difference);
    }
    for (std::size_t i = common; i < std::max(a.size(), b.size()); ++i) {
        PictureDifference difference;
        difference.number = static_cast<int>(i);
        if (i < a.size()) {
            difference.a = a[i];
            difference.undecodableA = bitDepthOf(a[i].type) == 0;
        } else {
            difference.b = b[i];
            difference.undecodableB = bitDepthOf(b[i].type) == 0;
        }
        difference.entry = true;
        difference.pixels = true;
        differences.push_back(difference);
    }
    return differences;
}
