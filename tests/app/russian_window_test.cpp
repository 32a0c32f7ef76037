// With the Russian language file loaded, nothing the window shows or asks is
// left in English: every control is walked and the commands a modder uses
// are run, and each text they show is searched for Latin words other than
// names, formats and the fullflash's own identification.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <filesystem>
#include <set>

#include "app/form1.h"
#include "app/form2.h"
#include "app/tiny_flash.h"
#include "codec/bmp_writer.h"
#include "codec/codec_test_support.h"
#include "commands/settings_commands.h"
#include "common/scripted_ui.h"
#include "common/temp_dir.h"

namespace {

/// Latin words a Russian text may hold: names of programs, formats, phones
/// and the licence, and what the fixture's fullflash says of itself.
const std::set<QString> kAllowed{"GPF",      "GPF2",   "BMP",     "PNG",      "GIF",     "JPEG",
                                 "JPG",      "XML",    "VKP",     "GPN",      "PIT",     "hex",
                                 "IEND",     "ViKlay", "Pictavo", "nConvert", "pictavo", "convert",
                                 "nconvert", "SGold",  "New",     "Siemens",  "SIEMENS", "ENG",
                                 "ReadMe",   "GNU",    "General", "Public",   "License"};

/// The Latin words of `text` that are not allowed. Paths, file names, hex
/// numbers and patterns (anything with a slash, a dot or a digit) are names.
QStringList englishIn(const QString& text) {
    QStringList found;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]{2,}"));
    for (const QString& token : text.split(blanks, Qt::SkipEmptyParts)) {
        if (token.contains(QRegularExpression(QStringLiteral("[/.\\\\0-9_]")))) continue;
        for (const auto& word : latin.globalMatch(token)) {
            if (!kAllowed.contains(word.captured())) found << word.captured();
        }
    }
    return found;
}

struct RussianWindow {
    TempDir dir;
    std::string flash;
    std::unique_ptr<Form1> form;
    ScriptedUi* ui = new ScriptedUi;
    std::vector<std::pair<std::string, QString>> texts;  ///< where, what

    RussianWindow() {
        std::filesystem::copy_file(PICTAVO_SOURCE_DIR "/lang/Russian.lng", dir.file("Russian.lng"));
        dir.write("Pictavo.ini", "Language=Russian\r\n");
        flash = dir.write("flash.bin", TinySGoldFlash(3));
        form = std::make_unique<Form1>(dir.path().string(), flash);
        form->setUi(std::unique_ptr<Ui>(ui));
        form->workspace().tempFolder = dir.path().string();
        form->show();
    }
    void note(const std::string& where, const QString& text) {
        if (!text.isEmpty()) texts.emplace_back(where, text);
    }
    /// Every caption, title and tooltip of `root` and its visible children.
    void walk(QWidget& root) {
        note(root.objectName().toStdString(), root.windowTitle());
        for (QWidget* widget : root.findChildren<QWidget*>()) {
            if (!widget->isVisibleTo(&root)) continue;
            const std::string name = widget->objectName().toStdString();
            note(name + " tip", widget->toolTip());
            if (auto* label = qobject_cast<QLabel*>(widget)) note(name, label->text());
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) note(name, button->text());
            if (auto* frame = qobject_cast<QGroupBox*>(widget)) note(name, frame->title());
            if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
                for (int i = 0; i < tabs->count(); ++i) note(name, tabs->tabText(i));
            }
        }
    }
    void walkMenus() {
        for (const MenuSpec& entry : MenuTree()) {
            // The two pop-up menus' own names are never shown.
            if (entry.parent.empty() && !entry.visible) continue;
            QAction* action = form->menuAction(std::string(entry.name));
            if (action->isVisible()) note(std::string(entry.name), action->text());
        }
        auto* list = form->findChild<QTableView*>("ListView1");
        for (int column = 0; column < list->model()->columnCount(); ++column) {
            for (int role : {Qt::DisplayRole, Qt::ToolTipRole}) {
                note("header", list->model()->headerData(column, Qt::Horizontal, role).toString());
                note("cell", list->model()->index(1, column).data(role).toString());
            }
        }
    }
    void walkDialogs() {
        for (const RecordedDialog& d : ui->dialogs) {
            note("dialog", QString::fromStdString(d.text));
            note("dialog title", QString::fromStdString(d.title));
            note("details", QString::fromStdString(d.details));
            for (const std::string& answer : d.answers)
                note("answer", QString::fromStdString(answer));
            for (const FileFilter& filter : d.request.filters)
                note("filter", QString::fromStdString(filter.description));
        }
    }
    void drop(int row, const std::string& path) {
        auto* list = form->findChild<QTableView*>("ListView1");
        const QPoint at = list->visualRect(list->model()->index(row, 0)).center();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &enter);
        QDropEvent event(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &event);
    }
};

