#pragma once

#include <QWidget>

// The on-line help window: a picture area above a text area, kept on top; destroyed when closed.
class TfmHelp : public QWidget {
    Q_OBJECT
public:
    explicit TfmHelp(QWidget *owner);
};
