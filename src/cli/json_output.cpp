#include "cli/json_output.h"

#include <nlohmann/json.hpp>

#include "compare/comparison_report.h"
#include "support/basic_calculations.h"

// Keys in the order written, so a document reads like the text output.
using json = nlohmann::ordered_json;

namespace {

std::string dump(const json& document) {
    return document.dump(2, ' ', false, json::error_handler_t::replace) + '\n';
}

/// An offset as a number and as the list's hex text.
void putOffset(json& object, const char* name, std::uint32_t offset, const std::string& hex) {
    object[name] = offset;
    object[std::string(name) + "_hex"] = hex;
}

json entryJson(const PictureEntry& entry) {
    const PictureListEntry row = MakeListEntry(entry);
    json object{{"index", entry.number},
                {"width", entry.width},
                {"height", entry.height},
                {"type", entry.type},
                {"type_hex", row.type}};
    putOffset(object, "data_offset", entry.dataOffset, row.picOffset);
    return object;
}

json sideJson(const std::optional<PictureEntry>& entry, bool undecodable) {
    if (!entry) return nullptr;
    json object = entryJson(*entry);
    object["decodable"] = !undecodable;
    return object;
}

void putWritten(json& document, const WrittenFiles& written) {
    if (written.pictureFiles) {
        document["files_written"] = {{"folder", written.folder}, {"count", *written.pictureFiles}};
    }
    if (written.patchPictures) {
        document["patch"] = {{"file", written.patch},
                             {"pictures", *written.patchPictures},
                             {"not_placed", written.notPlaced}};
    }
}

json findingsJson(const std::vector<Vkp::Finding>& findings, std::size_t notListed) {
    json items = json::array();
    for (const Vkp::Finding& finding : findings) {
        items.push_back({{"line", finding.line}, {"message", finding.message}});
    }
    return {{"count", findings.size() + notListed}, {"listed", items}};
}

/// A data offset as the list's PICoffset column shows it.
std::string listOffset(std::uint32_t offset) {
    PictureEntry entry;
    entry.dataOffset = offset;
    return MakeListEntry(entry).picOffset;
}

/// An address as the verifier's report writes it: at least 8 hex digits.
std::string hex8(std::uint64_t value) {
    std::string text;
    for (; value != 0 || text.size() < 8; value >>= 4)
        text.insert(text.begin(), "0123456789ABCDEF"[value & 15]);
    return text;
}

const char* statusName(PortStatus status) {
    switch (status) {
        case PortStatus::Carried:
            return "carried";
        case PortStatus::Ambiguous:
            return "ambiguous";
        case PortStatus::NotInNew:
            return "not in NEW";
        case PortStatus::Undecodable:
            return "cannot be decoded";
        case PortStatus::OutsideTable:
            return "only one table lists it";
        case PortStatus::Taken:
            return "already takes another picture";
    }
    return "";
}

}  // namespace

std::string InfoJson(const FullflashState& flash, std::size_t pictures) {
    json document{{"model", flash.mModel},          {"firmware", flash.fw},
                  {"language_pack", flash.lngPack}, {"manufacturer", flash.ManufN},
                  {"platform", flash.platform},     {"pictures", pictures}};
    putOffset(document, "pit_offset",
              static_cast<std::uint32_t>(BasicCalculations_Tavik::HexToNumber(flash.PITadr)),
              flash.PITadr);
    return dump(document);
}

std::string ListJson(std::span<const PictureListEntry> rows) {
    json pictures = json::array();
    for (const PictureListEntry& row : rows) {
        json object = entryJson(row.entry);
        object["hex"] = row.hexIndex;
        putOffset(object, "pit_offset", row.entry.entryOffset, row.pitOffset);
        pictures.push_back(std::move(object));
    }
    return dump({{"pictures", std::move(pictures)}});
}

