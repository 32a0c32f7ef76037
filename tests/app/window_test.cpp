// What the window adds to the commands: the row a right click acts on, keys
// that arrive from closed dialogs, zoom, the checkerboard and the thumbnails,
// drops, the comparison.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

#include "app/form1.h"
#include "app/named_child.h"
#include "app/picture_view.h"
#include "app/thumbnail_loader.h"
#include "app/tiny_flash.h"
#include "codec/bmp_writer.h"
#include "codec/codec_test_support.h"
#include "codec/gpf_file.h"
#include "commands/preview_commands.h"
#include "common/flash_builder.h"
#include "common/scripted_ui.h"
#include "common/temp_dir.h"

namespace {

using namespace std::string_literals;

struct Window {
    TempDir dir;
    Form1 form;
    ScriptedUi* ui;

    explicit Window(const std::string& flash)
        : form(dir.path().string(), dir.write("flash.bin", flash)), ui(new ScriptedUi) {
        form.setUi(std::unique_ptr<Ui>(ui));
        form.show();
    }
    template <typename T>
    T* child(const char* name) {
        return NamedChild<T>(form, name);
    }
    QString info() { return child<QGroupBox>("PICframe")->title(); }
};

/// The third picture is of a format no decoder takes, unless `third` names one.
std::string threePictures(std::uint8_t third = 0x03, const std::string& thirdStream = "\x00"s) {
    FlashBuilder flash;
    flash.addPicture(2, 1, 0x08, Rgb565(0xF800) + Rgb565(0xE000));  // red, marker
    flash.addPicture(3, 2, 0x85, "\x06\x1C"s);                      // green run
    flash.addPicture(1, 1, third, thirdStream);
    return flash.bytes();
}

TEST(Window, RightClickSelectsTheRowTheMenuThenActsOn) {
    Window w(threePictures());
    auto* list = w.child<QTableView>("ListView1");
    list->setCurrentIndex(list->model()->index(0, 0));
    w.form.ListView1_Click();

    const QPoint at = list->visualRect(list->model()->index(1, 3)).center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(list->viewport(), &click);
    QMenu* popup = w.form.menu("mnu_PopupPictures");
    ASSERT_TRUE(popup->isVisible());
    popup->close();
    EXPECT_EQ(w.form.workspace().selectedRow, 1u);
    EXPECT_EQ(w.info(), "0001 :: 3 x 2 :: 8bit :: compressed :: 2 bytes");

    w.ui->choosePath(std::nullopt);
    w.form.menuAction("mnu_PopupPictures_SaveAsBMP")->trigger();
    ASSERT_EQ(w.ui->dialogs.size(), 1u);
    EXPECT_EQ(w.ui->dialogs[0].request.initialName, "0001");
}

TEST(Window, OpenedGpfFileStaysShownWhenTheDialogsEnterReachesTheList) {
    Window w(threePictures());
    auto* list = w.child<QTableView>("ListView1");
    list->setFocus();
    list->setCurrentIndex(list->model()->index(1, 0));
    w.form.ListView1_Click();
    const std::string gpf = w.dir.write(
        "pic.gpf",
        GPFcodec::PadToSixteen(GPFcodec::WriteGpfHeader({1, 1, 0x05, 7, false}) + "\x1C"s));

    w.ui->choosePath(gpf);
    w.form.menuAction("mnu_FileOpen")->trigger();
    QTest::keyRelease(list, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.info(), "7 :: 1 x 1 :: 8bit :: uncompressed :: 1 bytes");

    QTest::keyClick(list, Qt::Key_Up);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.info(), "0000 :: 2 x 1 :: 16bit :: uncompressed :: 4 bytes")
        << "keys pressed on the list still act";
}

