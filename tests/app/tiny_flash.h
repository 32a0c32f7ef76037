#pragma once
// A minimal SGold fullflash for window tests: identification fields and a
// picture table of `pictures` 8-bit entries, nothing else.

#include <string>

inline std::string TinySGoldFlash(int pictures) {
    std::string flash(0x90000, '\0');
    auto put32 = [&flash](std::size_t at, unsigned value) {
        for (int i = 0; i < 4; ++i) flash[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    flash[0x8FC50] = '\x05';
    flash.replace(0x8FC60, 3, "ENG");
    flash.replace(0x8FC70, 3, "S65");
    flash.replace(0x8FC80, 7, "SIEMENS");
    const unsigned structure = 0x1000;
    put32(0x8FD08, 0xA0000000u + structure);
    const std::size_t pit = structure + 28;
    for (int i = 0; i < pictures; ++i) {
        const std::size_t entry = pit + 8 * static_cast<std::size_t>(i);
        flash[entry] = static_cast<char>(2 + i);  // width
        flash[entry + 1] = '\x02';                // height
        flash[entry + 2] = '\x05';                // 8-bit, uncompressed
        put32(entry + 4, 0xA0020000u + 16u * static_cast<unsigned>(i));
    }
    flash[pit + 8 * static_cast<std::size_t>(pictures) + 3] = '\x01';  // ends the table
    return flash;
}
