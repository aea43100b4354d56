#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSysInfo>
#include <QThread>
#include <QtEndian>
#include <QtTest>

#include "coretests.h"
#include "isingleapplication.h"
#include "testenv.h"
#include "testprogram.h"

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    // Tests must never meet a real instance: the lock lives in the temporary runtime folder.
    void lockUnderTemporaryRuntime()
    {
        ISingleInstance first("Ocumetra");
        QVERIFY(first.lockFilePath().startsWith(TestEnv::homePath()));
        QVERIFY(first.serverName().startsWith(TestEnv::homePath()));
    }

    void secondHolderSeesFirst()
    {
        auto* first = new ISingleInstance("OcumetraKeyA");
        QVERIFY(!first->isRunning());
        QVERIFY(!first->sendMessage("nobody else", 100));
        {
            ISingleInstance second("OcumetraKeyA");
            QVERIFY(second.isRunning());
            ISingleInstance other("OcumetraKeyB");
            QVERIFY(!other.isRunning());
        }
        delete first;
        // Released with its holder.
        ISingleInstance third("OcumetraKeyA");
        QVERIFY(!third.isRunning());
    }

    void messageDelivered_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("short key") << QStringLiteral("OcumetraMsg");
        // Longer than a local socket's path holds, in any runtime folder.
        QTest::newRow("long key") << QStringLiteral("OcumetraMsg").repeated(10);
    }

    // The holder's event loop keeps running while a second start sends from its own thread.
    void messageDelivered()
    {
        QFETCH(QString, key);
        ISingleInstance holder(key);
        QSignalSpy received(&holder, &ISingleInstance::messageReceived);
        bool delivered = false;
        QThread* sender = QThread::create([&delivered, key] {
            ISingleInstance second(key);
            delivered = second.isRunning() && second.sendMessage(QString::fromUtf8("raise_window_noop ü"), 5000);
        });
        sender->start();
        QTRY_VERIFY_WITH_TIMEOUT(sender->isFinished(), 8000);
        delete sender;
        QVERIFY(delivered);
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toString(), QString::fromUtf8("raise_window_noop ü"));
    }

    // A client announcing a huge message is dropped and nothing is emitted.
    void oversizedMessageDropped()
    {
        ISingleInstance holder("OcumetraBig");
        QSignalSpy received(&holder, &ISingleInstance::messageReceived);
        QLocalSocket socket;
        socket.connectToServer(holder.serverName());
        QVERIFY(socket.waitForConnected(2000));
        QByteArray frame(4, '\0');
        qToBigEndian(quint32(0x7fffffff), frame.data());
        socket.write(frame + "xyz");
        socket.flush();
        QTRY_COMPARE_WITH_TIMEOUT(socket.state(), QLocalSocket::UnconnectedState, 3000);
        QCOMPARE(received.count(), 0);
    }

    // A lock left by a crashed instance does not block the next start.
    void staleLockTakenOver()
    {
        QString lockPath;
        {
            ISingleInstance probe("OcumetraStale");
            lockPath = probe.lockFilePath();
        }
        QFile lock(lockPath);
        QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
        lock.write("2147480000\nocumetra\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        lock.close();

        ISingleInstance next("OcumetraStale");
        QVERIFY(!next.isRunning());
        QLocalSocket socket;
        socket.connectToServer(next.serverName());
        QVERIFY(socket.waitForConnected(2000));
    }

    // The real program, started while this test holds "Ocumetra", hands over the
    // message and exits with 1.
    void secondStartOfProgram()
    {
        ISingleInstance holder("Ocumetra");
        QVERIFY(!holder.isRunning());
        QSignalSpy received(&holder, &ISingleInstance::messageReceived);
        QProcess program;
        program.start(TestProgram::path(), QStringList());
        QVERIFY2(program.waitForStarted(5000), qPrintable(TestProgram::path()));
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, 8000);
        QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("raise_window_noop"));
        QTRY_COMPARE_WITH_TIMEOUT(program.state(), QProcess::NotRunning, 8000);
        QCOMPARE(TestProgram::exitProblem(program, 1), QString());
    }
};

OCUMETRA_CORE_TEST(TestSingleInstance);
#include "tst_singleinstance.moc"
