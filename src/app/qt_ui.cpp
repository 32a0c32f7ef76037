#include "app/qt_ui.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStringDecoder>
#include <algorithm>

#include "app/report_dialog.h"
#include "config/dialog_folders.h"

QString bytesToQString(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string qStringToBytes(const QString& text) {
    return text.toStdString();
}

QString messageText(const std::string& bytes) {
    QString text = bytesToQString(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString qtFilter(const FileFilter& filter) {
    QString description = bytesToQString(filter.description);
    QString patterns = bytesToQString(filter.pattern);
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open >= 0 && description.endsWith(QLatin1Char(')'))) description.truncate(open);
    return description.trimmed() + QStringLiteral(" (") + patterns + QLatin1Char(')');
}

bool QtUi::message(const std::string& text, const std::string& title, MessageButtons buttons) {
    QMessageBox box(m_owner);
    box.setWindowTitle(bytesToQString(title));
    box.setText(messageText(text));
    if (buttons == MessageButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setIcon(QMessageBox::Question);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

CheckedAnswer QtUi::question(const std::string& text, const std::string& title,
                             const std::string& checkBox) {
    QMessageBox box(QMessageBox::Question, bytesToQString(title), messageText(text),
                    QMessageBox::Ok | QMessageBox::Cancel, m_owner);
    box.setDefaultButton(QMessageBox::Ok);
    box.setCheckBox(new QCheckBox(bytesToQString(checkBox), &box));
    const bool ok = box.exec() == QMessageBox::Ok;
    return {ok, box.checkBox()->isChecked()};
}

std::size_t QtUi::choose(const std::string& text, const std::string& title,
                         const std::vector<std::string>& answers) {
    QMessageBox box(QMessageBox::Question, bytesToQString(title), messageText(text),
                    QMessageBox::NoButton, m_owner);
    std::vector<QAbstractButton*> buttons;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const bool last = i + 1 == answers.size();
        const QMessageBox::ButtonRole role = i == 0 ? QMessageBox::AcceptRole
                                             : last ? QMessageBox::RejectRole
                                                    : QMessageBox::DestructiveRole;
        buttons.push_back(box.addButton(bytesToQString(answers[i]), role));
    }
    if (!buttons.empty()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons.front()));
        box.setEscapeButton(buttons.back());
    }
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    if (chosen == buttons.end()) return answers.empty() ? 0 : answers.size() - 1;
    return static_cast<std::size_t>(chosen - buttons.begin());
}

void QtUi::report(const std::string& title, ReportTone tone, const std::string& verdict,
                  const std::string& details) {
    ReportDialog dialog(m_owner, bytesToQString(title), tone, messageText(verdict),
                        messageText(details));
    dialog.exec();
}

std::optional<std::string> QtUi::runFileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(m_owner, bytesToQString(request.title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The commands ask about overwriting in their own words.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    const std::string_view key =
        request.filters.empty() ? std::string_view{}
                                : ConfigActions::DialogFolderKey(request.filters.front().pattern);
    dialog.setDirectory(request.initialFolder.empty() ? startFolder(key)
                                                      : bytesToQString(request.initialFolder));
    QStringList filters;
    for (const FileFilter& filter : request.filters) filters << qtFilter(filter);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) dialog.selectNameFilter(filters.first());
    if (!request.defaultExtension.empty()) {
        dialog.setDefaultSuffix(bytesToQString(request.defaultExtension));
    }
    if (!request.initialName.empty()) dialog.selectFile(bytesToQString(request.initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString chosen = dialog.selectedFiles().first();
    remember(key, QFileInfo(chosen).absolutePath());
    return qStringToBytes(chosen);
}

std::optional<std::string> QtUi::openFile(const FileDialogRequest& request) {
    return runFileDialog(request, false);
}

std::optional<std::string> QtUi::saveFile(const FileDialogRequest& request) {
    return runFileDialog(request, true);
}

std::string QtUi::BrowseForFolder(const std::string& prompt) {
    const std::string_view key = ConfigActions::DialogFolderKey(ConfigActions::kFolderPattern);
    const QString folder = QFileDialog::getExistingDirectory(
        m_owner, bytesToQString(prompt), startFolder(key),
        QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (!folder.isEmpty()) remember(key, folder);
    return qStringToBytes(folder);
}

QString QtUi::startFolder(std::string_view key) const {
    if (!key.empty() && m_folders.recall) {
        QString folder = bytesToQString(m_folders.recall(key));
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
    }
    return QDir::homePath();
}

void QtUi::remember(std::string_view key, const QString& folder) const {
    if (!key.empty() && m_folders.remember) m_folders.remember(key, qStringToBytes(folder));
}

void QtUi::progress(int percent) {
    if (m_progressBar == nullptr || m_progressBar->value() == percent) return;
    m_progressBar->setValue(percent);
    // Long commands run on this thread; repaint the bar alone so it moves
    // without letting other input in while the command runs.
    m_progressBar->repaint();
}

void QtUi::refresh() {
    if (m_onRefresh) m_onRefresh();
    if (m_owner != nullptr) m_owner->repaint();
}
