#include "records/dataset.h"

#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "records/database.h"
#include "records/datasetmodel.h"
#include "records/sqlbind.h"
#include "records/sqlcatalogue.h"

namespace {

// Counts a dataset's announcements in the order they came.
struct Events {
    explicit Events(Dataset &dataset)
    {
        QObject::connect(&dataset, &Dataset::afterOpen, [this] { log.append("open"); });
        QObject::connect(&dataset, &Dataset::afterScroll, [this] { log.append("scroll"); });
        QObject::connect(&dataset, &Dataset::afterPost, [this] { log.append("post"); });
        QObject::connect(&dataset, &Dataset::rowChanged, [this](int row) { log.append(QString("row%1").arg(row)); });
    }
    QStringList take() { return std::exchange(log, {}); }
    QStringList log;
};

class DatasetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        database = Database::open(folder.path());
        for (const char *id : {"B-2", "a-1", "C-3", "ab-9", "D-4"})
            run(Sql::ProductInsert, {{"_ProductID", id}, {"_ProductName", QString("name of ") + id}});
    }
    void run(const QStringList &lines, const QVariantMap &params = {})
    {
        (void)runStatement(database->db(), lines, params);
    }
    QStringList column(const QString &statement, const QString &name)
    {
        QSqlQuery query = runStatement(database->db(), {statement});
        QStringList values;
        while (query.next())
            values.append(query.value(name).toString());
        return values;
    }
    QStringList walk(Dataset &dataset, const QString &name)
    {
        QStringList values;
        for (dataset.first(); !dataset.eof(); dataset.next())
            values.append(dataset.text(name));
        return values;
    }

    QTemporaryDir folder;
    std::unique_ptr<Database> database;
};

TEST_F(DatasetTest, OpenFetchesEveryRowAndNavigates)
{
    Dataset products("qryProductData", database->db());
    products.setSql(Sql::ProductAll);
    products.open();
    EXPECT_EQ(products.objectName(), "qryProductData");
    EXPECT_EQ(products.recordCount(), 5);
    EXPECT_EQ(products.recNo(), 0);
    EXPECT_EQ(walk(products, "ProductID"), QStringList({"a-1", "ab-9", "B-2", "C-3", "D-4"}));
    EXPECT_EQ(products.recNo(), 4);
    products.prior();
    EXPECT_EQ(products.text("ProductID"), "C-3");
    products.moveTo(99);
    EXPECT_EQ(products.recNo(), 4);
    products.moveTo(-3);
    EXPECT_EQ(products.recNo(), 0);
    products.prior();
    EXPECT_TRUE(products.bof());
    EXPECT_EQ(products.value(2, "productname").toString(), "name of B-2");
    EXPECT_TRUE(products.value(5, "ProductName").isNull());

    products.close();
    EXPECT_FALSE(products.isOpen());
    EXPECT_EQ(products.recordCount(), 0);
    EXPECT_EQ(products.recNo(), -1);
}

TEST_F(DatasetTest, AnnouncesOpenScrollAndPostInOrder)
{
    Dataset products("qryProductData", database->db());
    Events events(products);
    products.setSql(Sql::ProductAll);
    products.open();
    EXPECT_EQ(events.take(), QStringList({"open", "scroll"}));
    products.next();
    products.moveTo(1);  // already there
    products.last();
    products.next();  // nothing beyond the last row
    EXPECT_EQ(events.take(), QStringList({"scroll", "scroll"}));
    products.edit();
    products.setField("ProductName", "renamed");
    products.post();
    EXPECT_EQ(events.take(), QStringList({"row4", "row4", "post"}));
    products.post();  // not editing
    EXPECT_TRUE(events.take().isEmpty());

    products.setSql(Sql::ProductExists);
    products.setParam("_ProductID", "none");
    products.open();
    EXPECT_EQ(events.take(), QStringList({"open", "scroll"}));
    EXPECT_TRUE(products.isEmpty());
    EXPECT_EQ(products.recNo(), -1);
    EXPECT_TRUE(products.eof() && products.bof());
    EXPECT_TRUE(products.field("ProductID").isNull());
}

