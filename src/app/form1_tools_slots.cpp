// The slots of Form1 behind the Tools menu.

#include "app/form1.h"

// Entries whose commands are not part of the program yet: they are in the
// menu so the window has its full shape, and do nothing when chosen.
void Form1::mnu_Tools_ExtractFgrP_Click() {}
void Form1::mnu_Tools_ExtractFGPN_Click() {}
void Form1::mnu_Tools_FindGIF_Click() {}
void Form1::mnu_Tools_FindPNG_Click() {}
void Form1::mnu_Tools_FindXML_Click() {}
