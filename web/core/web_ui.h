#pragma once
// The Ui of the page. The core's messages and reports are collected and go
// back to the page with the answer to its call, which shows them in the page;
// progress goes to the page at once. The page asks no questions: a command
// that would ask gets Cancel, the answer that leaves everything as it was, and
// the page runs only commands whose files it has already chosen (`nextFile`).

#include <optional>
#include <string>
#include <vector>

#include "ui/ui.h"

struct ShownMessage {
    std::string text;
    std::string title;
};

struct ShownReport {
    std::string title;
    ReportTone tone = ReportTone::Good;
    std::string verdict;
    std::string details;
};

class WebUi final : public Ui {
  public:
    bool message(const std::string& text, const std::string& title,
                 MessageButtons buttons) override;
    void report(const std::string& title, ReportTone tone, const std::string& verdict,
                const std::string& details) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override;
    std::string BrowseForFolder(const std::string& prompt) override;
    void progress(int percent) override;

    /// What the next open or save dialog answers; used once.
    std::optional<std::string> nextFile;
    std::vector<ShownMessage> messages;
    std::optional<ShownReport> shownReport;

  private:
    int m_lastPercent = -1;
};
