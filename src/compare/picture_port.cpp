#include "compare/picture_port.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "compare/fullflash_comparison.h"
#include "compare/shown_picture_index.h"

namespace {

int nearest(const std::vector<int>& candidates, int number) {
    // Candidates are ascending, so the first of two as near is the lower.
    return *std::min_element(candidates.begin(), candidates.end(), [number](int a, int b) {
        return std::abs(a - number) < std::abs(b - number);
    });
}

void place(PortedPicture& picture, std::vector<int> candidates, PickRule pick) {
    picture.candidates = std::move(candidates);
    const std::vector<int>& found = picture.candidates;
    if (found.empty()) {
        picture.status = PortStatus::NotInNew;
    } else if (found.size() == 1 ||
               std::binary_search(found.begin(), found.end(), picture.oldNumber())) {
        picture.status = PortStatus::Carried;
        picture.newNumber = found.size() == 1 ? found.front() : picture.oldNumber();
    } else if (pick == PickRule::Nearest) {
        picture.status = PortStatus::Carried;
        picture.newNumber = nearest(found, picture.oldNumber());
        picture.picked = true;
    } else {
        picture.status = PortStatus::Ambiguous;
    }
}

}  // namespace

std::vector<PortedPicture> PlanPort(PortSides old, PortSides patched, PortSides fresh,
                                    PickRule pick) {
    std::vector<PortedPicture> plan;
    ShownPictureIndex inNew(fresh.flash, fresh.entries);
    DecodedPicture scratch;
    std::set<int> taken;  // NEW numbers given a replacement
    for (const PictureDifference& difference :
         ComparePictures(old.flash, old.entries, patched.flash, patched.entries)) {
        if (difference.onlyMoved()) continue;
        PortedPicture picture;
        picture.original = difference.a.value_or(PictureEntry{difference.number});
        picture.replacement = difference.b.value_or(PictureEntry{difference.number});
        if (!difference.a || !difference.b) {
            picture.status = PortStatus::OutsideTable;
        } else if (const auto shown = ReadShownPixels(old.flash, *difference.a, scratch);
                   !shown || difference.undecodableB) {
            picture.status = PortStatus::Undecodable;
        } else {
            place(picture, inNew.find(*shown), pick);
        }
        if (picture.status == PortStatus::Carried) {
            if (!taken.insert(*picture.newNumber).second) picture.status = PortStatus::Taken;
        }
        plan.push_back(std::move(picture));
    }
    return plan;
}

int CarriedCount(std::span<const PortedPicture> pictures) {
    return static_cast<int>(std::count_if(
        pictures.begin(), pictures.end(),
        [](const PortedPicture& picture) { return picture.status == PortStatus::Carried; }));
}
