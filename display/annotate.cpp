#include "display/annotate.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <utility>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryFile>

#include "acquire/picturefile.h"
#include "base/color.h"
#include "records/measurementobject.h"

namespace {

// The extension as the file name part shows it, dot included; empty when there is none.
QString extensionOf(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

QString failure(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot write %1: %2").arg(QDir::toNativeSeparators(path), reason);
}

// A write killed midway (a power cut, the program ended from outside) leaves its temporary behind.
// Those of this target that are old enough not to be another write still going on are removed
// before a new one is made, so they do not pile up beside an often written picture.
void removeStaleTemporaries(const QString &folder, const QString &prefix)
{
    constexpr int stubLength = 6;  // the XXXXXX of the name pattern
    const QDateTime stale = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.size() != prefix.size() + stubLength || !name.startsWith(prefix))
            continue;
        const QString path = dir.filePath(name);
        if (QFileInfo(path).lastModified() < stale)
            QFile::remove(path);
    }
}

// One picture of the pair, written under a temporary name beside its place until both are done.
// The temporary goes away with it unless it was renamed into place.
class Staged {
public:
    explicit Staged(QString target) : m_target(std::move(target)) {}
    ~Staged()
    {
        if (!m_temporary.isEmpty())
            QFile::remove(m_temporary);
    }
    Staged(const Staged &) = delete;
    Staged &operator=(const Staged &) = delete;

    QString write(const QImage &image, bool jpeg, int quality)
    {
        const qsizetype slash = m_target.lastIndexOf(QLatin1Char('/'));
        const QString folder = m_target.left(slash + 1);
        const QString prefix = QLatin1Char('.') + m_target.mid(slash + 1) + QLatin1Char('.');
        removeStaleTemporaries(folder.isEmpty() ? QStringLiteral(".") : folder, prefix);
        {
            // Only the name is taken: the writer makes the file anew, with the usual permissions.
            QTemporaryFile name(folder + prefix + QStringLiteral("XXXXXX"));
            if (!name.open())
                return failure(m_target, name.errorString());
            m_temporary = name.fileName();
        }
        const PictureResult written = jpeg ? writeJpegFile(image, quality, m_temporary)
                                           : writeBitmapFile(image, m_temporary);
        if (!written.ok())
            return failure(m_target, written.detail);
        if (QFile::exists(m_target))
            QFile::setPermissions(m_temporary, QFile::permissions(m_target));
        return {};
    }

    QString putInPlace()
    {
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(m_temporary).toStdString(),
                                QFile::encodeName(m_target).toStdString(), error);
        if (error)
            return failure(m_target, QString::fromStdString(error.message()));
        m_temporary.clear();
        return {};
    }

private:
    QString m_target;
    QString m_temporary;
};

}  // namespace

PaintedText paintedLabel(const MeasurementObject &row, const LabelScale &scale, LabelVariant variant, int mode)
{
    return {labelText(labelTexts(row, scale, variant), mode), QPoint(row.LabelX, row.LabelY), row.LabelSize,
            row.Color};
}

int labelPixelSize(int points)
{
    if (points <= 0)
        points = 10;
    // Beyond this no label fits any picture; the glyph cache would only grow.
    return int(std::lround(std::min(points, 3000) * 96.0 / 72.0));
}

void paintTexts(QImage &picture, const QList<PaintedText> &texts, const QString &face, LineBreaks breaks)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    if (picture.isNull())
        return;
    QPainter painter(&picture);
    for (const PaintedText &t : texts) {
        QFont font(face);
        font.setPixelSize(labelPixelSize(t.size));
        painter.setFont(font);
        painter.setPen(fromTColor(t.color));
        const int ascent = painter.fontMetrics().ascent();
        if (breaks == LineBreaks::Ignored) {
            painter.drawText(QPoint(t.at.x(), t.at.y() + ascent), QString(t.text).replace(lineBreak, QStringLiteral(" ")));
            continue;
        }
        const QStringList lines = t.text.split(lineBreak);
        for (qsizetype n = 0; n < lines.size(); ++n) {
            // Wide enough for any stored size; a line that far away falls outside the picture anyway.
            const qint64 top = qint64(t.at.y()) + (qint64(t.size) + 2) * n + ascent;
            painter.drawText(QPoint(t.at.x(), int(std::clamp<qint64>(top, -(1 << 30), 1 << 30))), lines[n]);
        }
    }
}

void paintGauge(QImage &picture, const ScaleGauge &gauge)
{
    if (picture.isNull())
        return;
    {
        QPainter painter(&picture);
        for (const GaugeCaption &caption : gauge.captions) {
            painter.setFont(caption.font);
            painter.setPen(fromTColor(caption.color));
            painter.drawText(QPoint(caption.at.x(), caption.at.y() + painter.fontMetrics().ascent()), caption.text);
        }
    }
    constexpr TColor red = 0x0000FF;
    Canvas canvas(picture);
    for (const QRect &bar : gauge.bars) {
        if (bar.width() <= 0 || bar.height() <= 0)
            continue;
        const int l = bar.left(), t = bar.top(), r = bar.left() + bar.width(), b = bar.top() + bar.height();
        canvas.fillRect(l, t, r, t + 1, red);
        canvas.fillRect(l, b - 1, r, b, red);
        canvas.fillRect(l, t, l + 1, b, red);
        canvas.fillRect(r - 1, t, r, b, red);
    }
}

QString fixedExtension(const QString &chosen, int filterIndex)
{
    const QString name = chosen.mid(chosen.lastIndexOf(QLatin1Char('/')) + 1);
    const QString extension = extensionOf(name).toUpper();
    if (extension == u".JPG" || extension == u".BMP")
        return chosen;
    return chosen + (filterIndex == 1 ? QStringLiteral(".JPG") : QStringLiteral(".BMP"));
}

AnnotatedPair writeAnnotatedPair(const QImage &clean, const QImage &annotated, const QString &chosenPath,
                                 int filterIndex, int quality)
{
    AnnotatedPair pair;
    pair.cleanPath = fixedExtension(chosenPath, filterIndex);
    const qsizetype slash = pair.cleanPath.lastIndexOf(QLatin1Char('/'));
    pair.annotatedPath = pair.cleanPath.left(slash + 1) + QLatin1Char('_') + pair.cleanPath.mid(slash + 1);
    const bool jpeg = extensionOf(pair.cleanPath.mid(slash + 1)).toUpper() == u".JPG";
    if (jpeg && (quality < 1 || quality > 100)) {
        pair.error = QStringLiteral("JPEG quality %1 is outside 1 to 100").arg(quality);
        return pair;
    }
    Staged cleanFile(pair.cleanPath);
    Staged annotatedFile(pair.annotatedPath);
    pair.error = cleanFile.write(clean, jpeg, quality);
    if (pair.error.isEmpty())
        pair.error = annotatedFile.write(annotated, jpeg, quality);
    if (pair.error.isEmpty())
        pair.error = cleanFile.putInPlace();
    if (pair.error.isEmpty())
        pair.error = annotatedFile.putInPlace();
    return pair;
}
