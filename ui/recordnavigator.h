#pragma once

#include <QWidget>

class Dataset;
class Dialogs;
class QToolButton;

// A record navigator over a dataset: first, prior, next and last row, post and cancel of an edit.
// The buttons follow the dataset's position; every press runs inside the error boundary, since a
// move runs the dataset's reactions and a post writes.
class RecordNavigator : public QWidget {
    Q_OBJECT
public:
    explicit RecordNavigator(QWidget *parent = nullptr);
    // The dataset must outlive the navigator's use of it.
    void setDataset(Dataset &dataset, Dialogs &dialogs);

private:
    void updateButtons();

    Dataset *m_dataset = nullptr;
    QToolButton *m_first;
    QToolButton *m_prior;
    QToolButton *m_next;
    QToolButton *m_last;
    QToolButton *m_post;
    QToolButton *m_cancel;
};
