// The page's calls about the fullflash itself: the language, opening and
// closing, and the files a call hands back.

#include <emscripten.h>

#include <cstdint>

#include "commands/fullflash_commands.h"
#include "commands/settings_commands.h"
#include "page_texts.h"
#include "session.h"
#include "support/fs_actions.h"

namespace {

void addInformation(JsonText& answer, const FullflashState& flash) {
    answer.key("information").beginObject();
    answer.key("model").value(flash.mModel).key("firmware").value(flash.fw);
    answer.key("languagePack").value(flash.lngPack).key("platform").value(flash.platform);
    answer.key("manufacturer").value(flash.ManufN).key("table").value(flash.PITadr);
    answer.endObject();
}

/// The rows as pictavo-cli list prints them: the seven texts of a row
/// separated by tabs, one row a line.
std::string listText(const std::vector<PictureListEntry>& rows) {
    std::string text;
    text.reserve(rows.size() * 48);
    for (const PictureListEntry& row : rows) {
        const auto texts = ColumnTexts(row);
        for (std::size_t column = 0; column < texts.size(); ++column) {
            text += texts[column];
            text += column + 1 < texts.size() ? '\t' : '\n';
        }
    }
    return text;
}

}  // namespace

extern "C" {

/// Reads the language file `name`.lng (its `size` bytes at `bytes`) as the
/// window reads its language file, and answers every caption and the texts
/// the page shows.
EMSCRIPTEN_KEEPALIVE const char* pictavo_language(const char* name, const char* bytes, int size) {
    JsonText answer = BeginCall();
    Workspace& ws = TheSession().ws;
    ws.Language = name;
    FSactions_Tavik::ReplaceFile(std::string(kLanguageFolder) + ws.Language + ".lng",
                                 std::string_view(bytes, static_cast<std::size_t>(size)));
    LoadLanguage(ws);
    answer.key("captions").beginObject();
    for (const auto& [control, state] : ws.controls()) answer.key(control).value(state.caption);
    answer.endObject();
    answer.key("texts").beginObject();
    AddPageTexts(answer, ws);
    answer.endObject();
    return FinishCall(answer);
}

/// Opens the fullflash at `path` as File > Open does.
EMSCRIPTEN_KEEPALIVE const char* pictavo_open(const char* path) {
    JsonText answer = BeginCall();
    Session& session = TheSession();
    Workspace& ws = session.ws;
    const bool loaded = LoadFullflash(ws, session.ui, path);
    answer.key("loaded").value(loaded);
    if (loaded) {
        addInformation(answer, ws.flash);
        answer.key("rows").value(listText(ws.rows));
    }
    return FinishCall(answer);
}

EMSCRIPTEN_KEEPALIVE const char* pictavo_close() {
    JsonText answer = BeginCall();
    CloseFullflash(TheSession().ws);
    return FinishCall(answer);
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* pictavo_file_data(int index) {
    const auto& files = TheSession().files;
    return reinterpret_cast<const std::uint8_t*>(
        files.at(static_cast<std::size_t>(index)).second.data());
}

EMSCRIPTEN_KEEPALIVE int pictavo_file_size(int index) {
    const auto& files = TheSession().files;
    return static_cast<int>(files.at(static_cast<std::size_t>(index)).second.size());
}

}  // extern "C"
