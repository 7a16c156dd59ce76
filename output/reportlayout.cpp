#include "output/reportlayout.h"

#include <cmath>

#include <QBuffer>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include "output/exportfields.h"

namespace {

constexpr double LayoutDpi = 96;
constexpr int FitLimit = 700;
constexpr int TitleHeight = 99;
constexpr int HeaderBelowPicture = 50;
constexpr int DetailHeight = 24;
constexpr int SummaryHeight = 40;
constexpr int RuleLeft = 8;
constexpr int RuleWidth = 705;
constexpr int LabelHeight = 16;  // a 10 pt caption line
// Beyond this the printed box gains nothing from more pixels (about 290 dots per inch).
constexpr int PictureOversampling = 3;

enum class Face { Kai, Sans, Mono };

// TrueType faces only: Qt writes a broken text map for the OpenType CJK faces, so their text could
// not be found or copied in a PDF. The later families fill in the glyphs the first lacks.
QFont reportFont(Face face, int points, bool bold = false)
{
    QFont font;
    switch (face) {
    case Face::Kai:  // stands in for 標楷體
        font.setFamilies({QStringLiteral("AR PL UKai TW"), QStringLiteral("AR PL UMing TW")});
        break;
    case Face::Sans:  // stands in for Arial
        font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("AR PL UMing TW")});
        break;
    case Face::Mono:  // stands in for Courier New
        font.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("WenQuanYi Micro Hei Mono"),
                          QStringLiteral("AR PL UMing TW")});
        break;
    }
    font.setPixelSize(int(std::lround(points * LayoutDpi / 72)));
    font.setBold(bold);
    return font;
}

struct Heading {
    const char16_t *text;
    int left;
};
constexpr Heading Headings[] = {
    {u"物件名稱", 8}, {u"檢測序號", 80}, {u"屬性", 160}, {u"X1", 256},     {u"Y1", 299},    {u"X2", 342},
    {u"Y2", 385},     {u"X3", 428},     {u"Y3", 472},   {u"距離/半徑", 496}, {u"圓心X", 584}, {u"圓心Y", 640},
};

struct Column {
    const char *field;
    int edge;
    bool right;  // right-aligned texts grow leftwards from their edge
};
constexpr Column DetailColumns[] = {
    {"RecName", 8, false}, {"OBJIndex", 145, true}, {"xAttribID", 160, false}, {"x1", 271, true},
    {"y1", 314, true},     {"x2", 357, true},       {"y2", 400, true},         {"x3", 443, true},
    {"y3", 487, true},     {"xVal1", 570, true},    {"xVal2", 626, true},      {"xVal3", 682, true},
};

