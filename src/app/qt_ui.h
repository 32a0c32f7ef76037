#pragma once
// The Ui of the desktop program: Qt's own message boxes and file dialogs (not
// the desktop portal, so the dialogs behave the same everywhere), and the
// progress bar beside the picture list.

#include <QString>

#include <functional>
#include <string_view>

#include "ui/ui.h"

class QProgressBar;
class QWidget;

/// Byte strings of the core as text: UTF-8 when they are valid UTF-8 (paths on
/// this platform), else one character per byte (8-bit language texts).
[[nodiscard]] QString bytesToQString(const std::string& bytes);
/// Paths from Qt back to the byte strings the core works with.
[[nodiscard]] std::string qStringToBytes(const QString& text);
/// A message text for display: the CR the commands put in becomes a line break.
[[nodiscard]] QString messageText(const std::string& bytes);
/// A filter as Qt's dialogs take it: the description with its parenthesised
/// pattern list in Qt's blank-separated form.
[[nodiscard]] QString qtFilter(const FileFilter& filter);

class QtUi final : public Ui {
  public:
    /// `onRefresh` brings the window up to date with the Workspace.
    QtUi(QWidget* owner, QProgressBar* progressBar, std::function<void()> onRefresh)
        : m_owner(owner), m_progressBar(progressBar), m_onRefresh(std::move(onRefresh)) {}

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
    void progress(int percent) override;
    void refresh() override;

    /// Where the dialogs of a kind (a key of ConfigActions::DialogFolderKey)
    /// start, and what to do with the folder the user answered in.
    struct FolderMemory {
        std::function<std::string(std::string_view key)> recall;
        std::function<void(std::string_view key, const std::string& folder)> remember;
    };
    void setFolderMemory(FolderMemory memory) { m_folders = std::move(memory); }

  private:
    /// The folder a dialog of `key` starts in: the remembered one while it
    /// exists, else the user's home folder.
    [[nodiscard]] QString startFolder(std::string_view key) const;
    void remember(std::string_view key, const QString& folder) const;

    std::optional<std::string> runFileDialog(const FileDialogRequest& request, bool save);

    QWidget* m_owner;
    QProgressBar* m_progressBar;
    std::function<void()> m_onRefresh;
    FolderMemory m_folders;
};
