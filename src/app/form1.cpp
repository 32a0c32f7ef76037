#include "app/form1.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <array>
#include <cstring>

#include "app/form1_menu_table.h"
#include "app/picture_image.h"
#include "app/picture_list_model.h"
#include "app/picture_view.h"
#include "app/qt_ui.h"
#include "app/thumbnail_delegate.h"
#include "app/thumbnail_loader.h"
#include "app/wrapping_label.h"
#include "commands/desktop_commands.h"
#include "commands/file_commands.h"
#include "commands/settings_commands.h"

namespace {

/// Width of each list column, in digits of the list's font.
constexpr std::array<int, 7> kColumnDigits{6, 5, 7, 7, 6, 10, 10};

/// A caption as a menu shows it: '&' kept literal, and the mnemonic on the
/// first letter or digit that no earlier entry of the same menu took
/// (`taken`), so each entry has a key of its own. Recent files (paths) get
/// none.
QString menuText(const MenuSpec& entry, const std::string& caption, QString& taken) {
    QString text = bytesToQString(caption);
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    if (entry.name.starts_with("mnu_File_MRU")) return text;
    qsizetype chosen = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!text[i].isLetterOrNumber()) continue;
        if (chosen < 0) chosen = i;
        if (!taken.contains(text[i].toLower())) {
            chosen = i;
            break;
        }
    }
    if (chosen < 0) return text;
    taken += text[chosen].toLower();
    text.insert(chosen, QLatin1Char('&'));
    return text;
}

}  // namespace

Form1::Form1(const std::string& programFolder, const std::string& commandLine,
             FileTypeCheck fileTypeCheck, QWidget* parent)
    : QMainWindow(parent), m_askFileTypes(fileTypeCheck == FileTypeCheck::Ask) {
    setObjectName(QStringLiteral("Form1"));
    buildWidgets();
    buildMenus();
    applyShortcuts();
    enableDrops();
    auto qtUi = std::make_unique<QtUi>(this, m_progress, [this] { refreshFromWorkspace(); });
    qtUi->setFolderMemory({[this](std::string_view key) {
                               const auto known = m_ws.dialogFolders.find(key);
                               return known == m_ws.dialogFolders.end() ? std::string()
                                                                        : known->second;
                           },
                           [this](std::string_view key, const std::string& folder) {
                               RememberDialogFolder(m_ws, key, folder);
                           }});
    m_ui = std::move(qtUi);
    const QColor background = m_picture->background();
    m_ws.backgroundRed = static_cast<std::uint8_t>(background.red());
    m_ws.backgroundGreen = static_cast<std::uint8_t>(background.green());
    m_ws.backgroundBlue = static_cast<std::uint8_t>(background.blue());
    refreshFromWorkspace();
    m_ws.fullflashLoaded = [this](Workspace& ws, const std::string& path) {
        AddRecentFile(ws, path);
        // The keys go to the pictures at once: arrows, Home, End, the menu key.
        m_tabs->currentWidget()->setFocus();
    };
    StartupSteps steps;
    steps.loadSettings = [](Workspace& ws, Ui& ui) { LoadSettings(ws, ui); };
    Startup(m_ws, *m_ui, programFolder, commandLine, steps);
    refreshFromWorkspace();
}

Form1::~Form1() = default;

void Form1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_askFileTypes) return;
    m_askFileTypes = false;
    // Queued: the question comes over the window, not before it.
    QMetaObject::invokeMethod(this, &Form1::askAboutFileTypes, Qt::QueuedConnection);
}

void Form1::askAboutFileTypes() {
    CheckFileAssociation(m_ws, *m_ui, ConfigActions::XdgFolders::fromEnvironment());
}

