#pragma once
// What a fullflash says about itself at fixed places, and where its picture
// index table (PIT) starts. No check is made that the bytes are a fullflash:
// any file yields some identity, and fields outside the file read as zero.

#include <cstdint>
#include <span>
#include <string>

struct FullflashIdentity {
    std::string fw;        ///< firmware byte as two hex digits
    std::string lngPack;   ///< three bytes as stored
    std::string mModel;    ///< three or four bytes
    std::string ManufN;    ///< up to 16 bytes, trailing zero bytes removed
    std::string platform;  ///< "SGold" or "New-SGold"
    bool NewSGold = false;
    std::string PITadr;  ///< hex file offset of the first PIT entry
};

namespace FlashLayout {
inline constexpr std::uint32_t kFirmware = 0x8FC50;
inline constexpr std::uint32_t kLanguagePack = 0x8FC60;
inline constexpr std::uint32_t kModel = 0x8FC70;
inline constexpr std::uint32_t kManufacturer = 0x8FC80;
inline constexpr std::uint32_t kPlatformPointer = 0x8FD08;
/// Offsets from the structure the platform pointer leads to.
inline constexpr std::uint32_t kNewSGoldMarker = 31;    ///< non-zero on New-SGold
inline constexpr std::uint32_t kSGoldPit = 28;          ///< SGold: the PIT itself
inline constexpr std::uint32_t kDisplacement = 48;      ///< New-SGold: byte k
inline constexpr std::uint32_t kDisplacementBase = 44;  ///< pointer at P - 44 + k
}  // namespace FlashLayout

/// Reads the identification fields and locates the PIT.
[[nodiscard]] FullflashIdentity IdentifyFullflash(std::span<const std::uint8_t> flash);
