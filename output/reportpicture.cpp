#include "output/reportpicture.h"

#include "records/measurementobject.h"

QImage renderReportPicture(const QImage &clean, const QList<MeasurementObject> &rows,
                           const ReportPictureOptions &options)
{
    if (clean.isNull())
        return {};
    QImage picture = clean.convertToFormat(QImage::Format_BGR888);
    picture.detach();  // a clean picture already in that format comes back shared
    const MarkOptions marks = markOptionsFor(LabelVariant::Report, options.pen);
    for (const MeasurementObject &row : rows) {
        {
            Canvas canvas(picture);
            drawStoredMarks(canvas, row, marks);
        }
        // Each label goes on after its own marks and before the next row's, which may cover it.
        paintTexts(picture, {paintedLabel(row, options.scale, LabelVariant::Report, options.labelMode)},
                   options.face, LineBreaks::Ignored);
    }
    if (options.gauge)
        paintGauge(picture, *options.gauge);
    return picture;
}
