#include <QTest>
class T : public QObject { Q_OBJECT
private Q_SLOTS: void none() {} };
QTEST_MAIN(T)
#include "tst_viewing.moc"
