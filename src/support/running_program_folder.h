#pragma once
// Where the running program lies, for the files an installation or a build
// folder keeps beside or near it.

#include <string>

/// The folder of the running program, ending in '/'; "./" when the system
/// does not tell.
[[nodiscard]] std::string RunningProgramFolder();