TEST(Window, ZoomStepsTheCheckerboardAndTheTransparencyBox) {
    Window w(threePictures());
    auto* list = w.child<QTableView>("ListView1");
    auto* view = w.child<PictureView>("Picture1");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 0)).center());
    EXPECT_EQ(w.info(), "0000 :: 2 x 1 :: 16bit :: uncompressed :: 4 bytes");

    w.form.menuAction("mnu_View_Zoom8")->trigger();
    EXPECT_EQ(view->scale(), 8);
    EXPECT_TRUE(w.form.menuAction("mnu_View_Zoom8")->isChecked());
    QWheelEvent wheel({}, {}, {}, {0, -120}, Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                      false);
    QCoreApplication::sendEvent(view, &wheel);
    EXPECT_EQ(view->zoom(), 4);
    w.form.menuAction("mnu_View_ZoomFit")->trigger();
    EXPECT_EQ(view->zoom(), PictureView::kFit);

    // The marker pixel shows the background: plain, then one checker square.
    const QColor plain = view->image().pixelColor(1, 0);
    EXPECT_EQ(plain, view->background());
    w.form.menuAction("mnu_View_Checkerboard")->trigger();
    EXPECT_TRUE(w.form.workspace().checkerboard);
    EXPECT_EQ(view->image().pixelColor(0, 0), QColor(255, 0, 0))
        << "opaque pixels keep their colour";
    EXPECT_NE(view->image().pixelColor(1, 0), QColor(169, 171, 169));
    w.form.menuAction("mnu_View_Zoom8")->trigger();
    EXPECT_EQ(w.form.workspace().checkerSquare, 1);
    EXPECT_NE(view->image().pixelColor(1, 0), plain) << "at 8:1 each cell is a square of its own";

    w.child<QCheckBox>("TransCheck")->click();
    EXPECT_FALSE(w.form.workspace().transparency);
    EXPECT_FALSE(w.child<QCheckBox>("TransCheck")->isChecked());
    EXPECT_EQ(view->image().pixelColor(1, 0), QColor(169, 171, 169)) << "the marker's own colour";
}

