#include "app/wrapping_label.h"

#include <algorithm>

WrappingLabel::WrappingLabel(QWidget* parent) : QLabel(parent) {
    setWordWrap(true);
    // The width comes from the layout; the height follows from the text.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    fitHeight();
}

void WrappingLabel::setWrappedText(const QString& text) {
    setText(text);
    fitHeight();
}

void WrappingLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fitHeight();
}

void WrappingLabel::fitHeight() {
    // Measured here, not by heightForWidth, which never answers less than
    // the height set last time.
    const QMargins margins = contentsMargins();
    const int frame = 2 * margin();
    const int textWidth = std::max(width() - margins.left() - margins.right() - frame, 1);
    const QRect lines =
        fontMetrics().boundingRect(QRect(0, 0, textWidth, 1 << 20), Qt::TextWordWrap, text());
    setFixedHeight(std::max(lines.height(), fontMetrics().height()) + margins.top() +
                   margins.bottom() + frame);
}
