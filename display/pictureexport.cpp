#include "display/pictureexport.h"

#include <QAbstractButton>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>

#include "acquire/picturefiles.h"
#include "base/color.h"
#include "base/numberparse.h"
#include "calibration/scalevalues.h"
#include "display/displayoptions.h"
#include "display/picturerefresh.h"
#include "display/pictures.h"
#include "output/exportsource.h"
#include "records/currentworkorder.h"
#include "records/measurementobject.h"
#include "ui/dialogs.h"
#include "ui/guarded.h"
#include "ui/shape.h"

ScaleGauge gaugeAsShown(const GaugeWidgets &gauge)
{
    ScaleGauge shown;
    for (const QLabel *caption : {gauge.lbUnit, gauge.lbUnit0, gauge.lbUnit100})
        shown.captions << GaugeCaption{caption->text(), caption->pos(), caption->font(),
                                       toTColor(caption->palette().color(caption->foregroundRole()))};
    for (const Shape *bar : {gauge.spUnit0, gauge.spUnit50})
        shown.bars << bar->geometry();
    return shown;
}

QString labelFace()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    return QFontInfo(font).family();
}

PictureExportController::PictureExportController(Pictures &pictures, const CurrentWorkOrder &workOrder,
                                                 const ScaleValues &scale, const DisplayOptions &options,
                                                 PictureRefresh &refresh, PictureFilesController &pictureFiles,
                                                 Dataset &qryTitle, Dataset &qryX, Dialogs &dialogs,
                                                 const PictureExportWidgets &widgets, QObject *parent)
    : QObject(parent)
    , m_pictures(pictures)
    , m_workOrder(workOrder)
    , m_scale(scale)
    , m_options(options)
    , m_refresh(refresh)
    , m_pictureFiles(pictureFiles)
    , m_qryTitle(qryTitle)
    , m_qryX(qryX)
    , m_dialogs(dialogs)
    , m_w(widgets)
{
}

void PictureExportController::SaveAd1Click()
{
    guarded(m_dialogs, m_w.window, [this] { (void)savePicture(); });
}

PictureExportController::Saved PictureExportController::savePicture()
{
    const QString chosen = m_dialogs.saveFileNameAndFilter(m_w.window, QString::fromLatin1(SaveFilter),
                                                           m_pictureFiles.saveDialogFileName(), QDir::currentPath(),
                                                           m_filterIndex);
    if (chosen.isEmpty()) {
        m_refresh.RedrawPicture();
        return {};
    }
    const QString target = QDir::current().absoluteFilePath(chosen);
    const bool jpeg = fixedExtension(target, m_filterIndex).endsWith(QLatin1String(".JPG"), Qt::CaseInsensitive);
    const int quality = jpeg ? jpegQuality() : 0;

    m_refresh.RedrawPicture();
    const QImage annotated = annotatedPicture();
    AnnotatedPair pair;
    m_pictures.withClean(
        [&](const QImage &clean) { pair = writeAnnotatedPair(clean, annotated, target, m_filterIndex, quality); });
    if (!pair.ok())
        throw ProgramError(pair.error);

    m_pictures.setCurrentPicturePath(pair.annotatedPath);
    m_pictureFiles.setSaveDialogFileName(pair.cleanPath);
    m_pictureFiles.setOpenDialogFileName(pair.cleanPath);
    m_w.lbFullFileName->setText(pair.cleanPath);
    m_w.window->setWindowTitle(QStringLiteral("Quillmont 1394  -  ") + pair.cleanPath);
    if (!m_workOrder.isEmpty())
        storePictureName(m_qryTitle, m_qryX, m_workOrder.number(), pair.cleanPath);
    m_refresh.RedrawPicture();
    return {pair.cleanPath, pair.annotatedPath};
}

int PictureExportController::jpegQuality() const
{
    const auto quality = parseInteger(m_w.edJPEGQuality->text());
    if (!quality.ok())
        throw ProgramError(quality.error);
    return quality.value;
}

QImage PictureExportController::annotatedPicture()
{
    // The screen's labels are controls over the picture; the file gets their texts in its pixels.
    const LabelScale scale{m_scale.UnitFactor, m_scale.ScaleX, m_scale.ScaleY};
    const int mode = m_options.labelDisplayMode();
    QList<PaintedText> texts;
    for (const MeasurementObject &row : readDrawnMeasurements(m_qryX, m_workOrder.number()))
        texts << paintedLabel(row, scale, LabelVariant::Export, mode);
    QImage annotated = m_pictures.view().copy();
    paintTexts(annotated, texts, labelFace(), LineBreaks::Split);
    if (m_w.cbDisplayScaleGauge->isChecked())
        paintGauge(annotated, gaugeAsShown(m_w.gauge));
    return annotated;
}
