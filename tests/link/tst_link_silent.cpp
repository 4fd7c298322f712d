// A radio that never answers; its five one-second waits run beside the other
// failures under ctest -j.
#include "linkharness.h"

class TestLinkSilent : public QObject
{
    Q_OBJECT

private slots:
    void silentRadioAfterTheConnectsFiveTries()
    {
        CheckFailure({{"--silent"}, false, "读取数据失败,请检查连接线路!", 5, {}, 0});
    }
};

QTEST_MAIN(TestLinkSilent)
#include "tst_link_silent.moc"
