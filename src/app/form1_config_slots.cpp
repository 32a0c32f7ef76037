// The slots of Form1 for recent files, the settings and the Help menu.

#include "app/form1.h"
#include "app/qt_ui.h"
#include "commands/settings_commands.h"

void Form1::mnu_File_MRU_Click(int index) {
    ::mnu_File_MRU_Click(m_ws, *m_ui, index);
    refreshFromWorkspace();
}

// Entries whose commands are not part of the program yet: they are in the
// menu so the window has its full shape, and do nothing when chosen.
void Form1::mnu_Settings_Click() {}
void Form1::mnu_Help_ReadMe_Click() {}
void Form1::mnu_Help_About_Click() {}
