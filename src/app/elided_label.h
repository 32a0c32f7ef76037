#pragma once
// A one-line label that never cuts its text off at the end: a text wider than
// the label loses its middle to "…", and the whole text is the tooltip. Used
// for captions that name files, whose ends say the most.

#include <QLabel>

class ElidedLabel final : public QLabel {
    Q_OBJECT

  public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    [[nodiscard]] const QString& fullText() const { return m_fullText; }

    [[nodiscard]] QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void elide();

    QString m_fullText;
};
