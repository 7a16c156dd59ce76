#include "ui/scripteddialogs.h"

#include <QDialog>

namespace {

template <class T>
bool take(std::deque<T> &queue, T &answer)
{
    if (queue.empty())
        return false;
    answer = queue.front();
    queue.pop_front();
    return true;
}

}  // namespace

bool ScriptedDialogs::confirm(QWidget *, const QString &text, const QString &caption, Icon)
{
    log->confirms << caption + QLatin1Char('|') + text;
    bool answer = false;
    return take(confirmAnswers, answer) && answer;
}

QString ScriptedDialogs::openFileName(QWidget *, const QString &, const QString &)
{
    QString name;
    take(openNames, name);
    return name;
}

QString ScriptedDialogs::saveFileName(QWidget *, const QString &, const QString &, const QString &)
{
    QString name;
    take(saveNames, name);
    return name;
}

bool ScriptedDialogs::chooseFont(QWidget *, QFont &font)
{
    return take(fontAnswers, font);
}

bool ScriptedDialogs::chooseColor(QWidget *, QColor &color)
{
    return take(colorAnswers, color);
}

int ScriptedDialogs::exec(QDialog &dialog)
{
    log->execs << dialog.objectName();
    if (onExec)
        return onExec(dialog);
    dialog.reject();
    return QDialog::Rejected;
}
