#pragma once

#include <QDialog>

// The about box: product name, version and who makes it; OK closes it.
class TfmAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TfmAboutBox(QWidget *parent = nullptr);
};
