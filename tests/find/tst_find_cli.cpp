#include <QTest>
class TestFindCli : public QObject
{
    Q_OBJECT
};
QTEST_GUILESS_MAIN(TestFindCli)
#include "tst_find_cli.moc"
