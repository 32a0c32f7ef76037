#pragma once
// A Ui for tests: records every message box and dialog and answers from a
// queue. A dialog that finds no queued answer of its kind fails the test.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ui/ui.h"

struct RecordedDialog {
    enum class Kind { Message, OpenFile, SaveFile, Folder, Choice, Report };
    Kind kind = Kind::Message;
    std::string text;   ///< message text, or the folder prompt
    std::string title;  ///< message or dialog title
    MessageButtons buttons = MessageButtons::Ok;
    FileDialogRequest request;         ///< open/save dialogs only
    std::string checkBox;              ///< the check box under a question, if any
    std::vector<std::string> answers;  ///< a choice's answers
    ReportTone tone = ReportTone::Good;
    std::string details;  ///< a report's details
};

class ScriptedUi final : public Ui {
  public:
    /// Queues the answer to the next OK/Cancel question (true = OK) and, for
    /// a question with a check box, whether the box is ticked. OK-only
    /// message boxes need no queued answer.
    ScriptedUi& answer(bool ok, bool checked = false);
    /// Queues the path the next open or save dialog returns; nullopt = Cancel.
    ScriptedUi& choosePath(std::optional<std::string> path);
    /// Queues the folder the next folder browser returns; "" = Cancel.
    ScriptedUi& chooseFolder(std::string folder);
    /// Queues the index of the answer the next choice takes.
    ScriptedUi& pick(std::size_t answer);

    bool message(const std::string& text, const std::string& title,
                 MessageButtons buttons) override;
    CheckedAnswer question(const std::string& text, const std::string& title,
                           const std::string& checkBox) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::string BrowseForFolder(const std::string& prompt) override;
    std::size_t choose(const std::string& text, const std::string& title,
                       const std::vector<std::string>& answers) override;
    void report(const std::string& title, ReportTone tone, const std::string& verdict,
                const std::string& details) override;
    void progress(int percent) override { progressValues.push_back(percent); }

    std::vector<RecordedDialog> dialogs;
    std::vector<int> progressValues;

    /// Texts of the message boxes shown, in order.
    [[nodiscard]] std::vector<std::string> messageTexts() const;
    /// Every dialog shown, one line each, so a test compares them whole: a
    /// message as its text, "|" and its title when it has one, "?" first when
    /// it asks OK or Cancel; a file dialog as "open:" or "save:", its title,
    /// its filters and its preset name and extension; a folder browser as
    /// "folder:" and its prompt; a choice as "choose:", its text and its
    /// answers; a report as "report:", its title and its verdict. A filter shows its pattern only
    /// when the description's brackets do not.
    [[nodiscard]] std::vector<std::string> transcript() const;
    /// True when every queued answer was used.
    [[nodiscard]] bool exhausted() const;

  private:
    RecordedDialog& record(RecordedDialog::Kind kind, const std::string& text,
                           const std::string& title);
    CheckedAnswer nextAnswer(const std::string& text, const std::string& title);
    std::optional<std::string> pathDialog(RecordedDialog::Kind kind,
                                          const FileDialogRequest& request);

    std::deque<CheckedAnswer> m_answers;
    std::deque<std::optional<std::string>> m_paths;
    std::deque<std::string> m_folders;
    std::deque<std::size_t> m_picks;
};
