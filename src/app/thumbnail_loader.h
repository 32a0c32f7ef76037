#pragma once
// Makes the tiles of the thumbnail grid on worker threads, newest request
// first, and keeps them for the list they belong to. The grid asks for the
// tiles it paints; while one is being made the grid shows an empty tile, and
// tileReady() tells it when to paint again.

#include <QImage>
#include <QObject>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <vector>

#include "app/thumbnail_renderer.h"

class Workspace;

class ThumbnailLoader final : public QObject {
    Q_OBJECT

  public:
    ThumbnailLoader(const Workspace& ws, int tileSize, QObject* parent = nullptr);
    ~ThumbnailLoader() override;
    ThumbnailLoader(const ThumbnailLoader&) = delete;
    ThumbnailLoader& operator=(const ThumbnailLoader&) = delete;

    [[nodiscard]] int tileSize() const { return m_tileSize; }

    /// The tile of a row. One not made yet (or out of date) is queued ahead of
    /// every earlier request; meanwhile the old tile, or a null image, is given.
    [[nodiscard]] QImage tile(int row);
    /// Whether the tile of `row` has been made (it may be null: not decodable).
    [[nodiscard]] bool isReady(int row) const;

    /// A new list: everything made or queued for the old one is dropped.
    void reset();
    /// Staged rows may show a new replacement: their tiles are made again
    /// when next asked for.
    void forgetStaged();

  signals:
    void tileReady(int row);

  private:
    struct Request {
        std::uint64_t generation;
        int row;
        ThumbnailSource source;
    };
    struct Tile {
        QImage image;
        bool staged;
        bool stale = false;  ///< shown until its successor is made
    };

    void work();
    void deliver(std::uint64_t generation, int row, bool staged, QImage image);

    const Workspace& m_ws;
    const int m_tileSize;
    // GUI thread only
    std::uint64_t m_generation = 1;
    std::unordered_map<int, Tile> m_tiles;
    std::unordered_map<int, bool> m_requested;  ///< row -> staged, queued or being made

    // Shared with the workers
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Request> m_queue;  ///< newest at the back
    bool m_stopping = false;
    std::vector<std::thread> m_workers;
};
