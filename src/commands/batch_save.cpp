#include "commands/batch_save.h"

#include "codec/gpf_file.h"
#include "commands/dialog_patterns.h"
#include "commands/preview_commands.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

BatchEnd SaveRowByRow(Workspace& ws, Ui& ui, const RowFilter& filter,
                      const std::function<RowSaved(std::size_t rowPosition)>& save) {
    const PreviewKeeper keeper(ws);
    BatchEnd end;
    const std::size_t count = ws.rows.size();
    for (std::size_t position = 0; position < count; ++position) {
        if (filter && !filter(position)) continue;
        ui.progress(static_cast<int>(position * 100 / count));
        // A refused type leaves the previous picture in place; saving it under
        // this picture's name would be a wrong file.
        if (!SelectAndShow(ws, ui, position)) continue;
        const RowSaved saved = save(position);
        if (saved == RowSaved::Stop) {
            end.completed = false;
            return end;
        }
        if (saved == RowSaved::Written) ++end.written;
    }
    ui.progress(100);
    return end;
}

BatchEnd SavePicturesInFolder(Workspace& ws, Ui& ui, const std::string& folder,
                              const std::string& extension, const RowFilter& filter,
                              const PictureWriter& write) {
    return SaveRowByRow(ws, ui, filter, [&](std::size_t position) {
        const auto name = GPFcodec::PictureFileNameFor(ws.rows[position].entry.number,
                                                       ws.HEXFilename, ws.ZeroFilename);
        ws.am = static_cast<std::uint8_t>(name.digits);
        const std::string path = (folder + name.base).append(extension);
        if (!ConfirmOverwrite(ws, ui, path) || !write(path)) return RowSaved::Stop;
        return RowSaved::Written;
    });
}
