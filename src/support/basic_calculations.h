#pragma once
// Conversions between the three forms the program keeps numbers in: byte
// strings (one char per byte), upper-case hexadecimal or bit text, and numbers.
// Pure functions: no state, no files, no messages.

#include <cstdint>
#include <string>
#include <string_view>

namespace BasicCalculations_Tavik {

/// Two upper-case hex digits per byte; `reversed` puts the last byte first, which
/// turns a little-endian number into its ordinary hex text.
[[nodiscard]] std::string BytesToHex(std::string_view bytes, bool reversed);

/// Hex text to bytes; an odd length gets a leading 0. `reversed` makes the first
/// pair the last byte (a number's text to its little-endian form).
[[nodiscard]] std::string HexToBytes(std::string_view hex, bool reversed);

/// Unsigned value of the leading hex digits (either case); stops at the first
/// non-digit, so "12G4" is 0x12 and "" is 0.
[[nodiscard]] std::uint32_t HexToNumber(std::string_view hex);

/// The first four bytes as a little-endian flash address, top four bits cleared:
/// the file offset inside a fullflash. Missing bytes count as zero.
[[nodiscard]] std::uint32_t PointerToOffset(std::string_view bytes);

/// Eight characters 0/1, bit 7 first.
[[nodiscard]] std::string ByteToBits(std::uint8_t value);

/// Value of a 0/1 text, most significant first, as a 16-bit signed number.
[[nodiscard]] std::int16_t BitsToNumber(std::string_view bits);

/// Decimal text without leading zeros ("0012" -> "12", "0000" -> "0").
[[nodiscard]] std::string NumberText(std::string_view decimal);

/// Left-pads with '0' up to `width`; longer texts are returned unchanged.
[[nodiscard]] std::string PadZeros(std::string_view text, int width);

/// `n` zero bytes.
[[nodiscard]] std::string NulString(int n);

/// Upper-case hex of a number without leading zeros ("0" for zero).
[[nodiscard]] std::string NumberToHex(std::uint32_t value);

}  // namespace BasicCalculations_Tavik
