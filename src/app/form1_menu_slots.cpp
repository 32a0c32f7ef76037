// The menu entries' slots that only hand on to a command or to the preview,
// in the menu tree's order: each runs its command and shows the result. The
// slots with more to do live beside their part of the window.

#include "app/form1.h"
#include "app/picture_view.h"
#include "app/qt_ui.h"
#include "commands/bmp_commands.h"
#include "commands/carve_commands.h"
#include "commands/comparison_commands.h"
#include "commands/desktop_commands.h"
#include "commands/embedded_png_commands.h"
#include "commands/extract_commands.h"
#include "commands/file_commands.h"
#include "commands/fullflash_commands.h"
#include "commands/gpf_commands.h"
#include "commands/patch_commands.h"
#include "commands/png_commands.h"
#include "commands/port_commands.h"
#include "commands/preview_commands.h"
#include "commands/settings_commands.h"
#include "commands/staging_commands.h"
#include "commands/verify_commands.h"

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

void Form1::mnu_File_MRU_Click(int index) {
    ::mnu_File_MRU_Click(m_ws, *m_ui, index);
    refreshFromWorkspace();
}

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

void Form1::mnu_Fullflash_PortPatch_Click() {
    ::mnu_Fullflash_PortPatch_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_Fullflash_Compare_Click() {
    ::mnu_Fullflash_Compare_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_Fullflash_CompareStage_Click() {
    ::mnu_Fullflash_CompareStage_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_Fullflash_CompareClose_Click() {
    ::mnu_Fullflash_CompareClose_Click(m_ws);
    refreshFromWorkspace();
}

void Form1::mnu_View_ZoomIn_Click() {
    m_picture->zoomIn();
}

void Form1::mnu_View_ZoomOut_Click() {
    m_picture->zoomOut();
}

void Form1::mnu_View_ZoomFit_Click() {
    m_picture->setZoom(PictureView::kFit);
}

void Form1::mnu_View_Zoom_Click(int zoom) {
    m_picture->setZoom(zoom);
}

void Form1::mnu_View_Checkerboard_Click() {
    m_ws.checkerboard = !m_ws.checkerboard;
    DrawPicture(m_ws);
    refreshFromWorkspace();
}

void Form1::mnu_Help_About_Click() {
    ::mnu_Help_About_Click(m_ws, *m_ui);
}

void Form1::mnu_PopupPictures_Load_Click(int code) {
    ::mnu_PopupPictures_Load_Click(m_ws, *m_ui, code);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_Loads_Click(int code) {
    ::mnu_PopupPictures_Loads_Click(m_ws, *m_ui, code);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_Discard_Click() {
    ::mnu_PopupPictures_Discard_Click(m_ws, *m_ui);
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

void Form1::mnu_PopupPictures_SaveAsPNG_Click() {
    ::mnu_PopupPictures_SaveAsPNG_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPictures_SavePatch_Click() {
    ::mnu_PopupPictures_SavePatch_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPic_SaveAsBMP_Click() {
    ::mnu_PopupPic_SaveAsBMP_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPic_SaveAsPNG_Click() {
    ::mnu_PopupPic_SaveAsPNG_Click(m_ws, *m_ui);
    refreshFromWorkspace();
}

void Form1::mnu_PopupPic_SaveAsGPF_Click(int code) {
    ::mnu_PopupPic_SaveAsGPF_Click(m_ws, *m_ui, code);
    refreshFromWorkspace();
}
