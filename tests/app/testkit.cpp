#include "tests/app/testkit.h"

#include <clocale>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTest>

#include "acquire/picturefile.h"
#include "acquire/picturefiles.h"
#include "ui/pictureview.h"

namespace {

std::unique_ptr<ScriptedDialogs> scripted(ScriptedDialogs *&dialogs, std::shared_ptr<ScriptedDialogs::Log> &log)
{
    auto made = std::make_unique<ScriptedDialogs>();
    dialogs = made.get();
    log = made->log;
    return made;
}

}  // namespace

TestWindow::TestWindow()
    : window(std::make_unique<TfmMain>(folder.path(), scripted(dialogs, log), folder.filePath(QStringLiteral("Pictures"))))
{
}

void TestWindow::restart()
{
    window.reset();
    window = std::make_unique<TfmMain>(folder.path(), scripted(dialogs, log), folder.filePath(QStringLiteral("Pictures")));
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

QImage TestWindow::clean() const
{
    return window->pictures().cleanCopy();
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
    (void)writeBitmapFile(plain, file);
    window->pictureFiles().LoadPictureFile(file);
    window->show();
}

void TestWindow::openPartPicture(const QImage &picture, double scaleX, double scaleY)
{
    const QString file = path(QStringLiteral("part.bmp"));
    (void)writeBitmapFile(picture, file);
    openThroughMenu(file);
    window->show();
    control<QLineEdit>("edWorkSheetID")->setText(QStringLiteral("WO1"));
    control<QComboBox>("cbOBJID")->setEditText(QStringLiteral("P1"));
    window->state().scale.ScaleX = scaleX;
    window->state().scale.ScaleY = scaleY;
    window->state().scale.UnitFactor = 1;
}

void prepareTestProcess()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
    QStandardPaths::setTestModeEnabled(true);
}

QStringList rowTexts(QSqlQuery &query, const QString &fields)
{
    QStringList out;
    while (query.next()) {
        QStringList values;
        for (const QString &field : fields.split(u' '))
            values << query.value(field).toString();
        out << values.join(u'|');
    }
    return out;
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

int maxDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar *ra = a.constScanLine(y);
        const uchar *rb = b.constScanLine(y);
        for (int i = 0; i < a.width() * 3; ++i)
            worst = std::max(worst, std::abs(int(ra[i]) - int(rb[i])));
    }
    return worst;
}
