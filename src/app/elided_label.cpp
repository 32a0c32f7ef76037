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
    const QString tail = m_joiner + m_after;
    const int room = width - metrics.horizontalAdvance(m_before + tail);
    // A name that does not fit beside the words after it gets the whole
    // width, and those words a line of their own: a cut name is the last resort.
    if (metrics.horizontalAdvance(m_elidable) <= room) {
        setText(m_before + m_elidable + tail);
        return;
    }
    const int nameRoom = std::max(width - metrics.horizontalAdvance(m_before), 0);
    QStringList lines{m_before + metrics.elidedText(m_elidable, Qt::ElideMiddle, nameRoom)};
    // The words after the name are parts joined by the joiner: as many parts
    // to a line as fit, a new line where the next would be cut.
    QString line;
    for (const QString& part : m_after.split(m_joiner)) {
        const QString longer = line.isEmpty() ? part : line + m_joiner + part;
        if (line.isEmpty() || metrics.horizontalAdvance(longer) <= width) {
            line = longer;
            continue;
        }
        lines << metrics.elidedText(line, Qt::ElideRight, width);
        line = part;
    }
    lines << metrics.elidedText(line, Qt::ElideRight, width);
    setText(lines.join(QLatin1Char('\n')));
}
