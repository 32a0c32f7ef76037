#include "commands/carve_commands.h"

#include <algorithm>

#include "commands/dialog_patterns.h"
#include "support/fs_actions.h"
#include "support/mapped_file.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

using namespace FSactions_Tavik;

namespace {

void findAndWrite(Workspace& ws, Ui& ui, CarveKind kind) {
    const auto chosen =
        AskInputAndFolder(ws, ui, {Filter(ws, FileKind::Fullflash), Filter(ws, FileKind::Any)});
    if (!chosen) return;
    const auto count = CarveFiles(ws, ui, chosen->input, kind, chosen->folder);
    if (count) {
        NoteFilesWritten(ws, *count, chosen->folder);
        ui.message(ws.text("str_Succes"), std::string(" ").append(std::to_string(*count)),
                   MessageButtons::Ok);
    }
}

}  // namespace

std::optional<int> CarveFiles(const Workspace& ws, Ui& ui, const std::string& path, CarveKind kind,
                              const std::string& folder) {
    const auto file = MappedFile::open(path);
    if (file == nullptr) {
        ShowFileMissing(ws, ui, path);
        return std::nullopt;
    }
    const std::size_t size = file->size();
    int shown = -1;
    auto showProgress = [&ui, &shown, size](std::size_t scanned) {
        const auto percent =
            size == 0 ? 100 : static_cast<int>(std::min(scanned, size) * 100 / size);
        if (percent != shown) ui.progress(shown = percent);
    };
    const CarveSignature& signature = SignatureOf(kind);
    EmbeddedFileCarver carver(file->bytes(), signature, showProgress);
    int count = 0;
    while (const auto found = carver.next()) {
        const std::string target = folder + CarvedFileName(found->offset, signature.extension);
        if (!ConfirmOverwrite(ws, ui, target)) continue;
        const auto* first = reinterpret_cast<const char*>(file->bytes().data() + found->offset);
        if (!ReplaceFile(target, std::string_view(first, found->size))) {
            ShowWriteFailed(ws, ui, target);
            return std::nullopt;
        }
        ++count;
    }
    ui.progress(100);
    return count;
}

void mnu_Tools_FindGIF_Click(Workspace& ws, Ui& ui) {
    findAndWrite(ws, ui, CarveKind::Gif);
}
void mnu_Tools_FindPNG_Click(Workspace& ws, Ui& ui) {
    findAndWrite(ws, ui, CarveKind::Png);
}
void mnu_Tools_FindXML_Click(Workspace& ws, Ui& ui) {
    findAndWrite(ws, ui, CarveKind::Xml);
}
