#include "app/thumbnail_delegate.h"

#include <QPainter>

#include "app/picture_list_model.h"

namespace {

constexpr int kMargin = 6;

}  // namespace

QSize ThumbnailDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {m_tileSize + 2 * kMargin, m_tileSize + 2 * kMargin + option.fontMetrics.height()};
}

void ThumbnailDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    painter->save();
    const QPalette& palette = option.palette;
    if (option.state.testFlag(QStyle::State_Selected))
        painter->fillRect(option.rect, palette.highlight());

    const QRect square(option.rect.left() + kMargin, option.rect.top() + kMargin, m_tileSize,
                       m_tileSize);
    const auto image = index.data(PictureListModel::ThumbnailRole).value<QImage>();
    if (image.isNull()) {
        painter->setPen(QPen(palette.color(QPalette::Mid), 1, Qt::DotLine));
        painter->drawRect(square.adjusted(0, 0, -1, -1));
    } else {
        QRect shown(QPoint(), image.size());
        shown.moveCenter(square.center());
        painter->drawImage(shown, image);
    }

    // While comparing, a differing picture is framed in its row's colour.
    const QVariant difference = index.data(PictureListModel::DifferenceRole);
    if (difference.isValid()) {
        painter->setPen(QPen(difference.value<QColor>().darker(140), 3));
        painter->drawRect(square.adjusted(-4, -4, 3, 3));
    }
    const bool staged = index.data(PictureListModel::StagedRole).toBool();
    if (staged) {
        painter->setPen(QPen(palette.color(QPalette::Link), 2));
        painter->drawRect(square.adjusted(-2, -2, 1, 1));
    }
    QFont font = option.font;
    font.setBold(staged);
    painter->setFont(font);
    painter->setPen(palette.color(option.state.testFlag(QStyle::State_Selected)
                                      ? QPalette::HighlightedText
                                      : QPalette::Text));
    const QRect label(option.rect.left(), square.bottom() + 2, option.rect.width(),
                      option.rect.bottom() - square.bottom() - 2);
    painter->drawText(label, Qt::AlignHCenter | Qt::AlignTop,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}
