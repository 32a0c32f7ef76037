#pragma once
// The preview area. It shows the painted picture scaled up by a whole factor so
// that a 132 x 176 phone picture is not a stamp on a desktop screen; scaling
// changes how it is shown, never a pixel of it.

#include <QColor>
#include <QImage>
#include <QWidget>

class PictureView final : public QWidget {
    Q_OBJECT

public:
    explicit PictureView(QWidget* parent = nullptr);

    void setImage(QImage image);
    [[nodiscard]] const QImage& image() const { return m_image; }
    /// The colour that transparent pixels show.
    [[nodiscard]] QColor background() const;
    /// Whole-number zoom the current size allows (at least 1).
    [[nodiscard]] int scale() const;

    [[nodiscard]] QSize sizeHint() const override { return {241 * 2, 321 * 2}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};
