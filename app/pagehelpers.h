#pragma once

// Small helpers the page builders share.

#include <QBoxLayout>
#include <QFormLayout>
#include <QLineEdit>
#include <QScrollArea>
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

// A page that scrolls where the screen is lower than the page is tall: the scroll area is the tab,
// the named page inside it.
inline QWidget *addScrolledPage(QTabWidget *tabs, const char *name, const QString &caption)
{
    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto *w = new QWidget;
    w->setObjectName(QString::fromLatin1(name));
    scroll->setWidget(w);
    tabs->addTab(scroll, caption);
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

// The row of the measuring page's top bar that holds member: the bar has a row of actions (open,
// capture, the kinds, redraw) and a row of display options; builders insert beside what is there.
inline QHBoxLayout *topBarRowOf(QWidget *member)
{
    QLayout *bar = member->parentWidget()->layout();
    for (int i = 0; i < bar->count(); ++i)
        if (auto *row = qobject_cast<QHBoxLayout *>(bar->itemAt(i)->layout()); row && row->indexOf(member) >= 0)
            return row;
    return nullptr;
}
