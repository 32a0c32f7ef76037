#include "app/thumbnail_loader.h"

#include <QThread>

#include <algorithm>

#include "commands/preview_commands.h"
#include "workspace/workspace.h"

ThumbnailLoader::ThumbnailLoader(const Workspace& ws, int tileSize, QObject* parent)
    : QObject(parent), m_ws(ws), m_tileSize(tileSize) {
    const int workers = std::max(1, QThread::idealThreadCount());
    for (int i = 0; i < workers; ++i) m_workers.emplace_back([this] { work(); });
}

ThumbnailLoader::~ThumbnailLoader() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_queue.clear();
    }
    m_wake.notify_all();
    for (std::thread& worker : m_workers) worker.join();
}

QImage ThumbnailLoader::tile(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_ws.rows.size()) return {};
    const PictureListEntry& entry = m_ws.rows[static_cast<std::size_t>(row)];
    const auto made = m_tiles.find(row);
    QImage shown = made == m_tiles.end() ? QImage() : made->second.image;
    if (isReady(row)) return shown;

    const auto asked = m_requested.find(row);
    if (asked != m_requested.end() && asked->second == entry.changed) return shown;
    m_requested[row] = entry.changed;
    ThumbnailSource source{
        m_ws.flash.file, entry.entry,
        entry.changed ? StagingFilePath(m_ws, static_cast<std::size_t>(row)) : ""};
    {
        std::lock_guard lock(m_mutex);
        // A row is queued at most once, so the queue never outgrows the list.
        m_queue.push_back({m_generation, row, std::move(source)});
    }
    m_wake.notify_one();
    return shown;
}

bool ThumbnailLoader::isReady(int row) const {
    const auto made = m_tiles.find(row);
    if (made == m_tiles.end() || row < 0 || static_cast<std::size_t>(row) >= m_ws.rows.size()) {
        return false;
    }
    return !made->second.stale &&
           made->second.staged == m_ws.rows[static_cast<std::size_t>(row)].changed;
}

void ThumbnailLoader::reset() {
    ++m_generation;
    m_tiles.clear();
    m_requested.clear();
    std::lock_guard lock(m_mutex);
    m_queue.clear();
}

void ThumbnailLoader::forgetStaged() {
    for (auto& [row, tile] : m_tiles) tile.stale = tile.stale || tile.staged;
    // A staged tile being made now may show the replacement before this one.
    std::erase_if(m_requested, [](const auto& request) { return request.second; });
}

void ThumbnailLoader::work() {
    for (;;) {
        Request request;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_stopping) return;
            request = std::move(m_queue.back());
            m_queue.pop_back();
        }
        QImage image = RenderThumbnail(request.source, m_tileSize);
        const bool staged = !request.source.stagingPath.empty();
        QMetaObject::invokeMethod(
            this,
            [this, generation = request.generation, row = request.row, staged,
             image = std::move(image)] { deliver(generation, row, staged, image); },
            Qt::QueuedConnection);
    }
}

void ThumbnailLoader::deliver(std::uint64_t generation, int row, bool staged, QImage image) {
    if (generation != m_generation) return;
    const auto asked = m_requested.find(row);
    if (asked == m_requested.end() || asked->second != staged) return;
    m_requested.erase(asked);
    m_tiles[row] = Tile{std::move(image), staged};
    emit tileReady(row);
}
