// The window's comparison of the loaded fullflash (A) with a second one (B):
// a bar above the list, the marks and the filter of the list, B's picture
// beside A's in the preview.

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QScrollArea>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/elided_label.h"
#include "app/form1.h"
#include "app/picture_image.h"
#include "app/picture_list_model.h"
#include "app/picture_view.h"
#include "app/qt_ui.h"
#include "commands/comparison_commands.h"

QWidget* Form1::buildComparisonBar(QWidget* parent) {
    m_compareBar = new QWidget(parent);
    m_compareBar->setObjectName(QStringLiteral("CompareBar"));
    auto* layout = new QHBoxLayout(m_compareBar);
    layout->setContentsMargins(4, 2, 4, 2);
    m_compareLabel = new ElidedLabel(m_compareBar);
    m_compareLabel->setObjectName(QStringLiteral("CompareLabel"));
    m_compareOnly = new QCheckBox(m_compareBar);
    m_compareOnly->setObjectName(
        QString::fromLatin1(ControlNames::kCompareOnly.data(), ControlNames::kCompareOnly.size()));
    connect(m_compareOnly, &QCheckBox::clicked, this, &Form1::CompareOnly_Click);
    auto* close = new QToolButton(m_compareBar);
    close->setObjectName(QStringLiteral("CompareCloseButton"));
    close->setAutoRaise(true);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    connect(close, &QToolButton::clicked, this, &Form1::mnu_Fullflash_CompareClose_Click);
    layout->addWidget(m_compareLabel, 1);
    layout->addWidget(m_compareOnly);
    layout->addWidget(close);
    m_compareBar->hide();
    return m_compareBar;
}

QWidget* Form1::buildPictureSides(QWidget* parent, QWidget* pictureA) {
    auto* sides = new QWidget(parent);
    auto* layout = new QHBoxLayout(sides);
    layout->setContentsMargins(0, 0, 0, 0);
    m_shownInfo = new QLabel(sides);
    m_shownInfo->setObjectName(QStringLiteral("ShownInfo"));
    auto* sideA = new QVBoxLayout;
    sideA->addWidget(m_shownInfo);
    sideA->addWidget(pictureA, 1);
    layout->addLayout(sideA, 1);

    // B's side is hidden as a whole, so A's picture takes the room back.
    m_comparedSide = new QWidget(sides);
    m_comparedSide->setObjectName(QStringLiteral("ComparedSide"));
    auto* sideB = new QVBoxLayout(m_comparedSide);
    sideB->setContentsMargins(0, 0, 0, 0);
    m_comparedInfo = new QLabel(m_comparedSide);
    m_comparedInfo->setObjectName(QStringLiteral("ComparedInfo"));
    auto* scroll = new QScrollArea(m_comparedSide);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    m_comparedPicture = new PictureView(scroll);
    m_comparedPicture->setObjectName(QStringLiteral("ComparedPicture"));
    scroll->setWidget(m_comparedPicture);
    sideB->addWidget(m_comparedInfo);
    sideB->addWidget(scroll, 1);
    layout->addWidget(m_comparedSide, 1);
    for (QLabel* info : {m_shownInfo, m_comparedInfo}) {
        // A line longer than its side wraps rather than losing its words.
        info->setWordWrap(true);
        info->setTextInteractionFlags(Qt::TextSelectableByMouse);
        info->setMinimumWidth(1);
    }
    m_shownInfo->hide();
    m_comparedSide->hide();
    // Both sides at one zoom, whichever side the user zooms.
    connect(m_picture, &PictureView::zoomChanged, m_comparedPicture, &PictureView::setZoom);
    connect(m_comparedPicture, &PictureView::zoomChanged, m_picture, &PictureView::setZoom);
    return sides;
}

void Form1::CompareOnly_Click() {
    ::CompareOnly_Click(m_ws, *m_ui, m_compareOnly->isChecked());
    refreshFromWorkspace();
}

void Form1::showComparison() {
    const bool comparing = m_ws.comparison.has_value();
    for (QWidget* part : {m_compareBar, m_comparedSide, static_cast<QWidget*>(m_shownInfo)})
        part->setVisible(comparing);
    showComparisonRows();
    if (!comparing) return;
    m_shownInfo->setText(QStringLiteral("A: ") + bytesToQString(m_ws.pictureInfo));
    const ComparisonBarParts bar = ComparisonBar(m_ws);
    m_compareLabel->setParts(bytesToQString(bar.before), bytesToQString(bar.fileName),
                             bytesToQString(std::string(kComparisonBarJoiner)),
                             bytesToQString(bar.counts));
    m_compareOnly->setText(bytesToQString(m_ws.control(ControlNames::kCompareOnly).caption));
    m_compareOnly->setChecked(m_ws.comparison->onlyDiffering);
    // B's picture follows the selected row and every repaint of A's.
    const std::tuple wanted{m_ws.rowsRevision, m_ws.selectedRow, m_ws.previewRevision};
    if (wanted == m_comparedFor) return;
    m_comparedFor = wanted;
    ShowComparedPicture(m_ws);
    m_comparedPicture->setImage(PaintedToImage(m_ws.comparison->preview));
    m_comparedInfo->setText(bytesToQString(m_ws.comparison->pictureInfo));
}

void Form1::showComparisonRows() {
    const bool only = m_ws.comparison && m_ws.comparison->onlyDiffering;
    const std::pair wanted{m_ws.rowsRevision, only};
    if (wanted == m_filterShown) return;
    m_filterShown = wanted;
    // A new list (or a comparison opened or closed on it) sizes its columns anew.
    if (m_ws.comparison)
        m_list->setColumnWidth(7, m_list->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 10);
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const bool hide =
            only && m_ws.comparison->differenceAt(static_cast<std::size_t>(row)) == nullptr;
        if (m_list->isRowHidden(row) != hide) m_list->setRowHidden(row, hide);
        if (m_thumbs->isRowHidden(row) != hide) m_thumbs->setRowHidden(row, hide);
    }
}
