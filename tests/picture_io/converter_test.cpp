// The converter contract (the command lines, one argument per path whatever
// the path holds) and pictavo-convert, the program that keeps it.

#include "picture_io/converter_contract.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/run_program.h"
#include "picture_io/picture_files.h"
#include "picture_io/png_chunks.h"
#include "support/fs_actions.h"

using namespace PNGcodec;

TEST(ConverterCommandLine, EveryPathComesBackAsOneArgumentAfterTheOptions) {
    const std::string paths[] = {
        "/dir with blanks/a b.png",
        "/q/\"quoted\" name.png",
        "/q/ends in quote\"",
        "\"",
        "/s/a;b $(touch pwned) `x` |y &z.png",
        "-o",
        "-out.png",
        "/b/back\\slash\\",
        "",
    };
    for (const std::string& path : paths) {
        const auto arguments = FSactions_Tavik::SplitCommandLine(
            ConverterCommandLine(path, kBmpWithAlpha, path, path));
        const std::vector<std::string> expected{path,   "-out", "bmp", "-ctype",
                                                "rgba", "-o",   path,  path};
        EXPECT_EQ(arguments, expected) << path;
    }
    // Grey PNGs may carry alpha too.
    for (int type : {0, 4, 6}) EXPECT_EQ(BmpOptionsForColourType(type), kBmpWithAlpha);
    for (int type : {2, 3, 1, 9}) EXPECT_EQ(BmpOptionsForColourType(type), kBmpWithoutAlpha);
}

namespace {

/// The arguments of one of the four conversions.
std::vector<std::string> Conversion(const std::string& format, bool alpha, const std::string& out,
                                    const std::string& in) {
    std::vector<std::string> args{"-out", format, "-ctype", alpha ? "rgba" : "rgb"};
    if (!alpha) args.push_back("-truecolors");
    args.insert(args.end(), {"-o", out, in});
    return args;
}

ProgramRun Convert(std::vector<std::string> args) {
    return RunProgram("pictavo-convert", std::move(args));
}

}  // namespace

TEST(PictavoConvert, RefusesWhatItCannotDoAndLeavesNoFile) {
    TempDir dir;
    const std::string png = TestImage("pngsuite/basn2c08.png");
    const std::string out = dir.file("out.bmp");
    const std::string notPicture = dir.write("text.png", "just text");
    const std::vector<std::vector<std::string>> lines = {
        {"-out", "jpg", "-ctype", "rgba", "-o", out, png},
        {"-out", "bmp", "-ctype", "rgb", "-o", out, png},
        {"-out", "bmp", "-ctype", "rgba", "-truecolors", "-o", out, png},
        {"-out", "bmp", "-ctype", "rgba", "-o", out},
        {"-out", "bmp", "-ctype", "rgba", "-o", out, png, png},
        {"--overwite", "-out", "bmp", "-ctype", "rgba", "-o", out, png},
        Conversion("bmp", true, out, dir.file("missing.png")),
        Conversion("bmp", true, out, dir.path().string()),
        Conversion("bmp", true, out, notPicture),
        Conversion("bmp", true, dir.file("no folder/out.bmp"), png),
    };
    for (const auto& line : lines) {
        const ProgramRun run = Convert(line);
        EXPECT_NE(run.exitCode, 0) << line.back();
        EXPECT_FALSE(run.err.empty());
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
        << "only the text file: nothing half-written beside the output";
    const ProgramRun help = Convert({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("-out png|bmp -ctype rgb -truecolors -o OUT IN"), std::string::npos);
}
