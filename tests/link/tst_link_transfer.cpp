// Complete reads and writes between the main window and the emulated radio:
// afterwards the emulator's image and ours are identical over offsets 4..451.
#include "linkharness.h"

class TestLinkTransfer : public QObject
{
    Q_OBJECT

private slots:
    void fullTransfer_data()
    {
        QTest::addColumn<Operation>("op");
        QTest::newRow("read") << Success("", false);
        QTest::newRow("write") << Success("", true);
    }
    void fullTransfer() { QFETCH(Operation, op); CheckOperation(op); }
};

QTEST_MAIN(TestLinkTransfer)
#include "tst_link_transfer.moc"
