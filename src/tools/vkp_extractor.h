#pragma once
// Pictures and PNG files rebuilt out of a VKP patch as the patch writer and
// "Change PNG" write it. A picture block is its comment "; ##### Picture N
// #####", the table entry line, one unused line and the data lines; a PNG block
// is "; ##### PNG Picture NAME #####" and its data lines. The new bytes of the
// data lines become the file; a picture gets a GPF or GPF2 header made from its
// entry line and zero bytes up to a multiple of 16.
//
// The patch is outside text: lines of any length and content are read without
// going outside it, and any bytes give some (possibly empty) set of files.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "tools/extracted_names.h"

class VkpExtractor {
  public:
    VkpExtractor(std::string_view text, NamingRule rule) : m_text(text), m_rule(rule) {}

    /// The file of the next picture or PNG block; nothing at the end of the
    /// text. Lines end in CR LF, LF or CR.
    [[nodiscard]] std::optional<ExtractedFile> next();

  private:
    [[nodiscard]] std::optional<std::string_view> nextLine();
    [[nodiscard]] std::optional<ExtractedFile> picture(std::string_view numberText);
    [[nodiscard]] std::string blockData();

    std::string_view m_text;
    std::size_t m_position = 0;
    NamingRule m_rule;
};
