// The slots of Form1 that stage replacements and write patches.

#include "app/form1.h"

// Entries whose commands are not part of the program yet: they are in the
// menu so the window has its full shape, and do nothing when chosen.
void Form1::mnu_Fullflash_Change_PNG_Click() {}
void Form1::mnu_Fullflash_SavePatch_Click() {}
void Form1::mnu_PopupPictures_Load_1bit_Click() {}
void Form1::mnu_PopupPictures_Load_8bit_Click() {}
void Form1::mnu_PopupPictures_Load_16bit_Click() {}
void Form1::mnu_PopupPictures_Load_24bit_Click() {}
void Form1::mnu_PopupPictures_Loads_1bit_Click() {}
void Form1::mnu_PopupPictures_Loads_8bit_Click() {}
void Form1::mnu_PopupPictures_Loads_16bit_Click() {}
void Form1::mnu_PopupPictures_Loads_24bit_Click() {}
void Form1::mnu_PopupPictures_SavePatch_Click() {}
