#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>

#include "cli/cli_commands.h"

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

bool isCommand(CLI::App& app, const std::string& name) {
    return !app.get_subcommands([&name](CLI::App* command) { return command->check_name(name); })
                .empty();
}

int run(int argc, char** argv) {
    CLI::App app{"Pictavo's commands without a window. The fullflash is only ever read.",
                 "pictavo-cli"};
    auto formatter = std::make_shared<CLI::Formatter>();
    formatter->label("Usage", "usage");
    formatter->column_width(34);
    app.formatter(formatter);
    app.require_subcommand(1);

    CliStatus status;
    AddFlashCommands(app, status);
    AddPictureCommands(app, status);
    AddPatchCommands(app, status);
    AddPictureFileCommands(app, status);
    AddToolCommands(app, status);
    AddDiffCommand(app, status);
    app.footer("Run 'pictavo-cli COMMAND --help' for the options of one command.");

    try {
        if (argc > 1 && argv[1][0] != '-' && !isCommand(app, argv[1])) {
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
