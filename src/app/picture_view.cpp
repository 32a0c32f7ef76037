#include "app/picture_view.h"

#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

PictureView::PictureView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void PictureView::setImage(QImage image) {
    m_image = std::move(image);
    updateGeometry();
    update();
}

void PictureView::setCheckerboard(bool on) {
    if (on == m_checkerboard) return;
    m_checkerboard = on;
    update();
}

QColor PictureView::background() const {
    return palette().color(QPalette::Base);
}

QSize PictureView::minimumSizeHint() const {
    // A fixed zoom needs room for the whole picture, which the scroll area
    // around the view then scrolls; Fit takes what there is.
    if (m_zoom == kFit || m_image.isNull()) return {64, 64};
    return m_image.size() * m_zoom + QSize(2, 2);
}

void PictureView::setZoom(int zoom) {
    if (zoom != kFit && std::find(std::begin(kZooms), std::end(kZooms), zoom) == std::end(kZooms))
        return;
    if (zoom == m_zoom) return;
    m_zoom = zoom;
    updateGeometry();
    update();
    emit zoomChanged(m_zoom);
}

void PictureView::zoomIn() {
    const double now = scale();
    for (int zoom : kZooms) {
        if (zoom > now) {
            setZoom(zoom);
            return;
        }
    }
    setZoom(kZooms[std::size(kZooms) - 1]);
}

void PictureView::zoomOut() {
    const double now = scale();
    int chosen = kZooms[0];
    for (int zoom : kZooms) {
        if (zoom < now) chosen = zoom;
    }
    setZoom(chosen);
}

double PictureView::scale() const {
    if (m_image.isNull()) return 1;
    if (m_zoom != kFit) return m_zoom;
    const double fits = std::min(static_cast<double>(width() - 2) / m_image.width(),
                                 static_cast<double>(height() - 2) / m_image.height());
    return fits >= 1 ? std::floor(fits) : std::max(fits, 0.01);
}

void PictureView::paintEvent(QPaintEvent*) {
    if (m_image.isNull()) return;
    QPainter painter(this);
    const double factor = scale();
    const QSize shown(std::max(1, static_cast<int>(m_image.width() * factor)),
                      std::max(1, static_cast<int>(m_image.height() * factor)));
    const QPoint topLeft(std::max(1, (width() - shown.width()) / 2),
                         std::max(1, (height() - shown.height()) / 2));
    const QRect target(topLeft, shown);
    if (m_checkerboard) {
        // Squares anchored at the picture's corner, so they keep their place
        // whatever the zoom.
        QImage squares(2 * kCheckerSquare, 2 * kCheckerSquare, QImage::Format_RGB32);
        squares.fill(kCheckerLight);
        QPainter(&squares).fillRect(0, 0, kCheckerSquare, kCheckerSquare, QColor(kCheckerDark));
        QPainter(&squares).fillRect(kCheckerSquare, kCheckerSquare, kCheckerSquare, kCheckerSquare,
                                    QColor(kCheckerDark));
        QBrush brush(squares);
        brush.setTransform(QTransform::fromTranslate(topLeft.x(), topLeft.y()));
        painter.fillRect(target, brush);
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, factor < 1);
    painter.drawImage(target, m_image);
    // A thin outline just outside the picture, so white or transparent edges
    // still show where the picture ends.
    painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DotLine));
    painter.drawRect(QRect(topLeft - QPoint(1, 1), shown + QSize(1, 1)));
}

void PictureView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    if (event->angleDelta().y() > 0) zoomIn();
    if (event->angleDelta().y() < 0) zoomOut();
    event->accept();
}
