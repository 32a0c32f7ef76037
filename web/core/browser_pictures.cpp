#include "browser_pictures.h"

#include <algorithm>

namespace {

struct Pictures {
    std::vector<BrowserPicture> known;
    bool wanted = false;
};

Pictures& pictures() {
    static Pictures all;
    return all;
}

}  // namespace

void RememberBrowserPicture(BrowserPicture picture) {
    pictures().known.push_back(std::move(picture));
}

void ForgetBrowserPictures() {
    pictures() = {};
}

const BrowserPicture* FindBrowserPicture(std::span<const std::uint8_t> file) {
    for (const BrowserPicture& picture : pictures().known) {
        if (std::equal(file.begin(), file.end(), picture.file.begin(), picture.file.end(),
                       [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); }))
            return &picture;
    }
    pictures().wanted = true;
    return nullptr;
}

bool BrowserDecodeWanted() {
    return pictures().wanted;
}
