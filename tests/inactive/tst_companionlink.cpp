// The companion recorder link against a test client on loopback.

#include <QDir>
#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include "ffmpeg/iffmpegapi.h"
#include "ffmpeg/wifirtsp/itcpserver.h"
#include "iglobal.h"
#include "testenv.h"

namespace {
QByteArray packet(const QByteArray& lengthField, const QByteArray& payload)
{
    return "TSMT" + lengthField + payload + "END";
}
}

class TestCompanionLink : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A server on a free loopback port whose companion is a script that records its
    // arguments and waits.
    ITcpServer* newServer(quint16* port)
    {
        auto* server = new ITcpServer(this); // listens on 308: refused without privileges
        server->close();
        server->setSocketPort(0); // the system's pick: no other test can take it meanwhile
        if (!server->starSocketListen())
            return nullptr;
        *port = server->serverPort();
        server->setCompanionProgram(m_dir.filePath(QStringLiteral("companion.sh")));
        return server;
    }

    QStringList companionArguments()
    {
        QFile args(m_dir.filePath(QStringLiteral("args.txt")));
        if (!args.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(args.readAll()).trimmed().split(QLatin1Char(' '));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QFile script(m_dir.filePath(QStringLiteral("companion.sh")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/args.txt\"\nexec sleep 30\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        g_video_savepath = m_dir.path() + QStringLiteral("/videos/");
        QVERIFY(QDir().mkpath(g_video_savepath));
    }

    void packets()
    {
        QCOMPARE(ITcpServer::Packet("1"), QByteArray("TSMT8\0\0\0" "1END", 12));
        QCOMPARE(ITcpServer::Packet("2"), QByteArray("TSMT8\0\0\0" "2END", 12));
        QCOMPARE(ITcpServer::Packet("3"), QByteArray("TSMT8\0\0\0" "3END", 12));
        QCOMPARE(ITcpServer::Packet(QByteArray(20, 'x')).size(), 31);
    }

    void unpackSplitsAndJoins()
    {
        ITcpServer server;
        // Leading zeros read like NUL padding; two packets in one read come out in order.
        const QByteArray both = packet("0010", "2;a") + packet(QByteArray("10\0\0", 4), "3;b");
        QCOMPARE(server.Unpack(both), (QList<QByteArray>{"2;a", "3;b"}));
        QVERIFY(!server.malformed());

        // A packet cut anywhere is kept until it is whole.
        const QByteArray whole = packet(QByteArray("15\0\0", 4), "1;/x.mp4");
        for (int cut : {3, 5, 9, whole.size() - 1}) {
            QVERIFY(server.Unpack(whole.left(cut)).isEmpty());
            QVERIFY(!server.malformed());
            QCOMPARE(server.Unpack(whole.mid(cut)), QList<QByteArray>{"1;/x.mp4"});
        }
    }

    void unpackRejectsMalformed_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("negative length") << packet(QByteArray("-1\0\0", 4), "0");
        QTest::newRow("length below its own header") << packet(QByteArray("6\0\0\0", 4), "");
        QTest::newRow("length not a number") << packet("ab\0\0", "0");
        QTest::newRow("wrong head") << QByteArray("XSMT8\0\0\0" "0END", 12);
        QTest::newRow("wrong tail") << QByteArray("TSMT8\0\0\0" "0EN!", 12);
    }
    void unpackRejectsMalformed()
    {
        QFETCH(QByteArray, data);
        ITcpServer server;
        QVERIFY(server.Unpack(data + packet(QByteArray("8\0\0\0", 4), "2")).isEmpty());
        QVERIFY(server.malformed());
        // Nothing of it is carried into the next read.
        QCOMPARE(server.Unpack(packet(QByteArray("8\0\0\0", 4), "2")), QList<QByteArray>{"2"});
    }

    void companionRoundTrip()
    {
        quint16 port = 0;
        ITcpServer* server = newServer(&port);
        QVERIFY(server);
        QSignalSpy messages(server, &ITcpServer::recordMessage);

        // A connection nobody asked for is refused.
        QTcpSocket stranger;
        stranger.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(stranger.waitForConnected(3000));
        QTRY_COMPARE(stranger.state(), QAbstractSocket::UnconnectedState);
        QVERIFY(!server->clientSocket());

        const QString target = g_video_savepath + QStringLiteral("20261207101500.mp4");
        QVERIFY(server->startRecordVideo(target, QRect(10, 20, 640, 480)));
        QTRY_COMPARE(companionArguments(), (QStringList{target, "10", "20", "640", "480", "1"}));

        QTcpSocket companion;
        companion.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(companion.waitForConnected(3000));
        QTRY_VERIFY(server->clientSocket());

        // Commands before the connected reply are dropped.
        QVERIFY(server->stopRecordVideo());
        companion.write(ITcpServer::Packet("0"));
        QTRY_VERIFY(server->isConnected());
        QCOMPARE(messages.takeFirst(), (QList<QVariant>{0, QString()}));
        QVERIFY(!companion.bytesAvailable());

        QVERIFY(server->pauseRecordVideo(true));
        QVERIFY(server->pauseRecordVideo(false));
        QVERIFY(server->stopRecordVideo());
        QByteArray received;
        QTRY_COMPARE((received += companion.readAll()).size(), 36);
        QCOMPARE(received, ITcpServer::Packet("2") + ITcpServer::Packet("3") + ITcpServer::Packet("1"));

        // A finished reply is announced only for a file that exists in the video folder.
        companion.write(ITcpServer::Packet("1;" + target.toLocal8Bit()));
        companion.write(ITcpServer::Packet("1;/etc/passwd"));
        companion.write(ITcpServer::Packet("2"));
        QTRY_COMPARE(messages.size(), 1);
        QCOMPARE(messages.takeFirst(), (QList<QVariant>{2, QString()}));
        QFile video(target);
        QVERIFY(video.open(QIODevice::WriteOnly));
        video.write("x");
        video.close();
        companion.write(ITcpServer::Packet("1;" + target.toLocal8Bit()));
        QTRY_COMPARE(messages.size(), 1);
        QCOMPARE(messages.takeFirst(), (QList<QVariant>{1, target}));

        // Code 4 in a reply means nothing; a disconnect is code 4.
        companion.write(ITcpServer::Packet("4"));
        companion.disconnectFromHost();
        QTRY_COMPARE(messages.size(), 1);
        QCOMPARE(messages.takeFirst(), (QList<QVariant>{4, QString()}));
        QVERIFY(!server->isConnected());

        // A second start passes "0" and replaces the first companion.
        QVERIFY(server->startRecordVideo(target, QRect(0, 0, 320, 240)));
        QTRY_COMPARE(companionArguments().value(5), QStringLiteral("0"));
        QVERIFY(server->destoryRecord());
        delete server;
    }

    void malformedLengthClosesTheConnection()
    {
        quint16 port = 0;
        ITcpServer* server = newServer(&port);
        QVERIFY(server);
        QSignalSpy messages(server, &ITcpServer::recordMessage);
        QVERIFY(server->startRecordVideo(QStringLiteral("/tmp/x.mp4"), QRect(0, 0, 2, 2)));
        QTcpSocket companion;
        companion.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(companion.waitForConnected(3000));
        QTRY_VERIFY(server->clientSocket());
        companion.write(packet(QByteArray("-1\0\0", 4), "0"));
        QTRY_COMPARE(companion.state(), QAbstractSocket::UnconnectedState);
        QTRY_COMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).at(0).toInt(), 4);
        QVERIFY(!server->isConnected());
        delete server;
    }

    void companionThatCannotStart()
    {
        quint16 port = 0;
        ITcpServer* server = newServer(&port);
        QVERIFY(server);
        server->setCompanionProgram(m_dir.filePath(QStringLiteral("missing")));
        QSignalSpy messages(server, &ITcpServer::recordMessage);
        QVERIFY(!server->startRecordVideo(QStringLiteral("/tmp/x.mp4"), QRect(0, 0, 2, 2)));
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).at(0).toInt(), 3);
        delete server;
    }

    // The recorder facade's companion road: the server is made at set-up, the start goes
    // to the companion, and its replies become the facade's signals.
    void facadeDrivesTheCompanion()
    {
        IFFmpegApi* api = IFFmpegApi::instance();
        api->setUseCompanionRecorder(true);
        QVERIFY(api->initData());
        ITcpServer* server = api->companionServer();
        QVERIFY(server);
        server->close();
        server->setSocketPort(0);
        QVERIFY(server->starSocketListen());
        const quint16 port = server->serverPort();
        server->setCompanionProgram(m_dir.filePath(QStringLiteral("companion.sh")));

        QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
        QSignalSpy messages(api, &IFFmpegApi::recordMessage);
        QVERIFY(!api->startRecordVideo(g_video_savepath, QRect(0, 0, 320, 240))); // the companion records
        QTRY_COMPARE(companionArguments().value(0), api->outputPath());
        QVERIFY(api->outputPath().startsWith(g_video_savepath));

        QTcpSocket companion;
        companion.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(companion.waitForConnected(3000));
        companion.write(ITcpServer::Packet("0") + ITcpServer::Packet("2"));
        QTRY_COMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0).at(0).toInt(), 2);
        QVERIFY(api->pauseRecordVideo(true));
        QVERIFY(api->stopRecordVideo());
        QByteArray received;
        QTRY_COMPARE((received += companion.readAll()).size(), 24);
        QCOMPARE(received, ITcpServer::Packet("2") + ITcpServer::Packet("1"));

        QFile video(api->outputPath());
        QVERIFY(video.open(QIODevice::WriteOnly));
        video.write("x");
        video.close();
        companion.write(ITcpServer::Packet("1;" + api->outputPath().toLocal8Bit()));
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(finished.at(0).at(0).toString(), api->outputPath());
        companion.disconnectFromHost();
        QTRY_COMPARE(messages.size(), 2);
        QCOMPARE(messages.at(1).at(0).toInt(), 4);
        IFFmpegApi::destroyInstance();
    }

    void listensOnLoopbackOnly()
    {
        ITcpServer server;
        server.close();
        server.setSocketIP(QStringLiteral("0.0.0.0"));
        server.setSocketIP(QStringLiteral("192.0.2.1"));
        server.setSocketPort(0);
        QVERIFY(server.starSocketListen());
        QCOMPARE(server.serverAddress(), QHostAddress(QHostAddress::LocalHost));
    }
};

OCUMETRA_TEST_MAIN(TestCompanionLink)
#include "tst_companionlink.moc"
