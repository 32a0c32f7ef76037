#include "app/picture_view.h"

#include <QPainter>
#include <algorithm>

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setMinimumSize(241, 321);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void PictureView::setImage(QImage image) {
    m_image = std::move(image);
    update();
}

QColor PictureView::background() const { return palette().color(QPalette::Base); }

int PictureView::scale() const {
    if (m_image.isNull()) return 1;
    return std::max(1, std::min(width() / m_image.width(), height() / m_image.height()));
}

void PictureView::paintEvent(QPaintEvent*) {
    if (m_image.isNull()) return;
    QPainter painter(this);
    const int factor = scale();
    const QSize shown = m_image.size() * factor;
    const QPoint topLeft((width() - shown.width()) / 2, (height() - shown.height()) / 2);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(topLeft, shown), m_image);
    // A thin outline just outside the picture, so white or transparent edges
    // still show where the picture ends.
    painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DotLine));
    painter.drawRect(QRect(topLeft - QPoint(1, 1), shown + QSize(1, 1)));
}