TEST_F(DatasetTest, FieldsAreFoundByNameIgnoringCaseAndHideTheRowId)
{
    Dataset products("qryX", database->db());
    products.setSql(Sql::ProductList);
    products.open();
    EXPECT_EQ(products.fieldNames(), QStringList({"ProductID", "ProductName"}));
    EXPECT_EQ(products.text("PRODUCTid"), "a-1");
    EXPECT_EQ(products.fieldAt(1).toString(), "name of a-1");
    try {
        (void)products.field("Nope");
        FAIL();
    } catch (const DatabaseError &e) {
        EXPECT_EQ(e.message(), "Field 'Nope' not found");
    }
}

TEST_F(DatasetTest, JoinNamesSharedColumnsByTableAlias)
{
    run(Sql::UnitInsert, {{"_mIndex", 9}, {"_UnitCode", "cm"}, {"_UnitName", "cm"}, {"_mValue", 10.0}});
    run(Sql::ScaleInsert, {{"_mIndex", 2}, {"_ScaleName", "5X"}, {"_UnitCode", "CM"}, {"_X_Length", 1.0},
                           {"_X_Pixel", 50.0}, {"_Y_Length", 1.0}, {"_Y_Pixel", 50.0}});
    run(Sql::ScaleInsert, {{"_mIndex", 3}, {"_ScaleName", "orphan"}, {"_UnitCode", "ft"}, {"_X_Length", 1.0},
                           {"_X_Pixel", 1.0}, {"_Y_Length", 1.0}, {"_Y_Pixel", 1.0}});
    Dataset scales("qryScaleSet", database->db());
    scales.setSql(Sql::ScaleList);
    scales.open();
    EXPECT_EQ(scales.fieldNames(), QStringList({"S.mIndex", "ScaleName", "S.UnitCode", "X_Length", "X_Pixel", "Y_Length",
                                                "Y_Pixel", "U.mIndex", "U.UnitCode", "UnitName", "mValue"}));
    // A scale set whose unit is gone drops out of the join.
    EXPECT_EQ(scales.recordCount(), 2);
    ASSERT_TRUE(scales.locate("ScaleName", "5x"));
    EXPECT_EQ(scales.integer("S.mIndex"), 2);
    EXPECT_EQ(scales.integer("u.mindex"), 9);
    EXPECT_EQ(scales.text("UnitCode"), "CM");  // the plain name is the first occurrence
    EXPECT_EQ(scales.text("U.UnitCode"), "cm");
    EXPECT_DOUBLE_EQ(scales.number("mValue"), 10.0);

    scales.edit();
    scales.setField("X_Pixel", 1.0);
    EXPECT_THROW(scales.post(), DatabaseError);
    EXPECT_TRUE(scales.isEditing());
    scales.cancel();
    EXPECT_DOUBLE_EQ(scales.number("X_Pixel"), 50.0);
}

TEST_F(DatasetTest, LocateIgnoresCaseMatchesPrefixesAndStaysPutOnMiss)
{
    Dataset products("qryProductData", database->db());
    products.setSql(Sql::ProductAll);
    products.open();
    Events events(products);
    EXPECT_TRUE(products.locate("productid", "c-3"));
    EXPECT_EQ(products.recNo(), 3);
    EXPECT_TRUE(products.locate("ProductID", "c-3"));  // same row: no scroll
    EXPECT_EQ(events.take(), QStringList({"scroll"}));

    EXPECT_FALSE(products.locate("ProductID", "A"));
    EXPECT_FALSE(products.locate("ProductID", "zz", true));
    EXPECT_EQ(products.recNo(), 3);
    EXPECT_TRUE(events.take().isEmpty());

    EXPECT_TRUE(products.locate("ProductID", "A", true));
    EXPECT_EQ(products.text("ProductID"), "a-1");
    EXPECT_TRUE(products.locate({"ProductID", "ProductName"}, {"AB", "NAME OF ab-9"}, true));
    EXPECT_EQ(products.recNo(), 1);
    EXPECT_FALSE(products.locate({"ProductID", "ProductName"}, {"ab-9", "name of a-1"}));

    Dataset units("qryUnitSet", database->db());
    units.setSql(Sql::UnitGrid);
    units.open();
    EXPECT_TRUE(units.locate("mValue", 25.4));
    EXPECT_TRUE(units.locate("mIndex", 2.0));  // numbers compare as numbers
    EXPECT_EQ(units.text("UnitCode"), "um");
}