void Form1::buildWidgets() {
    auto* splitter = new QSplitter(this);

    auto* left = new QWidget(splitter);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    m_tabs = new QTabWidget(left);
    m_tabs->setObjectName(QStringLiteral("TabStrip1"));
    m_model = new PictureListModel(m_ws, this);
    m_tabs->addTab(buildPictureList(), QString());
    m_tabs->addTab(buildThumbnails(), QString());
    // Both views show one list: a picture chosen in either is chosen in both.
    m_thumbs->setSelectionModel(m_list->selectionModel());
    m_progress = new QProgressBar(left);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    leftLayout->addWidget(buildComparisonBar(left));
    leftLayout->addWidget(m_tabs);
    leftLayout->addWidget(m_progress);

    QWidget* right = buildPreview(splitter);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    setCentralWidget(splitter);
    // A long status text (a long path, the longer Russian words) goes on in a
    // second line rather than widening the window or losing its end.
    m_status = new WrappingLabel(this);
    statusBar()->addWidget(m_status, 1);
    setMinimumSize(720, 480);
    // Never larger than the screen, or a small screen hides the preview.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize wanted(1100, 760);
    resize(screen != nullptr ? wanted.boundedTo(screen->availableGeometry().size()) : wanted);
}

QWidget* Form1::buildPictureList() {
    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("ListView1"));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the list for the next control instead of walking its cells.
    m_list->setTabKeyNavigation(false);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setAlternatingRowColors(true);
    m_list->setShowGrid(false);
    m_list->setWordWrap(false);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_list->verticalHeader()->hide();
    // Fixed row heights keep a 2501-row list from measuring every row.
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 4);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->installEventFilter(this);
    connect(m_list, &QTableView::clicked, this, &Form1::ListView1_Click);
    connect(m_list, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { openListPopup(m_list, at); });
    return m_list;
}

QWidget* Form1::buildThumbnails() {
    constexpr int kTileSize = 72;
    m_thumbnailLoader = new ThumbnailLoader(m_ws, kTileSize, this);
    m_model->setThumbnails(m_thumbnailLoader);
    m_thumbs = new QListView(this);
    m_thumbs->setObjectName(QStringLiteral("Thumbnails"));
    m_thumbs->setViewMode(QListView::IconMode);
    m_thumbs->setMovement(QListView::Static);
    m_thumbs->setResizeMode(QListView::Adjust);
    // Equal tiles let the view place 2,500 of them without asking each its size.
    m_thumbs->setUniformItemSizes(true);
    m_thumbs->setSpacing(2);
    m_thumbs->setSelectionMode(QAbstractItemView::SingleSelection);
    // A tile chosen here selects its whole row, as the list shows it.
    m_thumbs->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_thumbs->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_thumbs->setItemDelegate(new ThumbnailDelegate(kTileSize, m_thumbs));
    m_thumbs->setModel(m_model);
    m_thumbs->setModelColumn(0);
    m_thumbs->setContextMenuPolicy(Qt::CustomContextMenu);
    m_thumbs->installEventFilter(this);
    connect(m_thumbs, &QListView::clicked, this, &Form1::ListView1_Click);
    connect(m_thumbs, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { openListPopup(m_thumbs, at); });
    return m_thumbs;
}

QWidget* Form1::buildPreview(QWidget* parent) {
    auto* right = new QWidget(parent);
    auto* rightLayout = new QVBoxLayout(right);
    m_infoFrame = new QGroupBox(right);
    m_infoFrame->setObjectName(QStringLiteral("FFinfo"));
    auto* infoLayout = new QVBoxLayout(m_infoFrame);
    m_infoLabel = new QLabel(m_infoFrame);
    m_infoLabel->setObjectName(QStringLiteral("FFinfol"));
    m_infoLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_infoLabel->setMinimumHeight(m_infoLabel->fontMetrics().height() * 6);
    m_infoLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    infoLayout->addWidget(m_infoLabel);

    m_pictureFrame = new QGroupBox(right);
    m_pictureFrame->setObjectName(QStringLiteral("PICframe"));
    auto* pictureLayout = new QVBoxLayout(m_pictureFrame);
    auto* scroll = new QScrollArea(m_pictureFrame);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    m_picture = new PictureView(scroll);
    m_picture->setFocusPolicy(Qt::ClickFocus);
    scroll->setWidget(m_picture);
    m_picture->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_picture, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (QMenu* popup = picturePopup()) popup->popup(m_picture->mapToGlobal(at));
    });
    m_transparency = new QCheckBox(m_pictureFrame);
    m_transparency->setObjectName(QStringLiteral("TransCheck"));
    connect(m_transparency, &QCheckBox::clicked, this, &Form1::TransCheck_Click);
    pictureLayout->addWidget(buildPictureSides(m_pictureFrame, scroll), 1);
    pictureLayout->addWidget(m_transparency);

    rightLayout->addWidget(m_infoFrame);
    rightLayout->addWidget(m_pictureFrame, 1);
    return right;
}

