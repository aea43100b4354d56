// The simulated camera's photos show the stream's scene at the photo's size, with a
// running clock so that two photos differ.

#include <QTcpSocket>
#include <QtTest>

#include "ffmpeg/wifirtsp/iwifiprotocol.h"
#include "simcamera.h"
#include "testenv.h"

namespace {
bool near(const QColor& a, const QColor& b, int tolerance)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

// The camera runs on this thread too: wait with the event loop turning.
QByteArray readExactly(QTcpSocket& socket, int count)
{
    QByteArray bytes;
    QElapsedTimer clock;
    clock.start();
    while (bytes.size() < count && clock.elapsed() < 5000) {
        bytes += socket.read(count - bytes.size());
        if (bytes.size() < count)
            QTest::qWait(10);
    }
    return bytes;
}

// One photo over the control link, as the program asks for it.
QImage takePhoto(QTcpSocket& socket, const QByteArray& id)
{
    socket.write(IWifiProtocol::packet(id, IWifiProtocol::TakePhoto, QVariant()));
    const QByteArray header = readExactly(socket, 9);
    if (header.size() != 9)
        return QImage();
    const int length = IWifiProtocol::byteAraryToInt(header.mid(5, 4), false);
    return QImage::fromData(readExactly(socket, length), "JPEG");
}
}

class TestSimCamera : public QObject
{
    Q_OBJECT

private slots:
    void photosShowTheStreamScene()
    {
        SimCamera camera;
        QVERIFY(camera.start());
        // No photo size of its own: photos come at the size it streams (1280x720).
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, camera.port());
        QVERIFY(socket.waitForConnected(5000));
        socket.write(IWifiProtocol::bindRequest());
        const QByteArray id = readExactly(socket, 2);
        QCOMPARE(id.size(), 2);

        const QImage first = takePhoto(socket, id);
        QCOMPARE(first.size(), QSize(1280, 720));
        // The seven bars of the stream's pattern, left to right, at mid-height of the bars.
        const QColor bars[7] = {{192, 192, 192}, {192, 192, 0}, {0, 192, 192}, {0, 192, 0},
                                {192, 0, 192},   {192, 0, 0},   {0, 0, 192}};
        for (int i = 0; i < 7; ++i) {
            const QColor seen = first.pixelColor(1280 * (2 * i + 1) / 14, 720 / 3);
            QVERIFY2(near(seen, bars[i], 16), qPrintable(QStringLiteral("bar %1: %2").arg(i).arg(seen.name())));
        }

        QTest::qWait(1100);
        const QImage second = takePhoto(socket, id);
        QCOMPARE(second.size(), QSize(1280, 720));
        // Same bars, another time on the clock.
        QVERIFY(near(second.pixelColor(1280 / 14, 720 / 3), bars[0], 16));
        const QRect clock(0, 720 * 3 / 4, 1280 / 2, 720 / 4);
        QVERIFY(first.copy(clock) != second.copy(clock));

        // Photos follow the stream size, unless the camera's photos have a size of their own.
        camera.setStreamSize(QSize(320, 240));
        QCOMPARE(takePhoto(socket, id).size(), QSize(320, 240));
        camera.setPhotoSize(QSize(800, 450));
        QCOMPARE(takePhoto(socket, id).size(), QSize(800, 450));
    }
};

OCUMETRA_TEST_MAIN(TestSimCamera)
#include "tst_simcamera.moc"
