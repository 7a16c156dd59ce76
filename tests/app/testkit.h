#pragma once

#include <memory>

#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

#include "app/main.h"
#include "ui/scripteddialogs.h"

class PictureView;
class QSqlQuery;

// A main window built in a fresh program folder, its watched folder inside it, with scripted
// dialogs in place before its creation sequence runs.
struct TestWindow {
    TestWindow();
    ~TestWindow();

    QTemporaryDir folder;
    ScriptedDialogs *dialogs = nullptr;  // owned by the window
    std::shared_ptr<ScriptedDialogs::Log> log;
    std::unique_ptr<TfmMain> window;

    // Closes the window and starts a new one in the same program folder, with fresh dialogs.
    void restart();
    [[nodiscard]] QString path(const QString &name) const { return folder.filePath(name); }
    [[nodiscard]] PictureView *imgView() const;
    [[nodiscard]] PictureView *imgTemp() const;
    // The clean picture, as a picture of its own.
    [[nodiscard]] QImage clean() const;
    template <class T = QWidget>
    [[nodiscard]] T *control(const char *name) const
    {
        return window->findChild<T *>(QString::fromLatin1(name));
    }
    // Opens a picture through the menu with the open dialog answered by `file`.
    void openThroughMenu(const QString &file);
    void clickPicture(int x, int y, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void moveOverPicture(int x, int y);
    void selectKind(int kind);
    // Loads a plain picture of one colour (written as "grey.bmp") and shows the window.
    void showPlainPicture(int width, int height, const QColor &color);
    // Opens picture (written as "part.bmp") through the menu, shows the window, and sets work order
    // WO1, part P1 and the scale in millimetres per pixel.
    void openPartPicture(const QImage &picture, double scaleX, double scaleY);
};

// Deterministic process settings for every widget test: C locale, offscreen, test paths.
void prepareTestProcess();

// The query's remaining rows as "value|value|…" of the space-separated fields.
[[nodiscard]] QStringList rowTexts(QSqlQuery &query, const QString &fields);

// A picture with structure: gradients plus a few dark marks, 24-bit.
QImage samplePicture(int width, int height);
// The largest channel difference between two pictures of the same size; -1 when sizes differ.
int maxDifference(const QImage &a, const QImage &b);

// A QtTest main that sets the process up before the application exists.
#define QUILLMONT_TEST_MAIN(TestClass)                \
    int main(int argc, char **argv)                   \
    {                                                 \
        prepareTestProcess();                         \
        QApplication app(argc, argv);                 \
        setApplicationTexts();                        \
        TestClass test;                               \
        return QTest::qExec(&test, argc, argv);       \
    }
