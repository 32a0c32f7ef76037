// The page's calls about replacements and patches: staging a dropped picture
// on a row (with the browser's decode of it), discarding it, Save Patch, and
// Verify Patch.

#include <emscripten.h>

#include <cstdint>

#include "browser_pictures.h"
#include "commands/patch_commands.h"
#include "commands/preview_commands.h"
#include "commands/staging_commands.h"
#include "commands/verify_commands.h"
#include "session.h"
#include "support/fs_actions.h"

namespace {

constexpr const char* kPatchFile = "/out/patch.vkp";

}  // namespace

extern "C" {

/// The browser's decode of the picture file at `path`: `width` x `height`
/// pixels of red, green, blue and alpha (not premultiplied), top row first.
EMSCRIPTEN_KEEPALIVE void pictavo_browser_picture(const char* path, int width, int height,
                                                  const std::uint8_t* rgba) {
    auto file = FSactions_Tavik::ReadFileBytes(path);
    if (!file || width <= 0 || height <= 0) return;
    BrowserPicture picture{std::move(*file), width, height, {}};
    const auto count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    picture.argb.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = rgba + i * 4;
        picture.argb.push_back(static_cast<std::uint32_t>(p[3]) << 24 |
                               static_cast<std::uint32_t>(p[0]) << 16 |
                               static_cast<std::uint32_t>(p[1]) << 8 | p[2]);
    }
    RememberBrowserPicture(std::move(picture));
}

/// Stages the picture file at `path` on `row` as dropping it on the row does.
/// When the core needs pixels the browser has not given yet, nothing is
/// staged, no message is kept and the answer asks for the decode
/// (`wantsDecode`); the page gives it with pictavo_browser_picture and calls
/// again. `decoded` says whether it has.
EMSCRIPTEN_KEEPALIVE const char* pictavo_stage(int row, const char* path, int decoded) {
    if (decoded == 0) ForgetBrowserPictures();
    JsonText answer = BeginCall();
    Session& session = TheSession();
    const bool staged = row >= 0 && StageDroppedPicture(session.ws, session.ui,
                                                        static_cast<std::size_t>(row), path);
    const bool wantsDecode = !staged && decoded == 0 && BrowserDecodeWanted();
    if (wantsDecode) session.ui.messages.clear();
    if (decoded != 0) ForgetBrowserPictures();
    answer.key("staged").value(staged).key("wantsDecode").value(wantsDecode);
    return FinishCall(answer);
}

/// "Discard replacement" on `row`.
EMSCRIPTEN_KEEPALIVE const char* pictavo_discard(int row) {
    JsonText answer = BeginCall();
    Session& session = TheSession();
    Workspace& ws = session.ws;
    if (row >= 0 && static_cast<std::size_t>(row) < ws.rows.size()) {
        ws.selectedRow = static_cast<std::size_t>(row);
        mnu_PopupPictures_Discard_Click(ws, session.ui);
    }
    return FinishCall(answer);
}

/// "Save Patch": the patch of every staged picture, handed back as a file, or
/// no file at all when it could not be written.
EMSCRIPTEN_KEEPALIVE const char* pictavo_save_patch() {
    JsonText answer = BeginCall();
    Session& session = TheSession();
    Workspace& ws = session.ws;
    FSactions_Tavik::DeleteFile(kPatchFile);
    const auto written = WritePatchTo(ws, session.ui, kPatchFile);
    if (written) {
        if (auto bytes = FSactions_Tavik::ReadFileBytes(kPatchFile))
            session.files.emplace_back("patch.vkp", std::move(*bytes));
        FSactions_Tavik::DeleteFile(kPatchFile);
        session.ui.message(PatchClosingMessage(ws, *written), "", MessageButtons::Ok);
        answer.key("pictures").value(written->pictures);
    }
    return FinishCall(answer);
}

/// Verify Patch with the patch at `path`: the report comes with the answer.
EMSCRIPTEN_KEEPALIVE const char* pictavo_verify(const char* path) {
    JsonText answer = BeginCall();
    Session& session = TheSession();
    session.ui.nextFile = path;
    mnu_Fullflash_VerifyPatch_Click(session.ws, session.ui);
    return FinishCall(answer);
}

}  // extern "C"
