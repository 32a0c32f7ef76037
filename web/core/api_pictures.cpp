// The page's calls about pictures: the preview of the selected row (and of
// B's picture while comparing), thumbnails, and exports.

#include <emscripten.h>

#include <algorithm>
#include <filesystem>

#include "codec/bmp_writer.h"
#include "commands/bmp_commands.h"
#include "commands/comparison_commands.h"
#include "commands/gpf_commands.h"
#include "commands/preview_commands.h"
#include "pixels.h"
#include "session.h"
#include "support/fs_actions.h"
#include "ui/silent_ui.h"

namespace {

constexpr const char* kExportFolder = "/out/export/";

void addPixels(JsonText& answer, const std::string& name, PagePixels pixels) {
    answer.beginObject().key("file").value(name).key("width").value(pixels.width);
    answer.key("height").value(pixels.height).key("channels").value(pixels.channels).endObject();
    TheSession().files.emplace_back(name, std::move(pixels.bytes));
}

/// The preview as it stands: A's picture and information line, and B's
/// while comparing.
void addPreview(JsonText& answer) {
    const Workspace& ws = TheSession().ws;
    answer.key("information").value(ws.pictureInfo);
    answer.key("picture");
    addPixels(answer, "picture", PaintedPixels(ws.preview));
    if (!ws.comparison) return;
    answer.key("comparedInformation").value(ws.comparison->pictureInfo);
    answer.key("compared");
    addPixels(answer, "compared", PaintedPixels(ws.comparison->preview));
}

/// A row's picture as the thumbnail grid shows it: the staged replacement of
/// a bold row, else the fullflash's.
bool decodeRow(const Workspace& ws, std::size_t row, DecodedPicture& picture) {
    const PictureListEntry& entry = ws.rows[row];
    if (!entry.changed) return DecodeFullflashPicture(picture, ws.flash.file->bytes(), entry.entry);
    return DecodeGpfFile(picture,
                         StagingFilePath(ws, static_cast<std::size_t>(entry.entry.number)));
}

/// Files of the export folder, in name order (the rows' order), handed to the
/// page and removed.
std::vector<std::pair<std::string, std::string>> takeExportedFiles() {
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(kExportFolder))
        paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& path : paths) {
        auto bytes = FSactions_Tavik::ReadFileBytes(path.string());
        FSactions_Tavik::DeleteFile(path.string());
        if (bytes) files.emplace_back(path.filename().string(), std::move(*bytes));
    }
    return files;
}

/// Rows first .. last - 1 through `save`, which writes into the export folder.
template <typename Save>
BatchEnd exportRows(Workspace& ws, int first, int last, Save save) {
    std::filesystem::create_directories(kExportFolder);
    takeExportedFiles();  // what an earlier call left
    const RowFilter filter = [first, last](std::size_t row) {
        return static_cast<int>(row) >= first && static_cast<int>(row) < last;
    };
    // Batches select each row they save; the page's selection stays.
    const auto selected = ws.selectedRow;
    const BatchEnd end = save(filter);
    ws.selectedRow = selected;
    SilentUi quiet;
    if (selected) ShowSelectedPicture(ws, quiet);
    return end;
}

}  // namespace

extern "C" {

/// Selects a row and shows its picture.
EMSCRIPTEN_KEEPALIVE const char* pictavo_select(int row) {
    JsonText answer = BeginCall();
    Session& session = TheSession();
    Workspace& ws = session.ws;
    if (row >= 0 && static_cast<std::size_t>(row) < ws.rows.size()) {
        ws.selectedRow = static_cast<std::size_t>(row);
        ShowSelectedPicture(ws, session.ui);
        ShowComparedPicture(ws);
    }
    addPreview(answer);
    return FinishCall(answer);
}

/// The transparency and checkerboard switches: the shown pictures painted again.
EMSCRIPTEN_KEEPALIVE const char* pictavo_view(int transparency, int checkerboard) {
    JsonText answer = BeginCall();
    Workspace& ws = TheSession().ws;
    ws.transparency = transparency != 0;
    ws.checkerboard = checkerboard != 0;
    DrawPicture(ws);
    ShowComparedPicture(ws);
    addPreview(answer);
    return FinishCall(answer);
}

/// Thumbnails of rows first .. last - 1, with their transparency; a picture
/// that cannot be decoded has width 0.
EMSCRIPTEN_KEEPALIVE const char* pictavo_thumbnails(int first, int last) {
    JsonText answer = BeginCall();
    const Workspace& ws = TheSession().ws;
    const int end = std::min(last, static_cast<int>(ws.rows.size()));
    DecodedPicture picture;
    answer.key("tiles").beginArray();
    for (int row = std::max(first, 0); row < end; ++row) {
        const bool decoded = decodeRow(ws, static_cast<std::size_t>(row), picture);
        addPixels(answer, std::to_string(row), decoded ? PictureWithAlpha(picture) : PagePixels{});
    }
    answer.endArray();
    return FinishCall(answer);
}

/// Rows first .. last - 1 as the list's batch saves write them: "bmp" and
/// "gpf2" files as they are; for "png", the pixels the window hands its
/// converter (the bitmap's), which the page encodes.
EMSCRIPTEN_KEEPALIVE const char* pictavo_export(const char* kind, int first, int last) {
    JsonText answer = BeginCall();
    Session& session = TheSession();
    Workspace& ws = session.ws;
    const std::string as = kind;
    const BatchEnd end = exportRows(ws, first, last, [&](const RowFilter& filter) {
        if (as == "bmp") return SavePicturesAsBmp(ws, session.ui, kExportFolder, filter);
        if (as == "gpf2") return SavePicturesAsGpf(ws, session.ui, kExportFolder, ".gpf2", filter);
        return SavePicturesInFolder(
            ws, session.ui, kExportFolder, ".png", filter, [&](const std::string& path) {
                return GPFcodec::WriteBmpFile(path, ws.picture, ws.picture.hasAlpha);
            });
    });
    answer.key("completed").value(end.completed);
    auto files = takeExportedFiles();
    answer.key("pictures").beginArray();
    for (auto& [name, bytes] : files) {
        if (as == "png") {
            addPixels(answer, name, BitmapPixels(bytes));
        } else {
            answer.beginObject().key("file").value(name).endObject();
            session.files.emplace_back(name, std::move(bytes));
        }
    }
    answer.endArray();
    return FinishCall(answer);
}

}  // extern "C"
