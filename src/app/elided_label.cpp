#include "app/elided_label.h"

#include <QResizeEvent>
#include <algorithm>

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::setParts(const QString& before, const QString& elidable, const QString& joiner,
                           const QString& after) {
    if (before == m_before && elidable == m_elidable && joiner == m_joiner && after == m_after)
        return;
    m_before = before;
    m_elidable = elidable;
    m_joiner = joiner;
    m_after = after;
    setToolTip(before + elidable + joiner + after);
    elide();
}

QSize ElidedLabel::minimumSizeHint() const {
    return {fontMetrics().horizontalAdvance(QStringLiteral("…")) * 3,
            QLabel::minimumSizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::elide() {
    const QFontMetrics metrics = fontMetrics();
    const int width = contentsRect().width();
    const auto shortened = [&](int room) {
        return metrics.elidedText(m_elidable, Qt::ElideMiddle, std::max(room, 0));
    };
    const QString tail = m_joiner + m_after;
    const int room = width - metrics.horizontalAdvance(m_before + tail);
    // A name cut to a few letters says nothing: then the words after it go
    // to a line of their own.
    if (room >= metrics.horizontalAdvance(QStringLiteral("mmmmmm")) ||
        metrics.horizontalAdvance(m_elidable) <= room) {
        setText(m_before + shortened(room) + tail);
        return;
    }
    setText(m_before + shortened(width - metrics.horizontalAdvance(m_before)) + QLatin1Char('\n') +
            metrics.elidedText(m_after, Qt::ElideRight, width));
}
