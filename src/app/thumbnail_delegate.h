#pragma once
// Paints one tile of the thumbnail grid: the picture, its number under it,
// and a frame and bold number when a replacement is staged for it.

#include <QStyledItemDelegate>

class ThumbnailDelegate final : public QStyledItemDelegate {
    Q_OBJECT

  public:
    ThumbnailDelegate(int tileSize, QObject* parent = nullptr)
        : QStyledItemDelegate(parent), m_tileSize(tileSize) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    [[nodiscard]] QSize sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const override;

  private:
    int m_tileSize;
};
