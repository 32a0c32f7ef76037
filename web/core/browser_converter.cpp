// The converter of the web build. The core reads a PNG by having the
// converter write it as a bitmap; here the browser has decoded the PNG and the
// bitmap is written from its pixels, as pictavo-convert writes it. The bitmap
// is remembered as decoded too, so that reading it back gives those pixels (a
// 24-bit bitmap opaque, as any reader sees it). Pictavo's own PNG files are
// encoded by the page, so the converter is never asked for one here.

#include "browser_pictures.h"
#include "codec/bmp_writer.h"
#include "picture_io/converter_contract.h"
#include "support/fs_actions.h"

namespace PNGcodec {

void RunConverter(const std::string&, std::string_view options, const std::string& outputPath,
                  const std::string& inputPath) {
    const bool withAlpha = options == kBmpWithAlpha;
    if (!withAlpha && options != kBmpWithoutAlpha) return;
    const auto input = FSactions_Tavik::ReadFileBytes(inputPath);
    if (!input) return;
    const BrowserPicture* decoded =
        FindBrowserPicture({reinterpret_cast<const std::uint8_t*>(input->data()), input->size()});
    if (decoded == nullptr) return;
    BrowserPicture bitmap{
        GPFcodec::BmpFromArgb(decoded->width, decoded->height, decoded->argb, withAlpha),
        decoded->width, decoded->height, decoded->argb};
    if (!withAlpha) {
        for (std::uint32_t& pixel : bitmap.argb) pixel |= 0xFF000000U;
    }
    if (!FSactions_Tavik::ReplaceFile(outputPath, bitmap.file)) return;
    RememberBrowserPicture(std::move(bitmap));
}

}  // namespace PNGcodec
