// The events of the window's controls other than the menus: the list's
// selection, the transparency box and the close button.

#include <QCheckBox>
#include <QCloseEvent>

#include "app/form1.h"
#include "commands/preview_commands.h"
#include "commands/unsaved_work_commands.h"

void Form1::closeEvent(QCloseEvent* event) {
    const bool goOn = ConfirmDropStagedWork(m_ws, *m_ui);
    refreshFromWorkspace();
    if (goOn) {
        event->accept();
    } else {
        event->ignore();
    }
}

void Form1::ListView1_Click() {
    takeSelectionFromView();
    ShowSelectedPicture(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::TransCheck_Click() {
    m_ws.transparency = m_transparency->isChecked();
    DrawPicture(m_ws);
    refreshFromWorkspace();
}
