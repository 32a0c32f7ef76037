#include "patch/patch_report.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "codec/picture_type.h"
#include "support/basic_calculations.h"

namespace {

constexpr Phrase kSafe{"str_VerSafe", "Safe to flash"};
constexpr Phrase kCheckFirst{"str_VerCheck", "Check before flashing: %1"};
constexpr Phrase kApplied{"str_VerApplied", "Already applied to this fullflash"};
constexpr Phrase kOtherFirmware{
    "str_VerForeign",
    "Do not flash: made for another firmware (old bytes match on %1 of %2 lines)"};
constexpr Phrase kUnreadable{"str_VerUnread", "Cannot be read: line %1: %2"};
constexpr Phrase kTooManyLines{"str_VerTooMany",
                               "more than %1 data lines: too many to check, the rest is not read"};

constexpr Phrase kNoDataLines{"str_VerPrNoData", "no data lines"};
constexpr Phrase kProblemUnchecked{"str_VerPrNoOld", "lines without old bytes: %1"};
constexpr Phrase kProblemOverlaps{"str_VerPrOverl", "overlapping lines: %1"};
constexpr Phrase kProblemWarnings{"str_VerPrWarn", "warnings: %1"};
constexpr Phrase kProblemUndecodable{"str_VerPrUndec",
                                     "pictures with a new entry that do not decode: %1"};
constexpr Phrase kProblemTouched{"str_VerPrTouch", "other pictures whose data changes: %1"};
constexpr Phrase kProblemCount{"str_VerPrCount", "pictures listed: %1 instead of %2"};
constexpr Phrase kProblemSeparator{"str_VerPrSep", "; "};

constexpr Phrase kLines{"str_VerLines", "Lines: %1 (data lines: %2)"};
constexpr Phrase kBytesChanged{"str_VerBytes", "Bytes changed: %1"};
constexpr Phrase kUnreadableLines{"str_VerUnreadN", "Lines that cannot be read: %1"};
constexpr Phrase kLineItem{"str_VerItem", "line %1: %2"};
constexpr Phrase kOutsideLines{"str_VerOutside", "Lines outside this fullflash (size %1): %2"};
constexpr Phrase kBeforeStart{"str_VerBefore", "line %1: lies before its start"};
constexpr Phrase kPastEnd{"str_VerPastEnd", "line %1: lies past its end"};
constexpr Phrase kOldBytesMatch{"str_VerOldMatch", "Lines whose old bytes match: %1 of %2"};
constexpr Phrase kDiffersAt{"str_VerDiffers", "line %1: differs at %2"};
constexpr Phrase kInPlace{"str_VerInPlace", "Lines whose new bytes are already there: %1 of %2"};
constexpr Phrase kUnchecked{"str_VerNoOld", "Lines without old bytes, not checked: %1"};
constexpr Phrase kUncheckedItem{"str_VerLine", "line %1"};
constexpr Phrase kOverlaps{"str_VerOverl", "Overlapping lines: %1"};
constexpr Phrase kOverlapItem{"str_VerOverIt", "lines %1 and %2 at %3"};
constexpr Phrase kWarnings{"str_VerWarn", "Warnings: %1"};
constexpr Phrase kTable{"str_VerTable", "Pictures listed: %1 (before the patch: %2)"};
constexpr Phrase kNewEntries{"str_VerNewEnt", "Pictures with a new entry: %1"};
constexpr Phrase kDecodes{"str_VerDecodes", "picture %1: %2 x %3, %4, decodes (%5 bytes at %6)"};
constexpr Phrase kDoesNotDecode{"str_VerNoDec",
                                "picture %1: %2 x %3, %4, does not decode (data at %5)"};
constexpr Phrase kCompressed{"str_VerCompr", "%1 bit compressed"};
constexpr Phrase kUncompressed{"str_VerUncompr", "%1 bit uncompressed"};
constexpr Phrase kUnknownType{"str_VerType", "type %1"};
constexpr Phrase kTouched{"str_VerTouched", "Other pictures whose data changes: %1"};
constexpr Phrase kTouchedDecodes{"str_VerTchDec", "picture %1 (data at %2): decodes"};
constexpr Phrase kTouchedBroken{"str_VerTchNoDec", "picture %1 (data at %2): does not decode"};
constexpr Phrase kMore{"str_VerMore", "... and %1 more"};

std::string hex8(std::uint64_t value) {
    std::string text;
    for (; value != 0 || text.size() < 8; value >>= 4)
        text.insert(text.begin(), "0123456789ABCDEF"[value & 15]);
    return text;
}

std::string number(std::uint64_t value) {
    return std::to_string(value);
}

std::string depthText(std::uint8_t type, const PhraseBook& words) {
    const std::string typeText =
        BasicCalculations_Tavik::BytesToHex(std::string(1, static_cast<char>(type)), false);
    const auto info = GPFcodec::TypeInfoFromText(typeText);
    if (info.bitDepth == 0) return words(kUnknownType, {typeText});
    return words(info.compressed ? kCompressed : kUncompressed, {number(info.bitDepth)});
}

/// The first line the patch tools cannot read, and why.
std::pair<int, std::string> firstUnreadable(const PatchCheck& check, const PhraseBook& words) {
    const auto tooMany = [&] { return words(kTooManyLines, {number(check.dataLinesKept)}); };
    if (check.errors.empty()) return {check.firstLineNotKept, tooMany()};
    const Vkp::Finding& first = check.errors.front();
    if (check.firstLineNotKept > 0 && check.firstLineNotKept < first.line)
        return {check.firstLineNotKept, tooMany()};
    return {first.line, first.message};
}

std::vector<std::string> problems(const PatchCheck& check, const PhraseBook& words) {
    std::vector<std::string> found;
    if (check.dataLines == 0) found.push_back(words(kNoDataLines));
    const auto undecodable =
        std::count_if(check.changed.begin(), check.changed.end(),
                      [](const ChangedPicture& p) { return !p.dataSize.has_value(); });
    if (undecodable > 0)
        found.push_back(
            words(kProblemUndecodable, {number(static_cast<std::uint64_t>(undecodable))}));
    if (!check.touched.empty())
        found.push_back(words(kProblemTouched, {number(check.touched.size())}));
    if (check.picturesAfter != check.picturesBefore)
        found.push_back(
            words(kProblemCount, {number(check.picturesAfter), number(check.picturesBefore)}));
    if (!check.unchecked.empty())
        found.push_back(words(kProblemUnchecked, {number(check.unchecked.size())}));
    if (!check.overlaps.empty())
        found.push_back(words(kProblemOverlaps, {number(check.overlaps.size())}));
    const std::size_t warnings = check.warnings.size() + check.warningsNotListed;
    if (warnings > 0) found.push_back(words(kProblemWarnings, {number(warnings)}));
    return found;
}

}  // namespace

