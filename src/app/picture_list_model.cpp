#include "app/picture_list_model.h"

#include <QFont>
#include <QImage>
#include <optional>

#include "app/qt_ui.h"
#include "app/thumbnail_loader.h"
#include "commands/comparison_commands.h"
#include "workspace/workspace.h"

namespace {

constexpr int kColumns = 7;

/// Rows whose pictures differ in what they show, and rows whose pictures only
/// moved or changed their entry.
const QColor kPixelsDiffer(255, 222, 173);
const QColor kEntryDiffers(210, 228, 255);

/// Sizes to the right like numbers, every other column to the left; each
/// header sits over its column's texts.
Qt::Alignment columnAlignment(int column) {
    return (column == 2 || column == 3 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

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

/// Size, type and data offset of one side's picture, as the comparison's
/// lines give them, in the window's language.
std::string sideText(const Workspace& ws, const std::optional<PictureEntry>& entry) {
    constexpr Phrase kSide{"str_CmpSide", "%1 x %2, %3 at %4"};
    if (!entry) return "-";
    const PictureListEntry row = MakeListEntry(*entry);
    return ws.say(kSide, {row.width, row.height, row.type, row.picOffset});
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
        case Qt::ToolTipRole:
            if (index.column() != kColumns || difference == nullptr) return {};
            return QStringLiteral("A: ") + bytesToQString(sideText(m_ws, difference->a)) +
                   QStringLiteral("\nB: ") + bytesToQString(sideText(m_ws, difference->b));
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
            return QVariant(columnAlignment(index.column()));
        default:
            return {};
    }
}

QVariant PictureListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_shownColumns ||
        section >= m_headers.size()) {
        return {};
    }
    if (role == Qt::DisplayRole) return m_headers[section];
    if (role == Qt::TextAlignmentRole) return QVariant(columnAlignment(section));
    if (role == Qt::ToolTipRole && !m_headerTips[section].isEmpty()) return m_headerTips[section];
    return {};
}

bool PictureListModel::syncHeaders() {
    QStringList headers;
    QStringList tips;
    for (int section = 1; section <= kColumns; ++section) {
        const std::string number = std::to_string(section);
        headers << bytesToQString(m_ws.control("ColumnHeader" + number).caption);
        const auto& controls = m_ws.controls();
        const auto tip = controls.find("ColumnTip" + number);
        tips << (tip == controls.end() ? QString() : bytesToQString(tip->second.caption));
    }
    // The column a comparison adds says how each row differs.
    headers << bytesToQString(m_ws.control(ControlNames::kCompareColumn).caption);
    tips << QString();
    if (headers == m_headers && tips == m_headerTips) return false;
    m_headers = headers;
    m_headerTips = tips;
    emit headerDataChanged(Qt::Horizontal, 0, kColumns);
    return true;
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
