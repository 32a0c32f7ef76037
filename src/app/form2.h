#pragma once
// The Settings dialog: the converter path, the language and six switches.
// It shows the Workspace's dialog values; nothing it changes counts until
// Apply (or OK) writes the configuration file and reads it back. One button
// acts at once: it makes Pictavo the program for GPF and GPF2 files.

#include <QDialog>
#include <array>
#include <functional>

#include "config/settings_file.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class Ui;
class Workspace;

class Form2 final : public QDialog {
    Q_OBJECT

  public:
    /// `ui` shows the Browse dialogs and messages; `applied` runs after every
    /// Apply, so the main window shows the settings and texts just loaded.
    Form2(Workspace& ws, Ui& ui, std::function<void()> applied, QWidget* parent = nullptr);

    /// The values the controls hold now.
    [[nodiscard]] ConfigActions::SettingsValues values() const;

  public slots:
    void Command5_Click();  ///< Browse of the converter frame
    void Command1_Click();  ///< Browse of the language frame
    void Command2_Click();  ///< OK
    void Command3_Click();  ///< Apply
    void Command4_Click();  ///< Cancel
    void Command6_Click();  ///< open GPF and GPF2 files with Pictavo

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void showWorkspace();

    Workspace& m_ws;
    Ui& m_ui;
    std::function<void()> m_applied;

    QGroupBox* m_converterFrame = nullptr;     // Frame2
    QLineEdit* m_converter = nullptr;          // Text1
    QPushButton* m_converterBrowse = nullptr;  // Command5
    QGroupBox* m_languageFrame = nullptr;      // Frame1
    QLineEdit* m_language = nullptr;           // Text2
    QPushButton* m_languageBrowse = nullptr;   // Command1
    std::array<QCheckBox*, 6> m_checks{};      // Check1 .. Check6
    QPushButton* m_ok = nullptr;               // Command2
    QPushButton* m_apply = nullptr;            // Command3
    QPushButton* m_cancel = nullptr;           // Command4
    QPushButton* m_fileTypes = nullptr;        // Command6
};
