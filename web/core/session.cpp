#include "session.h"

#include <sys/stat.h>

#include "support/fs_actions.h"

namespace {

/// The converter test wants a file at `nConvert`; in the page the browser
/// decodes pictures (browser_converter.cpp), and this file says so.
constexpr const char* kConverterNote = "/pictavo/browser-decodes-pictures";

const char* toneName(ReportTone tone) {
    switch (tone) {
        case ReportTone::Good:
            return "good";
        case ReportTone::Warning:
            return "warning";
        case ReportTone::Bad:
            break;
    }
    return "bad";
}

Session makeSession() {
    // Emscripten starts with the umask 0777, under which every file the core
    // writes could never be read again; a shell would give 022.
    ::umask(022);
    Session session;
    for (const char* folder : {"/pictavo", "/pictavo/lang", "/tmp", "/tmp/pictavo", "/out"})
        ::mkdir(folder, 0700);
    FSactions_Tavik::ReplaceFile(kConverterNote,
                                 "The browser decodes pictures for the core in this build.\n");
    Workspace& ws = session.ws;
    ws.tempFolder = "/tmp/pictavo";
    ws.nConvert = kConverterNote;
    ws.programFiles.languageFolders = {kLanguageFolder};
    return session;
}

}  // namespace

Session& TheSession() {
    static Session session = makeSession();
    return session;
}

JsonText BeginCall() {
    Session& session = TheSession();
    session.ui.messages.clear();
    session.ui.shownReport.reset();
    session.ui.nextFile.reset();
    session.files.clear();
    JsonText answer;
    answer.beginObject();
    return answer;
}

const char* FinishCall(JsonText& answer) {
    Session& session = TheSession();
    answer.key("messages").beginArray();
    for (const ShownMessage& message : session.ui.messages) {
        answer.beginObject().key("text").value(message.text);
        answer.key("title").value(message.title).endObject();
    }
    answer.endArray();
    if (const auto& report = session.ui.shownReport) {
        answer.key("report").beginObject().key("title").value(report->title);
        answer.key("tone").value(toneName(report->tone)).key("verdict").value(report->verdict);
        answer.key("details").value(report->details).endObject();
    }
    answer.key("files").beginArray();
    for (const auto& [name, bytes] : session.files) answer.value(name);
    answer.endArray();
    answer.key("staged").beginArray();
    const Workspace& ws = session.ws;
    for (std::size_t row = 0; row < ws.rows.size(); ++row) {
        if (ws.rows[row].changed) answer.value(row);
    }
    answer.endArray();
    answer.key("selected").value(ws.selectedRow ? static_cast<long long>(*ws.selectedRow) : -1);
    answer.key("canSavePatch").value(ws.control("mnu_Fullflash_SavePatch").enabled);
    answer.endObject();
    session.answer = answer.text();
    return session.answer.c_str();
}