PatchVerdict JudgePatch(const PatchCheck& check, const PhraseBook& words) {
    using enum PatchVerdictKind;
    if (!check.readable()) {
        const auto [line, why] = firstUnreadable(check, words);
        return {Unreadable, words(kUnreadable, {number(static_cast<std::uint64_t>(line)), why})};
    }
    if (check.alreadyApplied()) return {AlreadyApplied, words(kApplied)};
    if (!check.applicable()) {
        const std::size_t checked = static_cast<std::size_t>(check.matching) +
                                    check.mismatches.size() + check.outside.size();
        return {OtherFirmware,
                words(kOtherFirmware,
                      {number(static_cast<std::uint64_t>(check.matching)), number(checked)})};
    }
    const std::vector<std::string> found = problems(check, words);
    if (found.empty()) return {Safe, words(kSafe)};
    std::string joined;
    for (const std::string& problem : found) {
        if (!joined.empty()) joined += words(kProblemSeparator);
        joined += problem;
    }
    return {CheckFirst, words(kCheckFirst, {joined})};
}

std::string PatchDetails(const PatchCheck& check, std::string_view lineBreak, std::size_t listLimit,
                         const PhraseBook& words) {
    std::string text;
    auto line = [&](const std::string& s) {
        if (!text.empty()) text += lineBreak;
        text += s;
    };
    // `listed` of `count` items are at hand; the others are only counted.
    auto list = [&](std::size_t count, std::size_t listed, auto&& item) {
        const std::size_t shown = std::min(listed, listLimit);
        for (std::size_t i = 0; i < shown; ++i) line("  " + item(i));
        if (count > shown) line("  " + words(kMore, {number(count - shown)}));
    };
    auto findings = [&](const Phrase& title, const std::vector<Vkp::Finding>& items,
                        std::size_t notListed) {
        line(words(title, {number(items.size() + notListed)}));
        list(items.size() + notListed, items.size(), [&](std::size_t i) {
            return words(kLineItem,
                         {number(static_cast<std::uint64_t>(items[i].line)), items[i].message});
        });
    };
    line(words(kLines, {number(static_cast<std::uint64_t>(check.lines)),
                        number(static_cast<std::uint64_t>(check.dataLines))}));
    line(words(kBytesChanged, {number(check.bytesChanged)}));
    if (!check.readable()) {
        std::vector<Vkp::Finding> unreadable = check.errors;
        if (check.firstLineNotKept > 0) {
            unreadable.push_back(
                {check.firstLineNotKept, words(kTooManyLines, {number(check.dataLinesKept)})});
        }
        std::stable_sort(
            unreadable.begin(), unreadable.end(),
            [](const Vkp::Finding& a, const Vkp::Finding& b) { return a.line < b.line; });
        findings(kUnreadableLines, unreadable, check.errorsNotListed);
    }
    if (!check.outside.empty()) {
        line(words(kOutsideLines, {hex8(check.flashSize), number(check.outside.size())}));
        list(check.outside.size(), check.outside.size(), [&](std::size_t i) {
            const OutsideLine& o = check.outside[i];
            return words(o.beforeStart ? kBeforeStart : kPastEnd,
                         {number(static_cast<std::uint64_t>(o.line))});
        });
    }
    if (check.alreadyInPlace > 0) {
        line(words(kInPlace,
                   {number(static_cast<std::uint64_t>(check.alreadyInPlace)),
                    number(static_cast<std::uint64_t>(check.dataLines) - check.outside.size())}));
    }
    const std::size_t withOldBytes =
        static_cast<std::size_t>(check.matching) + check.mismatches.size();
    line(words(kOldBytesMatch,
               {number(static_cast<std::uint64_t>(check.matching)), number(withOldBytes)}));
    // On a patch already applied every old byte differs: where is no news.
    const std::size_t mismatchesListed = check.alreadyApplied() ? 0 : check.mismatches.size();
    list(mismatchesListed, mismatchesListed, [&](std::size_t i) {
        return words(kDiffersAt, {number(static_cast<std::uint64_t>(check.mismatches[i].line)),
                                  hex8(check.mismatches[i].address)});
    });
    line(words(kUnchecked, {number(check.unchecked.size())}));
    list(check.unchecked.size(), check.unchecked.size(), [&](std::size_t i) {
        return words(kUncheckedItem, {number(static_cast<std::uint64_t>(check.unchecked[i]))});
    });
    line(words(kOverlaps, {number(check.overlaps.size())}));
    list(check.overlaps.size(), check.overlaps.size(), [&](std::size_t i) {
        const LineOverlap& o = check.overlaps[i];
        return words(kOverlapItem, {number(static_cast<std::uint64_t>(o.firstLine)),
                                    number(static_cast<std::uint64_t>(o.secondLine)),
                                    hex8(static_cast<std::uint64_t>(o.address))});
    });
    findings(kWarnings, check.warnings, check.warningsNotListed);
    line(words(kTable, {number(check.picturesAfter), number(check.picturesBefore)}));
    line(words(kNewEntries, {number(check.changed.size())}));
    list(check.changed.size(), check.changed.size(), [&](std::size_t i) {
        const ChangedPicture& p = check.changed[i];
        const std::string picture = number(static_cast<std::uint64_t>(p.number));
        if (!p.dataSize) {
            return words(kDoesNotDecode, {picture, number(p.width), number(p.height),
                                          depthText(p.type, words), hex8(p.dataOffset)});
        }
        return words(kDecodes, {picture, number(p.width), number(p.height),
                                depthText(p.type, words), number(*p.dataSize), hex8(p.dataOffset)});
    });
    line(words(kTouched, {number(check.touched.size())}));
    list(check.touched.size(), check.touched.size(), [&](std::size_t i) {
        const TouchedPicture& p = check.touched[i];
        return words(p.decodes ? kTouchedDecodes : kTouchedBroken,
                     {number(static_cast<std::uint64_t>(p.number)), hex8(p.dataOffset)});
    });
    return text;
}

std::string PatchReport(const PatchCheck& check, std::string_view lineBreak, std::size_t listLimit,
                        const PhraseBook& words) {
    return JudgePatch(check, words).text + std::string(lineBreak) +
           PatchDetails(check, lineBreak, listLimit, words);
}
