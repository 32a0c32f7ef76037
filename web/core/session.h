#pragma once
// The page's one Workspace and its Ui, and what each call of the page hands
// back: a JSON answer and the files (pictures, exports, the patch) it made.
// Every exported function begins with BeginCall and returns FinishCall's text,
// which stays valid until the next call.

#include <string>
#include <utility>
#include <vector>

#include "json_text.h"
#include "web_ui.h"
#include "workspace/workspace.h"

/// Folders of the in-memory file system.
inline constexpr const char* kInputFolder = "/in";  ///< the page's chosen files, one at a time
inline constexpr const char* kOutputFolder = "/out/";
inline constexpr const char* kLanguageFolder = "/pictavo/lang/";

struct Session {
    Workspace ws;
    WebUi ui;
    std::vector<std::pair<std::string, std::string>> files;  ///< name, bytes
    std::string answer;
};

[[nodiscard]] Session& TheSession();

/// Forgets the last call's messages, report and files, and opens the answer.
JsonText BeginCall();

/// Closes the answer with what every call reports: the messages and report of
/// this call, the files it made, the staged rows, the selected row (-1 for none)
/// and whether Save Patch can run.
const char* FinishCall(JsonText& answer);
