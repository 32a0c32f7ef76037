#include "app/picture_list_model.h"

#include <QFont>
#include <QImage>

#include "app/qt_ui.h"
#include "app/thumbnail_loader.h"
#include "commands/comparison_commands.h"
#include "workspace/workspace.h"

namespace {

// Column headers of the design; no language file replaces them.
constexpr const char* kHeaders[] = {"#",    "hex",       "width",    "height",
                                    "Type", "PIToffset", "PICoffset"};
constexpr int kColumns = 7;

/// Rows whose pictures differ in what they show, and rows whose pictures only
/// moved or changed their entry.
const QColor kPixelsDiffer(255, 222, 173);
const QColor kEntryDiffers(210, 228, 255);

const std::string& columnText(const PictureListEntry& row, int column) {
    switch (column) {
        case 0:
            return row.index;
        case 1:
            return row.hexIndex;
        case 2:
            return row.width;
        case 3:
            return row.height;
        case 4:
            return row.type;
        case 5:
            return row.pitOffset;
        default:
            return row.picOffset;
    }
}

}  // namespace

int PictureListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shownCount;
}

int PictureListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shownColumns;
}

QVariant PictureListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(m_ws.rows.size())) return {};
    const PictureListEntry& row = m_ws.rows[static_cast<std::size_t>(index.row())];
    const PictureDifference* difference =
        m_ws.comparison ? m_ws.comparison->differenceAt(static_cast<std::size_t>(index.row()))
                        : nullptr;
    switch (role) {
        case Qt::DisplayRole:
            if (index.column() == kColumns) {
                return difference ? bytesToQString(DifferenceKindText(m_ws, *difference))
                                  : QString();
            }
            return QString::fromStdString(columnText(row, index.column()));
        case Qt::BackgroundRole:
        case DifferenceRole:
            if (difference == nullptr) return {};
            return difference->pixels ? kPixelsDiffer : kEntryDiffers;
        case Qt::FontRole:
            if (row.changed) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        case ThumbnailRole:
            if (m_thumbnails == nullptr) return {};
            return m_thumbnails->tile(index.row());
        case StagedRole:
            return row.changed;
        case Qt::TextAlignmentRole:
            return index.column() >= 2 && index.column() <= 3
                       ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                       : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant PictureListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_shownColumns) return {};
    if (section == kColumns) {
        return role == Qt::DisplayRole
                   ? bytesToQString(m_ws.control(ControlNames::kCompareColumn).caption)
                   : QVariant();
    }
    if (role == Qt::DisplayRole) return QString::fromLatin1(kHeaders[section]);
    if (role == Qt::ToolTipRole && section == 5) {
        return QStringLiteral("File offset of the picture's entry in the picture index table");
    }
    if (role == Qt::ToolTipRole && section == 6) {
        return QStringLiteral(
            "File offset of the picture's data (its flash address without the top digit)");
    }
    return {};
}

void PictureListModel::setThumbnails(ThumbnailLoader* loader) {
    m_thumbnails = loader;
    connect(loader, &ThumbnailLoader::tileReady, this, [this](int row) {
        const QModelIndex tile = index(row, 0);
        emit dataChanged(tile, tile, {ThumbnailRole});
    });
}

void PictureListModel::sync() {
    const int columns = m_ws.comparison ? kColumns + 1 : kColumns;
    if (m_shownRevision != m_ws.rowsRevision || m_shownColumns != columns) {
        if (m_thumbnails != nullptr) m_thumbnails->reset();
        beginResetModel();
        m_shownRevision = m_ws.rowsRevision;
        m_shownCount = static_cast<int>(m_ws.rows.size());
        m_shownColumns = columns;
        endResetModel();
    } else if (m_shownCount > 0) {
        if (m_thumbnails != nullptr) m_thumbnails->forgetStaged();
        emit dataChanged(index(0, 0), index(m_shownCount - 1, m_shownColumns - 1));
    }
}
