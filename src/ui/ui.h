#pragma once
// The only way a command talks to the person at the screen. The GUI answers
// with Qt dialogs, pictavo-cli with its flags, tests with a scripted queue.
// Texts are byte strings exactly as the commands build them: a CR (code 13)
// inside a message is the line break the front end shows.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

enum class MessageButtons { Ok, OkCancel };

struct FileFilter {
    std::string description;  ///< "FullFlash files (*.bin)"
    std::string pattern;      ///< "*.bin" or several joined with ';'
};

struct FileDialogRequest {
    std::string title;
    std::vector<FileFilter> filters;  ///< the first one is preselected
    std::string initialFolder;        ///< empty: the current directory
    std::string initialName;
    std::string defaultExtension;  ///< without the dot; empty for none
};

/// The answer to a question that carries a check box under its text.
struct CheckedAnswer {
    bool ok = false;       ///< OK was chosen
    bool checked = false;  ///< the check box was ticked
};

/// How a report's verdict looks: its icon.
enum class ReportTone { Good, Warning, Bad };

class Ui {
  public:
    virtual ~Ui() = default;

    /// Shows a message box; true only when the answer is OK.
    virtual bool message(const std::string& text, const std::string& title,
                         MessageButtons buttons) = 0;
    /// An OK/Cancel question with a check box (such as "Do not ask again")
    /// under its text. A front end without check boxes asks the plain
    /// question and leaves the box unticked.
    virtual CheckedAnswer question(const std::string& text, const std::string& title,
                                   [[maybe_unused]] const std::string& checkBox) {
        return {message(text, title, MessageButtons::OkCancel), false};
    }
    /// A question with several answers (such as Save / Discard / Cancel); the
    /// last answer is the one that leaves everything as it was, which closing
    /// the question also gives. Returns the index of the answer chosen.
    virtual std::size_t choose(const std::string& text, const std::string& title,
                               const std::vector<std::string>& answers) {
        return message(text, title, MessageButtons::OkCancel) || answers.empty()
                   ? 0
                   : answers.size() - 1;
    }
    /// A verdict over details too long for a message box: the details stay
    /// scrollable and can be copied.
    virtual void report(const std::string& title, [[maybe_unused]] ReportTone tone,
                        const std::string& verdict, const std::string& details) {
        message(verdict + "\r\r" + details, title, MessageButtons::Ok);
    }
    /// Open-file dialog; nothing on Cancel.
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    /// Save-file dialog; nothing on Cancel. The dialog does not ask about
    /// overwriting: the commands ask themselves.
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
    /// Folder browser; an empty text on Cancel.
    virtual std::string BrowseForFolder(const std::string& prompt) = 0;
    /// Progress of a long command, 0 to 100.
    virtual void progress(int percent) = 0;
    /// A command changed what the window shows (rows selected during a batch,
    /// a new preview); front ends that draw may repaint now.
    virtual void refresh() {}
};
