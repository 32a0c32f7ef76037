#include "devtools/mkflash_args.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <climits>
#include <optional>
#include <string_view>

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
    MkflashOptions& options = command.options;
    // Values are taken as text and judged below, so each wrong one is told in
    // this program's words; CLI11 tells what is wrong with the line itself.
    CLI::App app{"", "pictavo-mkflash"};
    std::vector<std::string> outputs;
    std::optional<std::string> platform;
    std::optional<std::string> model;
    std::optional<std::string> pictures;
    std::optional<std::string> seed;
    std::optional<std::string> sizeMiB;
    std::optional<std::string> embeddedFiles;
    std::optional<std::string> baseSeed;
    std::optional<std::string> insert;
    std::optional<std::string> remove;
    std::optional<std::string> change;
    app.add_option("output", outputs);
    app.add_option("--platform", platform);
    app.add_option("--model", model);
    app.add_option("--pictures", pictures);
    app.add_option("--seed", seed);
    app.add_option("--size-mib", sizeMiB);
    app.add_option("--embedded-files", embeddedFiles);
    app.add_flag("--files-at-end", options.filesAtEnd);
    app.add_option("--version-of", baseSeed);
    app.add_option("--insert", insert);
    app.add_option("--remove", remove);
    app.add_option("--change", change);
    auto fail = [&parsed](std::string error) {
        parsed.error = std::move(error);
        return parsed;
    };
    try {
        // CLI11 takes the arguments last first.
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        command.help = true;
        return parsed;
    } catch (const CLI::ParseError& error) {
        return fail(error.what());
    }

    if (outputs.empty()) return fail("no output file given");
    if (outputs.size() > 1) return fail("more than one output file: " + outputs[1]);
    command.output = outputs.front();
    if (platform == "newsgold") {
        options.platform = MkflashPlatform::NewSGold;
    } else if (platform && platform != "sgold") {
        return fail("unknown platform '" + *platform + "' (sgold or newsgold)");
    }
    if (model && (model->size() < 3 || model->size() > 4))
        return fail("the model must have 3 or 4 characters");
    options.model = model.value_or(options.platform == MkflashPlatform::SGold ? "S65" : "E71");

    const struct {
        const std::optional<std::string>& text;
        int* target;
        int least;
        int most;
        std::string_view wrong;
    } counts[] = {
        {pictures, &options.pictures, 0, INT_MAX, "--pictures needs a number of 0 or more"},
        {sizeMiB, &options.sizeMiB, 1, kMkflashMaxSizeMiB, "--size-mib needs a number from 1 to "},
        {embeddedFiles, &options.embeddedFiles, 1, kMkflashMaxEmbeddedFiles,
         "--embedded-files needs a number from 1 to "},
    };
    for (const auto& count : counts) {
        if (!count.text) continue;
        const auto n = parseNumber<int>(*count.text);
        if (!n || *n < count.least || *n > count.most) {
            return fail(std::string(count.wrong) +
                        (count.wrong.ends_with(' ') ? std::to_string(count.most) : ""));
        }
        *count.target = *n;
    }
    if (seed) {
        const auto n = parseNumber<std::uint64_t>(*seed);
        if (!n) return fail("--seed needs a whole number of 0 or more");
        options.seed = *n;
    }

    if (!baseSeed) {
        if (insert || remove || change)
            return fail("--insert, --remove and --change need --version-of");
        return parsed;
    }
    MkflashVersionOf& version = options.versionOf.emplace();
    const auto base = parseNumber<std::uint64_t>(*baseSeed);
    if (!base) return fail("--version-of needs the seed of the image, a whole number");
    version.baseSeed = *base;
    const struct {
        const std::optional<std::string>& text;
        int& target;
        const char* option;
    } changes[] = {{insert, version.insert, "--insert"},
                   {remove, version.remove, "--remove"},
                   {change, version.change, "--change"}};
    for (const auto& item : changes) {
        if (!item.text) continue;
        const auto n = parseNumber<int>(*item.text);
        if (!n || *n < 0) return fail(std::string(item.option) + " needs a number of 0 or more");
        item.target = *n;
    }
    return parsed;
}
