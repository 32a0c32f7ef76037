#include "tools/embedded_file_carver.h"

#include <algorithm>
#include <cstdio>

#include "tools/byte_search.h"

using namespace std::string_view_literals;

namespace {

// Between two progress reports a search covers at most this many bytes.
constexpr std::size_t kProgressStep = std::size_t{8} << 20;

constexpr CarveSignature kGif{"GIF89a"sv, "\x00\x3B"sv, 0, ".gif"sv};
constexpr CarveSignature kPng{"\x89PNG\r\n\x1A\n"sv, "IEND"sv, 4, ".png"sv};
constexpr CarveSignature kXml{"<?xml "sv, " \x00"sv, -2, ".xml"sv};

}  // namespace

const CarveSignature& SignatureOf(CarveKind kind) {
    switch (kind) {
        case CarveKind::Gif:
            return kGif;
        case CarveKind::Png:
            return kPng;
        case CarveKind::Xml:
            break;
    }
    return kXml;
}

std::string CarvedFileName(std::size_t offset, std::string_view extension) {
    char digits[2 * sizeof(std::size_t) + 1];
    std::snprintf(digits, sizeof digits, "%08zX", offset);
    return digits + std::string(extension);
}

EmbeddedFileCarver::EmbeddedFileCarver(std::span<const std::uint8_t> bytes,
                                       const CarveSignature& signature, Progress progress)
    : m_bytes(bytes),
      m_signature(signature),
      m_progress(std::move(progress)),
      m_starts(*this, signature.start),
      m_ends(*this, signature.end) {}

std::size_t EmbeddedFileCarver::Occurrences::from(std::size_t position) {
    const bool stillAhead = m_found != kUnsearched && position >= m_askedFrom &&
                            (m_found == kNotFound || position <= m_found);
    if (stillAhead) return m_found;
    m_askedFrom = position;
    const std::span<const std::uint8_t> bytes = m_carver.m_bytes;
    for (std::size_t at = position;; at += kProgressStep) {
        const std::size_t limit =
            std::min(bytes.size(), at + kProgressStep + m_signature.size() - 1);
        m_found = FindBytes(bytes.first(limit), at, m_signature);
        if (m_found != kNotFound || limit == bytes.size()) return m_found;
        m_carver.reportScanned(at + kProgressStep);
    }
}

void EmbeddedFileCarver::reportScanned(std::size_t offset) {
    if (!m_progress || offset <= m_reported) return;
    m_reported = offset;
    m_progress(offset);
}

std::optional<CarvedFile> EmbeddedFileCarver::next() {
    const std::size_t startLength = m_signature.start.size();
    const std::size_t endLength = m_signature.end.size();
    std::size_t start = m_starts.from(m_resume);
    while (start != kNotFound) {
        const std::size_t end = m_ends.from(start);
        if (end == kNotFound) break;  // nothing can end any more
        if (end + endLength <= start + kCarveWindow) return cut(start, end);
        // No end in the start's own window. Starts count again from the next
        // window on (it overlaps this one by the start's length and a byte),
        // and then whichever comes first decides: the end closes the file, a
        // start replaces this one.
        const std::size_t later = m_starts.from(start + kCarveWindow - 1 - startLength);
        if (later == kNotFound || end < later) return cut(start, end);
        start = later;
    }
    m_resume = m_bytes.size();
    return std::nullopt;
}

CarvedFile EmbeddedFileCarver::cut(std::size_t start, std::size_t endSignature) {
    const std::size_t afterEnd = endSignature + m_signature.end.size();
    m_resume = afterEnd;
    reportScanned(afterEnd);
    const auto adjusted = static_cast<std::ptrdiff_t>(afterEnd) + m_signature.endAdjustment;
    const std::size_t last = std::min(m_bytes.size(), static_cast<std::size_t>(adjusted));
    return {start, last - start};
}
