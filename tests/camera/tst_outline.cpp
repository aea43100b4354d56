#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

#include "opencv/iopencvapi.h"
#include "tst_camera.h"

namespace {

// A sheet of paper with lines of text lying on a desk, seen by a document camera: the
// sheet turned and slightly in perspective, the desk textured, sometimes a shadow along
// the sheet or a pen beside it. Everything follows from the seed, so the pictures are the
// same on every run.
struct Scene
{
    QSize size;
    quint32 seed;
    double cover;   // the sheet's share of the picture's width
    double turn;    // degrees
    QColor desk;
    QColor paper;
    bool shadow;
    bool pen;
};

QImage drawScene(const Scene& s)
{
    QRandomGenerator random(s.seed);
    QImage picture(s.size, QImage::Format_RGB32);
    const int w = s.size.width();
    const int h = s.size.height();
    QPainter p(&picture);
    QLinearGradient desk(0, 0, w, h);
    desk.setColorAt(0, s.desk.lighter(115));
    desk.setColorAt(1, s.desk.darker(115));
    p.fillRect(picture.rect(), desk);
    // Wood grain: faint streaks across the desk.
    for (int i = 0; i < 60; ++i) {
        const int y = random.bounded(h);
        QColor c = s.desk;
        c.setAlpha(40);
        p.setPen(QPen(random.bounded(2) ? c.lighter(130) : c.darker(130), 1 + random.bounded(3) * w / 1920.0));
        p.drawLine(QPointF(0, y), QPointF(w, y + random.bounded(h / 8) - h / 16));
    }
    p.setRenderHint(QPainter::Antialiasing);

    // The sheet: an A4-shaped page turned about its centre, its corners nudged for perspective.
    const double pw = s.cover * w;
    const double ph = std::min(pw * 1.414, 0.72 * h);
    const double width = ph / 1.414;
    const QPointF centre(w / 2.0 + (random.bounded(21) - 10) * w / 200.0, h / 2.0 + (random.bounded(21) - 10) * h / 400.0);
    QTransform turn;
    turn.translate(centre.x(), centre.y()).rotate(s.turn);
    QPolygonF quad;
    for (const QPointF& c : {QPointF(-width / 2, -ph / 2), QPointF(width / 2, -ph / 2), QPointF(width / 2, ph / 2),
                             QPointF(-width / 2, ph / 2)})
        quad << turn.map(c) + QPointF((random.bounded(11) - 5) * w / 1000.0, (random.bounded(11) - 5) * h / 1000.0);

    if (s.shadow) {
        QColor shade(0, 0, 0, 90);
        p.setPen(Qt::NoPen);
        p.setBrush(shade);
        p.drawPolygon(quad.translated(w / 120.0, h / 80.0));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(s.paper);
    p.drawPolygon(quad);

    // Lines of text, mapped from the flat page onto the sheet.
    QTransform page;
    const QPolygonF flat(QVector<QPointF>{QPointF(0, 0), QPointF(210, 0), QPointF(210, 297), QPointF(0, 297)});
    if (QTransform::quadToQuad(flat, quad, page)) {
        p.setTransform(page);
        p.setPen(QPen(QColor(40, 40, 50), 1.2));
        for (double y = 30; y < 270; y += 9) {
            const double end = 25 + random.bounded(160);
            for (double x = 20; x < end; x += 6 + random.bounded(10))
                p.drawLine(QPointF(x, y), QPointF(x + 3 + random.bounded(6), y));
        }
        p.fillRect(QRectF(20, 12, 90, 8), QColor(30, 30, 40));
        p.resetTransform();
    }

    if (s.pen) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 40, 140));
        p.translate(w * 0.88, h * 0.3);
        p.rotate(75);
        p.drawRoundedRect(QRectF(0, 0, h * 0.35, h * 0.025), h * 0.01, h * 0.01);
    }
    p.end();

    // Sensor noise.
    for (int y = 0; y < h; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int n = int(random.bounded(7)) - 3;
            const QRgb c = row[x];
            row[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255), qBound(0, qBlue(c) + n, 255));
        }
    }
    return picture;
}

