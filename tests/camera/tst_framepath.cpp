#include <QPainter>
#include <QtTest>

#include "framepathbackend.h"
#include "tst_camera.h"
#include "uvc/iuvcthread.h"

namespace {

class CapturingBackend : public FramePathBackend
{
public:
    using IDeviceCameraThread::answerCaptures;
    using IDeviceCameraThread::queueCapture;
};

QImage documentFrame(QColor background)
{
    QImage frame(320, 240, QImage::Format_RGB32);
    frame.fill(background);
    QPainter p(&frame);
    p.fillRect(60, 40, 200, 160, Qt::white);
    return frame;
}

}

// With automatic edging the live picture carries the outline on a reused buffer: frames
// the receiver still holds must never be overwritten, and captures stay clean.
void TestCamera::liveFramesWithOutlineKeepTheirPixels()
{
    FramePathBackend backend;
    backend.setAutoEdgeFlag(true);
    QList<QImage> shown;
    connect(&backend, &ICameraBackend::sgCameraFrame, this, [&](QImage image) { shown << image; });

    const QList<QColor> colours{Qt::darkBlue, Qt::darkGreen, Qt::darkCyan, Qt::darkMagenta, Qt::darkGray};
    for (const QColor& c : colours) {
        QImage frame = documentFrame(c);
        backend.publishFrame(frame);
    }

    QCOMPARE(shown.size(), colours.size());
    for (int i = 0; i < colours.size(); ++i) {
        QCOMPARE(shown[i].pixelColor(5, 5), colours[i]);
        QCOMPARE(shown[i].pixelColor(60, 120), QColor(Qt::red)); // outline on the left edge
    }
    QVERIFY(backend.autoEdgeData().polygon.size() == 4);

    const QImage capture = backend.captureImage(IMAGE_PLAIN);
    QCOMPARE(capture, documentFrame(colours.last())); // every pixel as the camera gave it

    // Once the receiver lets go, the buffers are reused and still right.
    shown.clear();
    QImage black = documentFrame(Qt::black);
    backend.publishFrame(black);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].pixelColor(5, 5), QColor(Qt::black));
}

// Two snapshot requests before the next frame (a timed shot beside a click) are two
// pictures, each through its own filter; a frame answers only requests made before it.
void TestCamera::capturesWithinOneFrameAllAnswered()
{
    CapturingBackend backend;
    QList<QImage> captured;
    connect(&backend, &ICameraBackend::sgCaptureImage, this, [&](QImage image) { captured << image; });

    backend.queueCapture(IMAGE_PLAIN);
    backend.queueCapture(IMAGE_BLACKWHITE);
    backend.answerCaptures(documentFrame(Qt::darkBlue));
    QCOMPARE(captured.size(), 2);
    QCOMPARE(captured[0].format(), QImage::Format_RGB32);
    QCOMPARE(captured[0].pixelColor(5, 5), QColor(Qt::darkBlue));
    QCOMPARE(captured[1].format(), QImage::Format_Indexed8);
    QCOMPARE(captured[1].pixelColor(5, 5), QColor(Qt::black));
    QCOMPARE(captured[1].pixelColor(160, 120), QColor(Qt::white));

    backend.answerCaptures(documentFrame(Qt::darkRed));
    QCOMPARE(captured.size(), 2);

    // A USB camera that is not streaming refuses the request instead of never answering.
    IUvcThread idle{ICameraInfo()};
    QVERIFY(!idle.setCaptureFalg(IMAGE_PLAIN));
}
