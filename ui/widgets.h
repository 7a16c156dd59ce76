#pragma once

#include <QString>
#include <QWidget>

// Creates a child control carrying its system name as objectName.
template <class W, class... Args>
W *named(QWidget *parent, const char *name, Args &&...args)
{
    auto *w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
