// The slots of Form1 that stage replacements, write patches and check them.

#include "app/form1.h"
#include "app/qt_ui.h"
#include "commands/embedded_png_commands.h"
#include "commands/gpf_commands.h"
#include "commands/patch_commands.h"
#include "commands/staging_commands.h"
#include "commands/verify_commands.h"

void Form1::mnu_Fullflash_Change_PNG_Click() {
    ::mnu_Fullflash_Change_PNG_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_Fullflash_SavePatch_Click() {
    ::mnu_Fullflash_SavePatch_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_Fullflash_VerifyPatch_Click() {
    ::mnu_Fullflash_VerifyPatch_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_Discard_Click() {
    ::mnu_PopupPictures_Discard_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_SavePatch_Click() {
    ::mnu_PopupPictures_SavePatch_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_Load_1bit_Click() {
    ::mnu_PopupPictures_Load_Click(m_ws, *m_ui, kSaveGpf1Bit);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_Load_8bit_Click() {
    ::mnu_PopupPictures_Load_Click(m_ws, *m_ui, kSaveGpf8Bit);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_Load_16bit_Click() {
    ::mnu_PopupPictures_Load_Click(m_ws, *m_ui, kSaveGpf16Bit);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_Load_24bit_Click() {
    ::mnu_PopupPictures_Load_Click(m_ws, *m_ui, kSaveGpf24Bit);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_Loads_1bit_Click() {
    ::mnu_PopupPictures_Loads_Click(m_ws, *m_ui, kSaveGpf1Bit);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_Loads_8bit_Click() {
    ::mnu_PopupPictures_Loads_Click(m_ws, *m_ui, kSaveGpf8Bit);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_Loads_16bit_Click() {
    ::mnu_PopupPictures_Loads_Click(m_ws, *m_ui, kSaveGpf16Bit);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_Loads_24bit_Click() {
    ::mnu_PopupPictures_Loads_Click(m_ws, *m_ui, kSaveGpf24Bit);
    refreshFromWorkspace();
}
