#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <exception>
#include <iostream>
#include <string_view>

#include "cli/subcommands.h"

namespace {

/// After a usage error: the usage line of the command that was given (or of
/// the program) and where to find more.
void printUsageHint(const CLI::App& app, const CLI::Formatter& formatter) {
    const auto given = app.get_subcommands();
    const CLI::App* command = given.empty() ? &app : given.front();
    const std::string name =
        given.empty() ? app.get_name() : app.get_name() + " " + command->get_name();
    std::cerr << formatter.make_usage(command, name) << "Run '" << name << " --help' for more.\n";
}

/// The subcommands in groups, each group registered by one function.
struct CommandGroup {
    std::array<std::string_view, 3> names;
    void (*add)(CLI::App&, CliStatus&);
};

constexpr std::array kCommandGroups{
    CommandGroup{{"info", "list"}, AddFullflashSubcommands},
    CommandGroup{{"show", "export", "convert"}, AddPictureSubcommands},
    CommandGroup{{"patch", "verify", "apply"}, AddPatchSubcommands},
    CommandGroup{{"probe", "open-picture"}, AddPictureFileSubcommands},
    CommandGroup{{"extract-vkp", "extract-gpn", "carve"}, AddToolSubcommands},
    CommandGroup{{"diff"}, AddDiffSubcommand},
    CommandGroup{{"port"}, AddPortSubcommand},
    CommandGroup{{"find"}, AddFindSubcommand},
};

const CommandGroup* groupOf(std::string_view name) {
    const auto* found =
        std::find_if(kCommandGroups.begin(), kCommandGroups.end(), [name](const CommandGroup& g) {
            return std::find(g.names.begin(), g.names.end(), name) != g.names.end();
        });
    return found == kCommandGroups.end() ? nullptr : found;
}

int run(int argc, char** argv) {
    CLI::App app{"Pictavo's commands without a window. The fullflash is only ever read.",
                 "pictavo-cli"};
    auto formatter = std::make_shared<CLI::Formatter>();
    formatter->label("Usage", "usage");
    formatter->column_width(34);
    app.formatter(formatter);
    app.require_subcommand(1);

    // Scripts run one command thousands of times: only its group is built.
    // The program's own help and its usage errors list them all.
    CliStatus status;
    const CommandGroup* given = argc > 1 ? groupOf(argv[1]) : nullptr;
    if (given != nullptr) {
        given->add(app, status);
    } else {
        for (const CommandGroup& group : kCommandGroups) group.add(app, status);
    }
    app.footer("Run 'pictavo-cli COMMAND --help' for the options of one command.");

    try {
        if (argc > 1 && argv[1][0] != '-' && given == nullptr) {
            throw CLI::ExtrasError("unknown command '" + std::string(argv[1]) + "'",
                                   CLI::ExitCodes::ExtrasError);
        }
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::ParseError& error) {
        std::cerr << "pictavo-cli: " << error.what() << '\n';
        printUsageHint(app, *formatter);
        return 2;
    }
    return status.code;
}

}  // namespace

int main(int argc, char** argv) {
    // A failure no command foresaw (memory, the file system) ends the run with a
    // message and status 1 instead of an abort.
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "pictavo-cli: " << error.what() << '\n';
        return 1;
    }
}
