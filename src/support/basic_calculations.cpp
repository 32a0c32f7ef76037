#include "support/basic_calculations.h"

#include <algorithm>

namespace BasicCalculations_Tavik {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string BytesToHex(std::string_view bytes, bool reversed) {
    std::string hex;
    hex.reserve(bytes.size() * 2);
    auto append = [&hex](char byte) {
        const auto value = static_cast<unsigned char>(byte);
        hex += kHexDigits[value >> 4];
        hex += kHexDigits[value & 0x0F];
    };
    if (reversed) {
        std::for_each(bytes.rbegin(), bytes.rend(), append);
    } else {
        std::for_each(bytes.begin(), bytes.end(), append);
    }
    return hex;
}

std::string HexToBytes(std::string_view hex, bool reversed) {
    std::string padded;
    if (hex.size() % 2 != 0) padded = "0";
    padded += hex;
    std::string bytes;
    bytes.reserve(padded.size() / 2);
    for (std::size_t i = 0; i < padded.size(); i += 2) {
        bytes += static_cast<char>(HexToNumber(std::string_view(padded).substr(i, 2)));
    }
    if (reversed) std::reverse(bytes.begin(), bytes.end());
    return bytes;
}

std::uint32_t HexToNumber(std::string_view hex) {
    std::uint32_t value = 0;
    for (char c : hex) {
        const int digit = hexDigitValue(c);
        if (digit < 0) break;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return value;
}

std::uint32_t PointerToOffset(std::string_view bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4 && i < bytes.size(); ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    return value & 0x0FFFFFFFu;
}

std::string ByteToBits(std::uint8_t value) {
    std::string bits(8, '0');
    for (int bit = 0; bit < 8; ++bit) {
        if (value & (1u << bit)) bits[static_cast<std::size_t>(7 - bit)] = '1';
    }
    return bits;
}

std::int16_t BitsToNumber(std::string_view bits) {
    // Unsigned arithmetic: callers pass at most 8 characters, but a longer text
    // must wrap rather than overflow.
    unsigned value = 0;
    for (char c : bits) value = value * 2 + (c == '1' ? 1u : 0u);
    return static_cast<std::int16_t>(value & 0xFFFFu);
}

std::string NumberText(std::string_view decimal) {
    const auto first = decimal.find_first_not_of('0');
    if (first == std::string_view::npos) return "0";
    return std::string(decimal.substr(first));
}

std::string PadZeros(std::string_view text, int width) {
    std::string padded(text);
    if (static_cast<int>(padded.size()) < width) {
        padded.insert(0, static_cast<std::size_t>(width) - padded.size(), '0');
    }
    return padded;
}

std::string NulString(int n) {
    return std::string(static_cast<std::size_t>(std::max(n, 0)), '\0');
}

std::string NumberToHex(std::uint32_t value) {
    std::string hex;
    do {
        hex.insert(hex.begin(), kHexDigits[value & 0x0F]);
        value >>= 4;
    } while (value != 0);
    return hex;
}

}  // namespace BasicCalculations_Tavik
