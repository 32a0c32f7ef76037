// The slots of Form1 for the settings and the ReadMe, which do more than hand on.

#include <QProcess>

#include "app/form1.h"
#include "app/form2.h"
#include "app/qt_ui.h"
#include "commands/settings_commands.h"
#include "support/fs_actions.h"

namespace {

constexpr Phrase kReadMeNotOpened{"str_RdMeFail", "No program could open the ReadMe:"};

}  // namespace

void Form1::mnu_Settings_Click() {
    LoadSettings(m_ws, *m_ui);
    refreshFromWorkspace();
    Form2 dialog(
        m_ws, *m_ui, [this] { refreshFromWorkspace(); }, this);
    dialog.exec();
    refreshFromWorkspace();
}

void Form1::mnu_Help_ReadMe_Click() {
    // Not waited for: the desktop's program for text files opens it, and only
    // when none can does the window hear of it and say so.
    const std::string readMe = m_ws.programFiles.readMeFile;
    const auto cannotOpen = [this, readMe] {
        m_ui->message(m_ws.say(kReadMeNotOpened) + "\r" + readMe, "", MessageButtons::Ok);
    };
    if (FSactions_Tavik::FileMissing(readMe)) {
        cannotOpen();
        return;
    }
    auto* opener = new QProcess(this);
    connect(opener, &QProcess::errorOccurred, this,
            [opener, cannotOpen](QProcess::ProcessError error) {
                if (error == QProcess::FailedToStart) {
                    cannotOpen();
                    opener->deleteLater();
                }
            });
    connect(opener, &QProcess::finished, this,
            [opener, cannotOpen](int exitCode, QProcess::ExitStatus status) {
                if (status != QProcess::NormalExit || exitCode != 0) cannotOpen();
                opener->deleteLater();
            });
    opener->start(QStringLiteral("xdg-open"), {bytesToQString(readMe)});
}