TEST(RussianWindow, ShowsAndAsksNothingInEnglish) {
    RussianWindow w;
    auto* list = w.form->findChild<QTableView*>("ListView1");
    list->setCurrentIndex(list->model()->index(1, 0));
    w.form->ListView1_Click();

    // A picture staged, one refused, Save Patch, a patch of another firmware
    // verified, a comparison, the batch export, a picture no row shows, the
    // ReadMe that is missing,
    // the About box, and a question before the staged work would be lost.
    const std::string bitmap = w.dir.write(
        "pic.bmp", GPFcodec::BmpFileBytes(codec_test::Picture(2, 2, false,
                                                              [](int, int) {
                                                                  return Cell{255, 0, 0, 0};
                                                              }),
                                          false));
    w.drop(0, bitmap);
    w.drop(1, w.dir.write("notes.txt", "hello"));
    list->setCurrentIndex(list->model()->index(0, 0));
    w.form->ListView1_Click();
    w.note("status, staged", w.form->statusBar()->findChild<QLabel*>()->text());
    w.ui->pick(2);
    w.form->mnu_FileClose_Click();
    w.ui->choosePath(w.dir.file("patch.vkp"));
    w.form->mnu_Fullflash_SavePatch_Click();
    w.note("status, saved", w.form->statusBar()->findChild<QLabel*>()->text());
    w.ui->choosePath(w.dir.write("other.vkp", "00090000: 77 88\r\n"));
    w.form->mnu_Fullflash_VerifyPatch_Click();
    w.ui->choosePath(w.dir.file("patch.vkp"));
    w.form->mnu_Fullflash_VerifyPatch_Click();
    std::string b = TinySGoldFlash(3);
    b[0x90010] = '\x03';
    w.ui->choosePath(w.dir.write("b.bin", b));
    w.form->mnu_Fullflash_Compare_Click();
    std::filesystem::create_directory(w.dir.file("out"));
    w.ui->chooseFolder(w.dir.file("out"));
    w.form->mnu_PopupPictures_SaveAsBMPs_Click();
    w.ui->choosePath(bitmap);
    w.form->mnu_Tools_FindPicture_Click();
    w.form->mnu_Help_ReadMe_Click();
    w.form->mnu_Help_About_Click();
    w.ui->choosePath(std::nullopt);
    w.form->mnu_FileOpen_Click();

    w.walk(*w.form);
    w.walkMenus();
    Form2 settings(w.form->workspace(), *w.ui, {}, w.form.get());
    settings.show();
    w.walk(settings);
    w.walkDialogs();
    EXPECT_TRUE(w.ui->exhausted());

    ASSERT_GT(w.texts.size(), 100u);
    for (const auto& [where, text] : w.texts) {
        EXPECT_TRUE(englishIn(text).isEmpty())
            << where << ": " << text.toStdString()
            << "\n  English: " << englishIn(text).join(QLatin1Char(' ')).toStdString();
    }
}

// What was put together in one language is put together anew in the next:
// the information panel and the preview's line follow a change of language.
TEST(RussianWindow, PanelAndInformationLineFollowTheLanguage) {
    TempDir dir;
    Form1 form(dir.path().string(), dir.write("flash.bin", TinySGoldFlash(2)));
    auto* list = form.findChild<QTableView*>("ListView1");
    list->setCurrentIndex(list->model()->index(1, 0));
    form.ListView1_Click();
    EXPECT_EQ(form.findChild<QGroupBox*>("PICframe")->title(),
              "0001 :: 3 x 2 :: 8bit :: uncompressed :: 6 bytes");

    std::filesystem::copy_file(PICTAVO_SOURCE_DIR "/lang/Russian.lng", dir.file("Russian.lng"));
    dir.write("Pictavo.ini", "Language=Russian\r\n");
    ScriptedUi ui;
    LoadSettings(form.workspace(), ui);
    form.refreshFromWorkspace();
    EXPECT_TRUE(
        form.findChild<QLabel*>("FFinfol")->text().startsWith(QString::fromUtf8("Модель: ")));
    EXPECT_EQ(form.findChild<QGroupBox*>("PICframe")->title(),
              QString::fromUtf8("0001 :: 3 x 2 :: 8 бит :: несжатая :: 6 байт"));
}

}  // namespace
