#include "app/report_dialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QStyle::StandardPixmap iconOf(ReportTone tone) {
    switch (tone) {
        case ReportTone::Good:
            return QStyle::SP_DialogApplyButton;
        case ReportTone::Warning:
            return QStyle::SP_MessageBoxWarning;
        case ReportTone::Bad:
            break;
    }
    return QStyle::SP_MessageBoxCritical;
}

}  // namespace

ReportDialog::ReportDialog(QWidget* parent, const QString& title, ReportTone tone,
                           const QString& verdict, const QString& details)
    : QDialog(parent) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);

    auto* head = new QHBoxLayout;
    auto* icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(iconOf(tone)).pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop);
    auto* verdictLabel = new QLabel(verdict, this);
    verdictLabel->setObjectName(QStringLiteral("ReportVerdict"));
    QFont large = verdictLabel->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.25);
    verdictLabel->setFont(large);
    // A long verdict (the line the patch tools cannot read) wraps instead of
    // widening the window past the screen.
    verdictLabel->setWordWrap(true);
    verdictLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    head->addWidget(icon);
    head->addWidget(verdictLabel, 1);
    layout->addLayout(head);

    auto* text = new QPlainTextEdit(details, this);
    text->setObjectName(QStringLiteral("ReportDetails"));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(640, 480);
}
