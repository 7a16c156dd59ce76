#pragma once

#include <QStringList>

// Every statement the program sends, with its text and ":_Name" parameters exactly as issued.
// A statement of several pieces is a list of lines, sent in that order.
namespace Sql {

// Work orders.
inline const QStringList TitleByIndex = {QStringLiteral("Select * from RecTitle  Order by mIndex, OperNo")};
inline const QStringList TitleExists = {
    QStringLiteral("Select * from RecTitle  Where OperNo = :_OperNo Order by mIndex, OperNo")};
inline const QStringList TitleDelete = {QStringLiteral("Delete from  RecTitle  where OperNo = :_OperNo ")};
inline const QStringList TitleInsert = {
    QStringLiteral("Insert into RecTitle (mIndex, OperNo , OperName, OperatorID, OperatorName, PicFullName, UnitName, "
                   "ScaleName, ScaleX, ScaleY)  "),
    QStringLiteral("values(:_mIndex, :_OperNo , :_OperName, :_OperatorID, :_OperatorName, :_PicFullName, :_UnitName, "
                   ":_ScaleName, :_ScaleX, :_ScaleY)")};
inline const QStringList TitleRename = {QStringLiteral("Update RecTitle Set  "),
                                        QStringLiteral("OperNo = :_NewOperNo, OperName = :_OperName"),
                                        QStringLiteral("   , OperatorID = :_OperatorID, OperatorName = :_OperatorName"),
                                        QStringLiteral("           , PicFullName = :_PicFullName"),
                                        QStringLiteral("Where OperNo = :_OldOperNo")};
inline const QStringList TitleScale = {
    QStringLiteral("Update RecTitle Set  "),
    QStringLiteral("UnitName = :_UnitName, ScaleName = :_ScaleName, ScaleX = :_ScaleX, ScaleY = :_ScaleY"),
    QStringLiteral("Where OperNo = :_OperNo")};
// The picture a work order's measurements were exported with.
inline const QStringList TitlePicture = {
    QStringLiteral("Update RecTitle Set  PicFullName = :_PicFullName  Where OperNo = :_OperNo")};
// The standing query of the work order list.
inline const QStringList TitleList = {QStringLiteral("Select *  from  RecTitle  Order by OperNo,mIndex")};

// Measurements.
inline const QStringList MeasureAll = {
    QStringLiteral("Select * from RecDetail Order by OperNo, RecID, OBJIndex, AttribID, rIndex")};
inline const QStringList MeasureList = {
    QStringLiteral("Select *  from  RecDetail  where OperNo = :_OperNo Order by RecID, OBJIndex, AttribID, rIndex")};
inline const QStringList MeasureDraw = {
    QStringLiteral("Select *  from  RecDetail  where OperNo = :_OperNo Order by RecID, OBJIndex")};
inline const QStringList MeasureMaxIndex = {
    QStringLiteral("Select max(OBJIndex) from RecDetail where OperNo = :_OperNo and RecID = :_RecID")};
inline const QStringList MeasureInsert = {
    QStringLiteral("Insert into RecDetail (OperNo, RecID, RecName, OBJIndex, AttribID, Attrib, x1, y1, x2, y2, x3, y3, "
                   "x4, y4, x5, y5, x6, y6, x7, y7, x8, y8,"),
    QStringLiteral(" Val1, Val2, Val3, Val4, Val5, Val6, LabelX, LabelY, LabelSize, Color, OBJNote, rIndex, "
                   "MeasureName) "),
    QStringLiteral(" Values (:_OperNo, :_RecID, :_RecName, :_OBJIndex, :_AttribID, :_Attrib, :_x1, :_y1, :_x2, :_y2, "
                   ":_x3, :_y3, :_x4, :_y4, :_x5, :_y5, :_x6, :_y6, :_x7, :_y7, :_x8, :_y8, "),
    QStringLiteral(" :_Val1, :_Val2, :_Val3, :_Val4, :_Val5, :_Val6, :_LabelX, :_LabelY, :_LabelSize, :_Color, "
                   ":_OBJNote, :_rIndex, :_MeasureName) ")};
inline const QStringList MeasureUpdate = {
    QStringLiteral("Update RecDetail Set  "),
    QStringLiteral("x1 = :_x1, y1 = :_y1, x2 = :_x2, y2 = :_y2, x3 = :_x3, y3 = :_y3, x4 = :_x4, y4 = :_y4, x5 = :_x5, "
                   "y5 = :_y5, x6 = :_x6, y6 = :_y6,  x7 = :_x7, y7 = :_y7, x8 = :_x8, y8 = :_y8,"),
    QStringLiteral(" Val1 = :_Val1, Val2 = :_Val2, Val3 = :_Val3, Val4 = :_Val4, Val5 = :_Val5, Val6 = :_Val6, "
                   "OBJNote = :_OBJNote, MeasureName=:_MeasureName"),
    QStringLiteral(" where OperNo = :_OperNo and RecID = :_RecID and OBJIndex = :_OBJIndex ")};
// The note of one measurement: from the list, and from its label on the picture.
inline const QStringList MeasureNoteFromList = {
    QStringLiteral("Update RecDetail Set  "), QStringLiteral("  OBJNote = :_OBJNote"),
    QStringLiteral(" where OperNo = :_OperNo and RecID = :_RecID and OBJIndex = :_OBJIndex ")};
inline const QStringList MeasureNoteFromLabel = {
    QStringLiteral("Update RecDetail Set  "), QStringLiteral(" OBJNote = :_OBJNote"),
    QStringLiteral(" where OperNo = :_OperNo and RecID = :_RecID and OBJIndex = :_OBJIndex ")};
inline const QStringList MeasureLabel = {
    QStringLiteral("Update RecDetail Set  "),
    QStringLiteral("LabelX = :_LabelX, LabelY = :_LabelY, LabelSize = :_LabelSize, Color = :_Color"),
    QStringLiteral(" where OperNo = :_OperNo and RecID = :_RecID and OBJIndex = :_OBJIndex ")};
inline const QStringList MeasureDelete = {
    QStringLiteral("Delete from  RecDetail  where OperNo = :_OperNo and RecID = :_RecID and OBJIndex = :_OBJIndex")};
inline const QStringList MeasureDeleteOrder = {QStringLiteral("Delete from  RecDetail  where OperNo = :_OperNo ")};
inline const QStringList MeasureRename = {QStringLiteral("Update RecDetail Set  "),
                                          QStringLiteral("OperNo = :_NewOperNo"),
                                          QStringLiteral("Where OperNo = :_OldOperNo")};
// Of our own: the one row just stored, put into the open list in its place instead of rereading
// the list; and the order the list reads its rows in.
inline const QStringList MeasureRow = {QStringLiteral(
    "Select * from RecDetail where OperNo = :_OperNo and RecID = :_RecID and OBJIndex = :_OBJIndex")};
inline const QStringList MeasureListOrder = {QStringLiteral("RecID"), QStringLiteral("OBJIndex"),
                                             QStringLiteral("AttribID"), QStringLiteral("rIndex")};

// Products and parts.
inline const QStringList ProductAll = {QStringLiteral("Select * from ProductData order by ProductID")};
inline const QStringList ProductList = {QStringLiteral("Select *  from  ProductData order by ProductID")};
inline const QStringList ProductExists = {QStringLiteral("Select * from ProductData where ProductID = :_ProductID")};
inline const QStringList ProductInsert = {
    QStringLiteral("Insert into ProductData (ProductID , ProductName) values(:_ProductID , :_ProductName)")};
inline const QStringList ProductUpdate = {
    QStringLiteral("Update ProductData set ProductName = :_ProductName where ProductID = :_ProductID")};
inline const QStringList ProductDelete = {QStringLiteral("Delete from ProductData where ProductID = :_ProductID")};
inline const QStringList ProductPartsDelete = {QStringLiteral("Delete from PrdOBJ where ProductID = :_ProductID")};
inline const QStringList PartsOfProduct = {
    QStringLiteral("Select * from PrdOBJ where ProductID = :_ProductID order by RecID")};
inline const QStringList PartGrid = {QStringLiteral("Select *  from  PrdOBJ where ProductID = :_ProductID order by RecID")};
inline const QStringList PartExists = {
    QStringLiteral("Select * from PrdOBJ where ProductID = :_ProductID and RecID = :_RecID")};
inline const QStringList PartInsert = {
    QStringLiteral("Insert into PrdOBJ (ProductID , RecID, RecName) values(:_ProductID , :_RecID, :_RecName)")};
inline const QStringList PartUpdate = {
    QStringLiteral("Update PrdOBJ set RecName = :_RecName where ProductID = :_ProductID and RecID = :_RecID")};
inline const QStringList PartDelete = {
    QStringLiteral("Delete from PrdOBJ where ProductID = :_ProductID and RecID = :_RecID")};
inline const QStringList PartDeleteOnMeasurePage = {
    QStringLiteral("Delete from  PrdOBJ  where ProductID = :_ProductID and RecID = :_RecID")};

// Units and scale sets.
inline const QStringList UnitGrid = {QStringLiteral("Select * from UnitSet Order by mIndex")};
inline const QStringList UnitNames = {QStringLiteral("Select * from UnitSet Order By mIndex, UnitName")};
inline const QStringList UnitRenumber = {QStringLiteral("Select * from UnitSet Order by mIndex, UnitName")};
inline const QStringList UnitExists = {QStringLiteral("Select * from UnitSet where UnitCode = :_UnitCode")};
inline const QStringList UnitInsert = {
    QStringLiteral("Insert into UnitSet (mIndex , UnitCode, UnitName, mValue) values(:_mIndex , :_UnitCode, "
                   ":_UnitName, :_mValue)")};
inline const QStringList UnitUpdate = {QStringLiteral("Update UnitSet set mIndex = :_mIndex"),
                                       QStringLiteral("                  ,UnitCode = :_UnitCode"),
                                       QStringLiteral("                  ,UnitName = :_UnitName"),
                                       QStringLiteral("                  ,mValue = :_mValue"),
                                       QStringLiteral("                  where UnitCode = :_OldUnitCode")};
inline const QStringList UnitDelete = {QStringLiteral("Delete from UnitSet where UnitCode = :_UnitCode")};
inline const QStringList ScaleList = {
    QStringLiteral("Select S.*, U.* from ScaleSet S, UnitSet U Where S.UnitCode = U.UnitCode Order by S.mIndex, "
                   "ScaleName")};
inline const QStringList ScaleExists = {
    QStringLiteral("Select S.*, U.* from ScaleSet S, UnitSet U Where S.UnitCode = U.UnitCode and  "
                   "ScaleName=:_ScaleName")};
inline const QStringList ScaleInsert = {
    QStringLiteral("Insert into ScaleSet (mIndex , ScaleName, UnitCode, X_Length, X_Pixel, Y_Length, Y_Pixel)"),
    QStringLiteral("            values(:_mIndex , :_ScaleName, :_UnitCode, :_X_Length, :_X_Pixel, :_Y_Length, "
                   ":_Y_Pixel)")};
inline const QStringList ScaleUpdate = {QStringLiteral("Update ScaleSet set mIndex     = :_mIndex"),
                                        QStringLiteral("                   ,UnitCode   = :_UnitCode"),
                                        QStringLiteral("                   ,X_Length   = :_X_Length"),
                                        QStringLiteral("                   ,X_Pixel    = :_X_Pixel"),
                                        QStringLiteral("                   ,Y_Length   = :_Y_Length"),
                                        QStringLiteral("                   ,Y_Pixel    = :_Y_Pixel"),
                                        QStringLiteral("                   , ScaleName = :_ScaleName"),
                                        QStringLiteral("                  where ScaleName = :_OldScaleName")};
inline const QStringList ScaleCalibrate = {
    QStringLiteral("Update ScaleSet Set  "),
    QStringLiteral("X_Length = :_X_Length, X_Pixel = :_X_Pixel, Y_Length = :_Y_Length, Y_Pixel = :_Y_Pixel"),
    QStringLiteral(" where ScaleName = :_ScaleName ")};
inline const QStringList ScaleDelete = {QStringLiteral("Delete from ScaleSet where ScaleName = :_ScaleName")};
inline const QStringList ScaleRenumber = {QStringLiteral("Select * from ScaleSet Order by mIndex, ScaleName")};
// Of our own: a set's zero X pixel count or X length put to 1. The scale list is a join and cannot
// write its rows back.
inline const QStringList ScaleXPixelToOne = {
    QStringLiteral("Update ScaleSet Set X_Pixel = 1 where ScaleName = :_ScaleName")};
inline const QStringList ScaleXLengthToOne = {
    QStringLiteral("Update ScaleSet Set X_Length = 1 where ScaleName = :_ScaleName")};

}  // namespace Sql
