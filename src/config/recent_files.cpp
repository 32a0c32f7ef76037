#include "config/recent_files.h"

namespace ConfigActions {

void AddRecentFile(RecentFiles& recent, const std::string& path) {
    auto& [first, second, third] = recent;
    if (first.shown && first.caption != path) {
        if (second.shown) third = second;
        second = first;
        first.caption = path;
    }
    if (!first.shown) first = {true, path};
    // The file just loaded was the second entry: moving the list down left it third too.
    if (third.shown && first.caption == third.caption) third = {};
}

}  // namespace ConfigActions
