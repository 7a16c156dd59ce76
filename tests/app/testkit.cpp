#include "tests/app/testkit.h"

#include <clocale>

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLocale>
#include <QMouseEvent>
#include <QApplication>
#include <QStandardPaths>
#include <QTest>

#include "acquire/picturefile.h"
#include "acquire/picturefiles.h"
#include "display/pictureview.h"
#include "measure/measuring.h"

bool ScriptedDialogs::confirm(QWidget *, const QString &text, const QString &caption, Icon)
{
    log->confirms << caption + QLatin1Char('|') + text;
    if (confirmAnswers.empty())
        return false;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

QString ScriptedDialogs::openFileName(QWidget *, const QString &, const QString &)
{
    if (openNames.empty())
        return QString();
    const QString name = openNames.front();
    openNames.pop_front();
    return name;
}

QString ScriptedDialogs::saveFileName(QWidget *, const QString &, const QString &, const QString &)
{
    if (saveNames.empty())
        return QString();
    const QString name = saveNames.front();
    saveNames.pop_front();
    return name;
}

int ScriptedDialogs::exec(QDialog &dialog)
{
    log->execs << dialog.objectName();
    if (onExec)
        return onExec(dialog);
    dialog.reject();
    return QDialog::Rejected;
}

TestWindow::TestWindow()
{
    window = std::make_unique<TfmMain>(folder.path());
    auto scripted = std::make_unique<ScriptedDialogs>();
    dialogs = scripted.get();
    log = scripted->log;
    window->setDialogs(std::move(scripted));
}

TestWindow::~TestWindow()
{
    window.reset();
    QDir::setCurrent(QDir::tempPath());
}

PictureView *TestWindow::imgView() const
{
    return control<PictureView>("imgView");
}

PictureView *TestWindow::imgTemp() const
{
    return control<PictureView>("imgTemp");
}

void TestWindow::openThroughMenu(const QString &file)
{
    dialogs->openNames.push_back(file);
    control<QAction>("mmLoad1")->trigger();
}

void TestWindow::clickPicture(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QTest::mousePress(imgView(), button, modifiers, QPoint(x, y));
    QTest::mouseRelease(imgView(), button, modifiers, QPoint(x, y));
}

void TestWindow::moveOverPicture(int x, int y)
{
    // Sent straight to the picture: QTest's moves go through the cursor, which offscreen may drop.
    const QPointF at(x, y);
    QMouseEvent move(QEvent::MouseMove, at, imgView()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(imgView(), &move);
}

void TestWindow::selectKind(int kind)
{
    QTest::mouseClick(window->findChild<QWidget *>(QStringLiteral("bbtMeasure%1").arg(kind)), Qt::LeftButton);
}

void TestWindow::showPlainPicture(int width, int height, const QColor &color)
{
    QImage plain(width, height, QImage::Format_BGR888);
    plain.fill(color);
    const QString file = path(QStringLiteral("grey.bmp"));
    writeBitmapFile(plain, file);
    window->pictureFiles().LoadPictureFile(file);
    window->show();
}

void prepareTestProcess()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    QStandardPaths::setTestModeEnabled(true);
}

QImage samplePicture(int width, int height)
{
    QImage image(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x] = uchar((x * 7 + y) & 0xFF);
            row[3 * x + 1] = uchar((y * 5) & 0xFF);
            row[3 * x + 2] = uchar(((x ^ y) * 3) & 0xFF);
        }
    }
    return image;
}

void saveForInspection(const QImage &actual, const QString &name)
{
    const QString dir = QDir::temp().filePath(QStringLiteral("quillmont-test-pictures"));
    QDir().mkpath(dir);
    actual.save(QDir(dir).filePath(name + QStringLiteral(".png")));
}
