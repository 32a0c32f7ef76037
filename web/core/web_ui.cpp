#include "web_ui.h"

#include <emscripten.h>

#include <utility>

// The worker posts the percentage to the page, which moves its progress bar
// while the call is still running.
EM_JS(void, pictavo_post_progress, (int percent), { Module["onProgress"](percent); });

bool WebUi::message(const std::string& text, const std::string& title, MessageButtons buttons) {
    messages.push_back({text, title});
    return buttons == MessageButtons::Ok;
}

void WebUi::report(const std::string& title, ReportTone tone, const std::string& verdict,
                   const std::string& details) {
    shownReport = ShownReport{title, tone, verdict, details};
}

std::optional<std::string> WebUi::openFile(const FileDialogRequest&) {
    return std::exchange(nextFile, std::nullopt);
}

std::optional<std::string> WebUi::saveFile(const FileDialogRequest&) {
    return std::exchange(nextFile, std::nullopt);
}

std::string WebUi::BrowseForFolder(const std::string&) {
    return {};
}

void WebUi::progress(int percent) {
    // A table scan reports every row; the page needs each percent only once.
    if (percent == m_lastPercent) return;
    m_lastPercent = percent;
    pictavo_post_progress(percent);
}
