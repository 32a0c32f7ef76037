#pragma once
// The subcommands of pictavo-cli. Each returns the process exit status:
// 0 success, 1 a failure message, 2 wrong usage.

#include <string>
#include <vector>

using Arguments = std::vector<std::string>;

int RunInfo(const Arguments& args);
int RunList(const Arguments& args);
int RunShow(const Arguments& args);
int RunExport(const Arguments& args);
int RunConvert(const Arguments& args);

/// Usage text, printed for --help (stdout) and for wrong usage (stderr).
[[nodiscard]] const char* UsageText();

/// Wrong usage: the reason (when given) and the usage text on stderr; status 2.
int UsageError(const std::string& why = {});

class CliUi;
class Workspace;

/// Loads FLASH for a subcommand; prints one line and returns false when it
/// cannot be read.
bool LoadFlashForCli(Workspace& ws, CliUi& ui, const std::string& path);
