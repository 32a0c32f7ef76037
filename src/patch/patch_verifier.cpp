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
        for (const Vkp::Record* r : records)
            m_ranges.emplace_back(r->address, r->address + r->newBytes.size());
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
    std::uint64_t reach = 0;
    const Vkp::Record* reacher = nullptr;
    for (const Vkp::Record* r : records) {
        if (reacher != nullptr && r->address < reach) {
            overlaps.push_back(
                {std::min(reacher->line, r->line), std::max(reacher->line, r->line), r->address});
        }
        const std::uint64_t end = r->address + r->newBytes.size();
        if (end > reach) {
            reach = end;
            reacher = r;
        }
    }
    std::sort(overlaps.begin(), overlaps.end(), [](const LineOverlap& a, const LineOverlap& b) {
        return a.secondLine < b.secondLine;
    });
}

void checkOldBytes(std::span<const std::uint8_t> flash, const Vkp::Record& r,
                   std::vector<OldBytesMismatch>& mismatches) {
    if (!r.oldBytes) return;
    for (std::size_t i = 0; i < r.oldBytes->size(); ++i) {
        if (static_cast<std::uint8_t>((*r.oldBytes)[i]) != flash[r.address + i]) {
            mismatches.push_back({r.line, static_cast<std::uint32_t>(r.address + i)});
            return;
        }
    }
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
            check.touched.push_back({entry.number, entry.dataOffset});
        }
    }
}

std::string hex8(std::uint32_t value) {
    return PadZeros(NumberToHex(value), 8);
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
    return Applicable() && warnings.empty() && overlaps.empty() && touched.empty() && allDecode &&
           picturesAfter == picturesBefore;
}

PatchResult VerifyPatch(std::span<const std::uint8_t> flash, std::string_view vkpText) {
    const Vkp::Document doc = Vkp::ParseVkp(vkpText);
    PatchResult result;
    PatchCheck& check = result.check;
    check.lines = doc.lines;
    check.errors = doc.errors;
    check.warnings = doc.warnings;

    std::vector<const Vkp::Record*> inside;
    for (const Vkp::Record& r : doc.records) {
        if (std::uint64_t{r.address} + r.newBytes.size() > flash.size()) {
            check.errors.push_back({r.line, "lies past the end of the fullflash (size " +
                                                hex8(static_cast<std::uint32_t>(flash.size())) +
                                                ")"});
            continue;
        }
        inside.push_back(&r);
        checkOldBytes(flash, r, check.mismatches);
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
    auto list = [&](std::size_t count, auto&& item) {
        for (std::size_t i = 0; i < std::min(count, listLimit); ++i) line("  " + item(i));
        if (count > listLimit) line("  ... and " + std::to_string(count - listLimit) + " more");
    };
    auto findings = [&](const std::string& title, const std::vector<Vkp::Finding>& items) {
        line(title + ": " + std::to_string(items.size()));
        list(items.size(), [&](std::size_t i) {
            return "line " + std::to_string(items[i].line) + ": " + items[i].message;
        });
    };

    line("Lines: " + std::to_string(check.lines));
    line("Data lines: " + std::to_string(check.dataLines));
    line("Bytes changed: " + std::to_string(check.bytesChanged));
    findings("Lines that cannot be applied", check.errors);
    line("Old bytes that differ from the fullflash: " + std::to_string(check.mismatches.size()));
    list(check.mismatches.size(), [&](std::size_t i) {
        return "line " + std::to_string(check.mismatches[i].line) + ": at " +
               hex8(check.mismatches[i].address);
    });
    line("Overlapping lines: " + std::to_string(check.overlaps.size()));
    list(check.overlaps.size(), [&](std::size_t i) {
        const LineOverlap& o = check.overlaps[i];
        return "lines " + std::to_string(o.firstLine) + " and " + std::to_string(o.secondLine) +
               " at " + hex8(o.address);
    });
    findings("Warnings", check.warnings);
    line("Pictures listed: " + std::to_string(check.picturesAfter) +
         " (before the patch: " + std::to_string(check.picturesBefore) + ")");
    line("Pictures with a new entry: " + std::to_string(check.changed.size()));
    list(check.changed.size(), [&](std::size_t i) {
        const ChangedPicture& p = check.changed[i];
        std::string s = "picture " + std::to_string(p.number) + ": " + std::to_string(p.width) +
                        " x " + std::to_string(p.height) + ", " + depthText(p.type) + ", ";
        return s + (p.dataSize ? std::to_string(*p.dataSize) + " bytes at " + hex8(p.dataOffset)
                               : "does not decode (data at " + hex8(p.dataOffset) + ")");
    });
    line("Pictures whose data changes without a new entry: " +
         std::to_string(check.touched.size()));
    list(check.touched.size(), [&](std::size_t i) {
        return "picture " + std::to_string(check.touched[i].number) + " (data at " +
               hex8(check.touched[i].dataOffset) + ")";
    });
    line(check.Clean()        ? "Result: OK"
         : check.Applicable() ? "Result: problems found"
                              : "Result: cannot be applied");
    return text;
}
