#include "patch/patch_verifier.h"

#include <algorithm>

#include "codec/stream_length.h"
#include "fullflash/identification.h"
#include "fullflash/picture_table.h"
#include "support/basic_calculations.h"

using namespace BasicCalculations_Tavik;

namespace {

/// Bytes of the stream a table entry points to; nothing for a type the
/// decoder refuses.
std::optional<std::size_t> streamLength(std::span<const std::uint8_t> flash,
                                        const PictureEntry& entry) {
    return GPFcodec::StreamLength(flash, entry.dataOffset, entry.width, entry.height,
                                  GPFcodec::TypeInfoFromCode(entry.type));
}

/// The byte ranges the applied lines write, merged.
class Coverage {
  public:
    explicit Coverage(const std::vector<const Vkp::Record*>& records) {
        for (const Vkp::Record* r : records) {
            const auto begin = static_cast<std::uint64_t>(r->address);
            m_ranges.emplace_back(begin, begin + r->newBytes.size());
        }
        std::sort(m_ranges.begin(), m_ranges.end());
        std::vector<std::pair<std::uint64_t, std::uint64_t>> merged;
        for (const auto& range : m_ranges) {
            if (!merged.empty() && range.first <= merged.back().second) {
                merged.back().second = std::max(merged.back().second, range.second);
            } else {
                merged.push_back(range);
            }
        }
        m_ranges = std::move(merged);
    }
    [[nodiscard]] bool meets(std::uint64_t begin, std::uint64_t end) const {
        const auto after = std::lower_bound(m_ranges.begin(), m_ranges.end(),
                                            std::make_pair(end, std::uint64_t{0}));
        return after != m_ranges.begin() && std::prev(after)->second > begin;
    }
    [[nodiscard]] const auto& ranges() const { return m_ranges; }

  private:
    std::vector<std::pair<std::uint64_t, std::uint64_t>> m_ranges;
};

std::vector<PictureEntry> pictureTable(std::span<const std::uint8_t> flash, EntryFormat& format) {
    const FullflashIdentity id = IdentifyFullflash(flash);
    format = EntryFormatFor(id.NewSGold, id.mModel);
    std::vector<PictureEntry> entries;
    for (const PictureListEntry& row :
         ReadPictureTable(flash, HexToNumber(id.PITadr), format, {})) {
        entries.push_back(row.entry);
    }
    return entries;
}

void findOverlaps(std::vector<const Vkp::Record*> records, std::vector<LineOverlap>& overlaps) {
    std::stable_sort(
        records.begin(), records.end(),
        [](const Vkp::Record* a, const Vkp::Record* b) { return a->address < b->address; });
    std::int64_t reach = 0;
    const Vkp::Record* reacher = nullptr;
    for (const Vkp::Record* r : records) {
        if (reacher != nullptr && r->address < reach) {
            overlaps.push_back(
                {std::min(reacher->line, r->line), std::max(reacher->line, r->line), r->address});
        }
        const std::int64_t end = r->address + static_cast<std::int64_t>(r->newBytes.size());
        if (end > reach) {
            reach = end;
            reacher = r;
        }
    }
    std::sort(overlaps.begin(), overlaps.end(), [](const LineOverlap& a, const LineOverlap& b) {
        return a.secondLine < b.secondLine;
    });
}

/// Old bytes longer than the new ones are checked whole; past the end of the
/// file they cannot match.
void checkOldBytes(std::span<const std::uint8_t> flash, const Vkp::Record& r, PatchCheck& check) {
    if (!r.oldBytes) {
        check.unchecked.push_back(r.line);
        return;
    }
    const auto start = static_cast<std::uint64_t>(r.address);
    for (std::size_t i = 0; i < r.oldBytes->size(); ++i) {
        if (start + i >= flash.size() ||
            static_cast<std::uint8_t>((*r.oldBytes)[i]) != flash[start + i]) {
            check.mismatches.push_back({r.line, start + i});
            return;
        }
    }
    ++check.matching;
}

void comparePictures(std::span<const std::uint8_t> flash, std::span<const std::uint8_t> patched,
                     const Coverage& coverage, PatchCheck& check) {
    EntryFormat format = EntryFormat::Short;
    const std::vector<PictureEntry> before = pictureTable(flash, format);
    const auto entrySize = static_cast<std::uint64_t>(EntrySize(format));
    EntryFormat patchedFormat = EntryFormat::Short;
    const std::vector<PictureEntry> after = pictureTable(patched, patchedFormat);
    const auto patchedEntrySize = static_cast<std::uint64_t>(EntrySize(patchedFormat));
    check.picturesBefore = before.size();
    check.picturesAfter = after.size();

    for (const PictureEntry& entry : after) {
        if (!coverage.meets(entry.entryOffset, entry.entryOffset + patchedEntrySize)) continue;
        const auto size = streamLength(patched, entry);
        check.changed.push_back(
            {entry.number, entry.width, entry.height, entry.type, entry.dataOffset,
             size ? std::optional(static_cast<std::uint32_t>(*size)) : std::nullopt});
    }
    for (const PictureEntry& entry : before) {
        if (coverage.meets(entry.entryOffset, entry.entryOffset + entrySize)) continue;
        // A format the decoder does not know still counts from its first byte.
        const std::uint64_t size = streamLength(flash, entry).value_or(1);
        if (size > 0 && coverage.meets(entry.dataOffset, entry.dataOffset + size)) {
            check.touched.push_back(
                {entry.number, entry.dataOffset, streamLength(patched, entry).has_value()});
        }
    }
}

}  // namespace

