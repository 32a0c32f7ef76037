// Loading a fullflash: map the file, identify it, scan a full 12-byte picture
// table of 2501 entries. The cost must follow the number of entries, not the
// size of the file, so images of 32 and 96 MiB should load in about the same
// time.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "bench/bench_files.h"
#include "commands/fullflash_commands.h"
#include "devtools/mkflash.h"
#include "support/fs_actions.h"
#include "ui/silent_ui.h"
#include "workspace/workspace.h"

namespace {

// One image file per size, written on first use and removed at exit.
class BenchImages {
  public:
    ~BenchImages() {
        for (const auto& [size, path] : m_paths) std::remove(path.c_str());
    }

    const std::string& path(int sizeMiB) {
        auto it = m_paths.find(sizeMiB);
        if (it != m_paths.end()) return it->second;
        MkflashOptions options = FullE71Table();
        options.sizeMiB = sizeMiB;
        const MkflashResult image = MakeFullflash(options);
        const std::string file =
            FSactions_Tavik::JoinPath(FSactions_Tavik::TempFolder(),
                                      "pictavo-scan-bench-" + std::to_string(sizeMiB) + ".bin");
        WriteImage(file, image.bytes);
        return m_paths.emplace(sizeMiB, file).first->second;
    }

  private:
    std::map<int, std::string> m_paths;
};

BenchImages& images() {
    static BenchImages instance;
    return instance;
}

void BM_LoadAndScan(benchmark::State& state) {
    const std::string& path = images().path(static_cast<int>(state.range(0)));
    Workspace ws;
    SilentUi ui;
    for (auto _ : state) {
        LoadFullflash(ws, ui, path);
        benchmark::DoNotOptimize(ws.rows.data());
    }
    if (ws.rows.size() != 2501) state.SkipWithError("the table did not list 2501 pictures");
    state.counters["entries"] = static_cast<double>(ws.rows.size());
    state.counters["MiB"] = static_cast<double>(state.range(0));
}

}  // namespace

BENCHMARK(BM_LoadAndScan)->Arg(32)->Arg(96)->Unit(benchmark::kMicrosecond);
