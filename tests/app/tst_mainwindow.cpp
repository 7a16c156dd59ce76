#include <QtTest>
class TestMainWindow : public QObject { Q_OBJECT private Q_SLOTS: void placeholder() {} };
QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
