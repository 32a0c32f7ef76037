#pragma once
// A Ui nobody sits at: every question gets the same answer, dialogs are
// cancelled, progress goes nowhere. For benchmarks and fuzzing, where a
// command must run to its end without a person.

#include "ui/ui.h"

class SilentUi final : public Ui {
  public:
    explicit SilentUi(bool answer = true) : m_answer(answer) {}

    bool message(const std::string&, const std::string&, MessageButtons buttons) override {
        return buttons == MessageButtons::Ok || m_answer;
    }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> saveFile(const FileDialogRequest&) override { return std::nullopt; }
    std::string BrowseForFolder(const std::string&) override { return {}; }
    void progress(int) override {}

  private:
    bool m_answer;
};
