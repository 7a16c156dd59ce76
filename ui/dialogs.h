#pragma once

#include <functional>
#include <memory>

#include <QColor>
#include <QFont>
#include <QString>

class QDialog;
class QPrinter;
class QWidget;

// Every modal interaction of the program goes through this seam: the real dialogs in production
// (QtDialogs), a script in tests (ScriptedDialogs). The main window owns one (DialogsSeam) and lends
// it to every controller; error() is what the error boundary around every reaction shows.
class Dialogs {
public:
    enum class Icon { None, Information, Question, Error };

    virtual ~Dialogs() = default;

    // A plain message box with an OK button.
    virtual void message(QWidget *parent, const QString &text, const QString &caption = QString(),
                         Icon icon = Icon::None) = 0;
    // A Yes/No box; true only for Yes.
    virtual bool confirm(QWidget *parent, const QString &text, const QString &caption, Icon icon) = 0;
    // The application's error display: the message with the application's name as the title.
    virtual void error(QWidget *parent, const QString &text) = 0;
    // Open and save dialogs; an empty result means cancelled. `fileName` is the dialog's current name.
    virtual QString openFileName(QWidget *parent, const QString &filter, const QString &fileName) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &filter, const QString &fileName,
                                 const QString &initialFolder) = 0;
    // A save dialog whose filter the operator picks: filterIndex (from 1) is the filter shown first
    // and, once chosen, the one the name was chosen with.
    virtual QString saveFileNameAndFilter(QWidget *parent, const QString &filter, const QString &fileName,
                                          const QString &initialFolder, int &filterIndex) = 0;
    virtual bool chooseFont(QWidget *parent, QFont &font) = 0;
    virtual bool chooseColor(QWidget *parent, QColor &color) = 0;
    // The printer setup dialog on the program's printer, which keeps what was chosen.
    virtual void printerSetup(QWidget *parent, QPrinter &printer) = 0;
    // The print preview of what paint draws on a printer, from which the operator may print on
    // `printer`.
    virtual void printPreview(QWidget *parent, QPrinter &printer, const std::function<void(QPrinter &)> &paint) = 0;
    // Opens a finished file with the application the desktop associates with it; a file nothing is
    // associated with stays unopened, without a message.
    virtual void openDocument(const QString &path) = 0;
    // Runs one of the program's own modal windows (about box, note window); returns its result.
    virtual int exec(QDialog &dialog) = 0;
};

// The production seam: Qt's dialogs.
class QtDialogs final : public Dialogs {
public:
    void message(QWidget *parent, const QString &text, const QString &caption, Icon icon) override;
    bool confirm(QWidget *parent, const QString &text, const QString &caption, Icon icon) override;
    void error(QWidget *parent, const QString &text) override;
    QString openFileName(QWidget *parent, const QString &filter, const QString &fileName) override;
    QString saveFileName(QWidget *parent, const QString &filter, const QString &fileName,
                         const QString &initialFolder) override;
    QString saveFileNameAndFilter(QWidget *parent, const QString &filter, const QString &fileName,
                                  const QString &initialFolder, int &filterIndex) override;
    bool chooseFont(QWidget *parent, QFont &font) override;
    bool chooseColor(QWidget *parent, QColor &color) override;
    void printerSetup(QWidget *parent, QPrinter &printer) override;
    void printPreview(QWidget *parent, QPrinter &printer, const std::function<void(QPrinter &)> &paint) override;
    void openDocument(const QString &path) override;
    int exec(QDialog &dialog) override;
};

// Filters of the form "JPG & BMP File|*.jpg;*.bmp|BMP File|*.bmp" turned into Qt's form.
[[nodiscard]] QString qtFilter(const QString &pipeFilter);

// The window's seam: forwards to the dialogs in force, which tests may swap at any time.
class DialogsSeam final : public Dialogs {
public:
    DialogsSeam();
    void set(std::unique_ptr<Dialogs> dialogs) { m_impl = std::move(dialogs); }

    void message(QWidget *parent, const QString &text, const QString &caption, Icon icon) override
    {
        m_impl->message(parent, text, caption, icon);
    }
    bool confirm(QWidget *parent, const QString &text, const QString &caption, Icon icon) override
    {
        return m_impl->confirm(parent, text, caption, icon);
    }
    void error(QWidget *parent, const QString &text) override { m_impl->error(parent, text); }
    QString openFileName(QWidget *parent, const QString &filter, const QString &fileName) override
    {
        return m_impl->openFileName(parent, filter, fileName);
    }
    QString saveFileName(QWidget *parent, const QString &filter, const QString &fileName,
                         const QString &initialFolder) override
    {
        return m_impl->saveFileName(parent, filter, fileName, initialFolder);
    }
    QString saveFileNameAndFilter(QWidget *parent, const QString &filter, const QString &fileName,
                                  const QString &initialFolder, int &filterIndex) override
    {
        return m_impl->saveFileNameAndFilter(parent, filter, fileName, initialFolder, filterIndex);
    }
    bool chooseFont(QWidget *parent, QFont &font) override { return m_impl->chooseFont(parent, font); }
    bool chooseColor(QWidget *parent, QColor &color) override { return m_impl->chooseColor(parent, color); }
    void printerSetup(QWidget *parent, QPrinter &printer) override { m_impl->printerSetup(parent, printer); }
    void printPreview(QWidget *parent, QPrinter &printer, const std::function<void(QPrinter &)> &paint) override
    {
        m_impl->printPreview(parent, printer, paint);
    }
    void openDocument(const QString &path) override { m_impl->openDocument(path); }
    int exec(QDialog &dialog) override { return m_impl->exec(dialog); }

private:
    std::unique_ptr<Dialogs> m_impl;
};
