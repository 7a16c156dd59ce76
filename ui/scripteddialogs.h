#pragma once

#include <deque>
#include <functional>
#include <memory>

#include <QFont>
#include <QStringList>

#include "ui/dialogs.h"

// Dialogs answered from a script, for tests and benchmarks: everything shown is recorded in `log`
// (which outlives the dialogs when a test keeps the shared pointer), and every question takes the
// next answer queued for it; with none queued, the dialog counts as cancelled (No, no file, no font).
class ScriptedDialogs : public Dialogs {
public:
    struct Log {
        QStringList messages;
        QStringList errors;
        QStringList confirms;  // "caption|text"
        int printerSetups = 0;
        QStringList execs;  // objectNames of the windows run modally
    };

    std::shared_ptr<Log> log = std::make_shared<Log>();
    std::deque<QString> openNames;
    std::deque<QString> saveNames;
    std::deque<bool> confirmAnswers;
    std::deque<QFont> fontAnswers;
    std::deque<QColor> colorAnswers;
    // Runs a modal window; the default closes it with Rejected.
    std::function<int(QDialog &)> onExec;

    void message(QWidget *, const QString &text, const QString &, Icon) override { log->messages << text; }
    bool confirm(QWidget *, const QString &text, const QString &caption, Icon) override;
    void error(QWidget *, const QString &text) override { log->errors << text; }
    QString openFileName(QWidget *, const QString &, const QString &) override;
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override;
    bool chooseFont(QWidget *, QFont &font) override;
    bool chooseColor(QWidget *, QColor &color) override;
    void printerSetup(QWidget *) override { ++log->printerSetups; }
    int exec(QDialog &dialog) override;
};
