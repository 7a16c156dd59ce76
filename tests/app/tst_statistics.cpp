// The quick statistic on the real main window: labels picked on the picture, the panel's captions.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>

#include "app/main.h"
#include "measure/measurementlabel.h"
#include "records/database.h"
#include "records/dataset.h"
#include "records/datasets.h"
#include "tests/app/testkit.h"

namespace {

// Five widths on a picture at 0.01 mm per pixel: 1, 2, 3, 5 and 5 mm, labels 0 to 4.
struct StatisticsWindow : TestWindow {
    StatisticsWindow()
    {
        showPlainPicture(600, 300, QColor(200, 200, 200));
        control<QLineEdit>("edWorkSheetID")->setText(QStringLiteral("WO1"));
        selectKind(0);
        int y = 10;
        for (int pixels : {100, 200, 300, 500, 500}) {
            clickPicture(10, y);
            clickPicture(10 + pixels, y);
            y += 40;
        }
    }
    MeasurementLabel *label(int tag) const
    {
        return window->findChild<MeasurementLabel *>(QStringLiteral("mlbMeasure%1").arg(tag, 4, 10, QLatin1Char('0')));
    }
    void pick(int tag) { QTest::mouseClick(label(tag), Qt::LeftButton); }
    bool red(int tag) const { return label(tag)->palette().color(QPalette::WindowText) == QColor(Qt::red); }
    // Count, maximum, minimum, mean and deviation as the panel shows them.
    QString shown() const
    {
        QStringList texts;
        for (const char *name : {"lbCalValNum", "lbCalValMax", "lbCalValMin", "lbCalValAvg", "lbCalValStd"})
            texts << control<QLabel>(name)->text();
        return texts.join(u' ');
    }
};

}  // namespace

class TestStatistics : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pickingLabelsRecomputesThePanel();
    void negativeValuesShowTheirOwnMaximum();
};

void TestStatistics::pickingLabelsRecomputesThePanel()
{
    StatisticsWindow t;
    QWidget *panel = t.control("plCaculate");
    QCOMPARE(t.shown(), QStringLiteral("0 0 0 0 0"));
    QVERIFY(panel->isHidden());
    // Unticked, a press on a label picks nothing.
    t.pick(0);
    QCOMPARE(t.shown(), QStringLiteral("0 0 0 0 0"));

    t.control<QCheckBox>("cbCaculate")->click();
    QVERIFY(!panel->isHidden());
    QVERIFY(t.control("plGuide")->isHidden());
    struct Step {
        int tag;
        const char *shown;
    };
    const Step steps[] = {
        {0, "1 1.0000 1.0000 1.0000 XXX"},
        {1, "2 2.0000 1.0000 1.5000 0.7071"},
        {2, "3 3.0000 1.0000 2.0000 1.0000"},
        {2, "2 2.0000 1.0000 1.5000 0.7071"},  // a second press unpicks
        {1, "1 1.0000 1.0000 1.0000 XXX"},
        {0, "0 0.0000 0 0.0000 XXX"},  // nothing picked: the deviation keeps its text
        {3, "1 5.0000 5.0000 5.0000 XXX"},
        {4, "2 5.0000 5.0000 5.0000 XXX"},  // equal values have no deviation
        {1, "3 5.0000 2.0000 4.0000 1.7321"},
    };
    for (const Step &step : steps) {
        t.pick(step.tag);
        QCOMPARE(t.shown(), QString::fromLatin1(step.shown));
    }
    QVERIFY(t.red(1) && t.red(3) && t.red(4));
    QVERIFY(!t.red(0) && !t.red(2));

    QTest::mouseClick(t.control<QPushButton>("BitBtn19"), Qt::LeftButton);
    QCOMPARE(t.shown(), QStringLiteral("0 0 0 0 0"));
    QCOMPARE(t.window->state().selection.SelectedCount, 0);
    for (int tag = 0; tag < 5; ++tag)
        QVERIFY(!t.red(tag));
    // After clearing, a pick starts afresh.
    t.pick(2);
    QCOMPARE(t.shown(), QStringLiteral("1 3.0000 3.0000 3.0000 XXX"));

    t.control<QCheckBox>("cbCaculate")->click();
    QVERIFY(panel->isHidden());
    QVERIFY(!t.control("plGuide")->isHidden());
}

void TestStatistics::negativeValuesShowTheirOwnMaximum()
{
    StatisticsWindow t;
    // Values edited below zero, as a record update can leave them.
    QSqlQuery edit(t.window->database().db());
    QVERIFY(edit.exec(QStringLiteral("update RecDetail set Val4 = -1.5 where rIndex = 0")));
    QVERIFY(edit.exec(QStringLiteral("update RecDetail set Val4 = -2.5 where rIndex = 1")));
    t.window->datasets().qryMeasure->open();
    t.control<QCheckBox>("cbCaculate")->click();
    t.pick(0);
    t.pick(1);
    QCOMPARE(t.shown(), QStringLiteral("2 -1.5000 -2.5000 -2.0000 0.7071"));
}

QUILLMONT_TEST_MAIN(TestStatistics)
#include "tst_statistics.moc"
