#include <QTest>
class Tst : public QObject { Q_OBJECT };
QTEST_GUILESS_MAIN(Tst)
#include "tst_records.moc"
