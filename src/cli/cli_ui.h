#pragma once
// pictavo-cli's answer to the Ui: messages go to stderr and questions are
// answered by the flags the user gave. The subcommands take their paths from
// the command line and call the commands' loops directly, so dialogs cancel.

#include <optional>
#include <string>

#include "ui/ui.h"

class CliUi final : public Ui {
  public:
    /// Answer to every OK/Cancel question (for example --overwrite).
    bool answerQuestions = false;
    /// Number of failure messages shown so far.
    int messages = 0;

    bool message(const std::string& text, const std::string& title,
                 MessageButtons buttons) override;
    /// No subcommand asks such a question; it gets the flags' answer, and
    /// nothing is ticked.
    CheckedAnswer question(const std::string& text, const std::string& title,
                           const std::string& checkBox) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::string BrowseForFolder(const std::string& prompt) override;
    void progress(int percent) override;
};

/// A message text on one line: CR and LF become blanks.
[[nodiscard]] std::string OneLine(std::string text);
