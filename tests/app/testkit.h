#pragma once

#include <deque>
#include <functional>
#include <memory>

#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

#include "app/dialogs.h"
#include "app/main.h"

class PictureView;

// Dialogs answered from a script; everything shown is recorded.
class ScriptedDialogs : public Dialogs {
public:
    struct Log {
        QStringList messages;
        QStringList errors;
        QStringList confirms;
        int printerSetups = 0;
        QStringList execs;  // objectNames of the windows run modally
    };

    std::shared_ptr<Log> log = std::make_shared<Log>();
    std::deque<QString> openNames;
    std::deque<QString> saveNames;
    std::deque<bool> confirmAnswers;
    std::deque<QFont> fontAnswers;
    // Runs a modal window; the default closes it with Rejected.
    std::function<int(QDialog &)> onExec;

    void message(QWidget *, const QString &text, const QString &, Icon) override { log->messages << text; }
    bool confirm(QWidget *, const QString &text, const QString &caption, Icon) override;
    void error(QWidget *, const QString &text) override { log->errors << text; }
    QString openFileName(QWidget *, const QString &, const QString &) override;
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override;
    bool chooseFont(QWidget *, QFont &font) override
    {
        if (fontAnswers.empty())
            return false;
        font = fontAnswers.front();
        fontAnswers.pop_front();
        return true;
    }
    bool chooseColor(QWidget *, QColor &) override { return false; }
    void printerSetup(QWidget *) override { ++log->printerSetups; }
    int exec(QDialog &dialog) override;
};

// A main window built in a fresh program folder, with scripted dialogs.
struct TestWindow {
    TestWindow();
    ~TestWindow();

    QTemporaryDir folder;
    std::unique_ptr<TfmMain> window;
    ScriptedDialogs *dialogs = nullptr;  // owned by the window
    std::shared_ptr<ScriptedDialogs::Log> log;

    [[nodiscard]] QString path(const QString &name) const { return folder.filePath(name); }
    [[nodiscard]] PictureView *imgView() const;
    [[nodiscard]] PictureView *imgTemp() const;
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
};

// Deterministic process settings for every widget test: C locale, offscreen, test paths.
void prepareTestProcess();

// A picture with structure: gradients plus a few dark marks, 24-bit.
QImage samplePicture(int width, int height);
// Saves the picture (and a failed comparison's expected picture) next to the test for a look.
void saveForInspection(const QImage &actual, const QString &name);

// A QtTest main that sets the process up before the application exists.
#define QUILLMONT_TEST_MAIN(TestClass)                \
    int main(int argc, char **argv)                   \
    {                                                 \
        prepareTestProcess();                         \
        QApplication app(argc, argv);                 \
        TestClass test;                               \
        return QTest::qExec(&test, argc, argv);       \
    }
