#include "output/worksheet.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace {

QByteArray sheetWith(const char *rows)
{
    return QByteArray(R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)") + rows
           + "</sheetData></worksheet>";
}

// The address of the last cell of the last row, as the loaded part gives it.
std::string lastCell(Worksheet &sheet)
{
    pugi::xml_document doc;
    const QByteArray bytes = sheet.bytes();
    doc.load_buffer(bytes.constData(), size_t(bytes.size()));
    return doc.child("worksheet").child("sheetData").last_child().last_child().attribute("r").value();
}

}  // namespace

TEST(WorksheetTest, CellsBeyondTheLastOfASheetAreRefused)
{
    struct Case {
        const char *rows;
        const char *lastCell;  // empty: the part is refused
    };
    const Case cases[] = {
        {R"(<row r="1048576"><c r="XFD1048576"/></row>)", "XFD1048576"},
        {R"(<row r="3"><c r="B3"/><c/></row>)", "C3"},  // an address left out follows the one before
        {R"(<row r="1048577"><c r="A1048577"/></row>)", ""},
        {R"(<row r="1048576"/><row><c r="A1"/></row>)", ""},  // the row after the last one
        {R"(<row r="2147483647"/>)", ""},
        {R"(<row r="99999999999999999999"/>)", ""},
        {R"(<row r="1"><c r="XFE1"/></row>)", ""},
        {R"(<row r="1"><c r="XFD1"/><c/></row>)", ""},  // the cell after column XFD
        // Letters enough to overflow any integer.
        {R"(<row r="1"><c r="ZZZZZZZZZZZZZZZZZZZZZZZZ1"/></row>)", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rows);
        Worksheet sheet;
        QString error;
        const bool loaded = sheet.load(sheetWith(c.rows), QStringLiteral("xl/worksheets/sheet1.xml"), &error);
        if (*c.lastCell) {
            ASSERT_TRUE(loaded) << error.toStdString();
            EXPECT_EQ(lastCell(sheet), c.lastCell);
        } else {
            EXPECT_FALSE(loaded);
            EXPECT_TRUE(error.startsWith(u"xl/worksheets/sheet1.xml: ")) << error.toStdString();
        }
    }
}

// The drawing's id goes under a prefix the template declares for the relationships namespace, or a
// new one when the template's prefix could not stand in a start tag: the sheet must read again.
TEST(WorksheetTest, TheDrawingIdIsWrittenUnderAPrefixThatReadsAgain)
{
    const char *relationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const struct {
        const char *declared;
        const char *attribute;
    } cases[] = {{"rel", "rel:id"}, {"2r", "r:id"}, {"r.x-1", "r.x-1:id"}, {"-r", "r:id"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.declared);
        Worksheet sheet;
        QString error;
        const QByteArray bytes = QByteArray(R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:)")
                                 + c.declared + "=\"" + relationships + "\"><sheetData/></worksheet>";
        ASSERT_TRUE(sheet.load(bytes, QStringLiteral("xl/worksheets/sheet1.xml"), &error)) << error.toStdString();
        sheet.setDrawing(QStringLiteral("rId7"));
        Worksheet again;
        ASSERT_TRUE(again.load(sheet.bytes(), QStringLiteral("xl/worksheets/sheet1.xml"), &error)) << error.toStdString();
        EXPECT_EQ(again.drawingId(), QStringLiteral("rId7"));
        pugi::xml_document doc;
        const QByteArray written = sheet.bytes();
        ASSERT_TRUE(doc.load_buffer(written.constData(), size_t(written.size())));
        EXPECT_TRUE(doc.child("worksheet").child("drawing").attribute(c.attribute)) << written.toStdString();
    }
}
