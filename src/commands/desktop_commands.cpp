#include "commands/desktop_commands.h"

#include "config/file_association.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

using namespace ConfigActions;

void CheckFileAssociation(Workspace& ws, Ui& ui, const XdgFolders& xdg) {
    const std::string program = ws.applicationFolder + kProgramFileName;
    const std::string expected = OpenCommand(program);
    if (GetAssociatedCommand(".gpf2", xdg) == expected &&
        GetAssociatedCommand(".gpf", xdg) == expected) {
        return;
    }
    if (!ui.message(ws.text("str_RegExt") + "?", "", MessageButtons::OkCancel)) return;
    for (const char* ext : {".gpf", ".gpf2"}) {
        RegisterExtension(ext, "Graphic Patch File", program, ws.programFiles.icon, xdg);
    }
}

std::string AboutText(const Workspace& ws) {
    return "Pictavo v1.2, by the Pictavo developers\r"
           "Help: " +
           ws.programFiles.readMeFile +
           "\r"
           "\r" +
           ws.text("str_tnx") +
           ":\r"
           "the Siemens phone-modding forums, for what is known of the firmware\r"
           "\r"
           "the makers of ViKlay, which applies the patches\r"
           "the makers of nConvert, whose command lines pictavo-convert accepts";
}

void mnu_Help_About_Click(const Workspace& ws, Ui& ui) {
    ui.message(AboutText(ws), ws.control("mnu_Help_About").caption, MessageButtons::Ok);
}
