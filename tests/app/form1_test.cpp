#include "app/form1.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

#include "app/form2.h"
#include "app/named_child.h"
#include "app/tiny_flash.h"
#include "common/scripted_ui.h"
#include "common/temp_dir.h"

namespace {

TEST(Form1, StartsWithTheDesignCaptionsAndMenuStates) {
    TempDir dir;
    Form1 window(dir.path().string(), "");
    EXPECT_EQ(window.windowTitle(), "Pictavo v1.2");
    EXPECT_EQ(NamedChild<QTabWidget>(window, "TabStrip1")->tabText(0), "Pictures");
    EXPECT_EQ(NamedChild<QGroupBox>(window, "FFinfo")->title(), "Fullflash info");
    EXPECT_EQ(NamedChild<QCheckBox>(window, "TransCheck")->text(), "transparency");
    EXPECT_TRUE(NamedChild<QCheckBox>(window, "TransCheck")->isChecked());

    for (const MenuSpec& entry : MenuTree()) {
        const std::string name(entry.name);
        QAction* action = window.menuAction(name);
        ASSERT_NE(action, nullptr) << name;
        // Qt reports a hidden action as disabled.
        if (entry.visible) {
            EXPECT_EQ(action->isEnabled(), entry.enabled) << name;
        }
        if (entry.kind != MenuKind::Separator) {
            EXPECT_EQ(action->text().remove(QLatin1Char('&')).toStdString(),
                      std::string(entry.caption))
                << name;
        }
        const bool popupRoot = entry.parent.empty() && !entry.visible;
        if (!popupRoot) {
            EXPECT_EQ(action->isVisible(), entry.visible) << name;
        }
    }

    QStringList bar;
    for (QAction* action : window.menuBar()->actions()) bar << action->text();
    EXPECT_EQ(bar, (QStringList{"&File", "&Tools", "F&ullFlash", "&View", "&Settings", "&Help"}));

    // The popups need rows, or a shown picture.
    EXPECT_EQ(window.listPopup(), nullptr);
    EXPECT_EQ(window.picturePopup(), nullptr);
    window.workspace().pictureInfo = "0001 :: 2 x 2 :: 8bit :: uncompressed :: 4 bytes";
    EXPECT_NE(window.picturePopup(), nullptr);
}

TEST(Form1, CommandLineFullflashFillsListAndPanelAndCloseEmptiesThem) {
    TempDir dir("pictavo gui");
    const std::string flash = dir.write("tiny flash.bin", TinySGoldFlash(3));
    Form1 window(dir.path().string(), "\"" + flash + "\"");

    auto* list = NamedChild<QTableView>(window, "ListView1");
    EXPECT_EQ(list->model()->rowCount(), 3);
    EXPECT_EQ(list->model()->index(2, 0).data().toString(), "0002");
    EXPECT_EQ(list->model()->index(2, 2).data().toString(), "4");
    EXPECT_EQ(list->model()->index(1, 6).data().toString(), "0090010");
    EXPECT_EQ(list->model()->headerData(5, Qt::Horizontal).toString(), "PIToffset");
    EXPECT_EQ(NamedChild<QLabel>(window, "FFinfol")->text(),
              ": S65\n: 05\n: ENG\n\n: SGold\n: SIEMENS");
    EXPECT_EQ(NamedChild<QProgressBar>(window, "ProgressBar1")->value(), 100);
    EXPECT_NE(window.listPopup(), nullptr);

    window.workspace().rows[1].changed = true;
    window.refreshFromWorkspace();
    EXPECT_TRUE(list->model()->index(1, 3).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(list->model()->index(0, 3).data(Qt::FontRole).value<QFont>().bold());

    list->setCurrentIndex(list->model()->index(0, 0));
    window.ListView1_Click();
    ASSERT_NE(window.picturePopup(), nullptr);

    // Staged work is not dropped unasked: Cancel keeps it, Discard lets go.
    auto* ui = new ScriptedUi;
    window.setUi(std::unique_ptr<Ui>(&ui->pick(2).pick(1)));
    window.mnu_FileClose_Click();
    EXPECT_EQ(list->model()->rowCount(), 3);
    EXPECT_TRUE(window.workspace().rows[1].changed);
    window.mnu_FileClose_Click();
    EXPECT_EQ(ui->transcript(),
              std::vector<std::string>(2,
                                       "choose: 1 staged picture is not saved in a patch yet. | "
                                       "Save Patch | Discard | Cancel"));
    EXPECT_EQ(list->model()->rowCount(), 0);
    EXPECT_EQ(NamedChild<QLabel>(window, "FFinfol")->text(), "");
    EXPECT_EQ(window.listPopup(), nullptr);
    EXPECT_EQ(window.picturePopup(), nullptr) << "no picture left on screen";
}

// The file-type question waits for the window; the Settings dialog's button
// registers the types (what each answer does is the command's).
TEST(Form1, AsksAboutGpfFilesOverTheShownWindow) {
    TempDir dir;
    Form1 window(dir.path().string(), "", FileTypeCheck::Ask);
    auto* ui = new ScriptedUi;
    window.setUi(std::unique_ptr<Ui>(&ui->answer(false)));
    QCoreApplication::processEvents();
    EXPECT_TRUE(ui->dialogs.empty()) << "nothing is asked before the window shows";
    window.show();
    QCoreApplication::processEvents();
    ASSERT_EQ(ui->dialogs.size(), 1u);
    EXPECT_EQ(ui->dialogs[0].checkBox, "Do not ask again");

    ScriptedUi settingsUi;
    Form2 settings(window.workspace(), settingsUi, {}, &window);
    NamedChild<QPushButton>(settings, "Command6")->click();
    EXPECT_EQ(settingsUi.dialogs.size(), 1u) << "tells that it is done";
}

}  // namespace
