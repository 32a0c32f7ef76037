// pictavo-cli show, export and convert: the save commands of the picture menus
// driven by flags instead of dialogs.

#include <charconv>
#include <filesystem>
#include <map>
#include <iostream>
#include <optional>
#include <set>

#include "cli/cli_commands.h"
#include "cli/cli_ui.h"
#include "commands/bmp_commands.h"
#include "commands/fullflash_commands.h"
#include "commands/gpf_commands.h"
#include "commands/preview_commands.h"
#include "support/fs_actions.h"
#include "workspace/workspace.h"

namespace {

std::optional<int> parseNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

/// "0,5,10-20" as a set of picture numbers.
std::optional<std::set<int>> parsePictureList(const std::string& text) {
    std::set<int> numbers;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string_view item(text.data() + start, comma - start);
        const std::size_t dash = item.find('-');
        const auto first = parseNumber(item.substr(0, dash));
        const auto last = dash == std::string_view::npos ? first : parseNumber(item.substr(dash + 1));
        if (!first || !last || *last < *first || *last - *first > 65535) return std::nullopt;
        for (int n = *first; n <= *last; ++n) numbers.insert(n);
        start = comma + 1;
    }
    return numbers;
}

/// Status after a command: 1 when it showed a failure message.
int status(const CliUi& ui) { return ui.messages > 0 ? 1 : 0; }

}  // namespace

int RunShow(const Arguments& args) {
    if (args.size() != 1) return UsageError("show takes one GPF or GPF2 file");
    Workspace ws;
    CliUi ui;
    if (!ShowGpfFile(ws, ui, args[0])) return 1;
    std::cout << ws.pictureInfo << '\n';
    return 0;
}

int RunExport(const Arguments& args) {
    if (args.empty()) return UsageError("export needs FLASH");
    std::string as;
    std::string folder;
    std::optional<std::set<int>> pictures;
    Workspace ws;
    CliUi ui;
    ws.ZeroFilename = true;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& flag = args[i];
        const bool hasValue = i + 1 < args.size();
        if (flag == "--as" && hasValue) {
            as = args[++i];
        } else if (flag == "--to" && hasValue) {
            folder = args[++i];
        } else if (flag == "--pictures" && hasValue) {
            pictures = parsePictureList(args[++i]);
            if (!pictures) return UsageError("--pictures takes numbers and ranges: 0,5,10-20");
        } else if (flag == "--hex-names") {
            ws.HEXFilename = true;
        } else if (flag == "--no-zero-names") {
            ws.ZeroFilename = false;
        } else if (flag == "--overwrite") {
            ui.answerQuestions = true;
        } else {
            return UsageError("unknown or incomplete option '" + flag + "'");
        }
    }
    if (as != "bmp" && as != "gpf" && as != "gpf2") return UsageError("--as takes bmp, gpf or gpf2");
    if (folder.empty()) return UsageError("export needs --to DIR");
    if (!std::filesystem::is_directory(folder)) {
        std::cerr << "pictavo-cli: not a folder: " << folder << '\n';
        return 1;
    }
    if (!LoadFlashForCli(ws, ui, args[0])) return 1;

    RowFilter filter;
    if (pictures) {
        filter = [&](std::size_t position) { return pictures->contains(static_cast<int>(position)); };
    }
    const std::string target = FSactions_Tavik::WithTrailingSlash(folder);
    const BatchEnd end = as == "bmp" ? SavePicturesAsBmp(ws, ui, target, filter)
                                     : SavePicturesAsGpf(ws, ui, target, "." + as, filter);
    if (end == BatchEnd::Stopped) {
        std::cerr << "pictavo-cli: export stopped\n";
        return 1;
    }
    return status(ui);
}

int RunConvert(const Arguments& args) {
    if (args.size() < 3) return UsageError("convert needs FLASH INDEX OUT");
    std::optional<int> depth;
    bool compressed = true;
    CliUi ui;
    for (std::size_t i = 3; i < args.size(); ++i) {
        if (args[i] == "--depth" && i + 1 < args.size()) {
            depth = parseNumber(args[++i]);
        } else if (args[i] == "--uncompressed") {
            compressed = false;
        } else if (args[i] == "--overwrite") {
            ui.answerQuestions = true;
        } else {
            return UsageError("unknown or incomplete option '" + args[i] + "'");
        }
    }
    const std::map<int, int> codes{{1, kSaveGpf1Bit}, {8, kSaveGpf8Bit}, {16, kSaveGpf16Bit},
                                   {24, kSaveGpf24Bit}};
    if (!depth || !codes.contains(*depth)) return UsageError("--depth takes 1, 8, 16 or 24");
    const auto index = parseNumber(args[1]);
    if (!index) return UsageError("INDEX is a picture number");
    const std::string& out = args[2];
    if (!out.ends_with(".gpf") && !out.ends_with(".gpf2")) {
        return UsageError("OUT ends in .gpf or .gpf2");
    }

    Workspace ws;
    if (!LoadFlashForCli(ws, ui, args[0])) return 1;
    if (static_cast<std::size_t>(*index) >= ws.rows.size()) {
        std::cerr << "pictavo-cli: no picture " << *index << " (the list has " << ws.rows.size()
                  << ")\n";
        return 1;
    }
    if (!SelectAndShow(ws, ui, static_cast<std::size_t>(*index))) return 1;
    if (!AcceptGpfTarget(ws, ui, out)) return 1;
    const int code = codes.at(*depth) - (compressed ? 0 : 128);
    return WriteShownPictureAsGpf(ws, ui, out, code) == SaveOutcome::Written ? 0 : 1;
}