void Form1::buildMenus() {
    // The slot table has one row per item, in the tree's order.
    const std::span<const MenuSlot> menuSlots = MenuSlots();
    std::size_t item = 0;
    for (const MenuSpec& entry : MenuTree()) {
        const QString name =
            QString::fromLatin1(entry.name.data(), static_cast<qsizetype>(entry.name.size()));
        QMenu* parentMenu = nullptr;
        if (!entry.parent.empty()) parentMenu = m_menus.at(std::string(entry.parent));

        QAction* action = nullptr;
        if (entry.kind == MenuKind::Menu) {
            auto* submenu = new QMenu(this);
            submenu->setObjectName(name);
            m_menus.emplace(std::string(entry.name), submenu);
            action = submenu->menuAction();
            // The two pop-up menus live outside the menu bar.
            if (parentMenu != nullptr) {
                parentMenu->addMenu(submenu);
            } else if (entry.visible) {
                menuBar()->addMenu(submenu);
            }
        } else if (entry.kind == MenuKind::Separator) {
            action = parentMenu->addSeparator();
        } else {
            action = new QAction(this);
            if (parentMenu != nullptr) {
                parentMenu->addAction(action);
            } else {
                menuBar()->addAction(action);
            }
            const MenuSlot& slot = menuSlots[item++];
            connect(action, &QAction::triggered, this, [this, &slot] { slot.run(*this); });
        }
        action->setObjectName(name);
        m_actions.emplace(std::string(entry.name), action);
    }
}

QAction* Form1::menuAction(const std::string& name) const {
    const auto it = m_actions.find(name);
    return it == m_actions.end() ? nullptr : it->second;
}

QMenu* Form1::menu(const std::string& name) const {
    const auto it = m_menus.find(name);
    return it == m_menus.end() ? nullptr : it->second;
}

QMenu* Form1::listPopup() const {
    return m_ws.rows.empty() ? nullptr : menu(std::string(ControlNames::kListPopup));
}

QMenu* Form1::picturePopup() const {
    return m_ws.pictureInfo.empty() ? nullptr : menu(std::string(ControlNames::kPicturePopup));
}

void Form1::applyControlStates() {
    std::map<std::string_view, QString> takenKeys;  // by parent menu
    for (const MenuSpec& entry : MenuTree()) {
        const ControlState& state = m_ws.control(entry.name);
        QAction* action = menuAction(std::string(entry.name));
        if (entry.kind != MenuKind::Separator)
            action->setText(menuText(entry, state.caption, takenKeys[entry.parent]));
        action->setEnabled(state.enabled);
        const bool popupRoot =
            entry.parent.empty() && entry.kind == MenuKind::Menu && !entry.visible;
        if (!popupRoot) action->setVisible(state.visible);
    }
    m_tabs->setTabText(0, bytesToQString(m_ws.control(ControlNames::kPicturesTab).caption));
    m_tabs->setTabText(1, bytesToQString(m_ws.control(ControlNames::kThumbnailsTab).caption));
    if (m_model->syncHeaders()) fitColumnsToHeaders();
    m_infoFrame->setTitle(bytesToQString(m_ws.control(ControlNames::kInfoFrame).caption));
    m_transparency->setText(bytesToQString(m_ws.control(ControlNames::kTransparency).caption));
}

void Form1::fitColumnsToHeaders() {
    // Fixed widths keep a 2501-row list from measuring every row; only the
    // header captions, which a language file changes, are measured.
    const int digit = m_list->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    QHeaderView* header = m_list->horizontalHeader();
    // The header of the selected row's columns is drawn bold.
    QFont bold = header->font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int padding = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) +
                        metrics.horizontalAdvance(QLatin1Char('0'));
    for (int column = 0; column < static_cast<int>(kColumnDigits.size()); ++column) {
        const QString caption =
            m_model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        m_list->setColumnWidth(column,
                               std::max(digit * kColumnDigits[static_cast<std::size_t>(column)],
                                        metrics.horizontalAdvance(caption) + padding));
    }
}

