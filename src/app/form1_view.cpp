// What the window adds around the commands: zoom and background of the
// preview, shortcuts, the status bar and the clipboard.

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QStatusBar>
#include <cmath>

#include "app/form1.h"
#include "app/picture_image.h"
#include "app/picture_view.h"
#include "app/qt_ui.h"
#include "app/wrapping_label.h"
#include "commands/patch_commands.h"
#include "commands/preview_commands.h"

namespace {

struct Shortcut {
    const char* entry;
    QKeySequence keys;
};

constexpr Phrase kStagedInPlace{"str_SbStaged",
                                "%1 (staged): %2 bytes, written in its own place at %3"};
constexpr Phrase kStagedElsewhere{"str_SbStagedFree",
                                  "%1 (staged): %2 bytes, in erased flash, placed at Save Patch"};

/// "Pictures: 400": a caption and a count, which no language has to inflect.
QString counted(const QString& caption, qsizetype count) {
    return caption + QStringLiteral(": ") + QString::number(count);
}

}  // namespace

void Form1::applyShortcuts() {
    const Shortcut shortcuts[] = {
        {"mnu_FileOpen", QKeySequence::Open},
        {"mnu_FileClose", QKeySequence(Qt::CTRL | Qt::Key_W)},
        {"mnu_FileExit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"mnu_Fullflash_SavePatch", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"mnu_Help_ReadMe", QKeySequence(Qt::Key_F1)},
        {"mnu_View_ZoomFit", QKeySequence(Qt::CTRL | Qt::Key_0)},
        {"mnu_View_Zoom1", QKeySequence(Qt::CTRL | Qt::Key_1)},
    };
    for (const Shortcut& shortcut : shortcuts)
        menuAction(shortcut.entry)->setShortcut(shortcut.keys);
    // One zoom at a time: the menu shows them as a set of radio items.
    auto* zoomGroup = new QActionGroup(this);
    for (const char* entry : {"mnu_View_ZoomFit", "mnu_View_Zoom1", "mnu_View_Zoom2",
                              "mnu_View_Zoom4", "mnu_View_Zoom8"})
        zoomGroup->addAction(menuAction(entry))->setCheckable(true);
    menuAction("mnu_View_Checkerboard")->setCheckable(true);
    menuAction("mnu_View_ZoomIn")
        ->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    menuAction("mnu_View_ZoomOut")->setShortcuts(QKeySequence::ZoomOut);
    auto* copy = new QAction(m_picture);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &Form1::copyPicture);
    m_picture->addAction(copy);
    connect(m_picture, &PictureView::zoomChanged, this, [this] {
        showViewState();
        showStatus();
    });
}

void Form1::showViewState() {
    const int zoom = m_picture->zoom();
    menuAction("mnu_View_ZoomFit")->setChecked(zoom == PictureView::kFit);
    menuAction("mnu_View_Zoom1")->setChecked(zoom == 1);
    menuAction("mnu_View_Zoom2")->setChecked(zoom == 2);
    menuAction("mnu_View_Zoom4")->setChecked(zoom == 4);
    menuAction("mnu_View_Zoom8")->setChecked(zoom == 8);
    menuAction("mnu_View_Checkerboard")->setChecked(m_ws.checkerboard);
    m_picture->setCheckerboard(m_ws.checkerboard);
    m_comparedPicture->setCheckerboard(m_ws.checkerboard);
}

void Form1::showStatus() {
    QString title = bytesToQString(m_ws.control(ControlNames::kWindow).caption);
    if (m_ws.isLoaded()) {
        const QString path = bytesToQString(m_ws.flash.file->path());
        title = path.section(QLatin1Char('/'), -1) + QStringLiteral(" \u2014 ") + title;
    }
    setWindowTitle(title);

    const auto caption = [this](const char* name) {
        return bytesToQString(m_ws.control(name).caption);
    };
    if (!m_ws.isLoaded()) {
        m_status->setWrappedText(caption("StatusHint"));
        return;
    }
    if (m_ws.rows.empty()) {
        m_status->setWrappedText(caption("StatusNoTable"));
        return;
    }
    QStringList parts{counted(caption("StatusPictures"), static_cast<qsizetype>(m_ws.rows.size()))};
    if (const PictureListEntry* row = m_ws.selected()) parts << selectionStatus(*row);
    const auto staged = std::count_if(m_ws.rows.begin(), m_ws.rows.end(),
                                      [](const PictureListEntry& row) { return row.changed; });
    if (staged > 0) parts << counted(caption("StatusStaged"), staged);
    if (!m_picture->image().isNull()) parts << zoomStatus();
    if (!m_ws.statusNote.empty()) parts << bytesToQString(m_ws.statusNote);
    m_status->setWrappedText(parts.join(QStringLiteral("  \u00B7  ")));
}

QString Form1::zoomStatus() const {
    const double scale = m_picture->scale();
    const QString ratio = scale >= 1
                              ? QString::number(static_cast<int>(scale)) + QStringLiteral(":1")
                              : QString::number(static_cast<int>(scale * 100)) + QLatin1Char('%');
    QString text = bytesToQString(m_ws.control("StatusZoom").caption) + QStringLiteral(": ");
    if (m_picture->zoom() != PictureView::kFit) return text + ratio;
    return text + bytesToQString(m_ws.control("mnu_View_ZoomFit").caption) + QStringLiteral(" (") +
           ratio + QLatin1Char(')');
}

QString Form1::selectionStatus(const PictureListEntry& row) {
    QString picture = bytesToQString(m_ws.control("StatusPicture").caption) + QLatin1Char(' ') +
                      QString::fromStdString(row.index);
    const bool shown = m_ws.picture.pictureNumber == row.entry.number && !m_ws.pictureInfo.empty();
    if (row.changed) {
        // The staged picture's data goes where Save Patch will put it, which
        // is not the old picture's offset unless it fits there.
        if (!shown) return picture;
        const auto place = StagedDataPlace(m_ws, *m_ws.selectedRow, m_ws.picture.dataSize);
        const std::string size = std::to_string(static_cast<long long>(m_ws.picture.dataSize));
        return bytesToQString(
            place ? m_ws.say(kStagedInPlace, {qStringToBytes(picture), size, row.picOffset})
                  : m_ws.say(kStagedElsewhere, {qStringToBytes(picture), size}));
    }
    QString selection = picture + QStringLiteral(": ") +
                        bytesToQString(m_ws.control("StatusDataAt").caption) + QLatin1Char(' ') +
                        QString::fromStdString(row.picOffset);
    if (shown) {
        selection += QStringLiteral(", ") + QString::number(m_ws.picture.dataSize) +
                     QLatin1Char(' ') + bytesToQString(m_ws.control("StatusBytes").caption);
    }
    return selection;
}

void Form1::copyPicture() const {
    if (m_ws.pictureInfo.empty()) return;
    QApplication::clipboard()->setImage(PictureWithAlpha(m_ws.picture));
}
