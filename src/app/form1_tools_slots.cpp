// The slots of Form1 behind the Tools menu.

#include "app/form1.h"
#include "app/qt_ui.h"
#include "commands/carve_commands.h"
#include "commands/extract_commands.h"

void Form1::mnu_Tools_ExtractFgrP_Click() {
    ::mnu_Tools_ExtractFgrP_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_Tools_ExtractFGPN_Click() {
    ::mnu_Tools_ExtractFGPN_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_Tools_FindGIF_Click() {
    ::mnu_Tools_FindGIF_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_Tools_FindPNG_Click() {
    ::mnu_Tools_FindPNG_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_Tools_FindXML_Click() {
    ::mnu_Tools_FindXML_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}
