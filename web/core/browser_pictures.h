#pragma once
// Pictures the browser has decoded for the core. The web build's picture
// reader and converter (browser_picture_reader.cpp, browser_converter.cpp)
// answer from here, by the bytes of the file they are asked about. When the
// core asks about a file the browser has not decoded, the request is noted:
// the page then decodes the file and runs the command again, so a picture the
// core refuses by its header (too large, not a picture) is never decoded.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct BrowserPicture {
    std::string file;  ///< the file's bytes
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;  ///< 0xAARRGGBB, top row first, alpha not premultiplied
};

void RememberBrowserPicture(BrowserPicture picture);
void ForgetBrowserPictures();

/// The browser's picture of exactly these bytes, or nullptr (and the request noted).
[[nodiscard]] const BrowserPicture* FindBrowserPicture(std::span<const std::uint8_t> file);

/// Whether the core asked for a picture the browser had not decoded, since
/// the last ForgetBrowserPictures.
[[nodiscard]] bool BrowserDecodeWanted();