TEST_F(DatasetTest, PostWritesTheChangedFieldsOfTheCurrentRowOnly)
{
    run(Sql::TitleInsert, {{"_mIndex", 1}, {"_OperNo", "W1"}, {"_OperName", "first"}, {"_OperatorID", "7"},
                           {"_OperatorName", "Li"}, {"_PicFullName", "/a.jpg"}, {"_UnitName", "mm"},
                           {"_ScaleName", "1X"}, {"_ScaleX", 0.01}, {"_ScaleY", 0.01}});
    run(Sql::TitleInsert, {{"_mIndex", 2}, {"_OperNo", "W2"}, {"_OperName", "second"}, {"_OperatorID", "7"},
                           {"_OperatorName", "Li"}, {"_PicFullName", "/b.jpg"}, {"_UnitName", "mm"},
                           {"_ScaleName", "1X"}, {"_ScaleX", 0.01}, {"_ScaleY", 0.01}});
    Dataset titles("qryTitle", database->db());
    titles.setSql(Sql::TitleList);
    titles.open();
    ASSERT_TRUE(titles.locate("OperNo", "w2"));
    titles.edit();
    titles.setField("PicFullName", "/it's new.jpg");
    EXPECT_EQ(titles.text("PicFullName"), "/it's new.jpg");  // the buffer, before posting
    // Another program changes a field this dataset did not touch; posting must not undo it.
    run({"Update RecTitle set OperName = 'elsewhere' where OperNo = 'W2'"});
    titles.post();
    EXPECT_FALSE(titles.isEditing());
    EXPECT_EQ(titles.text("PicFullName"), "/it's new.jpg");
    EXPECT_EQ(column("select * from RecTitle order by OperNo", "PicFullName"), QStringList({"/a.jpg", "/it's new.jpg"}));
    EXPECT_EQ(column("select * from RecTitle order by OperNo", "OperName"), QStringList({"first", "elsewhere"}));

    // Moving away from an edited row posts it.
    titles.edit();
    titles.setField("OperatorName", "Wang");
    titles.first();
    EXPECT_EQ(column("select * from RecTitle order by OperNo", "OperatorName"), QStringList({"Li", "Wang"}));

    EXPECT_THROW(titles.setField("OperName", "x"), DatabaseError);  // not editing
    titles.edit();
    EXPECT_THROW(titles.setField("NoSuchField", "x"), DatabaseError);
    titles.cancel();
}

TEST_F(DatasetTest, RenumberingWalkGivesOneToN)
{
    run(Sql::UnitInsert, {{"_mIndex", 40}, {"_UnitCode", "cm"}, {"_UnitName", "cm"}, {"_mValue", 10.0}});
    run(Sql::UnitDelete, {{"_UnitCode", "um"}});
    run({"Update UnitSet set mIndex = 7 where UnitCode = 'inch'"});
    Dataset scratch("qryX", database->db());
    scratch.setSql(Sql::UnitRenumber);
    scratch.open();
    int index = 0;
    for (scratch.first(); !scratch.eof(); scratch.next()) {
        scratch.edit();
        scratch.setField("mIndex", ++index);
        scratch.post();
    }
    EXPECT_EQ(column("select * from UnitSet order by mIndex", "mIndex"), QStringList({"1", "2", "3"}));
    EXPECT_EQ(column("select * from UnitSet order by mIndex", "UnitCode"), QStringList({"mm", "inch", "cm"}));
}

