// Files dropped on the window: a picture on a row stages it for that row (with
// Ctrl held, the rows that show it are selected instead), a folder on the list
// stages what "Load pictures" would find in it, and any other file opens as
// File > Open would open it.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QListView>
#include <QMimeData>
#include <QTableView>

#include "app/form1.h"
#include "app/qt_ui.h"
#include "commands/file_commands.h"
#include "commands/staging_commands.h"

namespace {

/// The local files of a drop; none for a drop of anything else.
QStringList droppedFiles(const QMimeData* data) {
    QStringList files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) files << url.toLocalFile();
    }
    return files;
}

bool isFullflash(const QString& path) {
    return path.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive);
}

}  // namespace

void Form1::enableDrops() {
    setAcceptDrops(true);
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_list), static_cast<QAbstractItemView*>(m_thumbs)}) {
        view->viewport()->setAcceptDrops(true);
        view->viewport()->installEventFilter(this);
    }
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty() || QFileInfo(files.first()).isDir()) return;
    event->acceptProposedAction();
    OpenPath(m_ws, *m_ui, qStringToBytes(files.first()));
    refreshFromWorkspace();
}

bool Form1::dropOnList(QAbstractItemView* view, QDropEvent* event) {
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty()) return true;
    event->acceptProposedAction();
    const QString& file = files.first();
    const QModelIndex row = view->indexAt(event->position().toPoint());
    if (QFileInfo(file).isDir()) {
        if (!m_ws.rows.empty()) StageDroppedFolder(m_ws, *m_ui, qStringToBytes(file));
    } else if ((event->modifiers() & Qt::ControlModifier) != 0 && !m_ws.rows.empty() &&
               !isFullflash(file)) {
        findDroppedPicture(qStringToBytes(file));
        return true;
    } else if (row.isValid() && !isFullflash(file)) {
        view->setCurrentIndex(row);
        StageDroppedPicture(m_ws, *m_ui, static_cast<std::size_t>(row.row()), qStringToBytes(file));
    } else {
        OpenPath(m_ws, *m_ui, qStringToBytes(file));
    }
    refreshFromWorkspace();
    return true;
}
