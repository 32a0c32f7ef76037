#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QTableView>
#include <QTest>

#include "app/form1.h"
#include "app/picture_view.h"
#include "common/flash_builder.h"
#include "common/temp_dir.h"

namespace {

using namespace std::string_literals;

std::string flashWithPictures() {
    FlashBuilder flash;
    flash.addPicture(2, 1, 0x08, Rgb565(0xF800) + Rgb565(0xE000));  // red, marker
    flash.addPicture(3, 2, 0x85, "\x06\x1C"s);                      // green run
    flash.addPicture(1, 1, 0x0A, "\x10\x20\x30\x80"s);              // 24 with alpha
    return flash.bytes();
}

TEST(Preview, SelectingRowsByClickAndKeysShowsTheirInformationLine) {
    TempDir dir;
    Form1 window(dir.path().string(), dir.write("f.bin", flashWithPictures()));
    window.show();
    auto* list = window.findChild<QTableView*>(QStringLiteral("ListView1"));
    auto* frame = window.findChild<QGroupBox*>(QStringLiteral("PICframe"));

    const QRect first = list->visualRect(list->model()->index(0, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->title(), "0000 :: 2 x 1 :: 16bit :: uncompressed :: 4 bytes");

    QTest::keyClick(list, Qt::Key_Down);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->title(), "0001 :: 3 x 2 :: 8bit :: compressed :: 2 bytes");
    EXPECT_NE(window.picturePopup(), nullptr);
}

TEST(Preview, TransparencyCheckBoxRepaintsTheShownPicture) {
    TempDir dir;
    Form1 window(dir.path().string(), dir.write("f.bin", flashWithPictures()));
    auto* list = window.findChild<QTableView*>(QStringLiteral("ListView1"));
    auto* view = window.findChild<PictureView*>(QStringLiteral("Picture1"));
    auto* check = window.findChild<QCheckBox*>(QStringLiteral("TransCheck"));
    list->setCurrentIndex(list->model()->index(0, 0));
    window.ListView1_Click();

    const QColor background = view->background();
    EXPECT_EQ(view->image().pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(view->image().pixelColor(1, 0), background);

    check->click();
    EXPECT_FALSE(window.workspace().transparency);
    EXPECT_EQ(view->image().pixelColor(1, 0), QColor(169, 171, 169));
}

}  // namespace