TEST_F(DatasetTest, CalculatedFieldsFollowTheRealOnes)
{
    Dataset units("qryUnitSet", database->db());
    units.addCalculatedField("PerInch", [](const Dataset &d, int row) {
        return 25.4 / d.value(row, "mValue").toDouble();
    });
    units.setSql(Sql::UnitGrid);
    units.open();
    EXPECT_EQ(units.fieldNames(), QStringList({"mIndex", "UnitCode", "UnitName", "mValue", "PerInch"}));
    EXPECT_TRUE(units.isCalculatedField("perinch"));
    EXPECT_FALSE(units.isCalculatedField("mValue"));
    EXPECT_DOUBLE_EQ(units.number("PerInch"), 25.4);
    EXPECT_DOUBLE_EQ(units.value(2, "PerInch").toDouble(), 1.0);
    units.edit();
    units.setField("mValue", 12.7);
    EXPECT_DOUBLE_EQ(units.number("PerInch"), 2.0);
    EXPECT_THROW(units.setField("PerInch", 1.0), DatabaseError);
    units.cancel();
}

TEST_F(DatasetTest, StatementsRunWithTheirParameters)
{
    Dataset scratch("qryY", database->db());
    scratch.setSql(Sql::MeasureMaxIndex);
    scratch.setParam("_OperNo", "TEMP");
    scratch.setParam("_RecID", "1");
    scratch.open();
    ASSERT_EQ(scratch.recordCount(), 1);
    EXPECT_TRUE(scratch.fieldAt(0).isNull());
    EXPECT_EQ(scratch.fieldAt(0).toInt(), 0);
    scratch.edit();
    EXPECT_THROW(scratch.post(), DatabaseError);  // an aggregate has no row to write back
    scratch.cancel();

    // New text forgets the old parameters, which the strict binding would otherwise refuse.
    scratch.setSql(Sql::ProductDelete);
    EXPECT_FALSE(scratch.isOpen());
    EXPECT_THROW(scratch.execSql(), DatabaseError);
    scratch.setParam(":_ProductID", "C-3");
    EXPECT_EQ(scratch.execSql(), 1);
    EXPECT_THROW(scratch.open(), DatabaseError);  // returns no rows

    scratch.setSql(QStringLiteral("Select * from ProductData where NoColumn = 1"));
    try {
        scratch.open();
        FAIL();
    } catch (const DatabaseError &e) {
        EXPECT_TRUE(e.message().contains("no such column")) << e.what();
    }
    EXPECT_FALSE(scratch.isOpen());

    // A dataset that outlives its connection refuses to run instead of using a dead handle.
    scratch.setSql(Sql::ProductAll);
    database.reset();
    EXPECT_THROW(scratch.open(), DatabaseError);
}

TEST_F(DatasetTest, ModelShowsFormatsAndPostsEdits)
{
    Dataset units("qryUnitSet", database->db());
    units.setSql(Sql::UnitGrid);
    DatasetModel model(&units, {{"UnitCode", "單位代號", {}, {}}, {"mValue", "單位長度(mm)", "0.0000", {}},
                                {"mValue", "plain", {}, {}}});
    int resets = 0;
    int changedRows = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&] { ++changedRows; });
    QStringList errors;
    QObject::connect(&model, &DatasetModel::error, [&](const QString &message) { errors.append(message); });

    units.open();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QString::fromUtf8("單位長度(mm)"));
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), "0.0010");
    EXPECT_EQ(model.data(model.index(1, 2)).toString(), "0.001");
    // Editors get the whole number as text, whatever the display pattern.
    EXPECT_EQ(model.data(model.index(1, 1), Qt::EditRole).toString(), "0.001");

    model.setEditable(true);
    ASSERT_TRUE(model.flags(model.index(2, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.setData(model.index(2, 0), "in"));
    EXPECT_EQ(model.currentRow(), 2);
    EXPECT_GE(changedRows, 1);
    EXPECT_EQ(column("select * from UnitSet order by mIndex", "UnitCode"), QStringList({"mm", "um", "in"}));
    // Typed text is read as the column's type; what is not a number writes nothing.
    EXPECT_TRUE(model.setData(model.index(1, 1), " 0.0025 "));
    EXPECT_FALSE(model.setData(model.index(1, 1), "abc"));
    EXPECT_EQ(errors, QStringList{"'abc' is not a valid floating point value"});
    EXPECT_EQ(column("select * from UnitSet order by mIndex", "mValue"), QStringList({"1", "0.0025", "25.4"}));
    errors.clear();

    Dataset scales("qryScaleSet", database->db());
    scales.setSql(Sql::ScaleList);
    scales.open();
    DatasetModel scaleModel(&scales, {{"ScaleName", "name", {}, {}}});
    QObject::connect(&scaleModel, &DatasetModel::error, [&](const QString &message) { errors.append(message); });
    scaleModel.setEditable(true);
    EXPECT_FALSE(scaleModel.setData(scaleModel.index(0, 0), "2X"));
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(scaleModel.lastError(), errors.value(0));
    EXPECT_FALSE(scales.isEditing());
    EXPECT_EQ(scales.text("ScaleName"), "1X");

    units.close();
    EXPECT_EQ(resets, 2);
    EXPECT_EQ(model.rowCount(), 0);
}

}  // namespace