QList<Scene> scenes()
{
    const QColor wood(110, 75, 45), grey(70, 70, 75), blue(35, 50, 80), light(150, 150, 145);
    const QColor white(240, 238, 232), cream(228, 222, 200);
    return {
        {QSize(1920, 1080), 1, 0.30, 0.0, grey, white, false, false},
        {QSize(1920, 1080), 2, 0.32, 8.0, wood, white, true, false},
        {QSize(1920, 1080), 3, 0.28, -14.0, blue, cream, false, true},
        {QSize(1920, 1080), 4, 0.35, 25.0, wood, cream, true, true},
        {QSize(1920, 1080), 5, 0.31, -3.0, light, white, true, false}, // low contrast
        {QSize(1920, 1080), 6, 0.12, 5.0, grey, white, false, false},  // a small card
        {QSize(3840, 2160), 7, 0.30, 4.0, wood, white, false, true},
        {QSize(3840, 2160), 8, 0.33, -20.0, grey, cream, true, false},
        {QSize(3840, 2160), 9, 0.29, 12.0, blue, white, false, false},
        {QSize(1280, 720), 10, 0.34, -8.0, wood, white, true, false},
        {QSize(640, 480), 11, 0.40, 6.0, grey, white, false, false},   // not reduced
        {QSize(2592, 1944), 12, 0.45, -11.0, wood, cream, false, true},
    };
}

// Outlines the detection found on these pictures before it was made cheaper; a missing
// outline is an empty list.
const QList<QList<QPointF>>& recordedOutlines()
{
    static const QList<QList<QPointF>> outlines = {
        {{721.10, 132.49}, {713.45, 917.47}, {1270.78, 914.29}, {1270.82, 132.45}},
        {{703.00, 103.33}, {613.89, 875.27}, {1144.85, 953.03}, {1258.99, 177.77}},
        {{1032.16, 131.12}, {504.97, 262.48}, {687.25, 1002.98}, {1212.40, 872.74}},
        {{959.38, 80.63}, {617.05, 783.88}, {1114.92, 1021.09}, {1459.51, 315.57}},
        {{1296.29, 130.44}, {751.01, 156.99}, {815.58, 953.46}, {1362.51, 919.30}},
        {},
        {{1368.00, 258.00}, {1290.00, 1830.00}, {2383.10, 1890.33}, {2495.42, 341.21}},
        {{1980.00, 162.00}, {930.00, 552.00}, {1458.00, 2010.00}, {2502.54, 1628.41}},
        {{1575.41, 143.83}, {1266.00, 1674.00}, {2318.59, 1891.74}, {2664.00, 384.00}},
        {{816.78, 82.73}, {466.69, 136.73}, {528.72, 648.53}, {892.94, 597.28}},
        {{244.33, 67.24}, {208.20, 407.76}, {445.94, 435.38}, {482.69, 90.76}},
        {{1665.77, 178.47}, {681.42, 367.46}, {951.75, 1745.55}, {1925.29, 1552.19}},
    };
    return outlines;
}

// The same corners in the same turning order, from any starting corner.
double worstCornerDistance(const QPolygonF& found, const QList<QPointF>& expected)
{
    if (found.size() != expected.size())
        return 1e9;
    if (found.isEmpty())
        return 0.0;
    double best = 1e9;
    const int n = found.size();
    for (int shift = 0; shift < n; ++shift) {
        double worst = 0.0;
        for (int i = 0; i < n; ++i) {
            const QPointF d = found.at((i + shift) % n) - expected.at(i);
            worst = std::max(worst, std::hypot(d.x(), d.y()));
        }
        best = std::min(best, worst);
    }
    return best;
}

} // namespace

// The outline of a document stays where it was found before the detection was made
// cheaper: the same corners within a pixel and a half at full size, on every picture.
void TestCamera::outlineUnchangedOnDocumentPictures()
{
    const QList<Scene> all = scenes();
    QCOMPARE(recordedOutlines().size(), all.size());
    for (int i = 0; i < all.size(); ++i) {
        const QImage picture = drawScene(all.at(i));
        const AutoEdgeData edge = IOpencvApi::findDocumentOutline(IOpencvApi::cvImage2Mat(picture));
        const QList<QPointF>& expected = recordedOutlines().at(i);
        const double off = worstCornerDistance(edge.polygon, expected);
        QVERIFY2(off <= 1.5, qPrintable(QStringLiteral("picture %1: %2 corners, %3 px off")
                                            .arg(i).arg(edge.polygon.size()).arg(off)));
        QCOMPARE(edge.angle == -1.0, expected.isEmpty());
    }
}