bool PatchCheck::clean() const {
    const bool allDecode = std::all_of(changed.begin(), changed.end(), [](const ChangedPicture& p) {
        return p.dataSize.has_value();
    });
    return applicable() && dataLines > 0 && !alreadyApplied() && warnings.empty() &&
           warningsNotListed == 0 && unchecked.empty() && overlaps.empty() && touched.empty() &&
           allDecode && picturesAfter == picturesBefore;
}

PatchResult VerifyPatch(std::span<const std::uint8_t> flash, std::string_view vkpText) {
    const Vkp::Document doc = Vkp::ParseVkp(vkpText);
    PatchResult result;
    PatchCheck& check = result.check;
    check.lines = doc.lines;
    check.errors = doc.errors;
    check.warnings = doc.warnings;
    check.errorsNotListed = doc.errorsNotKept;
    check.warningsNotListed = doc.warningsNotKept;
    if (doc.recordsNotKept > 0) {
        check.firstLineNotKept = doc.firstRecordNotKept;
        check.dataLinesKept = doc.records.size();
    }

    check.flashSize = flash.size();
    std::vector<const Vkp::Record*> inside;
    for (const Vkp::Record& r : doc.records) {
        if (r.address < 0 ||
            static_cast<std::uint64_t>(r.address) + r.newBytes.size() > flash.size()) {
            check.outside.push_back({r.line, r.address < 0});
            continue;
        }
        inside.push_back(&r);
        checkOldBytes(flash, r, check);
        const auto at = flash.begin() + r.address;
        check.alreadyInPlace +=
            std::equal(r.newBytes.begin(), r.newBytes.end(), at,
                       [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
    }
    check.dataLines = static_cast<int>(doc.records.size());
    findOverlaps(inside, check.overlaps);

    result.patched.assign(flash.begin(), flash.end());
    for (const Vkp::Record* r : inside) {
        std::copy(r->newBytes.begin(), r->newBytes.end(), result.patched.begin() + r->address);
    }
    const Coverage coverage(inside);
    for (const auto& [begin, end] : coverage.ranges()) {
        for (std::uint64_t at = begin; at < end; ++at)
            check.bytesChanged += flash[at] != result.patched[at];
    }
    comparePictures(flash, result.patched, coverage, check);
    return result;
}
