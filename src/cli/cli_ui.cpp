#include "cli/cli_ui.h"

#include <algorithm>
#include <iostream>

std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

bool CliUi::message(const std::string& text, const std::string& title, MessageButtons buttons) {
    if (buttons == MessageButtons::OkCancel) {
        // The only questions the subcommands leave to the user are overwrite
        // questions, whose text starts with the path.
        if (!answerQuestions) {
            std::cerr << "pictavo-cli: kept " << text.substr(0, text.find('\r'))
                      << " (--overwrite replaces it)\n";
        }
        return answerQuestions;
    }
    ++messages;
    std::cerr << "pictavo-cli: " << OneLine(title.empty() ? text : title + ": " + text) << '\n';
    return true;
}

CheckedAnswer CliUi::question(const std::string&, const std::string&, const std::string&) {
    return {answerQuestions, false};
}

std::optional<std::string> CliUi::openFile(const FileDialogRequest&) {
    return std::nullopt;
}

std::optional<std::string> CliUi::saveFile(const FileDialogRequest&) {
    return std::nullopt;
}

std::string CliUi::BrowseForFolder(const std::string&) {
    return {};
}

void CliUi::progress(int) {}
