// pictavo-cli diff's work on two 96 MiB New-SGold E71 fullflashes of 2501
// pictures each, 200 of which differ: 140 repainted in place, 40 moved to
// other flash, 20 moved and repainted. Both files are mapped, identified and
// scanned, every picture compared and the report lines made, as the command
// does. Only pictures whose entries or stream bytes differ get decoded.
//
// "resident MiB" is how much the process holds at the end of a comparison
// beyond what it held before it (the mapped pages read, the two pictures
// decoded into), the command's own footprint apart from the program itself.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "bench/bench_files.h"
#include "compare/comparison_report.h"
#include "compare/fullflash_comparison.h"
#include "devtools/flash_edits.h"
#include "support/fs_actions.h"
#include "support/mapped_file.h"

namespace {

constexpr int kDiffering = 200;

class DiffImages {
  public:
    DiffImages() {
        MkflashOptions options = FullE71Table();
        options.sizeMiB = 96;
        FlashEditor editor(MakeFullflash(options));
        WriteImage(a, editor.bytes());
        // Spread over the whole table; the kind follows the last digit.
        for (int i = 0; i < kDiffering; ++i) {
            const int index = i * 12;
            const int kind = i % 10;
            if (kind >= 7) editor.move(index);
            if (kind <= 6 || kind == 9) editor.repaint(index);
        }
        WriteImage(b, editor.bytes());
    }
    ~DiffImages() {
        std::remove(a.c_str());
        std::remove(b.c_str());
    }
    DiffImages(const DiffImages&) = delete;
    DiffImages& operator=(const DiffImages&) = delete;

    const std::string a =
        FSactions_Tavik::JoinPath(FSactions_Tavik::TempFolder(), "pictavo-diff-bench-a.bin");
    const std::string b =
        FSactions_Tavik::JoinPath(FSactions_Tavik::TempFolder(), "pictavo-diff-bench-b.bin");
};

double residentMiB() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) /
           (1024.0 * 1024.0);
}

void BM_Diff(benchmark::State& state) {
    static const DiffImages images;
    std::size_t differing = 0;
    double heldMiB = 0;
    for (auto _ : state) {
        const double before = residentMiB();
        const auto fileA = MappedFile::open(images.a);
        const auto fileB = MappedFile::open(images.b);
        const ScannedFullflash a = ScanFullflash(fileA->bytes());
        const ScannedFullflash b = ScanFullflash(fileB->bytes());
        if (Incompatibility(a.identity, b.identity)) state.SkipWithError("not comparable");
        const auto differences =
            ComparePictures(fileA->bytes(), a.entries, fileB->bytes(), b.entries);
        std::string report;
        for (const PictureDifference& difference : differences)
            report += DifferenceLine(difference) + "\n";
        report += ComparisonSummary(differences);
        benchmark::DoNotOptimize(report.data());
        differing = differences.size();
        heldMiB = std::max(heldMiB, residentMiB() - before);
    }
    if (differing != kDiffering) state.SkipWithError("not 200 pictures differ");
    state.counters["differing"] = static_cast<double>(differing);
    state.counters["resident MiB"] = heldMiB;
}

}  // namespace

BENCHMARK(BM_Diff)->Unit(benchmark::kMillisecond);
