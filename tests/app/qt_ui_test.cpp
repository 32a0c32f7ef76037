#include "app/qt_ui.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

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

namespace {

/// Runs `act` on the dialog that `show` opens, once it is up.
template <typename Show, typename Act>
void whileShown(Show show, Act act) {
    QTimer::singleShot(0, [&act] { act(QApplication::activeModalWidget()); });
    show();
}

}  // namespace

TEST(QtUiDialogs, ReportAndChoiceShowWhatTheCommandsGive) {
    QWidget owner;
    QtUi ui(&owner, nullptr, {});
    QString verdict;
    QString details;
    whileShown(
        [&] { ui.report("Verify Patch", ReportTone::Bad, "Do not flash", "Lines: 1\rB: 2"); },
        [&](QWidget* dialog) {
            verdict = dialog->findChild<QLabel*>("ReportVerdict")->text();
            details = dialog->findChild<QPlainTextEdit*>("ReportDetails")->toPlainText();
            dialog->close();
        });
    EXPECT_EQ(verdict, "Do not flash");
    EXPECT_EQ(details, "Lines: 1\nB: 2");

    const std::vector<std::string> answers{"Save Patch", "Discard", "Cancel"};
    for (std::size_t wanted = 0; wanted < answers.size(); ++wanted) {
        std::size_t chosen = 99;
        whileShown([&] { chosen = ui.choose("2 staged pictures", "", answers); },
                   [&](QWidget* box) {
                       for (auto* button : box->findChildren<QAbstractButton*>()) {
                           if (button->text() == QString::fromStdString(answers[wanted]))
                               button->click();
                       }
                   });
        EXPECT_EQ(chosen, wanted);
    }
    std::size_t escaped = 99;
    whileShown([&] { escaped = ui.choose("?", "", answers); },
               [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(escaped, 2u) << "closing the question leaves everything as it was";
}
