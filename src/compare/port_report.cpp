#include "compare/port_report.h"

#include <algorithm>
#include <vector>

namespace {

std::string indexText(int number) {
    PictureEntry numbered;
    numbered.number = number;
    return MakeListEntry(numbered).index;
}

std::string indexList(std::span<const int> numbers) {
    std::string text;
    for (const int number : numbers) text += (text.empty() ? "" : ", ") + indexText(number);
    return text;
}

const std::string& statusWord(PortStatus status, const PortWords& words) {
    switch (status) {
        case PortStatus::Ambiguous:
            return words.ambiguous;
        case PortStatus::NotInNew:
            return words.notInNew;
        case PortStatus::Undecodable:
            return words.undecodable;
        case PortStatus::OutsideTable:
            return words.outsideTable;
        case PortStatus::Taken:
            return words.taken;
        case PortStatus::Carried:
            break;
    }
    return words.carried;
}

}  // namespace

std::string PortLine(const PortedPicture& picture, const PortWords& words) {
    const std::string old = indexText(picture.oldNumber());
    switch (picture.status) {
        case PortStatus::Carried:
            return old + " -> " + indexText(*picture.newNumber) +
                   (picture.picked
                        ? " (" + words.nearest + " " + indexList(picture.candidates) + ")"
                        : "");
        case PortStatus::Ambiguous:
            return old + " " + words.ambiguous + ": " + indexList(picture.candidates);
        case PortStatus::Taken:
            return old + " -> " + indexText(*picture.newNumber) + " " + words.taken;
        default:
            return old + " " + statusWord(picture.status, words);
    }
}

std::string PortSummary(std::span<const PortedPicture> pictures, const PortWords& words) {
    std::string text = std::to_string(CarriedCount(pictures)) + " " + words.of + " " +
                       std::to_string(pictures.size()) + " " + words.carried;
    std::vector<std::string> parts;
    for (const PortStatus status :
         {PortStatus::Ambiguous, PortStatus::NotInNew, PortStatus::Undecodable,
          PortStatus::OutsideTable, PortStatus::Taken}) {
        const auto count = std::count_if(
            pictures.begin(), pictures.end(),
            [status](const PortedPicture& picture) { return picture.status == status; });
        if (count > 0) parts.push_back(std::to_string(count) + " " + statusWord(status, words));
    }
    for (const std::string& part : parts) text += ", " + part;
    return text;
}
