// The program entry: application title, the main window, the message loop.
#include <exception>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTimer>

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
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("PICTURE"),
                                 QStringLiteral("A JPEG or BMP picture to open once the window is up."),
                                 QStringLiteral("[PICTURE]"));
    parser.process(app);
    // Named from where the program was started: the window makes its own folder the current one.
    const QStringList pictures = parser.positionalArguments();
    const QString picture = pictures.isEmpty() ? QString() : QFileInfo(pictures.first()).absoluteFilePath();
    try {
        TfmMain window(programFolder());
        window.show();
        if (!picture.isEmpty())
            QTimer::singleShot(0, &window, [&window, picture] { window.openPicture(picture); });
        return app.exec();
    } catch (const std::exception &e) {
        QMessageBox::critical(nullptr, QApplication::applicationName(), QString::fromUtf8(e.what()));
        return 1;
    }
}
