// Viewers that need a real X server: the magnifier grabs the screen, and (below) the
// OpenGL frame renderers need a GL context, which Xvfb's Mesa gives and the offscreen
// platform does not.

#include <QLabel>
#include <QPainter>
#include <QRasterWindow>
#include <QScreen>
#include <QtTest>
#include <cmath>

#include "customui/imagnifierframe.h"
#include "customui/inv12render.h"
#include "customui/irgbrender.h"
#include "customui/iyuvrender.h"
#include "iapplication.h"
#include "screensetup.h"
#include "testenv.h"

namespace {

// Every pixel tells where it is: red and green the low bytes of x and y, blue the rest.
QRgb positionColour(int x, int y)
{
    return qRgb(x & 255, y & 255, ((x >> 8) << 4) | (y >> 8));
}

// Paints positionColour of its own device pixels, at any pixel ratio.
class PatternWindow : public QWidget
{
public:
    PatternWindow()
    {
        setWindowFlags(Qt::FramelessWindowHint);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFixedSize(600, 400);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const qreal ratio = devicePixelRatioF();
        if (m_image.isNull() || m_image.devicePixelRatioF() != ratio) {
            QImage image((QSizeF(size()) * ratio).toSize(), QImage::Format_RGB32);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    image.setPixel(x, y, positionColour(x, y));
            image.setDevicePixelRatio(ratio);
            m_image = image;
        }
        QPainter painter(this);
        painter.drawImage(0, 0, m_image);
    }

private:
    QImage m_image;
};

// A window of no widget, black: on the screen it hides what lies below, as XWayland's
// root window hides everything.
class BlackWindow : public QRasterWindow
{
protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(QRect(QPoint(0, 0), size()), Qt::black); }
};

// Pixels of a magnified picture that are not the pattern's device pixel corner + (i, j) / 2;
// every pixel when the picture is not 500 x 300 at that ratio.
// Pixels of a grab of the pattern window's top left corner that it does not show: it
// may be mapped before it is drawn.
int undrawnPixels(const QImage& grab)
{
    int wrong = 0;
    for (int j = 0; j < grab.height(); ++j)
        for (int i = 0; i < grab.width(); ++i)
            wrong += (grab.pixel(i, j) & 0xffffff) != (positionColour(i, j) & 0xffffff) ? 1 : 0;
    return wrong;
}

int wrongPixels(const QImage& picture, const QPoint& corner, qreal ratio)
{
    const QSize size = (QSizeF(500, 300) * ratio).toSize();
    if (picture.size() != size)
        return size.width() * size.height();
    int wrong = 0;
    for (int j = 0; j < picture.height(); ++j)
        for (int i = 0; i < picture.width(); ++i)
            if ((picture.pixel(i, j) & 0xffffff) != (positionColour(corner.x() + i / 2, corner.y() + j / 2) & 0xffffff))
                ++wrong;
    return wrong;
}

