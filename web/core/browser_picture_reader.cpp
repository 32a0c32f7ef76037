// The picture reader of the web build: instead of QImage in a library loaded
// with dlopen, the browser's decode of the file (browser_pictures.h), handed
// over with the same contract.

#include <algorithm>

#include "browser_pictures.h"
#include "picture_io/picture_reader_loader.h"

namespace PictureIO {

namespace {

int decodeInBrowser(const std::uint8_t* bytes, std::size_t size, int width, int height,
                    std::uint32_t* argb) {
    const BrowserPicture* picture = FindBrowserPicture({bytes, size});
    if (picture == nullptr) return 0;
    const auto columns = static_cast<std::size_t>(std::max(width, 0));
    const auto rows = static_cast<std::size_t>(std::max(height, 0));
    std::fill_n(argb, columns * rows, 0xFF000000U);
    const auto shownRows = std::min(rows, static_cast<std::size_t>(picture->height));
    const auto shownColumns = std::min(columns, static_cast<std::size_t>(picture->width));
    for (std::size_t y = 0; y < shownRows; ++y) {
        std::copy_n(picture->argb.begin() +
                        static_cast<std::ptrdiff_t>(y * static_cast<std::size_t>(picture->width)),
                    shownColumns, argb + y * columns);
    }
    return 1;
}

}  // namespace

PictavoDecodePicture PictureReader() {
    return decodeInBrowser;
}

const std::string& PictureReaderProblem() {
    static const std::string none;
    return none;
}

}  // namespace PictureIO
