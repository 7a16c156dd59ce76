#include "ui/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStringList>
#include <QUrl>

namespace {

QMessageBox::Icon boxIcon(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::Question: return QMessageBox::Question;
    case Dialogs::Icon::Error: return QMessageBox::Critical;
    case Dialogs::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QString qtFilter(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

void QtDialogs::message(QWidget *parent, const QString &text, const QString &caption, Icon icon)
{
    QMessageBox box(boxIcon(icon), caption.isEmpty() ? QApplication::applicationName() : caption, text,
                    QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogs::confirm(QWidget *parent, const QString &text, const QString &caption, Icon icon)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

void QtDialogs::error(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok, parent);
    box.exec();
}

QString QtDialogs::openFileName(QWidget *parent, const QString &filter, const QString &fileName)
{
    return QFileDialog::getOpenFileName(parent, QString(), fileName, qtFilter(filter));
}

QString QtDialogs::saveFileName(QWidget *parent, const QString &filter, const QString &fileName,
                                const QString &initialFolder)
{
    const QString start = fileName.isEmpty() ? initialFolder : QDir(initialFolder).filePath(fileName);
    return QFileDialog::getSaveFileName(parent, QString(), start, qtFilter(filter));
}

bool QtDialogs::chooseFont(QWidget *parent, QFont &font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, parent);
    if (ok)
        font = chosen;
    return ok;
}

bool QtDialogs::chooseColor(QWidget *parent, QColor &color)
{
    const QColor chosen = QColorDialog::getColor(color, parent);
    if (!chosen.isValid())
        return false;
    color = chosen;
    return true;
}

QString QtDialogs::saveFileNameAndFilter(QWidget *parent, const QString &filter, const QString &fileName,
                                         const QString &initialFolder, int &filterIndex)
{
    const QStringList filters = qtFilter(filter).split(QStringLiteral(";;"));
    QString selected = filters.value(filterIndex - 1);
    const QString start = fileName.isEmpty() ? initialFolder : QDir(initialFolder).filePath(fileName);
    const QString chosen = QFileDialog::getSaveFileName(parent, QString(), start, filters.join(QStringLiteral(";;")),
                                                        &selected);
    if (!chosen.isEmpty() && filters.contains(selected))
        filterIndex = int(filters.indexOf(selected)) + 1;
    return chosen;
}

void QtDialogs::printerSetup(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.exec();
}

void QtDialogs::printPreview(QWidget *parent, QPrinter &printer, const std::function<void(QPrinter &)> &paint)
{
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paint](QPrinter *target) { paint(*target); });
    preview.exec();
}

void QtDialogs::openDocument(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

int QtDialogs::exec(QDialog &dialog)
{
    return dialog.exec();
}

DialogsSeam::DialogsSeam()
    : m_impl(std::make_unique<QtDialogs>())
{
}
