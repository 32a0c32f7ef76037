// The slots of Form1 for recent files, the settings and the Help menu.

#include <QProcess>

#include "app/form1.h"
#include "app/form2.h"
#include "app/qt_ui.h"
#include "commands/desktop_commands.h"
#include "commands/settings_commands.h"

void Form1::mnu_File_MRU_Click(int index) {
    ::mnu_File_MRU_Click(m_ws, *m_ui, index);
    refreshFromWorkspace();
}

void Form1::mnu_Settings_Click() {
    LoadSettings(m_ws, *m_ui);
    refreshFromWorkspace();
    Form2 dialog(
        m_ws, *m_ui, [this] { refreshFromWorkspace(); }, this);
    dialog.exec();
    refreshFromWorkspace();
}

void Form1::mnu_Help_ReadMe_Click() const {
    // Not waited for and not checked, like any document opened from a menu.
    QProcess::startDetached(QStringLiteral("xdg-open"),
                            {bytesToQString(m_ws.programFiles.readMeFile)});
}

void Form1::mnu_Help_About_Click() {
    ::mnu_Help_About_Click(m_ws, *m_ui);
}
