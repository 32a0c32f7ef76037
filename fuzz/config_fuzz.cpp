// Arbitrary bytes as the program's text files: Pictavo.ini, a language file
// and a freedesktop key file (mimeapps.list, desktop entry). Besides not
// crashing, a setting written back must read back the same, a key-file edit
// must keep the value it set, and an escaped string must unescape to itself.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "config/key_file.h"
#include "config/language_file.h"
#include "config/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ConfigActions;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const SettingsFound found = ReadSettings(bytes);
    (void)ReadLanguage(bytes, "English", "all");

    // A line end inside a value would split its line; those cannot round-trip.
    SettingsValues values;
    values.nConvert = found.nConvert.value_or("");
    values.Language = found.Language.value_or("");
    if (values.nConvert.find_first_of("\r\n") == std::string::npos &&
        values.Language.find_first_of("\r\n") == std::string::npos) {
        const SettingsFound again = ReadSettings(SettingsFileText(values, {}));
        if (again.nConvert != values.nConvert || again.Language != values.Language)
            __builtin_trap();
    }

    const std::string edited = WithKeyFileValue(bytes, "Default Applications", "a/b", "c.desktop;");
    if (KeyFileValue(edited, "Default Applications", "a/b") != "c.desktop;") __builtin_trap();
    if (UnescapeKeyFileString(EscapeKeyFileString(bytes)) != bytes) __builtin_trap();
    return 0;
}
