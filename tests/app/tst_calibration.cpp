#include <QtTest>
class TestCalibration : public QObject { Q_OBJECT private Q_SLOTS: void placeholder() {} };
QTEST_MAIN(TestCalibration)
#include "tst_calibration.moc"
