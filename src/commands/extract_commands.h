#pragma once
// Tools menu: pictures rebuilt out of VKP patches and GPN files into a folder
// the user picks. Neither needs an open fullflash; of the window's state only
// the digit count `am` changes.

#include <string>

class Ui;
class Workspace;

/// How an extraction into a folder ended.
struct ExtractionEnd {
    int written = 0;
    bool failed = false;  ///< a file could not be read or written; a message was shown
};

/// Tools ▸ Extract from Graph.Patch.
void mnu_Tools_ExtractFgrP_Click(Workspace& ws, Ui& ui);
/// Tools ▸ Extract from GPN.
void mnu_Tools_ExtractFGPN_Click(Workspace& ws, Ui& ui);

/// Every picture and PNG block of the patch at `patch` as a file in `folder`
/// (ending in '/'), named by the settings `HEXFilename` and `ZeroFilename`.
/// An existing file is replaced only after OK; Cancel skips that one file.
/// A file that cannot be written ends the extraction with a message.
ExtractionEnd ExtractFromVkpFile(Workspace& ws, Ui& ui, const std::string& patch,
                                 const std::string& folder);
/// The same for the GPF and GPF2 files a GPN file is made of.
ExtractionEnd ExtractFromGpnFile(Workspace& ws, Ui& ui, const std::string& gpn,
                                 const std::string& folder);
