// The thumbnail grid over a full 2,501-picture E71 fullflash, on the offscreen
// platform: the first screen of tiles, then a page-by-page scroll from top to
// bottom, each step measured until every visible tile has been made and
// painted; and the memory the process holds after the whole scroll.

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QScrollBar>
#include <QTabWidget>
#include <algorithm>
#include <fstream>
#include <vector>

#include "app/form1.h"
#include "app/thumbnail_loader.h"
#include "bench/bench_files.h"
#include "devtools/mkflash.h"

namespace {

std::string fullFlash() {
    MkflashOptions options = FullE71Table();
    options.seed = 7;
    const MkflashResult result = MakeFullflash(options);
    const std::string path = "/tmp/pictavo-bench-thumbnails.bin";
    WriteImage(path, result.bytes);
    return path;
}

/// Asks for every tile the grid shows now, as its paint would, waits (idle,
/// as the window does) until all are made, then paints them.
void showVisibleTiles(QListView* grid, ThumbnailLoader* loader) {
    const QRect area = grid->viewport()->rect();
    const int rows = grid->model()->rowCount();
    std::vector<int> visible;
    for (int row = std::max(0, grid->indexAt(area.topLeft() + QPoint(4, 4)).row()); row < rows;
         ++row) {
        const QRect tile = grid->visualRect(grid->model()->index(row, 0));
        if (tile.top() > area.bottom()) break;
        if (tile.intersects(area)) visible.push_back(row);
    }
    for (;;) {
        bool ready = true;
        for (int row : visible) {
            if (loader->isReady(row)) continue;
            grid->model()->index(row, 0).data(Qt::UserRole + 1);
            ready = false;
        }
        if (ready) break;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    grid->viewport()->repaint();
}

double residentMiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kib = 0;
            status >> kib;
            return kib / 1024;
        }
        status.ignore(1 << 20, '\n');
    }
    return 0;
}

void BM_ThumbnailsFirstScreen(benchmark::State& state) {
    const std::string flash = fullFlash();
    for (auto _ : state) {
        Form1 window("/tmp", flash);
        window.resize(1100, 760);
        window.show();
        auto* grid = window.findChild<QListView*>(QStringLiteral("Thumbnails"));
        auto* loader = window.findChild<ThumbnailLoader*>();
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        window.findChild<QTabWidget*>(QStringLiteral("TabStrip1"))->setCurrentIndex(1);
        QCoreApplication::processEvents();
        const double layout = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        state.counters["layout_ms"] = layout;
        showVisibleTiles(grid, loader);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    }
}
BENCHMARK(BM_ThumbnailsFirstScreen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ThumbnailsScrollTopToBottom(benchmark::State& state) {
    const std::string flash = fullFlash();
    double slowestPage = 0;
    int pages = 0;
    double mib = 0;
    for (auto _ : state) {
        Form1 window("/tmp", flash);
        window.resize(1100, 760);
        window.show();
        auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("TabStrip1"));
        auto* grid = window.findChild<QListView*>(QStringLiteral("Thumbnails"));
        auto* loader = window.findChild<ThumbnailLoader*>();
        tabs->setCurrentIndex(1);
        QCoreApplication::processEvents();
        showVisibleTiles(grid, loader);
        QScrollBar* bar = grid->verticalScrollBar();
        QElapsedTimer total;
        total.start();
        pages = 0;
        while (bar->value() < bar->maximum()) {
            QElapsedTimer page;
            page.start();
            bar->setValue(std::min(bar->maximum(), bar->value() + bar->pageStep()));
            showVisibleTiles(grid, loader);
            slowestPage = std::max(slowestPage, static_cast<double>(page.nsecsElapsed()) / 1e6);
            ++pages;
        }
        state.SetIterationTime(static_cast<double>(total.nsecsElapsed()) / 1e9);
        mib = residentMiB();
    }
    state.counters["pages"] = pages;
    state.counters["slowest_page_ms"] = slowestPage;
    state.counters["rss_MiB"] = mib;
}
BENCHMARK(BM_ThumbnailsScrollTopToBottom)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
