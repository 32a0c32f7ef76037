#pragma once
// A label that never cuts its text off at the end: when the text is wider
// than the label, the words after the part that may give way (a file's name)
// move to lines of their own, and only a name still too wide loses its middle
// to "…"; the whole text is the tooltip.

#include <QLabel>

class ElidedLabel final : public QLabel {
    Q_OBJECT

  public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    /// `before` and `after` stay whole; `elidable` gives way. On one line
    /// `after` follows `joiner`; below the name it breaks where it has a
    /// `joiner` of its own.
    void setParts(const QString& before, const QString& elidable, const QString& joiner,
                  const QString& after);

    [[nodiscard]] QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void elide();

    QString m_before;
    QString m_elidable;
    QString m_joiner;
    QString m_after;
};
