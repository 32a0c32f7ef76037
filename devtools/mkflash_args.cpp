#include "devtools/mkflash_args.h"

#include <charconv>
#include <optional>

namespace {

template <typename Number>
std::optional<Number> parseNumber(const std::string& text) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || last != end) return std::nullopt;
    return value;
}

}  // namespace

const char* MkflashUsage() {
    return "usage: pictavo-mkflash OUT.bin [--platform sgold|newsgold] [--model MODEL]\n"
           "                       [--pictures N] [--seed S] [--size-mib M]\n"
           "                       [--embedded-files N] [--files-at-end]\n"
           "                       [--version-of SEED [--insert N] [--remove M] [--change K]]\n"
           "\n"
           "Writes a synthetic fullflash: identification fields, the platform\n"
           "structure, a picture index table of N entries (default 200; 2001 or more\n"
           "fill an 8-byte table, 2501 or more a 12-byte one), the pictures' data,\n"
           "erased flash and a few embedded PNG, GIF and XML files. The same\n"
           "options always give the same bytes.\n"
           "\n"
           "  --platform  sgold (default) or newsgold\n"
           "  --model     3 or 4 characters; default S65 (sgold), E71 (newsgold);\n"
           "              E71 and EL71 on newsgold use 12-byte table entries\n"
           "  --seed      seed of the pictures' sizes and content (default 1)\n"
           "  --size-mib  image size; default 32 (sgold), 64 (newsgold)\n"
           "  --embedded-files  PNG, GIF and XML files behind the pictures (default 6)\n"
           "  --files-at-end    three more, ending with the image's last byte\n"
           "  --version-of SEED a later version of the image these options make with\n"
           "              --seed SEED: N pictures inserted at random indices, M removed,\n"
           "              K showing other pixels, every picture's data placed anew;\n"
           "              --seed then chooses what changes. The changes are printed.\n";
}

ParsedMkflashArgs ParseMkflashArgs(const std::vector<std::string>& args) {
    ParsedMkflashArgs parsed;
    MkflashCommand& command = parsed.command;
    std::optional<std::string> model;
    std::optional<MkflashVersionOf> version;
    bool versionOf = false;
    auto fail = [&parsed](std::string error) {
        parsed.error = std::move(error);
        return parsed;
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            command.help = true;
            return parsed;
        }
        if (!arg.starts_with("-") || arg == "-") {
            if (!command.output.empty()) return fail("more than one output file: " + arg);
            command.output = arg;
            continue;
        }
        if (arg == "--files-at-end") {
            command.options.filesAtEnd = true;
            continue;
        }
        if (i + 1 >= args.size()) return fail(arg + " needs a value");
        const std::string& value = args[++i];
        if (arg == "--platform") {
            if (value == "sgold") {
                command.options.platform = MkflashPlatform::SGold;
            } else if (value == "newsgold") {
                command.options.platform = MkflashPlatform::NewSGold;
            } else {
                return fail("unknown platform '" + value + "' (sgold or newsgold)");
            }
        } else if (arg == "--model") {
            if (value.size() < 3 || value.size() > 4)
                return fail("the model must have 3 or 4 characters");
            model = value;
        } else if (arg == "--pictures") {
            const auto n = parseNumber<int>(value);
            if (!n || *n < 0) return fail("--pictures needs a number of 0 or more");
            command.options.pictures = *n;
        } else if (arg == "--seed") {
            const auto seed = parseNumber<std::uint64_t>(value);
            if (!seed) return fail("--seed needs a whole number of 0 or more");
            command.options.seed = *seed;
        } else if (arg == "--size-mib") {
            const auto size = parseNumber<int>(value);
            if (!size || *size < 1 || *size > kMkflashMaxSizeMiB) {
                return fail("--size-mib needs a number from 1 to " +
                            std::to_string(kMkflashMaxSizeMiB));
            }
            command.options.sizeMiB = *size;
        } else if (arg == "--embedded-files") {
            const auto files = parseNumber<int>(value);
            if (!files || *files < 1 || *files > kMkflashMaxEmbeddedFiles) {
                return fail("--embedded-files needs a number from 1 to " +
                            std::to_string(kMkflashMaxEmbeddedFiles));
            }
            command.options.embeddedFiles = *files;
        } else if (arg == "--version-of") {
            const auto seed = parseNumber<std::uint64_t>(value);
            if (!seed) return fail("--version-of needs the seed of the image, a whole number");
            if (!version) version.emplace();
            version->baseSeed = *seed;
            versionOf = true;
        } else if (arg == "--insert" || arg == "--remove" || arg == "--change") {
            const auto n = parseNumber<int>(value);
            if (!n || *n < 0) return fail(arg + " needs a number of 0 or more");
            if (!version) version.emplace();
            int& count = arg == "--insert"   ? version->insert
                         : arg == "--remove" ? version->remove
                                             : version->change;
            count = *n;
        } else {
            return fail("unknown option " + arg);
        }
    }
    if (command.output.empty()) return fail("no output file given");
    if (version && !versionOf) return fail("--insert, --remove and --change need --version-of");
    command.options.versionOf = version;
    command.options.model =
        model.value_or(command.options.platform == MkflashPlatform::SGold ? "S65" : "E71");
    return parsed;
}
