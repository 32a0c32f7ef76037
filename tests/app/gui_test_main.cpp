// Window tests run on the offscreen platform, where nobody can answer a dialog
// and a hung test would wait for ctest's timeout. Two guards make them fail at
// once instead: a modal dialog that a test did not close itself fails the test
// and is closed, and a test that runs too long (a crash inside a slot that Qt
// swallows, an endless loop) ends the run with its name.

#include <gtest/gtest.h>

#include <unistd.h>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>
#include <cstdlib>

namespace {

constexpr unsigned kSecondsPerTest = 60;

void onAlarm(int) {
    const char message[] = "\nwindow test ran longer than its limit; stopped\n";
    (void)!::write(STDERR_FILENO, message, sizeof message - 1);
    std::_Exit(1);
}

class Watchdog final : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { ::alarm(kSecondsPerTest); }
    void OnTestEnd(const ::testing::TestInfo&) override { ::alarm(0); }
};

/// Closes a modal dialog nobody answers and fails the running test.
void rejectUnexpectedDialog() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    QString text = modal->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) text += QStringLiteral(": ") + box->text();
    ADD_FAILURE() << "unexpected dialog: " << text.toStdString();
    modal->close();
}

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    // Whatever a window under test writes for the desktop or an installed
    // program's settings lands here, never in the user's own folders.
    QTemporaryDir desktop;
    ::setenv("XDG_CONFIG_HOME", (desktop.path() + "/config").toLocal8Bit().constData(), 1);
    ::setenv("XDG_DATA_HOME", (desktop.path() + "/data").toLocal8Bit().constData(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    std::signal(SIGALRM, onAlarm);
    ::testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);
    QTimer dialogWatch;
    QObject::connect(&dialogWatch, &QTimer::timeout, &rejectUnexpectedDialog);
    dialogWatch.start(200);
    return RUN_ALL_TESTS();
}
