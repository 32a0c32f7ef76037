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

#include "app/elided_label.h"
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

// The Enter that closes a dialog is released over the list: it must not act
// on the list, or a row no decoder takes would bring its message back for ever.
TEST(Window, TheEnterThatClosedADialogActsNeitherOnAnOpenedFileNorOnARow) {
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
    EXPECT_EQ(w.info(), "pic.gpf :: 7 :: 1 x 1 :: 8bit :: uncompressed :: 1 bytes");
    EXPECT_FALSE(list->currentIndex().isValid()) << "no row stands for the file shown";
    list->setCurrentIndex(list->model()->index(1, 0));

    QTest::keyClick(list, Qt::Key_Up);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.info(), "0000 :: 2 x 1 :: 16bit :: uncompressed :: 4 bytes")
        << "keys pressed on the list still act";

    list->setCurrentIndex(list->model()->index(2, 0));
    w.form.ListView1_Click();
    QTest::keyRelease(list, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.ui->messageTexts(), std::vector<std::string>{"Not Supported GPF!"});
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

    // The marker pixel shows the background; the checkerboard keeps the
    // transparency for the view's squares.
    EXPECT_EQ(view->image().pixelColor(1, 0), view->background());
    w.form.menuAction("mnu_View_Checkerboard")->trigger();
    EXPECT_TRUE(w.form.workspace().checkerboard);
    EXPECT_EQ(view->image().pixelColor(1, 0).alpha(), 0);
    w.child<QCheckBox>("TransCheck")->click();
    EXPECT_FALSE(w.form.workspace().transparency);
    EXPECT_FALSE(w.child<QCheckBox>("TransCheck")->isChecked());
    EXPECT_EQ(view->image().pixelColor(1, 0), QColor(169, 171, 169)) << "the marker's own colour";
}

/// The lengths of the runs of one colour along row `y` of what `view` shows,
/// counting only the checkerboard's colours.
std::vector<int> checkerRuns(PictureView* view, int y) {
    const QImage shown = view->grab().toImage();
    std::vector<int> runs;
    QRgb last = 0;
    for (int x = 0; x < shown.width(); ++x) {
        const QRgb colour = shown.pixel(x, y) | 0xFF000000u;
        if (colour != PictureView::kCheckerLight && colour != PictureView::kCheckerDark) {
            last = 0;
            continue;
        }
        if (colour == last) {
            ++runs.back();
        } else {
            runs.push_back(1);
        }
        last = colour;
    }
    return runs;
}

