#include "tests/output/exportsample.h"

ExportTitle sampleTitle()
{
    ExportTitle title;
    title.mIndex = 7;
    title.OperNo = QStringLiteral("001");  // a number-like text stays text
    title.OperName = QStringLiteral("底座檢驗");
    title.OperatorID = QStringLiteral("E12");
    title.OperatorName = QStringLiteral("王小明");
    title.PicFullName = QStringLiteral("/data/rev.2/A01.jpg");
    title.UnitName = QStringLiteral("mm");
    title.ScaleName = QStringLiteral("1X");
    title.ScaleX = 0.01;
    title.ScaleY = 0.0125;
    return title;
}

QList<ExportRow> sampleRows()
{
    ExportRow width;
    width.OperNo = QStringLiteral("001");
    width.RecID = QStringLiteral("P1");
    width.RecName = QStringLiteral("底座");
    width.MeasureName = QStringLiteral("w001");
    width.OBJIndex = 1;
    width.AttribID = 1;
    width.Attrib = QStringLiteral("寬度");
    width.x = {123.456, 250, 0, 0, 1.23456, 2.5, 0, 0};
    width.y = {50, 50, 0, 0, 0.625, 0.625, 0, 0};
    width.Val = {126.544, 0, 0, 1.26544, 0, 0};
    width.LabelX = 186;
    width.LabelY = 50;
    width.LabelSize = 10;
    width.Color = 255;
    width.OBJNote = QStringLiteral("=1+1");  // must stay a text, never a formula
    width.rIndex = 1;

    ExportRow circle = width;
    circle.MeasureName = QStringLiteral("r001");
    circle.OBJIndex = 2;
    circle.AttribID = 6;
    circle.Attrib = QStringLiteral("圓");
    circle.x = {300, 400, 350, 0, 3, 4, 3.5, 0};
    circle.y = {300, 300, 250, 0, 3.75, 3.75, 3.125, 0};
    circle.Val = {62.5, 350, 312.5, 0.625, 3.5, -3.90625};
    circle.Color = 32768;
    circle.OBJNote = QStringLiteral("孔, \"中心\"");
    circle.rIndex = 2;

    ExportRow angle = width;
    angle.RecID = QStringLiteral("P2");
    angle.MeasureName = QStringLiteral("g001");
    angle.OBJIndex = 1;
    angle.AttribID = 7;
    angle.Attrib = QStringLiteral("夾角");
    angle.x = {0, 10, 0, 10, 0, 0.1, 0, 0.1};
    angle.y = {0, 0, 0, 10, 0, 0, 0, 0.125};
    angle.Val = {45, 0, 0, 45, 0, 0};
    angle.OBJNote.clear();
    angle.rIndex = 3;

    ExportRow note = width;
    note.RecID = QStringLiteral("P2");
    note.MeasureName = QStringLiteral("t002");
    note.OBJIndex = 2;
    note.AttribID = 11;
    note.Attrib = QStringLiteral("文字註解");
    note.x = {40, 0, 0, 0, 0.4, 0, 0, 0};
    note.y = {80, 0, 0, 0, 1, 0, 0, 0};
    note.Val = {};
    note.OBJNote = QStringLiteral("說明文字");
    note.rIndex = 4;

    return {width, circle, angle, note};
}
