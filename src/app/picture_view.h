#pragma once
// The preview area. "Fit" shows the painted picture scaled up by the largest
// whole factor that fits (or scaled down when even one to one does not fit),
// so a 132 x 176 phone picture is not a stamp on a desktop screen; the fixed
// zooms show it at 1:1 to 8:1 inside a scroll area. Scaling changes how the
// picture is shown, never a pixel of it.

#include <QColor>
#include <QImage>
#include <QWidget>

class PictureView final : public QWidget {
    Q_OBJECT

  public:
    /// The zoom steps offered; kFit means "as large as fits".
    static constexpr int kFit = 0;
    static constexpr int kZooms[] = {1, 2, 4, 8};

    explicit PictureView(QWidget* parent = nullptr);

    void setImage(QImage image);
    [[nodiscard]] const QImage& image() const { return m_image; }

    /// Squares drawn beneath the picture, where it lets them through. They are
    /// of one size in screen pixels at every zoom, in colours no phone picture
    /// has by accident, so a transparent pixel is never taken for a grey one.
    static constexpr int kCheckerSquare = 8;
    static constexpr QRgb kCheckerLight = 0xFFFF00FF;
    static constexpr QRgb kCheckerDark = 0xFFC000C0;
    void setCheckerboard(bool on);
    /// The colour that transparent pixels show.
    [[nodiscard]] QColor background() const;

    /// kFit or one of kZooms.
    void setZoom(int zoom);
    [[nodiscard]] int zoom() const { return m_zoom; }
    /// One step up or down from the factor shown now (from Fit too).
    void zoomIn();
    void zoomOut();
    /// The factor the picture is shown at now; below 1 when Fit had to shrink it.
    [[nodiscard]] double scale() const;

    [[nodiscard]] QSize sizeHint() const override { return {241 * 2, 321 * 2}; }
    [[nodiscard]] QSize minimumSizeHint() const override;

  signals:
    void zoomChanged(int zoom);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    QImage m_image;
    int m_zoom = kFit;
    bool m_checkerboard = false;
};
