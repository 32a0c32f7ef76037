#include "common/scripted_ui.h"

#include <gtest/gtest.h>

ScriptedUi& ScriptedUi::answer(bool ok, bool checked) {
    m_answers.push_back({ok, checked});
    return *this;
}

ScriptedUi& ScriptedUi::choosePath(std::optional<std::string> path) {
    m_paths.push_back(std::move(path));
    return *this;
}

ScriptedUi& ScriptedUi::chooseFolder(std::string folder) {
    m_folders.push_back(std::move(folder));
    return *this;
}

RecordedDialog& ScriptedUi::record(RecordedDialog::Kind kind, const std::string& text,
                                   const std::string& title) {
    RecordedDialog& d = dialogs.emplace_back();
    d.kind = kind;
    d.text = text;
    d.title = title;
    return d;
}

ScriptedUi& ScriptedUi::pick(std::size_t answer) {
    m_picks.push_back(answer);
    return *this;
}

std::size_t ScriptedUi::choose(const std::string& text, const std::string& title,
                               const std::vector<std::string>& answers) {
    record(RecordedDialog::Kind::Choice, text, title).answers = answers;
    if (m_picks.empty()) {
        ADD_FAILURE() << "unexpected choice: \"" << text << "\"";
        return answers.empty() ? 0 : answers.size() - 1;
    }
    const std::size_t answer = m_picks.front();
    m_picks.pop_front();
    return answer;
}

void ScriptedUi::report(const std::string& title, ReportTone tone, const std::string& verdict,
                        const std::string& details) {
    RecordedDialog& d = record(RecordedDialog::Kind::Report, verdict, title);
    d.tone = tone;
    d.details = details;
}

bool ScriptedUi::message(const std::string& text, const std::string& title,
                         MessageButtons buttons) {
    record(RecordedDialog::Kind::Message, text, title).buttons = buttons;
    if (buttons == MessageButtons::Ok) return true;
    return nextAnswer(text, title).ok;
}

CheckedAnswer ScriptedUi::question(const std::string& text, const std::string& title,
                                   const std::string& checkBox) {
    RecordedDialog& d = record(RecordedDialog::Kind::Message, text, title);
    d.buttons = MessageButtons::OkCancel;
    d.checkBox = checkBox;
    return nextAnswer(text, title);
}

CheckedAnswer ScriptedUi::nextAnswer(const std::string& text, const std::string& title) {
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected question: \"" << text << "\" titled \"" << title << "\"";
        return {};
    }
    const CheckedAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedUi::pathDialog(RecordedDialog::Kind kind,
                                                  const FileDialogRequest& request) {
    record(kind, "", request.title).request = request;
    if (m_paths.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << request.title;
        return std::nullopt;
    }
    auto path = m_paths.front();
    m_paths.pop_front();
    return path;
}

std::optional<std::string> ScriptedUi::openFile(const FileDialogRequest& request) {
    return pathDialog(RecordedDialog::Kind::OpenFile, request);
}

std::optional<std::string> ScriptedUi::saveFile(const FileDialogRequest& request) {
    return pathDialog(RecordedDialog::Kind::SaveFile, request);
}

std::string ScriptedUi::BrowseForFolder(const std::string& prompt) {
    record(RecordedDialog::Kind::Folder, prompt, "");
    if (m_folders.empty()) {
        ADD_FAILURE() << "unexpected folder browser: " << prompt;
        return "";
    }
    auto folder = m_folders.front();
    m_folders.pop_front();
    return folder;
}

std::vector<std::string> ScriptedUi::messageTexts() const {
    std::vector<std::string> texts;
    for (const auto& d : dialogs) {
        if (d.kind == RecordedDialog::Kind::Message) texts.push_back(d.text);
    }
    return texts;
}

bool ScriptedUi::exhausted() const {
    return m_answers.empty() && m_paths.empty() && m_folders.empty() && m_picks.empty();
}

namespace {

std::string describe(const FileFilter& filter) {
    const std::string& d = filter.description;
    const bool shown = d.ends_with(")") && d.ends_with("(" + filter.pattern + ")");
    return shown ? d : d + "=" + filter.pattern;
}

std::string describe(const RecordedDialog& d) {
    using Kind = RecordedDialog::Kind;
    if (d.kind == Kind::Folder) return "folder: " + d.text;
    if (d.kind == Kind::Report) return "report: " + d.title + " | " + d.text;
    if (d.kind == Kind::Choice) {
        std::string line = "choose: " + d.text;
        for (const std::string& answer : d.answers) line += " | " + answer;
        return line;
    }
    if (d.kind == Kind::Message) {
        const std::string asks = d.buttons == MessageButtons::Ok ? "" : "? ";
        return asks + d.text + (d.title.empty() ? "" : " | " + d.title);
    }
    std::string line = (d.kind == Kind::OpenFile ? "open: " : "save: ") + d.request.title;
    for (const FileFilter& filter : d.request.filters) line += " | " + describe(filter);
    return line + " | " + d.request.initialName + " | " + d.request.defaultExtension;
}

}  // namespace

std::vector<std::string> ScriptedUi::transcript() const {
    std::vector<std::string> lines;
    for (const auto& d : dialogs) lines.push_back(describe(d));
    return lines;
}
