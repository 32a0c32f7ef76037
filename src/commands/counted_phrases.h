#pragma once
// Counts in the words of the loaded language: English says "1 picture" but
// "2 pictures"; a language without that difference gives both keys one text.

#include <string>

#include "support/phrases.h"
#include "workspace/workspace.h"

/// `one` for a count of 1, else `many` with the count as "%1".
[[nodiscard]] inline std::string Counted(const Workspace& ws, const Phrase& one, const Phrase& many,
                                         long long count) {
    return ws.say(count == 1 ? one : many, {std::to_string(count)});
}
