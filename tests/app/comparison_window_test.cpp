// The window while it compares the loaded fullflash with a second one.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QTableView>

#include "app/form1.h"
#include "app/named_child.h"
#include "app/picture_view.h"
#include "app/tiny_flash.h"
#include "common/scripted_ui.h"
#include "common/temp_dir.h"

namespace {

TEST(ComparisonWindow, MarksFiltersShowsBothSidesAndCloses) {
    TempDir dir;
    Form1 form(dir.path().string(), dir.write("a.bin", TinySGoldFlash(4)));
    auto* ui = new ScriptedUi;
    form.setUi(std::unique_ptr<Ui>(ui));
    form.show();
    std::string b = TinySGoldFlash(4);
    b[FlashBuilder::kData + 0x10] = '\x03';  // picture 1's first pixel
    ui->choosePath(dir.write("b.bin", b));
    form.menuAction("mnu_Fullflash_Compare")->trigger();

    auto* list = NamedChild<QTableView>(form, "ListView1");
    auto* side = NamedChild<QWidget>(form, "ComparedSide");
    ASSERT_EQ(list->model()->columnCount(), 8);
    EXPECT_EQ(list->model()->headerData(7, Qt::Horizontal).toString(), "B");
    EXPECT_EQ(list->model()->index(1, 7).data().toString(), "pixels");
    EXPECT_EQ(list->currentIndex().row(), 1);
    EXPECT_TRUE(side->isVisible());
    EXPECT_EQ(NamedChild<PictureView>(form, "ComparedPicture")->image().size(), QSize(3, 2));

    NamedChild<QCheckBox>(form, "CompareOnly")->click();
    EXPECT_EQ(std::vector<bool>({list->isRowHidden(0), list->isRowHidden(1), list->isRowHidden(2),
                                 list->isRowHidden(3)}),
              std::vector<bool>({true, false, true, true}));

    form.menuAction("mnu_Fullflash_CompareClose")->trigger();
    EXPECT_EQ(list->model()->columnCount(), 7);
    EXPECT_FALSE(list->isRowHidden(0));
    EXPECT_FALSE(side->isVisible());
    EXPECT_EQ(list->currentIndex().row(), 1) << "the selection stays";
}

}  // namespace
