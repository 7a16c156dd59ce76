#pragma once

// Small helpers the page builders share.

#include <QFormLayout>
#include <QLineEdit>
#include <QTabWidget>

#include "ui/widgets.h"

// A page of a page control, named and captioned.
inline QWidget *addPage(QTabWidget *tabs, const char *name, const QString &caption)
{
    auto *w = new QWidget;
    w->setObjectName(QString::fromLatin1(name));
    tabs->addTab(w, caption);
    return w;
}

// A named text field on a form row with its caption.
inline QLineEdit *addField(QWidget *parent, QFormLayout *form, const char *name, const QString &caption,
                           const QString &text = QString())
{
    auto *edit = named<QLineEdit>(parent, name, text);
    form->addRow(caption, edit);
    return edit;
}
