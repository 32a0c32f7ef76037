#pragma once
// "Verify Patch": what a VKP patch would do to the loaded fullflash, shown
// before it goes onto a phone. The fullflash is only read.

class Ui;
class Workspace;

/// FullFlash menu "Verify Patch...": asks for a patch and shows the report.
void mnu_Fullflash_VerifyPatch_Click(Workspace& ws, Ui& ui);
