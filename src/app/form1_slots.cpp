// The slots of Form1: each calls one core command and shows the result.

#include <QCheckBox>
#include <QCloseEvent>

#include "app/form1.h"
#include "app/qt_ui.h"
#include "commands/bmp_commands.h"
#include "commands/file_commands.h"
#include "commands/fullflash_commands.h"
#include "commands/gpf_commands.h"
#include "commands/png_commands.h"
#include "commands/preview_commands.h"
#include "commands/unsaved_work_commands.h"

void Form1::mnu_FileOpen_Click() {
    ::mnu_FileOpen_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_FileClose_Click() {
    ::mnu_FileClose_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_FileExit_Click() {
    close();
}

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

void Form1::mnu_PopupPictures_SaveAsGPF_Click() {
    ::mnu_PopupPictures_SaveAsGPF_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_SaveAsGPFs_Click() {
    ::mnu_PopupPictures_SaveAsGPFs_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_SaveAsBMP_Click() {
    ::mnu_PopupPictures_SaveAsBMP_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_SaveAsBMPs_Click() {
    ::mnu_PopupPictures_SaveAsBMPs_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPic_SaveAsBMP_Click() {
    ::mnu_PopupPic_SaveAsBMP_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPic_SaveAsGPF_1bit_Click() {
    ::mnu_PopupPic_SaveAsGPF_Click(m_ws, *m_ui, kSaveGpf1Bit);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPic_SaveAsGPF_8bit_Click() {
    ::mnu_PopupPic_SaveAsGPF_Click(m_ws, *m_ui, kSaveGpf8Bit);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPic_SaveAsGPF_16bit_Click() {
    ::mnu_PopupPic_SaveAsGPF_Click(m_ws, *m_ui, kSaveGpf16Bit);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPic_SaveAsGPF_24bit_Click() {
    ::mnu_PopupPic_SaveAsGPF_Click(m_ws, *m_ui, kSaveGpf24Bit);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_SaveAsPNG_Click() {
    ::mnu_PopupPictures_SaveAsPNG_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPic_SaveAsPNG_Click() {
    ::mnu_PopupPic_SaveAsPNG_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}
