// The slots of Form1 for recent files, the settings and the Help menu.

#include "app/form1.h"

// Entries whose commands are not part of the program yet: they are in the
// menu so the window has its full shape, and do nothing when chosen.
void Form1::mnu_File_MRU_Click(int) {}
void Form1::mnu_Settings_Click() {}
void Form1::mnu_Help_ReadMe_Click() {}
void Form1::mnu_Help_About_Click() {}
