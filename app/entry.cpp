// The program entry: application title, the main window, the message loop.
#include <exception>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

#include "app/main.h"

namespace {

// The folder of the program file when it is writable (a portable install); otherwise the user's
// application data folder.
QString programFolder()
{
    const QString own = QCoreApplication::applicationDirPath();
    if (QFileInfo(own).isWritable())
        return own;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setApplicationTexts();
    try {
        TfmMain window(programFolder());
        window.show();
        return app.exec();
    } catch (const std::exception &e) {
        QMessageBox::critical(nullptr, QApplication::applicationName(), QString::fromUtf8(e.what()));
        return 1;
    }
}