void Form1::refreshFromWorkspace() {
    m_qtTexts.follow(m_ws.Language);
    applyControlStates();
    m_infoLabel->setText(messageText(m_ws.ffInfo));
    m_pictureFrame->setTitle(bytesToQString(m_ws.pictureInfo));
    m_transparency->setChecked(m_ws.transparency);
    m_model->sync();
    showComparison();
    showSelectionInView();
    showPreview();
    showViewState();
    showStatus();
}

void Form1::showPreview() {
    if (m_shownPreview == m_ws.previewRevision) return;
    m_shownPreview = m_ws.previewRevision;
    m_picture->setImage(PaintedToImage(m_ws.preview));
}

void Form1::takeSelectionFromView() {
    const QModelIndex current = m_list->currentIndex();
    if (current.isValid()) {
        m_ws.selectedRow = static_cast<std::size_t>(current.row());
    } else {
        m_ws.selectedRow.reset();
    }
}

void Form1::showSelectionInView() {
    if (!m_ws.selectedRow || *m_ws.selectedRow >= m_ws.rows.size()) {
        // A file opened on its own is no row of the list: no row stays marked.
        if (m_list->currentIndex().isValid()) {
            m_list->selectionModel()->clear();
            m_list->setCurrentIndex({});
        }
        return;
    }
    const QModelIndex wanted = m_model->index(static_cast<int>(*m_ws.selectedRow), 0);
    if (m_list->currentIndex().row() != wanted.row()) {
        m_list->setCurrentIndex(wanted);
        m_list->scrollTo(wanted);
    }
}

void Form1::selectEndRow(QAbstractItemView* view, bool last) {
    const int rows = m_model->rowCount();
    for (int i = 0; i < rows; ++i) {
        const int row = last ? rows - 1 - i : i;
        if (m_list->isRowHidden(row)) continue;
        const QModelIndex index = m_model->index(row, 0);
        view->setCurrentIndex(index);
        view->scrollTo(index);
        return;
    }
}

void Form1::openListPopup(QAbstractItemView* view, const QPoint& at) {
    // The row under the pointer is selected and shown first, so the menu acts
    // on the row the user sees selected.
    const QModelIndex row = view->indexAt(at);
    if (row.isValid()) {
        view->setCurrentIndex(row);
        ListView1_Click();
    }
    // Offered only on a row whose replacement is staged.
    const PictureListEntry* selected = m_ws.selected();
    m_ws.control("mnu_PopupPictures_Discard").visible = selected != nullptr && selected->changed;
    applyControlStates();
    if (QMenu* popup = listPopup()) popup->popup(view->viewport()->mapToGlobal(at));
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_list), static_cast<QAbstractItemView*>(m_thumbs)}) {
        if (view == nullptr || watched != view->viewport()) continue;
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDropEvent*>(event);
            if (drag->mimeData()->hasUrls()) drag->acceptProposedAction();
            return true;
        }
        if (event->type() == QEvent::Drop) return dropOnList(view, static_cast<QDropEvent*>(event));
    }
    if (watched == m_list || watched == m_thumbs) {
        // Queued, so the view has moved its selection before the row is read:
        // key down and key up each show the row selected at that moment. A key
        // released without its press here (the Enter that closed a dialog) is
        // not the user's doing on this list.
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            m_keysDown.insert(key->key());
            QMetaObject::invokeMethod(this, &Form1::ListView1_Click, Qt::QueuedConnection);
            // The table would move Home and End along the row's columns.
            if (key->key() == Qt::Key_Home || key->key() == Qt::Key_End) {
                selectEndRow(static_cast<QAbstractItemView*>(watched), key->key() == Qt::Key_End);
                return true;
            }
        } else if (event->type() == QEvent::KeyRelease &&
                   m_keysDown.remove(static_cast<QKeyEvent*>(event)->key())) {
            QMetaObject::invokeMethod(this, &Form1::ListView1_Click, Qt::QueuedConnection);
        }
        if (event->type() == QEvent::FocusOut) m_keysDown.clear();
    }
    return QMainWindow::eventFilter(watched, event);
}
