// "Save as BMPs" of a full 2501-picture table, through the same loop the menu
// command runs: select each row, decode it, paint the preview, write the file.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "bench/bench_files.h"
#include "commands/bmp_commands.h"
#include "commands/fullflash_commands.h"
#include "devtools/mkflash.h"
#include "ui/silent_ui.h"
#include "workspace/workspace.h"

namespace {

void BM_SaveAllAsBmp(benchmark::State& state) {
    const auto folder = std::filesystem::temp_directory_path() / "pictavo-bench-export";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "out");
    MkflashOptions options = FullE71Table();
    options.sizeMiB = 64;
    const MkflashResult image = MakeFullflash(options);
    const std::string flash = (folder / "flash.bin").string();
    WriteImage(flash, image.bytes);

    Workspace ws;
    SilentUi ui;  // OK to every overwrite question, as when saving to the same folder again
    LoadFullflash(ws, ui, flash);
    const std::string target = (folder / "out").string() + "/";
    for (auto _ : state) {
        benchmark::DoNotOptimize(SavePicturesAsBmp(ws, ui, target));
    }
    state.counters["pictures"] = static_cast<double>(ws.rows.size());
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveAllAsBmp)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