TEST_F(DatasetTest, RowsPutInTakeThePlaceAFreshReadGivesThem)
{
    // Part numbers that fold, sort around letters ('_' lies between upper and lower case) and NULL.
    const auto store = [this](const QVariant &recId, int objIndex, int attribId) {
        QVariantMap params;
        for (const QString &name : sqlPlaceholders(Sql::MeasureInsert.join(u'\n')))
            params.insert(name, 0);
        params["_OperNo"] = "W1";
        params["_RecID"] = recId;
        params["_OBJIndex"] = objIndex;
        params["_AttribID"] = attribId;
        params["_x5"] = 1.234567;
        params["_MeasureName"] = QString("%1-%2").arg(recId.toString()).arg(objIndex);
        run(Sql::MeasureInsert, params);
        return QVariantMap{{"_OperNo", "W1"}, {"_RecID", recId}, {"_OBJIndex", objIndex}};
    };
    const auto names = [](const Dataset &d) {
        QStringList out;
        for (int row = 0; row < d.recordCount(); ++row)
            out << d.value(row, "MeasureName").toString();
        return out;
    };
    store("P2", 1, 3);
    store("b", 2, 1);
    store("B", 1, 6);
    Dataset list("qryMeasure", database->db());
    list.addFetchAdjustment("x5", [](const QVariant &v) { return QVariant(v.toDouble() * 10); });
    list.openWith(Sql::MeasureList, {{"_OperNo", "W1"}});
    list.moveTo(1);
    const QString current = list.text("MeasureName");
    int inserted = 0;
    QObject::connect(&list, &Dataset::rowsInserted, [&](int first, int last) { inserted += last - first + 1; });

    const struct {
        QVariant recId;
        int objIndex;
        int attribId;
    } added[] = {{"p2", 2, 1}, {"a", 7, 1}, {"_x", 1, 1}, {QVariant(QMetaType(QMetaType::QString)), 5, 1},
                 {"B", 4, 2}, {"Zz", 1, 1}, {"b", 3, 1}};
    for (const auto &row : added) {
        EXPECT_EQ(list.insertRows(Sql::MeasureRow, store(row.recId, row.objIndex, row.attribId), Sql::MeasureListOrder), 1);
        Dataset fresh("fresh", database->db());
        fresh.openWith(Sql::MeasureList, {{"_OperNo", "W1"}});
        EXPECT_EQ(names(list), names(fresh)) << qPrintable(row.recId.toString());
    }
    EXPECT_EQ(inserted, 7);
    EXPECT_EQ(list.text("MeasureName"), current);
    EXPECT_DOUBLE_EQ(list.value(0, "x5").toDouble(), 12.34567);
    // The row put in is posted back like any other.
    list.last();
    list.edit();
    list.setField("OBJNote", "later");
    list.post();
    EXPECT_EQ(column("select * from RecDetail where RecID = 'Zz'", "OBJNote"), QStringList{"later"});
    EXPECT_THROW(list.insertRows(Sql::TitleExists, {{"_OperNo", "W1"}}, Sql::MeasureListOrder), DatabaseError);
}
