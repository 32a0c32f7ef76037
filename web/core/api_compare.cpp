// The page's calls about a comparison with a second fullflash (B).

#include <emscripten.h>

#include "commands/comparison_commands.h"
#include "session.h"

namespace {

/// How each differing row of A differs, and the line above the list.
void addComparison(JsonText& answer) {
    const Workspace& ws = TheSession().ws;
    answer.key("comparing").value(ws.comparison.has_value());
    if (!ws.comparison) return;
    answer.key("bar").value(ComparisonBarText(ws));
    answer.key("differences").beginArray();
    for (const PictureDifference& difference : ws.comparison->differences) {
        if (!difference.a) continue;
        answer.beginObject().key("row").value(difference.number);
        answer.key("kind").value(DifferenceKindText(ws, difference)).endObject();
    }
    answer.endArray();
}

}  // namespace

extern "C" {

/// FullFlash > Compare with... the fullflash at `path`.
EMSCRIPTEN_KEEPALIVE const char* pictavo_compare(const char* path) {
    JsonText answer = BeginCall();
    Session& session = TheSession();
    CompareWith(session.ws, session.ui, path);
    addComparison(answer);
    return FinishCall(answer);
}

/// FullFlash > Stage B's pictures.
EMSCRIPTEN_KEEPALIVE const char* pictavo_compare_stage() {
    JsonText answer = BeginCall();
    Session& session = TheSession();
    mnu_Fullflash_CompareStage_Click(session.ws, session.ui);
    addComparison(answer);
    return FinishCall(answer);
}

/// FullFlash > Close comparison.
EMSCRIPTEN_KEEPALIVE const char* pictavo_compare_close() {
    JsonText answer = BeginCall();
    mnu_Fullflash_CompareClose_Click(TheSession().ws);
    addComparison(answer);
    return FinishCall(answer);
}

}  // extern "C"
