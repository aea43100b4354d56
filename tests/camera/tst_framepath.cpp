#include <QPainter>
#include <QtTest>

#include "framepathbackend.h"
#include "tst_camera.h"

namespace {

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
    for (const QColor& c : colours)
        backend.publishFrame(documentFrame(c));

    QCOMPARE(shown.size(), colours.size());
    for (int i = 0; i < colours.size(); ++i) {
        QCOMPARE(shown[i].pixelColor(5, 5), colours[i]);
        QCOMPARE(shown[i].pixelColor(60, 120), QColor(Qt::red)); // outline on the left edge
    }
    QVERIFY(backend.autoEdgeData().polygon.size() == 4);

    const QImage capture = backend.captureImage(IMAGE_PLAIN);
    QCOMPARE(capture.pixelColor(5, 5), colours.last());
    QCOMPARE(capture.pixelColor(60, 120), QColor(Qt::white));

    // Once the receiver lets go, the buffers are reused and still right.
    shown.clear();
    backend.publishFrame(documentFrame(Qt::black));
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].pixelColor(5, 5), QColor(Qt::black));
}
