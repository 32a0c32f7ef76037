#include "commands/desktop_commands.h"

#include "commands/settings_commands.h"
#include "config/file_association.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

using namespace ConfigActions;

namespace {

std::string programPath(const Workspace& ws) {
    return ws.applicationFolder + kProgramFileName;
}

bool registeredToThisProgram(const Workspace& ws, const XdgFolders& xdg) {
    const std::string expected = OpenCommand(programPath(ws));
    return GetAssociatedCommand(".gpf2", xdg) == expected &&
           GetAssociatedCommand(".gpf", xdg) == expected;
}

void registerBothExtensions(const Workspace& ws, const XdgFolders& xdg) {
    for (const char* ext : {".gpf", ".gpf2"}) {
        RegisterExtension(ext, "Graphic Patch File", programPath(ws), ws.programFiles.icon, xdg);
    }
}

constexpr Phrase kCredit{"str_AbCredit", "by the Pictavo developers"};
constexpr Phrase kLicence{"str_AbLicence",
                          "Free software under the GNU General Public License, version 3 or "
                          "later (GPL-3.0-or-later)"};
constexpr Phrase kHelp{"str_AbHelp", "Help"};
constexpr Phrase kForums{"str_AbForums",
                         "the Siemens phone-modding forums, for what is known of the firmware"};
constexpr Phrase kViKlay{"str_AbViKlay", "the makers of ViKlay, which applies the patches"};
constexpr Phrase kConverter{"str_AbConv",
                            "the makers of nConvert, whose command lines pictavo-convert accepts"};

}  // namespace

void CheckFileAssociation(Workspace& ws, Ui& ui, const XdgFolders& xdg) {
    if (!ws.settingsDialog.AskFileAssociation || registeredToThisProgram(ws, xdg)) return;
    const CheckedAnswer answer = ui.question(ws.text("str_RegExt") + "?", "",
                                             ws.control(ControlNames::kDontAskAgain).caption);
    if (answer.checked) SetAskFileAssociation(ws, false);
    if (answer.ok) registerBothExtensions(ws, xdg);
}

void RegisterFileTypes(Workspace& ws, Ui& ui, const XdgFolders& xdg) {
    registerBothExtensions(ws, xdg);
    if (!registeredToThisProgram(ws, xdg)) {
        ui.message(ws.text("str_RegNo") + "!", "", MessageButtons::Ok);
        return;
    }
    if (!ws.settingsDialog.AskFileAssociation) SetAskFileAssociation(ws, true);
    ui.message(ws.text("str_Succes"), "", MessageButtons::Ok);
}

std::string AboutText(const Workspace& ws) {
    return "Pictavo v1.2, " + ws.say(kCredit) + "\r" + ws.say(kLicence) + "\r" + ws.say(kHelp) +
           ": " + ws.programFiles.readMeFile + "\r\r" + ws.text("str_tnx") + ":\r" +
           ws.say(kForums) + "\r\r" + ws.say(kViKlay) + "\r" + ws.say(kConverter);
}

void mnu_Help_About_Click(const Workspace& ws, Ui& ui) {
    ui.message(AboutText(ws), ws.control("mnu_Help_About").caption, MessageButtons::Ok);
}
