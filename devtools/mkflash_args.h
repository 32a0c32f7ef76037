#pragma once
// The command line of pictavo-mkflash.

#include <string>
#include <vector>

#include "devtools/mkflash.h"

struct MkflashCommand {
    MkflashOptions options;
    std::string output;
    bool help = false;
};

struct ParsedMkflashArgs {
    MkflashCommand command;
    std::string error;  ///< wrong usage: what was wrong

    [[nodiscard]] bool ok() const { return error.empty(); }
};

/// Parses the arguments after the program name. The model defaults to S65 on
/// SGold and E71 on New-SGold.
[[nodiscard]] ParsedMkflashArgs ParseMkflashArgs(const std::vector<std::string>& args);

[[nodiscard]] const char* MkflashUsage();
