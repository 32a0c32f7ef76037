#pragma once
// The embedded GIF, PNG and XML files of a scanned file: each runs from a start
// signature to an end signature. Which start a file gets when starts and ends
// interleave is fixed by the walk the program has always done: windows of 255
// bytes, a start replacing an earlier one only from the window after the one
// it was found in. This carver finds exactly those files with a fast search
// instead of walking the windows, and also searches the last, partly filled
// window, so that a file ending in the last 255 bytes is found too.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

enum class CarveKind { Gif, Png, Xml };

struct CarveSignature {
    std::string_view start;
    std::string_view end;
    int endAdjustment;  ///< bytes added to the end signature's end: +4 keeps a PNG's CRC
    std::string_view extension;
};

/// The signatures of one kind. The carver relies on what holds for all three:
/// the end is not longer than the start, their first bytes differ, no start
/// can begin inside an end, and an end can overlap a start only in the start's
/// last byte (the XML declaration's blank).
[[nodiscard]] const CarveSignature& SignatureOf(CarveKind kind);

struct CarvedFile {
    std::size_t offset = 0;
    std::size_t size = 0;  ///< cut at the end of the scanned bytes

    friend bool operator==(const CarvedFile&, const CarvedFile&) = default;
};

/// Length of the window the files are defined by.
inline constexpr std::size_t kCarveWindow = 255;

/// The file name of a carved file: its offset as 8 upper-case hex digits (more
/// when needed) and the kind's extension.
[[nodiscard]] std::string CarvedFileName(std::size_t offset, std::string_view extension);

class EmbeddedFileCarver {
  public:
    /// Called now and then while the scan passes long stretches, with the
    /// offset up to which the bytes have been searched.
    using Progress = std::function<void(std::size_t scanned)>;

    EmbeddedFileCarver(std::span<const std::uint8_t> bytes, const CarveSignature& signature,
                       Progress progress = {});
    EmbeddedFileCarver(const EmbeddedFileCarver&) = delete;
    EmbeddedFileCarver& operator=(const EmbeddedFileCarver&) = delete;

    /// The next embedded file in file order, or nothing when the scan is done.
    [[nodiscard]] std::optional<CarvedFile> next();

  private:
    /// First occurrence of one signature at or after a position. Positions
    /// asked for never go back, so the answer found last is reused while it
    /// still lies ahead and each byte is searched once.
    class Occurrences {
      public:
        Occurrences(EmbeddedFileCarver& carver, std::string_view signature)
            : m_carver(carver), m_signature(signature) {}
        [[nodiscard]] std::size_t from(std::size_t position);

      private:
        EmbeddedFileCarver& m_carver;
        std::string_view m_signature;
        std::size_t m_askedFrom = 0;
        std::size_t m_found = kUnsearched;
        static constexpr std::size_t kUnsearched = static_cast<std::size_t>(-2);
    };

    CarvedFile cut(std::size_t start, std::size_t endSignature);
    void reportScanned(std::size_t offset);

    std::span<const std::uint8_t> m_bytes;
    const CarveSignature& m_signature;
    Progress m_progress;
    std::size_t m_reported = 0;
    Occurrences m_starts;
    Occurrences m_ends;
    std::size_t m_resume = 0;  ///< where the next start is looked for
};
