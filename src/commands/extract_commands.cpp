#include "commands/extract_commands.h"

#include <memory>
#include <string_view>

#include "commands/dialog_patterns.h"
#include "support/fs_actions.h"
#include "support/mapped_file.h"
#include "tools/gpn_splitter.h"
#include "tools/vkp_extractor.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

using namespace FSactions_Tavik;

namespace {

NamingRule namingRule(const Workspace& ws) {
    return {ws.HEXFilename, ws.ZeroFilename};
}

/// Writes each file the extractor gives, asking before an existing one is
/// replaced. Reading goes on after a declined file.
template <typename Extractor>
ExtractionEnd writeFiles(Workspace& ws, Ui& ui, Extractor& extractor, const std::string& folder) {
    ExtractionEnd end;
    while (auto file = extractor.next()) {
        if (file->numbered) ws.am = static_cast<std::uint8_t>(NameDigits(namingRule(ws)));
        const std::string path = folder + file->name;
        if (!ConfirmOverwrite(ws, ui, path)) continue;
        if (!ReplaceFile(path, file->bytes)) {
            ShowWriteFailed(ws, ui, path);
            end.failed = true;
            return end;
        }
        ++end.written;
    }
    return end;
}

/// The patch file, mapped: a file of any size costs no copy.
std::unique_ptr<MappedFile> openInput(const Workspace& ws, Ui& ui, const std::string& path) {
    auto file = MappedFile::open(path);
    if (file == nullptr) ShowFileMissing(ws, ui, path);
    return file;
}

using Extraction = ExtractionEnd (*)(Workspace&, Ui&, const std::string&, const std::string&);

/// The dialogs both commands share: the file, its check, the folder; then the
/// extraction and the closing message.
void runExtraction(Workspace& ws, Ui& ui, const FileFilter& filter, Extraction extract) {
    const auto chosen = AskInputAndFolder(ws, ui, {filter});
    if (!chosen) return;
    const ExtractionEnd end = extract(ws, ui, chosen->input, chosen->folder);
    NoteFilesWritten(ws, end.written, chosen->folder);
    if (!end.failed) ShowSuccess(ws, ui);
}

}  // namespace

ExtractionEnd ExtractFromVkpFile(Workspace& ws, Ui& ui, const std::string& patch,
                                 const std::string& folder) {
    const auto file = openInput(ws, ui, patch);
    if (file == nullptr) return {0, true};
    const auto bytes = file->bytes();
    VkpExtractor extractor(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
        namingRule(ws));
    return writeFiles(ws, ui, extractor, folder);
}

ExtractionEnd ExtractFromGpnFile(Workspace& ws, Ui& ui, const std::string& gpn,
                                 const std::string& folder) {
    const auto file = openInput(ws, ui, gpn);
    if (file == nullptr) return {0, true};
    GpnSplitter splitter(file->bytes(), namingRule(ws));
    return writeFiles(ws, ui, splitter, folder);
}

void mnu_Tools_ExtractFgrP_Click(Workspace& ws, Ui& ui) {
    runExtraction(ws, ui, Filter(ws, FileKind::Vkp), ExtractFromVkpFile);
}

void mnu_Tools_ExtractFGPN_Click(Workspace& ws, Ui& ui) {
    runExtraction(ws, ui, Filter(ws, FileKind::Gpn), ExtractFromGpnFile);
}