// Under transparent pixels only, squares of one size in screen pixels at
// every zoom, whatever zoom came before.
TEST(Window, CheckerboardSquaresKeepTheirScreenSizeAtEveryZoom) {
    FlashBuilder flash;
    std::string stream = Rgb565(0xF800);
    for (int i = 1; i < 40 * 20; ++i) stream += Rgb565(0xE000);  // transparent
    flash.addPicture(40, 20, 0x08, stream);
    Window w(flash.bytes());
    auto* list = w.child<QTableView>("ListView1");
    list->setCurrentIndex(list->model()->index(0, 0));
    w.form.ListView1_Click();
    auto* view = w.child<PictureView>("Picture1");
    w.form.menuAction("mnu_View_Checkerboard")->trigger();
    for (const char* zoom :
         {"mnu_View_ZoomFit", "mnu_View_Zoom8", "mnu_View_Zoom1", "mnu_View_ZoomFit"}) {
        w.form.menuAction(zoom)->trigger();
        QCoreApplication::processEvents();
        const double scale = view->scale();
        const int top = (view->height() - static_cast<int>(20 * scale)) / 2;
        const std::vector<int> runs = checkerRuns(view, top + static_cast<int>(10 * scale));
        ASSERT_GT(runs.size(), 2u) << zoom;
        EXPECT_EQ(std::vector<int>(runs.begin(), runs.end() - 1),
                  std::vector<int>(runs.size() - 1, PictureView::kCheckerSquare))
            << zoom << " at " << scale;
        const QImage shown = view->grab().toImage();
        const int left = (view->width() - static_cast<int>(40 * scale)) / 2;
        EXPECT_EQ(
            shown.pixelColor(left + static_cast<int>(scale / 2), top + static_cast<int>(scale / 2)),
            QColor(255, 0, 0))
            << "the opaque pixel hides the squares at " << zoom;
    }
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

// At every width each line fits, the words before and after the name stay
// whole, and the name is cut only when it cannot have a line of its own.
TEST(ElidedLabel, GivesTheNameALineBeforeCuttingItAndBreaksTheCountsBetweenParts) {
    ElidedLabel label;
    const QString name = QStringLiteral("S65 firmware 58 original fullflash dump.bin");
    const QStringList counts{QStringLiteral("differing pictures: 202"),
                             QStringLiteral("only in A: 3"), QStringLiteral("only in B: 5")};
    const QString joiner = QStringLiteral("  |  ");
    label.setParts(QStringLiteral("Compared with "), name, joiner, counts.join(joiner));
    label.show();
    const QFontMetrics metrics = label.fontMetrics();
    for (const int width : {2000, 600, 320, 200}) {
        label.resize(width + label.width() - label.contentsRect().width(), 200);
        const QStringList lines = label.text().split(QLatin1Char('\n'));
        for (const QString& line : lines)
            EXPECT_LE(metrics.horizontalAdvance(line), width) << line.toStdString();
        const QString text = lines.join(joiner);
        for (const QString& part : counts) EXPECT_TRUE(text.contains(part)) << width;
        const bool nameFits = metrics.horizontalAdvance("Compared with " + name) <= width;
        EXPECT_EQ(text.contains(name), nameFits) << width;
    }
    EXPECT_EQ(label.toolTip(), "Compared with " + name + joiner + counts.join(joiner));
}

TEST(Window, ComparisonMarksFiltersShowsBothSidesAndCloses) {
    Window w(TinySGoldFlash(4));
    std::string b = TinySGoldFlash(4);
    b[FlashBuilder::kData + 0x10] = '\x03';  // picture 1's first pixel
    const std::string longName(120, 'b');
    w.ui->choosePath(w.dir.write(longName + ".bin", b));
    w.form.menuAction("mnu_Fullflash_Compare")->trigger();
    EXPECT_EQ(w.ui->dialogs[0].request.initialFolder, w.dir.path().string())
        << "B is looked for beside A";
    w.form.resize(w.form.minimumSize());
    QCoreApplication::processEvents();
    // The file's name gives way, the counts stay; B's information line wraps.
    auto* bar = w.child<QLabel>("CompareLabel");
    for (const QString& line : bar->text().split(QLatin1Char('\n')))
        EXPECT_LE(bar->fontMetrics().horizontalAdvance(line), bar->width()) << line.toStdString();
    EXPECT_TRUE(bar->text().endsWith("\ndiffering pictures: 1"))
        << "a name too long for one line leaves the counts a line of their own: "
        << bar->text().toStdString();
    EXPECT_TRUE(bar->toolTip().contains(QString::fromStdString(longName)));
    auto* info = w.child<QLabel>("ComparedInfo");
    EXPECT_TRUE(info->wordWrap());
    EXPECT_LE(info->heightForWidth(info->width()), info->height());

    auto* list = w.child<QTableView>("ListView1");
    auto* side = w.child<QWidget>("ComparedSide");
    ASSERT_EQ(list->model()->columnCount(), 8);
    EXPECT_EQ(list->model()->headerData(7, Qt::Horizontal).toString(), "B");
    EXPECT_EQ(list->model()->index(1, 7).data().toString(), "pixels");
    EXPECT_EQ(list->model()->index(1, 7).data(Qt::ToolTipRole).toString().toStdString(),
              "A: 3 x 2, 0500 at 0090010\nB: 3 x 2, 0500 at 0090010");
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

    const auto status = [&] { return w.form.statusBar()->findChild<QLabel*>()->text(); };
    drop(list->viewport(), rowAt(2), w.dir.write("red blue.bmp", bitmap()));
    EXPECT_TRUE(w.form.workspace().rows[2].changed);
    EXPECT_EQ(stagedCode(w, 2), 0x88) << "a 12-bit row takes compressed 16 bits";
    EXPECT_TRUE(w.form.menuAction("mnu_Fullflash_SavePatch")->isEnabled());
    EXPECT_TRUE(
        status().contains("Picture 0002 (staged): 3 bytes, in erased flash, placed at Save Patch"))
        << "no picture lies above the last one's data: " << status().toStdString();

    drop(list->viewport(), rowAt(1), w.dir.write("notes.txt", "hello"));
    EXPECT_FALSE(w.form.workspace().rows[1].changed);
    ASSERT_EQ(w.ui->messageTexts().size(), 1u) << "the menu command's refusal";

    const std::string folder = w.dir.file("pictures");
    std::filesystem::create_directory(folder);
    w.dir.write("pictures/0000.bmp", bitmap());
    w.ui->dialogs.clear();
    drop(list->viewport(), QPoint(2, list->viewport()->height() - 2), folder);
    EXPECT_EQ(stagedCode(w, 0), 0x08) << "an uncompressed row stays uncompressed";
    list->setCurrentIndex(list->model()->index(0, 0));
    w.form.ListView1_Click();
    EXPECT_TRUE(
        status().contains("Picture 0000 (staged): 4 bytes, written in its own place at "
                          "0090000"))
        << status().toStdString();
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

// Exit with staged pictures asks; Cancel keeps the window and the work, Save
// Patch writes the patch, says so in the status bar and then lets the window
// close. The preview ends on the selected row, not on the last picture the
// patch writer read.
TEST(Window, StagedWorkIsNeverDroppedUnaskedAndSavePatchSaysWhatItDid) {
    Window w(threePictures(0x87, "\x01\x0F\x0F"s));
    w.form.workspace().tempFolder = w.dir.path().string();
    auto* list = w.child<QTableView>("ListView1");
    for (int row : {0, 1}) {
        const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
        drop(list->viewport(), at, w.dir.write("red blue.bmp", bitmap()));
    }
    EXPECT_EQ(w.form.workspace().selectedRow, 1u);
    list->setCurrentIndex(list->model()->index(2, 0));
    w.form.ListView1_Click();
    const QString selected = w.info();

    w.ui->pick(2);
    w.form.menuAction("mnu_FileExit")->trigger();
    EXPECT_TRUE(w.form.isVisible()) << "Cancel keeps the window";
    EXPECT_TRUE(w.form.workspace().rows[0].changed && w.form.workspace().rows[1].changed);

    const std::string patch = w.dir.file("my patch.vkp");
    w.ui->pick(0).choosePath(patch);
    w.form.close();
    EXPECT_FALSE(w.form.isVisible()) << "the patch was written whole";
    EXPECT_EQ(w.ui->transcript().front(),
              "choose: 2 staged pictures are not saved in a patch yet. | Save Patch | Discard | "
              "Cancel");
    EXPECT_TRUE(std::filesystem::exists(patch));
    const QString status = w.form.statusBar()->findChild<QLabel*>()->text();
    EXPECT_TRUE(status.contains(QString::fromStdString("Patch " + patch + ": 2 pictures, ")))
        << status.toStdString();
    EXPECT_EQ(w.info(), selected);
}

// Keys and menus a user reaches for without the mouse; a ReadMe that nothing
// opens is told, not silently dropped.
TEST(Window, HomeEndZoomEntriesAndAReadMeNothingOpens) {
    Window w(TinySGoldFlash(5));
    auto* list = w.child<QTableView>("ListView1");
    EXPECT_EQ(w.form.focusWidget(), list) << "a loaded fullflash's list takes the keys";
    list->setCurrentIndex(list->model()->index(2, 3));
    QTest::keyClick(list, Qt::Key_End);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.form.workspace().selectedRow, 4u);
    QTest::keyClick(list, Qt::Key_Home);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.form.workspace().selectedRow, 0u);
    auto* thumbs = w.child<QListView>("Thumbnails");
    w.child<QTabWidget>("TabStrip1")->setCurrentIndex(1);
    QTest::keyClick(thumbs, Qt::Key_End);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.form.workspace().selectedRow, 4u);

    auto* view = w.child<PictureView>("Picture1");
    w.form.menuAction("mnu_View_Zoom1")->trigger();
    w.form.menuAction("mnu_View_ZoomIn")->trigger();
    EXPECT_EQ(view->zoom(), 2);
    const QString status = w.form.statusBar()->findChild<QLabel*>()->text();
    EXPECT_TRUE(status.contains("Zoom: 2:1")) << status.toStdString();
    w.form.menuAction("mnu_View_ZoomOut")->trigger();
    EXPECT_EQ(view->zoom(), 1);

    const std::string readMe = w.form.workspace().programFiles.readMeFile;
    w.form.menuAction("mnu_Help_ReadMe")->trigger();
    w.dir.write("ReadMe.txt", "text");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(w.dir.file("no programs here")));
    w.form.menuAction("mnu_Help_ReadMe")->trigger();
    qputenv("PATH", path);
    QTRY_COMPARE(w.ui->messageTexts().size(), 2u);
    EXPECT_EQ(w.ui->messageTexts(), std::vector<std::string>(2,
                                                             "No program could open the "
                                                             "ReadMe:\r" +
                                                                 readMe));
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
    EXPECT_EQ(w.ui->transcript().back(), "report: Port a patch | 1 of 1 carried over");
    EXPECT_EQ(w.ui->dialogs.back().details,
              "0000 -> 0001\r\rSave Patch writes the carried pictures.");

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
    EXPECT_EQ(w.ui->messageTexts().size(), 0u);
}

// The smallest window still shows a large phone picture whole, inside its
// frame, and a long status text whole; a file without a picture table is not
// presented as a fullflash.
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
    // A status text wider than the window goes on in a second line.
    w.form.workspace().statusNote = "Patch /home/modder/" + std::string(60, 'p') + " / " +
                                    std::string(60, 'q') + ".vkp: 12 pictures, 340 lines";
    w.form.refreshFromWorkspace();
    QCoreApplication::processEvents();
    auto* status = w.form.statusBar()->findChild<QLabel*>();
    const QRect needed = status->fontMetrics().boundingRect(
        QRect(0, 0, status->contentsRect().width(), 1000), Qt::TextWordWrap, status->text());
    EXPECT_LE(needed.height(), status->contentsRect().height()) << status->text().toStdString();

    Window empty(std::string(1 << 20, '\xFF'));
    EXPECT_EQ(empty.form.statusBar()->findChild<QLabel*>()->text(),
              "No picture table found in this file");
    EXPECT_EQ(empty.child<QLabel>("FFinfol")->text(),
              "No picture table found: this is not a fullflash of a supported phone");
    EXPECT_FALSE(empty.form.menuAction("mnu_FullFlash")->isEnabled());
}

}  // namespace
