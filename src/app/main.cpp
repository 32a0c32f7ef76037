#include <QApplication>

#include "app/form1.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // A message without a title of its own is captioned with this name, not
    // with the file name of the program.
    QApplication::setApplicationName(QStringLiteral("Pictavo"));
    // The command line is one path; a path with blanks may arrive split.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    Form1 window(QCoreApplication::applicationDirPath().toStdString(), commandLine,
                 FileTypeCheck::Ask);
    window.show();
    return QApplication::exec();
}