// Paints the bands down the pages, in layout pixels from the top-left of the printable area.
class ReportPainter {
public:
    ReportPainter(QPagedPaintDevice &device, QPainter &painter, const ReportData &data, double pageHeight)
        : m_device(device), m_painter(painter), m_data(data), m_pageHeight(pageHeight),
          m_pictureSize(fitReportPicture(data.picture.size()))
    {
        // Scaled once, so a PDF holds the picture once however many pages show it.
        const QSize most = m_pictureSize * PictureOversampling;
        m_picture = data.picture.width() > most.width() || data.picture.height() > most.height()
                        ? data.picture.scaled(most, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                        : data.picture;
    }

    int paint()
    {
        titleBand();
        m_y += TitleHeight;
        columnHeaderBand();
        for (const ExportRow &row : m_data.rows) {
            makeRoom(DetailHeight);
            detailBand(row);
            m_y += DetailHeight;
        }
        makeRoom(SummaryHeight);
        summaryBand();
        return m_page;
    }

private:
    void makeRoom(int height)
    {
        if (m_y + height <= m_pageHeight)
            return;
        m_device.newPage();
        ++m_page;
        m_y = 0;
        columnHeaderBand();
    }

    void text(QPointF at, const QString &text, const QFont &font, Qt::Alignment align = Qt::AlignLeft,
              const QColor &color = Qt::black)
    {
        m_painter.setFont(font);
        m_painter.setPen(color);
        // The rectangle only anchors the text: it reaches from `at` to the right, or to the left
        // of it when right-aligned, and nothing is clipped.
        constexpr double reach = 1000;
        const QRectF box(align & Qt::AlignRight ? at.x() - reach : at.x(), m_y + at.y(), reach, LabelHeight);
        m_painter.drawText(box, int(align | Qt::AlignTop) | Qt::TextDontClip | Qt::TextSingleLine, text);
    }

    // A rule `height` high is a one-pixel line through its middle, as the report engine draws it.
    void rule(double top, double height)
    {
        m_painter.fillRect(QRectF(RuleLeft, m_y + top + std::floor(height / 2), RuleWidth, 1), Qt::black);
    }

    void titleBand()
    {
        const QFont title = reportFont(Face::Kai, 20, true);
        m_painter.setFont(title);
        m_painter.setPen(QColor(0, 0, 255));
        m_painter.drawText(QRectF(8, m_y + 8, 705, 36), int(Qt::AlignHCenter | Qt::AlignTop) | Qt::TextDontClip,
                           m_data.title);
        rule(46, 2);
        const QFont plain = reportFont(Face::Sans, 10);
        const QFont kai = reportFont(Face::Kai, 12);
        text({8, 52}, QStringLiteral("工單號碼："), plain);
        text({96, 52}, m_data.operNo, plain);
        text({272, 52}, QStringLiteral("員工代號："), plain);
        text({360, 52}, m_data.staffId, plain);
        text({496, 52}, QStringLiteral("日期："), kai);
        text({552, 52}, m_data.dateText, plain);
        text({8, 72}, QStringLiteral("工單名稱："), plain);
        text({96, 72}, m_data.operName, plain);
        text({272, 72}, QStringLiteral("員工姓名："), plain);
        text({360, 72}, m_data.staffName, plain);
        text({496, 72}, QStringLiteral("頁次："), kai);
        text({552, 72}, QString::number(m_page), plain);
        rule(95, 2);
    }

    void columnHeaderBand()
    {
        if (!m_picture.isNull())
            m_painter.drawImage(QRectF(QPointF(0, m_y), QSizeF(m_pictureSize)), m_picture);
        const int bandHeight = m_pictureSize.height() + HeaderBelowPicture;
        const int bottomRule = bandHeight - 2;
        const int headingTop = bottomRule - LabelHeight;
        rule(headingTop - 2, 2);
        const QFont plain = reportFont(Face::Sans, 10);
        for (const Heading &h : Headings)
            text({double(h.left), double(headingTop)}, QString::fromUtf16(h.text), plain);
        rule(bottomRule, 2);
        m_y += bandHeight;
    }

    void detailBand(const ExportRow &row)
    {
        const QFont mono = reportFont(Face::Mono, 10);
        for (const Column &c : DetailColumns) {
            QString field = QString::fromLatin1(c.field);
            if (field == u"xVal1" && m_data.labelMode == 5)
                field = QStringLiteral("OBJNote");
            text({double(c.edge), 2}, fieldText(row, field).value_or(QString()), mono,
                 c.right ? Qt::AlignRight : Qt::AlignLeft);
        }
        m_painter.fillRect(QRectF(RuleLeft, m_y + 20, RuleWidth, 1), Qt::black);
    }

    void summaryBand()
    {
        text({56, 11}, QStringLiteral("共(%1)筆").arg(m_data.rows.size()), reportFont(Face::Kai, 12));
    }

    QPagedPaintDevice &m_device;
    QPainter &m_painter;
    const ReportData &m_data;
    double m_pageHeight;
    QSize m_pictureSize;
    QImage m_picture;
    double m_y = 0;
    int m_page = 1;
};

}  // namespace

QSize fitReportPicture(QSize picture)
{
    int width = picture.width();
    int height = picture.height();
    if (width > FitLimit) {
        height = height * FitLimit / width;
        width = FitLimit;
    }
    if (height > FitLimit) {
        width = width * FitLimit / height;
        height = FitLimit;
    }
    return {width, height};
}

ReportResult renderReport(QPagedPaintDevice &device, const ReportData &data)
{
    ReportResult result;
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                             QPageLayout::Millimeter);
    if (!device.setPageLayout(layout)) {
        result.error = QStringLiteral("The printer does not take an A4 page with 10 mm margins");
        return result;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        result.error = QStringLiteral("The report cannot be started on the printer");
        return result;
    }
    const double scaleX = device.logicalDpiX() / LayoutDpi;
    const double scaleY = device.logicalDpiY() / LayoutDpi;
    painter.scale(scaleX, scaleY);
    const double pageHeight = device.pageLayout().paintRectPixels(device.logicalDpiY()).height() / scaleY;
    ReportPainter pages(device, painter, data, pageHeight);
    result.pages = pages.paint();
    if (!painter.end())
        result.error = QStringLiteral("The report could not be finished on the printer");
    return result;
}

FileWriteResult writeReportPdf(const QString &path, const ReportData &data)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(data.title);
        writer.setCreator(QStringLiteral("Quillmont"));
        const ReportResult rendered = renderReport(writer, data);
        if (!rendered.ok())
            return {rendered.error};
    }
    return writeFileSafely(path, buffer.data());
}