// Sets or clears an environment variable for as long as it lives.
class EnvironmentValue
{
public:
    EnvironmentValue(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvironmentValue()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

class CountingMagnifier : public IMagnifierFrame
{
public:
    explicit CountingMagnifier(IApplication* app)
        : IMagnifierFrame(app, nullptr)
    {
    }
    int moves = 0;
    void slGMouseMoveEvent(QPoint pos) override
    {
        ++moves;
        IMagnifierFrame::slGMouseMoveEvent(pos);
    }
};

// ---- CPU reference of what the renderers draw ----

// One 8-bit plane of channels interleaved samples.
struct Plane
{
    QByteArray bytes;
    int width = 0;
    int height = 0;
    int channels = 1;
    uchar* data() { return reinterpret_cast<uchar*>(bytes.data()); }
    int at(int x, int y, int c) const { return uchar(bytes.at((y * width + x) * channels + c)); }
};

// Plane filled by f(x, y, channel), kept within 0..255.
template <class F>
Plane makePlane(int width, int height, int channels, F f)
{
    Plane p;
    p.width = width;
    p.height = height;
    p.channels = channels;
    p.bytes.resize(width * height * channels);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c)
                p.bytes[(y * width + x) * channels + c] = char(qBound(0, f(x, y, c), 255));
    return p;
}

// What linear filtering with clamped edges reads at the centre of widget pixel
// (x, y) when the plane is stretched over a widget of size w x h; 0..1.
double sample(const Plane& p, int c, int x, int y, int w, int h)
{
    const double tx = (x + 0.5) / w * p.width - 0.5;
    const double ty = (y + 0.5) / h * p.height - 0.5;
    const int x0 = int(std::floor(tx));
    const int y0 = int(std::floor(ty));
    const double fx = tx - x0;
    const double fy = ty - y0;
    auto px = [&](int xi, int yi) {
        return p.at(qBound(0, xi, p.width - 1), qBound(0, yi, p.height - 1), c) / 255.0;
    };
    const double top = px(x0, y0) * (1 - fx) + px(x0 + 1, y0) * fx;
    const double bottom = px(x0, y0 + 1) * (1 - fx) + px(x0 + 1, y0 + 1) * fx;
    return top * (1 - fy) + bottom * fy;
}

QRgb yuvToRgb(double y, double u, double v)
{
    auto level = [](double value) { return qBound(0, int(std::lround(value * 255)), 255); };
    return qRgb(level(y + 1.13983 * v), level(y - 0.39465 * u - 0.58060 * v), level(y + 2.03211 * u));
}

QImage yuv420Reference(const Plane& y, const Plane& u, const Plane& v)
{
    const int w = y.width;
    const int h = y.height;
    QImage image(w, h, QImage::Format_RGB32);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            image.setPixel(i, j, yuvToRgb(sample(y, 0, i, j, w, h), sample(u, 0, i, j, w, h) - 0.5,
                                          sample(v, 0, i, j, w, h) - 0.5));
    return image;
}

QImage nv12Reference(const Plane& y, const Plane& uv)
{
    const int w = y.width;
    const int h = y.height;
    QImage image(w, h, QImage::Format_RGB32);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            image.setPixel(i, j, yuvToRgb(sample(y, 0, i, j, w, h) - 0.0625, sample(uv, 0, i, j, w, h) - 0.5,
                                          sample(uv, 1, i, j, w, h) - 0.5));
    return image;
}

// The largest difference of any colour channel; -1 when the sizes differ.
int maxDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            worst = qMax(worst, qMax(qAbs(qRed(p) - qRed(q)), qMax(qAbs(qGreen(p) - qGreen(q)),
                                                                     qAbs(qBlue(p) - qBlue(q)))));
        }
    return worst;
}

bool uniform(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, 0))
                return false;
    return true;
}

// Rough luma with detail, smooth chroma: the first row differs from the last.
Plane lumaPlane(int w, int h, int seed)
{
    return makePlane(w, h, 1, [=](int x, int y, int) { return (x * 7 + y * 13 + seed) & 255; });
}

Plane chromaPlane(int w, int h, int base, int dx, int dy)
{
    return makePlane(w, h, 1, [=](int x, int y, int) { return base + dx * x + dy * y; });
}

const int TOLERANCE = 4; // of 255: the GPU filters with fewer bits than the reference

}