TEST(Window, ThumbnailsAreMadeAwayFromTheWindowAndSelectTheirRow) {
    Window w(threePictures());
    auto* thumbs = w.child<QListView>("Thumbnails");
    w.child<QTabWidget>("TabStrip1")->setCurrentIndex(1);
    auto* loader = w.form.findChild<ThumbnailLoader*>();
    for (int row = 0; row < 3; ++row) thumbs->model()->index(row, 0).data(Qt::UserRole + 1);
    QTRY_VERIFY(loader->isReady(0) && loader->isReady(1) && loader->isReady(2));
    EXPECT_EQ(loader->tile(1).size(), QSize(72, 48)) << "3 x 2 grown by a whole factor";
    EXPECT_TRUE(loader->tile(2).isNull())
        << "a refused picture is an empty tile, without a message";

    QTest::mouseClick(thumbs->viewport(), Qt::LeftButton, {},
                      thumbs->visualRect(thumbs->model()->index(1, 0)).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(w.form.workspace().selectedRow, 1u);
    EXPECT_EQ(w.child<QTableView>("ListView1")->currentIndex().row(), 1);
    EXPECT_EQ(w.info(), "0001 :: 3 x 2 :: 8bit :: compressed :: 2 bytes");
}

TEST(Window, ComparisonMarksFiltersShowsBothSidesAndCloses) {
    Window w(TinySGoldFlash(4));
    std::string b = TinySGoldFlash(4);
    b[FlashBuilder::kData + 0x10] = '\x03';  // picture 1's first pixel
    w.ui->choosePath(w.dir.write("b.bin", b));
    w.form.menuAction("mnu_Fullflash_Compare")->trigger();

    auto* list = w.child<QTableView>("ListView1");
    auto* side = w.child<QWidget>("ComparedSide");
    ASSERT_EQ(list->model()->columnCount(), 8);
    EXPECT_EQ(list->model()->headerData(7, Qt::Horizontal).toString(), "B");
    EXPECT_EQ(list->model()->index(1, 7).data().toString(), "pixels");
    EXPECT_EQ(list->currentIndex().row(), 1);
    EXPECT_TRUE(side->isVisible());
    EXPECT_EQ(w.child<PictureView>("ComparedPicture")->image().size(), QSize(3, 2));

    w.child<QCheckBox>("CompareOnly")->click();
    EXPECT_EQ(std::vector<bool>({list->isRowHidden(0), list->isRowHidden(1), list->isRowHidden(2),
                                 list->isRowHidden(3)}),
              std::vector<bool>({true, false, true, true}));

    w.form.menuAction("mnu_Fullflash_CompareClose")->trigger();
    EXPECT_EQ(list->model()->columnCount(), 7);
    EXPECT_FALSE(list->isRowHidden(0));
    EXPECT_FALSE(side->isVisible());
    EXPECT_EQ(list->currentIndex().row(), 1) << "the selection stays";
}

void drop(QWidget* target, const QPoint& at, const std::string& path,
          Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent event(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, keys);
    QCoreApplication::sendEvent(target, &event);
}

std::string bitmap() {
    return GPFcodec::BmpFileBytes(codec_test::Picture(2, 1, false,
                                                      [](int, int) {
                                                          return Cell{255, 0, 0, 0};
                                                      }),
                                  false);
}

/// The type code the staging file of a row was written with.
int stagedCode(Window& w, std::size_t row) {
    const std::string bytes = ReadWholeFile(StagingFilePath(w.form.workspace(), row));
    return bytes.size() < 32 ? -1 : static_cast<unsigned char>(bytes[24]);
}

TEST(Window, DroppedPicturesStageAtTheRowsOwnDepthAndDiscardUndoesIt) {
    Window w(threePictures(0x87, "\x01\x0F\x0F"s));  // 12 bit, compressed
    w.form.workspace().tempFolder = w.dir.path().string();
    auto* list = w.child<QTableView>("ListView1");
    const auto rowAt = [&](int row) {
        return list->visualRect(list->model()->index(row, 0)).center();
    };

    drop(list->viewport(), rowAt(2), w.dir.write("red blue.bmp", bitmap()));
    EXPECT_TRUE(w.form.workspace().rows[2].changed);
    EXPECT_EQ(stagedCode(w, 2), 0x88) << "a 12-bit row takes compressed 16 bits";
    EXPECT_TRUE(w.form.menuAction("mnu_Fullflash_SavePatch")->isEnabled());

    drop(list->viewport(), rowAt(1), w.dir.write("notes.txt", "hello"));
    EXPECT_FALSE(w.form.workspace().rows[1].changed);
    ASSERT_EQ(w.ui->messageTexts().size(), 1u) << "the menu command's refusal";

    const std::string folder = w.dir.file("pictures");
    std::filesystem::create_directory(folder);
    w.dir.write("pictures/0000.bmp", bitmap());
    w.ui->dialogs.clear();
    drop(list->viewport(), QPoint(2, list->viewport()->height() - 2), folder);
    EXPECT_EQ(stagedCode(w, 0), 0x08) << "an uncompressed row stays uncompressed";
    EXPECT_EQ(w.ui->messageTexts().size(), 1u) << "the closing message of Load pictures";

    // Discard is offered on a staged row only, and undoes the staging.
    const auto rightClick = [&](int row) {
        QContextMenuEvent click(QContextMenuEvent::Mouse, rowAt(row),
                                list->viewport()->mapToGlobal(rowAt(row)));
        QCoreApplication::sendEvent(list->viewport(), &click);
        w.form.menu("mnu_PopupPictures")->close();
    };
    rightClick(1);
    EXPECT_FALSE(w.form.menuAction("mnu_PopupPictures_Discard")->isVisible());
    for (int row : {2, 0}) {
        rightClick(row);
        ASSERT_TRUE(w.form.menuAction("mnu_PopupPictures_Discard")->isVisible());
        w.form.menuAction("mnu_PopupPictures_Discard")->trigger();
        EXPECT_FALSE(w.form.workspace().rows[static_cast<std::size_t>(row)].changed);
        EXPECT_FALSE(std::filesystem::exists(
            StagingFilePath(w.form.workspace(), static_cast<std::size_t>(row))));
    }
    EXPECT_FALSE(w.form.menuAction("mnu_Fullflash_SavePatch")->isEnabled())
        << "nothing staged any more";
    EXPECT_EQ(w.info(), "0000 :: 2 x 1 :: 16bit :: uncompressed :: 4 bytes")
        << "the fullflash's picture again";

    // A fullflash dropped anywhere opens.
    FlashBuilder other;
    other.addPicture(1, 1, 0x05, "\x1C"s);
    drop(&w.form, QPoint(5, 5), w.dir.write("other.bin", other.bytes()));
    EXPECT_EQ(w.form.workspace().rows.size(), 1u);
}

// Port a patch stages what it carries on the loaded rows and reports it; Find
// picture and a Ctrl-drop select every row that shows the picture.
TEST(Window, PortStagesTheCarriedPicturesAndFindSelectsEveryMatchingRow) {
    const std::string green(6, '\x1C');
    FlashBuilder fresh;
    for (const int width : {2, 3, 2, 4})
        fresh.addPicture(width, 2, 0x05, green.substr(0, 2 * width));
    Window w(fresh.bytes());
    w.form.workspace().tempFolder = w.dir.path().string();
    FlashBuilder old;
    old.addPicture(3, 2, 0x05, green);
    old.addPicture(4, 2, 0x05, green + "\x1C\x1C");
    w.ui->choosePath(w.dir.write("pack.vkp", "00090000: 1C1C1C1C1C1C E0E0E0E0E0E0\r\n"));
    w.ui->choosePath(w.dir.write("old.bin", old.bytes()));
    w.form.menuAction("mnu_Fullflash_PortPatch")->trigger();
    EXPECT_TRUE(w.form.workspace().rows[1].changed);
    EXPECT_TRUE(w.form.menuAction("mnu_Fullflash_SavePatch")->isEnabled());
    ASSERT_EQ(w.ui->messageTexts().size(), 1u);
    EXPECT_EQ(w.ui->messageTexts()[0],
              "1 of 1 carried over\r0000 -> 0001\r\rSave Patch writes the carried pictures.");

    const std::string twoByTwo = w.dir.write(
        "green.bmp", GPFcodec::BmpFileBytes(codec_test::Picture(2, 2, false,
                                                                [](int, int) {
                                                                    return Cell{0, 255, 0, 0};
                                                                }),
                                            false));
    auto* list = w.child<QTableView>("ListView1");
    const auto selectedRows = [list] {
        std::vector<int> rows;
        for (const QModelIndex& index : list->selectionModel()->selectedRows())
            rows.push_back(index.row());
        std::sort(rows.begin(), rows.end());
        return rows;
    };
    w.ui->choosePath(twoByTwo);
    w.form.menuAction("mnu_Tools_FindPicture")->trigger();
    EXPECT_EQ(selectedRows(), std::vector<int>({0, 2}));
    EXPECT_EQ(list->currentIndex().row(), 0);

    list->setCurrentIndex(list->model()->index(3, 0));
    w.form.ListView1_Click();
    drop(list->viewport(), QPoint(2, 2), twoByTwo, Qt::ControlModifier);
    EXPECT_EQ(selectedRows(), std::vector<int>({0, 2}));
    EXPECT_FALSE(w.form.workspace().rows[0].changed) << "found, not staged";
    EXPECT_EQ(w.ui->messageTexts().size(), 1u);
}

// The smallest window still shows a large phone picture whole, inside its
// frame; a file without a picture table says so in the status bar.
TEST(Window, SmallestWindowKeepsThePictureInItsFrameAndAnEmptyTableIsTold) {
    FlashBuilder flash;
    flash.addPicture(240, 250, 0x05, std::string(240 * 250, '\x1C'));
    Window w(flash.bytes());
    w.form.resize(w.form.minimumSize());
    EXPECT_LE(w.form.minimumSize().width(), 800);
    auto* list = w.child<QTableView>("ListView1");
    list->setCurrentIndex(list->model()->index(0, 0));
    w.form.ListView1_Click();
    QCoreApplication::processEvents();
    auto* view = w.child<PictureView>("Picture1");
    const QRect frame = w.child<QGroupBox>("PICframe")->rect();
    EXPECT_TRUE(
        frame.contains(QRect(view->mapTo(w.child<QGroupBox>("PICframe"), QPoint()), view->size())));
    ASSERT_EQ(view->image().height(), 250);
    EXPECT_LE(view->scale() * 250, view->height()) << "shrunk to fit rather than cut";

    Window empty(std::string(1 << 20, '\xFF'));
    EXPECT_EQ(empty.form.statusBar()->findChild<QLabel*>()->text(),
              "No picture table found in this file");
}

}  // namespace
