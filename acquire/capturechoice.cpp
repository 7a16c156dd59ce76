#include "acquire/capturechoice.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "acquire/capturedevice.h"
#include "ui/dialogs.h"

CaptureChoiceDialog::CaptureChoiceDialog(const QString &caption, const QStringList &choices, int current,
                                         QWidget *parent)
    : QDialog(parent), m_list(new QListWidget(this))
{
    setWindowTitle(caption);
    m_list->setObjectName(QStringLiteral("lbChoices"));
    m_list->addItems(choices);
    if (current >= 0 && current < choices.size())
        m_list->setCurrentRow(current);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(360, 260);
}

int CaptureChoiceDialog::chosen() const
{
    return m_list->currentRow();
}

bool chooseCaptureSource(Dialogs &dialogs, CaptureDevice &device, QWidget *parent)
{
    const QList<CaptureSource> sources = device.sources();
    QStringList names;
    int current = -1;
    for (const CaptureSource &source : sources) {
        if (source.id == device.source().id)
            current = int(names.size());
        names << source.name;
    }
    CaptureChoiceDialog dialog(QStringLiteral("影像來源"), names, current, parent);
    dialog.setObjectName(QStringLiteral("dlgVideoSource"));
    if (dialogs.exec(dialog) != QDialog::Accepted || dialog.chosen() < 0)
        return false;
    device.setSource(sources[dialog.chosen()]);
    return true;
}

bool chooseCaptureFormat(Dialogs &dialogs, CaptureDevice &device, QWidget *parent)
{
    const QList<CaptureFormat> formats = device.formats();
    if (formats.isEmpty())
        return false;
    QStringList texts;
    for (const CaptureFormat &format : formats)
        texts << format.text();
    CaptureChoiceDialog dialog(QStringLiteral("影像大小"), texts, device.formatIndex(), parent);
    dialog.setObjectName(QStringLiteral("dlgImageSize"));
    if (dialogs.exec(dialog) != QDialog::Accepted || dialog.chosen() < 0)
        return false;
    return device.setFormat(dialog.chosen());
}