class TestViewersScreen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString problem = screenSetupProblem();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }

    void magnifierShowsRegionUnderPointerOnEveryScreen()
    {
        // Here the screen is X's own: the desktop itself is grabbed.
        EnvironmentValue session("XDG_SESSION_TYPE", QByteArray());
        EnvironmentValue wayland("WAYLAND_DISPLAY", QByteArray());
        for (QScreen* screen : QGuiApplication::screens()) {
            const QRect geometry = screen->geometry();
            PatternWindow pattern;
            pattern.move(geometry.topLeft() + QPoint(100, 100));
            pattern.show();
            QVERIFY(QTest::qWaitForWindowExposed(&pattern));
            QCOMPARE(pattern.windowHandle()->screen(), screen);
            const QPoint placed = pattern.mapToGlobal(QPoint(0, 0)) - geometry.topLeft();
            QTRY_COMPARE_WITH_TIMEOUT(
                undrawnPixels(screen->grabWindow(0, placed.x(), placed.y(), 64, 64).toImage()), 0, 10000);
            const qreal ratio = pattern.devicePixelRatioF();

            IMagnifierFrame magnifier(nullptr, nullptr);
            magnifier.move(geometry.topLeft() + QPoint(720, 100));
            magnifier.show();
            QVERIFY(QTest::qWaitForWindowExposed(&magnifier));
            QLabel* label = magnifier.pictureLabel();
            QCOMPARE(label->size(), QSize(500, 300));
            const QPoint origin = pattern.mapToGlobal(QPoint(0, 0));
            magnifier.slGMouseMoveEvent(origin + QPoint(300, 200));
            // The area 250 x 150 around the pointer, twice as large in every direction,
            // in the device pixels of the screen: it fills the label.
            const QPoint corner = QPoint(300 - 125, 200 - 75) * ratio;
            QVERIFY(label->pixmap());
            QCOMPARE(label->pixmap()->devicePixelRatioF(), ratio);
            QCOMPARE(wrongPixels(label->pixmap()->toImage(), corner, ratio), 0);
            // As it stands on the screen, once drawn there.
            const QPoint at = label->mapTo(&magnifier, QPoint(0, 0));
            QTRY_COMPARE_WITH_TIMEOUT(
                wrongPixels(screen->grabWindow(magnifier.winId(), at.x(), at.y(), 500, 300).toImage(), corner, ratio),
                0, 10000);

            // At the screen's corner the area reaches past the desktop: still filled.
            magnifier.slGMouseMoveEvent(geometry.topLeft());
            QCOMPARE(label->pixmap()->size() / ratio, QSize(500, 300));
        }
    }

    void magnifierWithoutScreenShowsOwnWindows()
    {
        const QRect geometry = QGuiApplication::primaryScreen()->geometry();
        PatternWindow pattern;
        pattern.move(geometry.topLeft() + QPoint(100, 100));
        pattern.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pattern));
        const qreal ratio = pattern.devicePixelRatioF();
        BlackWindow cover;
        cover.setFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowTransparentForInput);
        cover.setGeometry(QRect(pattern.mapToGlobal(QPoint(0, 0)), pattern.size()));
        cover.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cover));
        const QPoint origin = pattern.mapToGlobal(QPoint(0, 0));
        const QPoint probe = origin - geometry.topLeft() + QPoint(200, 150);
        // The cover, once drawn, hides the pattern on the screen.
        QTRY_COMPARE_WITH_TIMEOUT(
            QGuiApplication::primaryScreen()->grabWindow(0, probe.x() + 100, probe.y() + 50, 1, 1).toImage().pixel(0, 0)
                & 0xffffff,
            0u, 10000);

        // A Wayland session: the screen cannot be grabbed, the program's own window is shown.
        EnvironmentValue wayland("WAYLAND_DISPLAY", "wayland-0");
        IMagnifierFrame magnifier(nullptr, nullptr);
        magnifier.slGMouseMoveEvent(origin + QPoint(300, 200));
        QLabel* label = magnifier.pictureLabel();
        QVERIFY(label->pixmap());
        QCOMPARE(wrongPixels(label->pixmap()->toImage(), QPoint(300 - 125, 200 - 75) * ratio, ratio), 0);

        // Half of the area lies beyond the window: that half is not black either, the
        // window's half is magnified in its place.
        magnifier.slGMouseMoveEvent(origin + QPoint(0, 75));
        const QImage half = label->pixmap()->toImage();
        QCOMPARE(half.size(), (QSizeF(500, 300) * ratio).toSize());
        int black = 0;
        for (int j = 0; j < half.height(); ++j)
            for (int i = 0; i < half.width() / 2; ++i)
                if ((half.pixel(i, j) & 0xffffff) == 0)
                    ++black;
        QCOMPARE(black, 0);
        const QPoint inside(half.width() / 2 + 40, 100);
        QCOMPARE(half.pixel(inside) & 0xffffff, positionColour((inside.x() - half.width() / 2) / 2,
                                                               inside.y() / 2) & 0xffffff);
    }

    void magnifierFollowsPointerOnlyWhileShown()
    {
        auto* app = qobject_cast<IApplication*>(qApp);
        QVERIFY(app);
        CountingMagnifier magnifier(app);
        emit app->sgGMouseMoveEvent(QPoint(10, 10));
        QCOMPARE(magnifier.moves, 0);

        magnifier.setFrameVisible(true);
        QVERIFY(magnifier.isVisible());
        emit app->sgGMouseMoveEvent(QPoint(10, 10));
        QCOMPARE(magnifier.moves, 1);

        // Hidden and shown again: still one update per move.
        magnifier.setFrameVisible(false);
        emit app->sgGMouseMoveEvent(QPoint(10, 10));
        QCOMPARE(magnifier.moves, 1);
        magnifier.setFrameVisible(true);
        magnifier.setFrameVisible(true);
        emit app->sgGMouseMoveEvent(QPoint(10, 10));
        QCOMPARE(magnifier.moves, 2);
        QVERIFY(!magnifier.pictureLabel()->pixmap()->isNull());

        // Closing through the title's close icon lets go like the tool bar does.
        magnifier.close();
        QVERIFY(!magnifier.isVisible());
        emit app->sgGMouseMoveEvent(QPoint(10, 10));
        QCOMPARE(magnifier.moves, 2);
        // The last picture stays for the next showing.
        QVERIFY(!magnifier.pictureLabel()->pixmap()->isNull());
    }

    void magnifierStandsAtRightEdge()
    {
        // On the screen of the pointer, whichever that is.
        for (QScreen* screen : QGuiApplication::screens()) {
            QCursor::setPos(screen->geometry().center());
            QTRY_COMPARE(QGuiApplication::screenAt(QCursor::pos()), screen);
            IMagnifierFrame magnifier(nullptr, nullptr);
            magnifier.setFrameVisible(true);
            const QRect area = screen->availableGeometry();
            QCOMPARE(magnifier.pos(), QPoint(area.left() + area.width() - magnifier.width(), area.top() + 100));
        }
    }

    // ---- OpenGL renderers ----

    void yuvRendererMatchesCpuConversion_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("even") << QSize(64, 48);
        QTest::newRow("odd") << QSize(33, 21);
    }
    void yuvRendererMatchesCpuConversion()
    {
        QFETCH(QSize, size);
        const int w = size.width();
        const int h = size.height();
        IYuvRender render;
        render.resize(size);
        const QImage blank = render.grabFramebuffer();
        QCOMPARE(blank.size(), size);
        QVERIFY(uniform(blank));

        Plane y = lumaPlane(w, h, 0);
        Plane u = chromaPlane(w >> 1, h >> 1, 60, 4, 3);
        Plane v = chromaPlane(w >> 1, h >> 1, 190, -4, -2);
        render.setYuvData(y.data(), u.data(), v.data(), w, h);
        // Not started: nothing is drawn.
        QCOMPARE(render.grabFramebuffer(), blank);

        render.startRender();
        QImage shot = render.grabFramebuffer();
        QVERIFY2(maxDifference(shot, yuv420Reference(y, u, v)) <= TOLERANCE,
                 qPrintable(QString::number(maxDifference(shot, yuv420Reference(y, u, v)))));

        // The next frame replaces the first.
        Plane y2 = lumaPlane(w, h, 100);
        Plane u2 = chromaPlane(w >> 1, h >> 1, 200, -3, -4);
        Plane v2 = chromaPlane(w >> 1, h >> 1, 40, 3, 5);
        render.setYuvData(y2.data(), u2.data(), v2.data(), w, h);
        shot = render.grabFramebuffer();
        QVERIFY2(maxDifference(shot, yuv420Reference(y2, u2, v2)) <= TOLERANCE,
                 qPrintable(QString::number(maxDifference(shot, yuv420Reference(y2, u2, v2)))));

        // Stopped: the last frame stays, the new data is not drawn.
        render.stopRender();
        render.setYuvData(y.data(), u.data(), v.data(), w, h);
        QCOMPARE(render.grabFramebuffer(), shot);
    }

    void nv12RendererMatchesCpuConversion_data()
    {
        yuvRendererMatchesCpuConversion_data();
    }
    void nv12RendererMatchesCpuConversion()
    {
        QFETCH(QSize, size);
        const int w = size.width();
        const int h = size.height();
        INv12Render render;
        render.resize(size);
        // Nothing set: nothing but the background.
        const QImage blank = render.grabFramebuffer();
        QCOMPARE(blank.size(), size);
        QVERIFY(uniform(blank));

        const Plane y = lumaPlane(w, h, 30);
        Plane uv = makePlane(w >> 1, h >> 1, 2, [](int x, int yy, int c) {
            return c == 0 ? 70 + 4 * x + 3 * yy : 180 - 4 * x - 2 * yy;
        });
        Plane yCopy = y;
        render.setNv12Data(yCopy.data(), uv.data(), w, h);
        QImage shot = render.grabFramebuffer();
        const QImage expected = nv12Reference(y, uv);
        QVERIFY2(maxDifference(shot, expected) <= TOLERANCE, qPrintable(QString::number(maxDifference(shot, expected))));

        // One buffer: the chroma plane right behind the luma plane.
        Plane y2 = lumaPlane(w, h, 90);
        QByteArray buffer = y2.bytes + uv.bytes;
        render.setNv12Data(reinterpret_cast<uchar*>(buffer.data()), w, h);
        shot = render.grabFramebuffer();
        const QImage expected2 = nv12Reference(y2, uv);
        QVERIFY2(maxDifference(shot, expected2) <= TOLERANCE, qPrintable(QString::number(maxDifference(shot, expected2))));
    }

    void midGreyFrames()
    {
        const int w = 16;
        const int h = 8;
        Plane grey = makePlane(w, h, 1, [](int, int, int) { return 128; });
        Plane greyChroma = makePlane(w / 2, h / 2, 1, [](int, int, int) { return 128; });
        IYuvRender yuv;
        yuv.resize(w, h);
        yuv.setYuvData(grey.data(), greyChroma.data(), greyChroma.data(), w, h);
        yuv.startRender();
        QImage shot = yuv.grabFramebuffer();
        QVERIFY(qAbs(qRed(shot.pixel(5, 5)) - 128) <= 1); // about 0.50
        QVERIFY(qAbs(qGreen(shot.pixel(5, 5)) - 128) <= 1);
        QVERIFY(qAbs(qBlue(shot.pixel(5, 5)) - 128) <= 1);

        // NV12 takes the luma offset off: about 0.44.
        Plane pairs = makePlane(w / 2, h / 2, 2, [](int, int, int) { return 128; });
        INv12Render nv12;
        nv12.resize(w, h);
        nv12.setNv12Data(grey.data(), pairs.data(), w, h);
        shot = nv12.grabFramebuffer();
        QVERIFY2(qAbs(qRed(shot.pixel(5, 5)) - 112) <= 1, qPrintable(QString::number(qRed(shot.pixel(5, 5)))));
        QVERIFY(qAbs(qGreen(shot.pixel(5, 5)) - 112) <= 1);
        QVERIFY(qAbs(qBlue(shot.pixel(5, 5)) - 112) <= 1);
    }

    void rgbRendererDrawsFrameAsGiven_data()
    {
        yuvRendererMatchesCpuConversion_data();
    }
    void rgbRendererDrawsFrameAsGiven()
    {
        QFETCH(QSize, size);
        const int w = size.width();
        const int h = size.height();
        IRgbRender render;
        render.resize(size);
        const QImage blank = render.grabFramebuffer();
        QVERIFY(uniform(blank));

        Plane rgb = makePlane(w, h, 3, [](int x, int y, int c) {
            return c == 0 ? x * 5 : c == 1 ? y * 9 : (x * 3 + y * 11) & 255;
        });
        render.setRgbData(rgb.data(), w, h);
        const QImage shot = render.grabFramebuffer();
        QImage expected(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                expected.setPixel(x, y, qRgb(rgb.at(x, y, 0), rgb.at(x, y, 1), rgb.at(x, y, 2)));
        QVERIFY2(maxDifference(shot, expected) <= 1, qPrintable(QString::number(maxDifference(shot, expected))));
    }
};

int main(int argc, char** argv)
{
    TestEnv::prepare();
    IApplication app(QStringLiteral("OcumetraViewersScreenTest"), argc, argv);
    TestEnv::afterApplication();
    TestViewersScreen tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_viewers_screen.moc"