std::string DiffJson(std::span<const PictureDifference> differences, const std::string& summary,
                     const WrittenFiles& written) {
    json items = json::array();
    for (const PictureDifference& difference : differences) {
        items.push_back({{"index", difference.number},
                         {"kind", DifferenceKind(difference)},
                         {"a", sideJson(difference.a, difference.undecodableA)},
                         {"b", sideJson(difference.b, difference.undecodableB)}});
    }
    json document{{"differences", std::move(items)}, {"summary", summary}};
    putWritten(document, written);
    return dump(document);
}

std::string VerifyJson(const PatchCheck& check) {
    json mismatches = json::array();
    for (const OldBytesMismatch& mismatch : check.mismatches) {
        mismatches.push_back({{"line", mismatch.line},
                              {"address", mismatch.address},
                              {"address_hex", hex8(mismatch.address)}});
    }
    json overlaps = json::array();
    for (const LineOverlap& overlap : check.overlaps) {
        overlaps.push_back({{"first_line", overlap.firstLine},
                            {"second_line", overlap.secondLine},
                            {"address", overlap.address},
                            {"address_hex", hex8(static_cast<std::uint64_t>(overlap.address))}});
    }
    json changed = json::array();
    for (const ChangedPicture& picture : check.changed) {
        json object{{"index", picture.number},
                    {"width", picture.width},
                    {"height", picture.height},
                    {"type", picture.type},
                    {"data_offset", picture.dataOffset},
                    {"data_offset_hex", listOffset(picture.dataOffset)},
                    {"data_size", picture.dataSize ? json(*picture.dataSize) : json(nullptr)}};
        changed.push_back(std::move(object));
    }
    json touched = json::array();
    for (const TouchedPicture& picture : check.touched) {
        touched.push_back({{"index", picture.number},
                           {"data_offset", picture.dataOffset},
                           {"data_offset_hex", listOffset(picture.dataOffset)},
                           {"decodes", picture.decodes}});
    }
    return dump({{"applicable", check.applicable()},
                 {"clean", check.clean()},
                 {"lines", check.lines},
                 {"data_lines", check.dataLines},
                 {"bytes_changed", check.bytesChanged},
                 {"errors", findingsJson(check.errors, check.errorsNotListed)},
                 {"warnings", findingsJson(check.warnings, check.warningsNotListed)},
                 {"matching_lines", check.matching},
                 {"mismatches", std::move(mismatches)},
                 {"lines_without_old_bytes", check.unchecked},
                 {"overlaps", std::move(overlaps)},
                 {"pictures_before", check.picturesBefore},
                 {"pictures_after", check.picturesAfter},
                 {"changed", std::move(changed)},
                 {"touched", std::move(touched)}});
}

std::string PortJson(std::span<const PortedPicture> pictures, const std::string& summary,
                     const WrittenFiles& written) {
    json items = json::array();
    for (const PortedPicture& picture : pictures) {
        items.push_back({{"old", picture.oldNumber()},
                         {"status", statusName(picture.status)},
                         {"new", picture.newNumber ? json(*picture.newNumber) : json(nullptr)},
                         {"candidates", picture.candidates},
                         {"nearest_taken", picture.picked}});
    }
    json document{
        {"pictures", std::move(items)}, {"carried", CarriedCount(pictures)}, {"summary", summary}};
    putWritten(document, written);
    return dump(document);
}

std::string FindJson(std::span<const FindResult> results, bool similar) {
    json files = json::array();
    for (const FindResult& result : results) {
        json object{{"file", result.file}, {"read", result.read}};
        if (similar) {
            json nearest = json::array();
            for (const SimilarPicture& picture : result.similar) {
                nearest.push_back({{"index", picture.number}, {"distance", picture.distance}});
            }
            object["similar"] = std::move(nearest);
        } else {
            object["equal"] = result.equal;
        }
        files.push_back(std::move(object));
    }
    return dump({{"files", std::move(files)}});
}
