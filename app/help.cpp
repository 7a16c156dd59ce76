#include "app/help.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QVBoxLayout>

TfmHelp::TfmHelp(QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("fmHelp"));
    setWindowTitle(QStringLiteral("線上協助"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(227, 316);

    auto *splitter = new QSplitter(Qt::Vertical, this);
    auto *picture = new QLabel(splitter);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setMinimumHeight(129);
    auto *text = new QPlainTextEdit(splitter);
    text->setObjectName(QStringLiteral("Memo1"));
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    splitter->setSizes({129, 187});

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
}
