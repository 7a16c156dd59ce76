#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The note window: one line of text and an OK button. OK hands the text to the main window's hidden
// note field; closing it any other way hands over nothing. Whoever shows it owns it and lets it go
// once it is closed, so it is found by its name "fmText" exactly while it is shown.
class TfmText : public QDialog {
    Q_OBJECT
public:
    explicit TfmText(QLineEdit *target, QWidget *parent = nullptr);

    [[nodiscard]] QLineEdit *edText() const { return m_edText; }

public Q_SLOTS:
    void BitBtn1Click();

private:
    QLineEdit *m_target;
    QLineEdit *m_edText;
    QPushButton *m_ok;
};
