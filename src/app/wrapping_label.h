#pragma once
// A one-line label that takes a second line (or more) when its text is wider
// than it is, and exactly the height its lines need: a plain word-wrapping
// label asks its layout for the height of its narrowest form, which in a
// status bar makes the bar as tall as a paragraph.

#include <QLabel>

class WrappingLabel final : public QLabel {
    Q_OBJECT

  public:
    explicit WrappingLabel(QWidget* parent = nullptr);

    /// Sets the text and the height its lines need at the present width.
    void setWrappedText(const QString& text);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void fitHeight();
};
