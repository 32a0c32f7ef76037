#pragma once
// The main window: a thin projection of the Workspace. Each menu entry and
// control event has a slot named after it with "_Click" appended; a slot calls
// one core command and then brings the window up to date.

#include <QMainWindow>
#include <QSet>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "app/qt_translation.h"
#include "ui/ui.h"
#include "workspace/workspace.h"

class ElidedLabel;
class QAbstractItemView;
class QDragEnterEvent;
class QDropEvent;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QListView;
class QMenu;
class QProgressBar;
class QTabWidget;
class QTableView;
class PictureListModel;
class PictureView;
class ThumbnailLoader;
class WrappingLabel;

/// Whether the window, once shown, asks to become the handler of GPF and GPF2
/// files. The program asks; windows made for tests leave the desktop alone.
enum class FileTypeCheck { Skip, Ask };

class Form1 final : public QMainWindow {
    Q_OBJECT

  public:
    /// Creates the window and runs start-up with the program's command line.
    Form1(const std::string& programFolder, const std::string& commandLine,
          FileTypeCheck fileTypeCheck = FileTypeCheck::Skip, QWidget* parent = nullptr);
    ~Form1() override;

    [[nodiscard]] Workspace& workspace() { return m_ws; }
    /// The action or sub-menu action of a menu entry, by its control name.
    [[nodiscard]] QAction* menuAction(const std::string& name) const;
    /// A pop-up or sub-menu by its control name.
    [[nodiscard]] QMenu* menu(const std::string& name) const;
    /// The pop-up menu a right click offers at this moment, or nullptr.
    [[nodiscard]] QMenu* listPopup() const;
    [[nodiscard]] QMenu* picturePopup() const;

    /// Shows the Workspace: captions, menu states, list, panel, preview.
    void refreshFromWorkspace();

    /// Who answers the commands' dialogs from now on (tests script them).
    void setUi(std::unique_ptr<Ui> ui) { m_ui = std::move(ui); }

  public slots:
    // The menu entries' slots, in the menu tree's order (form1_menu_table.cpp
    // connects each entry to its own). The variants of one command that differ
    // only by a number share one slot that takes it.
    void mnu_FileOpen_Click();
    void mnu_FileClose_Click();
    void mnu_FileExit_Click();
    /// A recent file, 1 to 3.
    void mnu_File_MRU_Click(int index);
    void mnu_Tools_ExtractFgrP_Click();
    void mnu_Tools_ExtractFGPN_Click();
    void mnu_Tools_FindGIF_Click();
    void mnu_Tools_FindPNG_Click();
    void mnu_Tools_FindXML_Click();
    void mnu_Tools_FindPicture_Click();
    void mnu_Fullflash_Change_PNG_Click();
    void mnu_Fullflash_SavePatch_Click();
    void mnu_Fullflash_VerifyPatch_Click();
    void mnu_Fullflash_PortPatch_Click();
    void mnu_Fullflash_Compare_Click();
    void mnu_Fullflash_CompareStage_Click();
    void mnu_Fullflash_CompareClose_Click();
    void mnu_View_ZoomIn_Click();
    void mnu_View_ZoomOut_Click();
    void mnu_View_ZoomFit_Click();
    /// A fixed zoom: 1, 2, 4 or 8 screen pixels per picture pixel.
    void mnu_View_Zoom_Click(int zoom);
    void mnu_View_Checkerboard_Click();
    void mnu_Settings_Click();
    void mnu_Help_ReadMe_Click();
    void mnu_Help_About_Click();
    /// Load picture and Load pictures with the type code of their depth
    /// (kSaveGpf1Bit ... kSaveGpf24Bit).
    void mnu_PopupPictures_Load_Click(int code);
    void mnu_PopupPictures_Loads_Click(int code);
    void mnu_PopupPictures_Discard_Click();
    void mnu_PopupPictures_SaveAsGPF_Click();
    void mnu_PopupPictures_SaveAsGPFs_Click();
    void mnu_PopupPictures_SaveAsBMP_Click();
    void mnu_PopupPictures_SaveAsBMPs_Click();
    void mnu_PopupPictures_SaveAsPNG_Click();
    void mnu_PopupPictures_SavePatch_Click();
    void mnu_PopupPic_SaveAsBMP_Click();
    void mnu_PopupPic_SaveAsPNG_Click();
    /// Save as GPF with the type code of its depth.
    void mnu_PopupPic_SaveAsGPF_Click(int code);

