#include "ui/recordnavigator.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "records/dataset.h"
#include "ui/guarded.h"
#include "ui/widgets.h"

namespace {

QToolButton *navigatorButton(QWidget *parent, QHBoxLayout *layout, const char *name, const QString &text,
                             const QString &hint)
{
    auto *button = named<QToolButton>(parent, name);
    button->setText(text);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    layout->addWidget(button);
    return button;
}

}  // namespace

RecordNavigator::RecordNavigator(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    m_first = navigatorButton(this, layout, "nbFirst", QStringLiteral("|<"), QStringLiteral("第一筆"));
    m_prior = navigatorButton(this, layout, "nbPrior", QStringLiteral("<"), QStringLiteral("上一筆"));
    m_next = navigatorButton(this, layout, "nbNext", QStringLiteral(">"), QStringLiteral("下一筆"));
    m_last = navigatorButton(this, layout, "nbLast", QStringLiteral(">|"), QStringLiteral("最後一筆"));
    m_post = navigatorButton(this, layout, "nbPost", QStringLiteral("存檔"), QStringLiteral("存檔"));
    m_cancel = navigatorButton(this, layout, "nbCancel", QStringLiteral("取消"), QStringLiteral("取消"));
    layout->addStretch(1);
    updateButtons();
}

void RecordNavigator::setDataset(Dataset &dataset, Dialogs &dialogs)
{
    m_dataset = &dataset;
    const auto press = [this, &dialogs](QToolButton *button, void (Dataset::*step)()) {
        connect(button, &QToolButton::clicked, this, [this, &dialogs, step] {
            guarded(dialogs, this, [this, step] { (m_dataset->*step)(); });
            updateButtons();
        });
    };
    press(m_first, &Dataset::first);
    press(m_prior, &Dataset::prior);
    press(m_next, &Dataset::next);
    press(m_last, &Dataset::last);
    press(m_post, &Dataset::post);
    press(m_cancel, &Dataset::cancel);
    for (auto signal : {&Dataset::afterScroll, &Dataset::rowsReplaced})
        connect(m_dataset, signal, this, &RecordNavigator::updateButtons);
    connect(m_dataset, &Dataset::rowChanged, this, &RecordNavigator::updateButtons);
    connect(m_dataset, &Dataset::rowsInserted, this, &RecordNavigator::updateButtons);
    updateButtons();
}

void RecordNavigator::updateButtons()
{
    const bool rows = m_dataset && m_dataset->isOpen() && !m_dataset->isEmpty();
    const int row = rows ? m_dataset->recNo() : -1;
    const int last = rows ? m_dataset->recordCount() - 1 : -1;
    m_first->setEnabled(rows && row > 0);
    m_prior->setEnabled(rows && row > 0);
    m_next->setEnabled(rows && row < last);
    m_last->setEnabled(rows && row < last);
    const bool editing = m_dataset && m_dataset->isEditing();
    m_post->setEnabled(editing);
    m_cancel->setEnabled(editing);
}
