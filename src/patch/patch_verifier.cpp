#include "patch/patch_verifier.h"

#include <algorithm>

#include "codec/picture_type.h"
#include "fullflash/identification.h"
#include "fullflash/picture_table.h"
#include "patch/stream_meter.h"
#include "support/basic_calculations.h"

using namespace BasicCalculations_Tavik;

namespace {

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
    const FlashIdentity id = IdentifyFullflash(flash);
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

    StreamMeter meter;
    for (const PictureEntry& entry : after) {
        if (!coverage.meets(entry.entryOffset, entry.entryOffset + patchedEntrySize)) continue;
        check.changed.push_back({entry.number, entry.width, entry.height, entry.type,
                                 entry.dataOffset, meter.Measure(patched, entry)});
    }
    for (const PictureEntry& entry : before) {
        if (coverage.meets(entry.entryOffset, entry.entryOffset + entrySize)) continue;
        // A format the decoder does not know still counts from its first byte.
        const std::uint64_t size = meter.Measure(flash, entry).value_or(1);
        if (size > 0 && coverage.meets(entry.dataOffset, entry.dataOffset + size)) {
            check.touched.push_back(
                {entry.number, entry.dataOffset, meter.Measure(patched, entry).has_value()});
        }
    }
}

std::string hex8(std::uint64_t value) {
    std::string text;
    for (; value != 0 || text.size() < 8; value >>= 4)
        text.insert(text.begin(), "0123456789ABCDEF"[value & 15]);
    return text;
}

std::string depthText(std::uint8_t type) {
    const auto info =
        GPFcodec::TypeInfoFromText(BytesToHex(std::string(1, static_cast<char>(type)), false));
    if (info.bitDepth == 0)
        return "type " + BytesToHex(std::string(1, static_cast<char>(type)), false);
    return std::to_string(info.bitDepth) + " bit " +
           (info.compressed ? "compressed" : "uncompressed");
}

}  // namespace

bool PatchCheck::Clean() const {
    const bool allDecode = std::all_of(changed.begin(), changed.end(), [](const ChangedPicture& p) {
        return p.dataSize.has_value();
    });
    return Applicable() && warnings.empty() && warningsNotListed == 0 && unchecked.empty() &&
           overlaps.empty() && touched.empty() && allDecode && picturesAfter == picturesBefore;
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
        check.errors.push_back(
            {doc.firstRecordNotKept, "more than " + std::to_string(doc.records.size()) +
                                         " data lines: too many to check, the rest is not read"});
    }

    std::vector<const Vkp::Record*> inside;
    for (const Vkp::Record& r : doc.records) {
        if (r.address < 0) {
            check.errors.push_back({r.line, "lies before the start of the fullflash"});
            continue;
        }
        if (static_cast<std::uint64_t>(r.address) + r.newBytes.size() > flash.size()) {
            check.errors.push_back(
                {r.line, "lies past the end of the fullflash (size " + hex8(flash.size()) + ")"});
            continue;
        }
        inside.push_back(&r);
        checkOldBytes(flash, r, check);
    }
    std::sort(check.errors.begin(), check.errors.end(),
              [](const Vkp::Finding& a, const Vkp::Finding& b) { return a.line < b.line; });
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

std::string PatchReport(const PatchCheck& check, std::string_view lineBreak,
                        std::size_t listLimit) {
    std::string text;
    auto line = [&](const std::string& s) {
        if (!text.empty()) text += lineBreak;
        text += s;
    };
    // `listed` of `count` items are at hand; the others are only counted.
    auto list = [&](std::size_t count, std::size_t listed, auto&& item) {
        const std::size_t shown = std::min(listed, listLimit);
        for (std::size_t i = 0; i < shown; ++i) line("  " + item(i));
        if (count > shown) line("  ... and " + std::to_string(count - shown) + " more");
    };
    auto findings = [&](const std::string& title, const std::vector<Vkp::Finding>& items,
                        std::size_t notListed) {
        line(title + ": " + std::to_string(items.size() + notListed));
        list(items.size() + notListed, items.size(), [&](std::size_t i) {
            return "line " + std::to_string(items[i].line) + ": " + items[i].message;
        });
    };
    const std::size_t differing = check.mismatches.size();
    if (differing > 0) {
        line("Old bytes match on " + std::to_string(check.matching) + " of " +
             std::to_string(check.matching + differing) +
             " lines: the patch was made for another firmware (or is applied already). Do not "
             "flash it.");
    }

    line("Lines: " + std::to_string(check.lines));
    line("Data lines: " + std::to_string(check.dataLines));
    line("Bytes changed: " + std::to_string(check.bytesChanged));
    findings("Lines that cannot be applied", check.errors, check.errorsNotListed);
    line("Lines whose old bytes match the fullflash: " + std::to_string(check.matching));
    line("Old bytes that differ from the fullflash: " + std::to_string(differing));
    list(differing, differing, [&](std::size_t i) {
        return "line " + std::to_string(check.mismatches[i].line) + ": at " +
               hex8(check.mismatches[i].address);
    });
    line("Lines without old bytes: " + std::to_string(check.unchecked.size()));
    list(check.unchecked.size(), check.unchecked.size(), [&](std::size_t i) {
        return "line " + std::to_string(check.unchecked[i]) +
               ": no old bytes: cannot be checked against this fullflash";
    });
    line("Overlapping lines: " + std::to_string(check.overlaps.size()));
    list(check.overlaps.size(), check.overlaps.size(), [&](std::size_t i) {
        const LineOverlap& o = check.overlaps[i];
        return "lines " + std::to_string(o.firstLine) + " and " + std::to_string(o.secondLine) +
               " at " + hex8(static_cast<std::uint64_t>(o.address));
    });
    findings("Warnings", check.warnings, check.warningsNotListed);
    line("Pictures listed: " + std::to_string(check.picturesAfter) +
         " (before the patch: " + std::to_string(check.picturesBefore) + ")");
    line("Pictures with a new entry: " + std::to_string(check.changed.size()));
    list(check.changed.size(), check.changed.size(), [&](std::size_t i) {
        const ChangedPicture& p = check.changed[i];
        std::string s = "picture " + std::to_string(p.number) + ": " + std::to_string(p.width) +
                        " x " + std::to_string(p.height) + ", " + depthText(p.type) + ", ";
        return s + (p.dataSize ? "decodes (" + std::to_string(*p.dataSize) + " bytes at " +
                                     hex8(p.dataOffset) + ")"
                               : "does not decode (data at " + hex8(p.dataOffset) + ")");
    });
    line("Pictures whose data changes without a new entry: " +
         std::to_string(check.touched.size()));
    list(check.touched.size(), check.touched.size(), [&](std::size_t i) {
        const TouchedPicture& p = check.touched[i];
        return "picture " + std::to_string(p.number) + " (data at " + hex8(p.dataOffset) +
               "): " + (p.decodes ? "decodes" : "does not decode");
    });
    line(check.Clean()        ? "Result: OK"
         : check.Applicable() ? "Result: problems found"
                              : "Result: cannot be applied");
    return text;
}
