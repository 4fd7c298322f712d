// Reads and writes against a radio that misbehaves, or whose port vanishes
// mid-transfer: each gives its result code after exactly the tries its row gives,
// and a failed read changes nothing that a write or a save would use; on the
// standard and on the fast link alike.
// --alter is left out: it only changes the data a block read reports, which
// to a read is data like any other (the verifies after a write use it).
#include "linkharness.h"

class TestLinkFaults : public QObject
{
    Q_OBJECT

private slots:
    void failure_data() { FailureRows(false); }
    void failure() { QFETCH(Operation, op); CheckOperation(op); }
    void recovery_data() { RecoveryRows(false); }
    void recovery() { QFETCH(Operation, op); CheckOperation(op); }
    // Each kind of fault once on a fast link: the same requests and outcome,
    // since a reply ends early only when it holds its confirm and any failed
    // try brings back the standard timing.
    void fastFailure_data() { FailureRows(true); }
    void fastFailure() { QFETCH(Operation, op); CheckOperation(op); }
    void fastRecovery_data() { RecoveryRows(true); }
    void fastRecovery() { QFETCH(Operation, op); CheckOperation(op); }

private:
    // The rows of a table in tests/data; on the fast link those marked fast.
    static void Rows(const char *table, bool recovery, bool fast)
    {
        QTest::addColumn<Operation>("op");
        const auto ints = [](const QString &list) {
            QList<int> out;
            for (const QString &n : list.split(' ', Qt::SkipEmptyParts))
                out << n.toInt();
            return out;
        };
        for (const QStringList &f : GoldenRows(table)) {
            const bool write = f.value(2) == "write";
            // A recovery row may retry other blocks on the fast link ("any": no fixed ones).
            const QString retried = recovery && fast && f.size() > 5 ? f[5] : f[3];
            Operation op = recovery ? Success(f[1], write, ints(retried))
                                    : Operation{f[1], write, f[3], f[4].toInt(), ints(f[5]), f[6].toInt(),
                                                f[7].isEmpty() ? -1 : f[7].toInt()};
            op.fast = fast;
            op.anyRetries = retried == "any";
            if (!fast || f.value(4) == "fast" || (!recovery && f.last() == "fast"))
                QTest::newRow(qPrintable(f[0])) << op;
        }
    }
    static void FailureRows(bool fast) { Rows("link-failures.txt", false, fast); }
    static void RecoveryRows(bool fast) { Rows("link-recoveries.txt", true, fast); }
};

QTEST_MAIN(TestLinkFaults)
#include "tst_link_faults.moc"
