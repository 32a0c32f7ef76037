#include "app/form2.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt_ui.h"
#include "commands/desktop_commands.h"
#include "commands/settings_dialog_commands.h"
#include "workspace/workspace.h"

namespace {

using Switch = bool ConfigActions::SettingsValues::*;

// Check1 .. Check6, in the dialog's reading order.
constexpr std::array<Switch, 6> kSwitches{
    &ConfigActions::SettingsValues::Transparency, &ConfigActions::SettingsValues::CompressGPF,
    &ConfigActions::SettingsValues::DefaultGPF2,  &ConfigActions::SettingsValues::ZeroFilename,
    &ConfigActions::SettingsValues::HEXFilename,  &ConfigActions::SettingsValues::PngAlpha};

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

Form2::Form2(Workspace& ws, Ui& ui, std::function<void()> applied, QWidget* parent)
    : QDialog(parent), m_ws(ws), m_ui(ui), m_applied(std::move(applied)) {
    setObjectName(QStringLiteral("Form2"));
    setModal(true);

    m_converterFrame = named(new QGroupBox(this), "Frame2");
    m_converter = named(new QLineEdit(m_converterFrame), "Text1");
    m_converterBrowse = named(new QPushButton(m_converterFrame), "Command5");
    auto* converterRow = new QHBoxLayout(m_converterFrame);
    converterRow->addWidget(m_converter, 1);
    converterRow->addWidget(m_converterBrowse);

    m_languageFrame = named(new QGroupBox(this), "Frame1");
    m_language = named(new QLineEdit(m_languageFrame), "Text2");
    m_languageBrowse = named(new QPushButton(m_languageFrame), "Command1");
    auto* languageRow = new QHBoxLayout(m_languageFrame);
    languageRow->addWidget(m_language, 1);
    languageRow->addWidget(m_languageBrowse);

    auto* switches = new QGridLayout;
    for (std::size_t i = 0; i < m_checks.size(); ++i) {
        m_checks[i] = new QCheckBox(this);
        m_checks[i]->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        switches->addWidget(m_checks[i], static_cast<int>(i / 3), static_cast<int>(i % 3));
        connect(m_checks[i], &QCheckBox::clicked, this, [this] { m_apply->setEnabled(true); });
    }

    m_fileTypes = named(new QPushButton(this), "Command6");
    auto* fileTypesRow = new QHBoxLayout;
    fileTypesRow->addWidget(m_fileTypes);
    fileTypesRow->addStretch(1);

    m_ok = named(new QPushButton(this), "Command2");
    m_apply = named(new QPushButton(this), "Command3");
    m_cancel = named(new QPushButton(this), "Command4");
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_ok, m_apply, m_cancel}) buttons->addWidget(button);
    m_ok->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_converterFrame);
    layout->addWidget(m_languageFrame);
    layout->addLayout(switches);
    layout->addLayout(fileTypesRow);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addLayout(buttons);
    // The dialog grows with its captions: a language with longer words must
    // not cut the check boxes' texts.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    setMinimumWidth(380);

    for (QLineEdit* box : {m_converter, m_language}) {
        connect(box, &QLineEdit::textChanged, this, [this] { m_apply->setEnabled(true); });
    }
    connect(m_converterBrowse, &QPushButton::clicked, this, &Form2::Command5_Click);
    connect(m_languageBrowse, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(m_ok, &QPushButton::clicked, this, &Form2::Command2_Click);
    connect(m_apply, &QPushButton::clicked, this, &Form2::Command3_Click);
    connect(m_cancel, &QPushButton::clicked, this, &Form2::Command4_Click);
    connect(m_fileTypes, &QPushButton::clicked, this, &Form2::Command6_Click);
    showWorkspace();
}

void Form2::showWorkspace() {
    const auto caption = [this](const char* name) {
        return bytesToQString(m_ws.control(name).caption);
    };
    setWindowTitle(caption("Form2"));
    m_converterFrame->setTitle(caption("Frame2"));
    m_languageFrame->setTitle(caption("Frame1"));
    m_converterBrowse->setText(caption("Command5"));
    m_languageBrowse->setText(caption("Command1"));
    m_ok->setText(caption("Command2"));
    m_apply->setText(caption("Command3"));
    m_cancel->setText(caption("Command4"));
    m_fileTypes->setText(caption("Command6"));

    const ConfigActions::SettingsValues& values = m_ws.settingsDialog;
    m_converter->setText(bytesToQString(values.nConvert));
    m_language->setText(bytesToQString(values.Language));
    for (std::size_t i = 0; i < m_checks.size(); ++i) {
        m_checks[i]->setText(caption(m_checks[i]->objectName().toLatin1().constData()));
        m_checks[i]->setChecked(values.*kSwitches[i]);
    }
    m_apply->setEnabled(false);
}

ConfigActions::SettingsValues Form2::values() const {
    // Settings the dialog has no control for stay as they are.
    ConfigActions::SettingsValues values = m_ws.settingsDialog;
    values.nConvert = qStringToBytes(m_converter->text());
    values.Language = qStringToBytes(m_language->text());
    for (std::size_t i = 0; i < m_checks.size(); ++i)
        values.*kSwitches[i] = m_checks[i]->isChecked();
    return values;
}

void Form2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_apply->setEnabled(false);
}

void Form2::Command5_Click() {
    if (const auto path = ChooseConverter(m_ws, m_ui)) m_converter->setText(bytesToQString(*path));
}

void Form2::Command1_Click() {
    if (const auto name = ChooseLanguage(m_ws, m_ui)) m_language->setText(bytesToQString(*name));
}

void Form2::Command2_Click() {
    Command3_Click();
    Command4_Click();
}

void Form2::Command3_Click() {
    ApplySettings(m_ws, m_ui, values());
    showWorkspace();
    if (m_applied) m_applied();
}

void Form2::Command4_Click() {
    reject();
}

void Form2::Command6_Click() {
    RegisterFileTypes(m_ws, m_ui, ConfigActions::XdgFolders::fromEnvironment());
}