    // The other controls' events.
    /// Selection events of the list: click, key down and key up.
    void ListView1_Click();
    void TransCheck_Click();
    /// The "only differing" check box of the comparison bar.
    void CompareOnly_Click();
    /// Ctrl+C in the preview: the shown picture, with its transparency, to the clipboard.
    void copyPicture() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    /// Exit and the window's close button: staged work is not dropped unasked.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildWidgets();
    QWidget* buildPictureList();
    QWidget* buildThumbnails();
    QWidget* buildPreview(QWidget* parent);
    void buildMenus();
    void applyControlStates();
    void takeSelectionFromView();
    void openListPopup(QAbstractItemView* view, const QPoint& at);
    /// Home and End: the first or last row the list shows.
    void selectEndRow(QAbstractItemView* view, bool last);
    void enableDrops();
    /// A drop on the list or the grid at `at` (viewport coordinates) of `view`.
    bool dropOnList(QAbstractItemView* view, QDropEvent* event);
    /// A picture dropped on the list with Ctrl held: the rows that show it.
    void findDroppedPicture(const std::string& path);
    /// Selects every row a find matched, the first one current.
    void selectFoundRows(const std::vector<std::size_t>& rows);
    void showSelectionInView();
    /// The file-type question, asked from the event loop after the first show.
    void askAboutFileTypes();
    /// Widens the columns whose header caption needs more room than its digits.
    void fitColumnsToHeaders();

    void showPreview();
    /// The comparison bar above the list.
    QWidget* buildComparisonBar(QWidget* parent);
    /// A's picture area `pictureA`, and while comparing B's beside it, each
    /// under a line saying whose picture it is.
    QWidget* buildPictureSides(QWidget* parent, QWidget* pictureA);
    /// The bar, B's picture beside A's and the list's marks while comparing.
    void showComparison();
    /// The rows the filter hides and the width of the comparison column.
    void showComparisonRows();
    void applyShortcuts();
    void showViewState();
    void showStatus();
    /// The status bar's words on the selected row: where its data lies, or
    /// for a staged row where Save Patch will put the new data.
    QString selectionStatus(const PictureListEntry& row);
    /// "Zoom: Fit (3:1)", "Zoom: 4:1".
    [[nodiscard]] QString zoomStatus() const;

    Workspace m_ws;
    bool m_askFileTypes = false;  ///< until the first show has queued the question
    std::uint64_t m_shownPreview = 0;
    QSet<int> m_keysDown;  ///< keys pressed on the list and not yet released
    std::unique_ptr<Ui> m_ui;
    QtTranslation m_qtTexts;  ///< Qt's own texts in the configured language
    std::map<std::string, QAction*, std::less<>> m_actions;
    std::map<std::string, QMenu*, std::less<>> m_menus;

    QTabWidget* m_tabs = nullptr;  // TabStrip1, its second tab ThumbnailsTab
    QTableView* m_list = nullptr;  // ListView1
    PictureListModel* m_model = nullptr;
    QListView* m_thumbs = nullptr;  // the thumbnail grid over the same list
    ThumbnailLoader* m_thumbnailLoader = nullptr;
    QProgressBar* m_progress = nullptr;   // ProgressBar1
    QGroupBox* m_infoFrame = nullptr;     // FFinfo
    QLabel* m_infoLabel = nullptr;        // FFinfol
    QGroupBox* m_pictureFrame = nullptr;  // PICframe
    PictureView* m_picture = nullptr;     // Picture1
    WrappingLabel* m_status = nullptr;    // status bar: count, selection, staged
    QCheckBox* m_transparency = nullptr;  // TransCheck

    QWidget* m_compareBar = nullptr;
    ElidedLabel* m_compareLabel = nullptr;
    QCheckBox* m_compareOnly = nullptr;  // CompareOnly
    QWidget* m_comparedSide = nullptr;   // B's side of the preview
    PictureView* m_comparedPicture = nullptr;
    QLabel* m_shownInfo = nullptr;  // "A: " and the information line, while comparing
    QLabel* m_comparedInfo = nullptr;
    /// What B's picture shown was made for: the list, the row, A's painting.
    std::tuple<std::uint64_t, std::optional<std::size_t>, std::uint64_t> m_comparedFor;
    /// The list and the filter state the rows hidden now were hidden for.
    std::pair<std::uint64_t, bool> m_filterShown{0, false};
};
