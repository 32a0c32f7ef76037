#include <cstring>
#include <iostream>
#include <map>
#include <string>

#include "cli/cli_commands.h"

const char* UsageText() {
    return "usage: pictavo-cli COMMAND ...\n"
           "\n"
           "  info FLASH    model, firmware, language pack, manufacturer, platform,\n"
           "                PIT and picture count of a fullflash\n"
           "  list FLASH    one tab-separated line per picture: #, hex, width,\n"
           "                height, Type, PIToffset, PICoffset\n"
           "  show FILE     the information line of a GPF or GPF2 file\n"
           "  export FLASH --as bmp|gpf|gpf2 --to DIR [--pictures 0,5,10-20]\n"
           "                [--hex-names] [--no-zero-names] [--overwrite]\n"
           "                every picture (or the listed ones) as \"Save as BMPs\" or\n"
           "                \"Save as GPFs\" write them\n"
           "  convert FLASH INDEX OUT.gpf|OUT.gpf2 --depth 1|8|16|24 [--uncompressed]\n"
           "                [--overwrite]\n"
           "                one picture re-encoded in that depth (compressed unless\n"
           "                --uncompressed)\n"
           "\n"
           "The fullflash is only ever read.\n";
}

int main(int argc, char** argv) {
    if (argc < 2) return UsageError();
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << UsageText();
        return 0;
    }
    const std::map<std::string, int (*)(const Arguments&)> commands{
        {"info", RunInfo},
        {"list", RunList},
        {"show", RunShow},
        {"export", RunExport},
        {"convert", RunConvert},
    };
    const auto it = commands.find(command);
    if (it == commands.end()) return UsageError("unknown command '" + command + "'");
    return it->second(Arguments(argv + 2, argv + argc));
}
