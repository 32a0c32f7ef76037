// Cost of showing a freshly scanned picture list of 2501 rows in the window:
// the model reset, the view's layout and one synchronous paint of the visible
// rows, on the offscreen platform.

#include <benchmark/benchmark.h>

#include <QTableView>

#include "app/form1.h"

namespace {

std::vector<PictureListEntry> fullTable() {
    std::vector<PictureListEntry> rows;
    for (int i = 0; i <= 2500; ++i) {
        rows.push_back(MakeListEntry(
            {i, 132, 176, 0x88, 0, static_cast<std::uint32_t>(0x1A3C10 + 12 * i), 0x400000}));
    }
    return rows;
}

void BM_FillListWith2501Rows(benchmark::State& state) {
    Form1 window("/tmp", "");
    window.show();
    auto* list = window.findChild<QTableView*>(QStringLiteral("ListView1"));
    const auto rows = fullTable();
    for (auto _ : state) {
        window.workspace().rows = rows;
        ++window.workspace().rowsRevision;
        window.refreshFromWorkspace();
        list->viewport()->repaint();
        state.PauseTiming();
        window.workspace().rows.clear();
        ++window.workspace().rowsRevision;
        window.refreshFromWorkspace();
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_FillListWith2501Rows)->Unit(benchmark::kMillisecond);

}  // namespace
