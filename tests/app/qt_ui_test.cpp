#include "app/qt_ui.h"

#include <gtest/gtest.h>

TEST(QtUiTexts, CarriageReturnsBecomeLineBreaks) {
    EXPECT_EQ(messageText("!\r/tmp/a b.bin"), "!\n/tmp/a b.bin");
    EXPECT_EQ(messageText("a\r\nb"), "a\nb");
    EXPECT_EQ(messageText(""), "");
}

TEST(QtUiTexts, BytesAreUtf8WhenValidElseOneCharacterPerByte) {
    EXPECT_EQ(bytesToQString("caf\xC3\xA9"), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(bytesToQString("caf\xE9"), QString(QStringLiteral("caf")) + QChar(0xE9));
    EXPECT_EQ(qStringToBytes(QString::fromUtf8("/t\xC3\xA9st/x.bin")), "/t\xC3\xA9st/x.bin");
}

TEST(QtUiTexts, FiltersInQtForm) {
    EXPECT_EQ(qtFilter({"FullFlash files (*.bin)", "*.bin"}), "FullFlash files (*.bin)");
    EXPECT_EQ(qtFilter({"Graphic files (*.gpf;*.gpf2;*.bmp;*.gif;*.jpg;*.png)",
                        "*.gpf;*.gpf2;*.bmp;*.gif;*.jpg;*.png"}),
              "Graphic files (*.gpf *.gpf2 *.bmp *.gif *.jpg *.png)");
    EXPECT_EQ(qtFilter({"Anything", "*.x"}), "Anything (*.x)");
}
