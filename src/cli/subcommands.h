#pragma once
// The subcommands of pictavo-cli, registered in groups on one CLI11 parser so
// that every command gets the same --help, the same usage errors and the same
// exit statuses: 0 success, 1 a failure message was shown, 2 wrong usage.

#include <string>

#include "cli/cli_ui.h"
#include "cli/private_temp_folder.h"
#include "workspace/workspace.h"

namespace CLI {
class App;
}

/// Where a subcommand leaves its exit status.
struct CliStatus {
    int code = 0;
};

/// info, list
void AddFullflashSubcommands(CLI::App& app, CliStatus& status);
/// show, export, convert
void AddPictureSubcommands(CLI::App& app, CliStatus& status);
/// patch, verify, apply
void AddPatchSubcommands(CLI::App& app, CliStatus& status);
/// probe, open-picture
void AddPictureFileSubcommands(CLI::App& app, CliStatus& status);
/// extract-vkp, extract-gpn, carve
void AddToolSubcommands(CLI::App& app, CliStatus& status);
/// diff
void AddDiffSubcommand(CLI::App& app, CliStatus& status);
/// port
void AddPortSubcommand(CLI::App& app, CliStatus& status);
/// find
void AddFindSubcommand(CLI::App& app, CliStatus& status);

/// Whether a subcommand may write converter or staging files.
enum class TempFiles { Used, Unused };

/// What every subcommand works with: the window's state, held without a
/// window, and a Ui that answers from flags.
struct CliContext {
    /// Every run's converter and staging files go here, never into the shared
    /// temporary folder, so runs side by side cannot take each other's files.
    PrivateTempFolder temp;
    Workspace ws;
    CliUi ui;

    explicit CliContext(TempFiles files = TempFiles::Used);
    /// 1 when a failure message was shown, else 0.
    [[nodiscard]] int status() const { return ui.messages > 0 ? 1 : 0; }
};

/// True when `path` can be read as a file; else prints one line saying why.
bool CliFileReadable(const std::string& path);

/// The line that ends a command writing files into a folder: how many, where.
void ReportWritten(int written, const std::string& folder);

/// "1 picture", "2 pictures".
[[nodiscard]] std::string PictureCount(int count);

/// Loads FLASH for a subcommand; prints one line and returns false when it
/// cannot be read.
bool LoadFullflashForCli(CliContext& cli, const std::string& path);
