#include <gtest/gtest.h>

#include "cli/run_program.h"

namespace {

// The build puts Pictavo.ini (naming English) and English.lng beside the
// programs, so the command line shows the window's texts.
TEST(CliLanguage, MessagesCarryTheLanguageFileTexts) {
    const ProgramRun run = RunProgram("pictavo-cli", {"show", "/nonexistent/x.gpf"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "pictavo-cli: File not found! /nonexistent/x.gpf\n");
}

}  // namespace
