#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QtTest>
#include <linux/videodev2.h>

#include "imaccapturethread.h"
#include "imacusbdevice.h"
#include "imjpegdecoder.h"
#include "tst_camera.h"
#include "uvc/itxcamerainfo.h"
#include "uvc/iuvcthread.h"

namespace {

QByteArray jpegOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(95);
    writer.write(image);
    return bytes;
}

// The frame's marker segments, each from its 0xff to its end; the entropy-coded data
// after the scan header is left in the last part.
QList<QByteArray> jpegSegments(const QByteArray& jpeg)
{
    QList<QByteArray> segments{jpeg.left(2)};
    int at = 2;
    while (at + 4 <= jpeg.size()) {
        const int length = (uchar(jpeg.at(at + 2)) << 8) | uchar(jpeg.at(at + 3));
        if (uchar(jpeg.at(at + 1)) == 0xda) {
            segments << jpeg.mid(at);
            break;
        }
        segments << jpeg.mid(at, 2 + length);
        at += 2 + length;
    }
    return segments;
}

QByteArray withoutMarker(const QByteArray& jpeg, uchar marker)
{
    QByteArray out;
    for (const QByteArray& segment : jpegSegments(jpeg))
        if (segment.size() < 2 || uchar(segment.at(1)) != marker)
            out += segment;
    return out;
}

// A picture with detail in every block, so each table shapes the result.
QImage busyPicture(const QSize& size, int seed)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x * 37 + y * 11 + seed) % 256, (x * x + y * 53 + seed * 3) % 256,
                                      (x * 7 + y * y * 5 + seed * 7) % 256));
    return image;
}

bool near(const QColor& a, const QColor& b, int tolerance)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

// Answers the enumeration ioctls like a camera with YUYV, MJPEG and H.264.
int fakeDevice(unsigned long request, void* arg)
{
    struct Size { quint32 fourcc; quint32 w, h; };
    static const QList<quint32> formats = {V4L2_PIX_FMT_YUYV, V4L2_PIX_FMT_MJPEG, V4L2_PIX_FMT_H264};
    static const QList<Size> sizes = {
        {V4L2_PIX_FMT_YUYV, 640, 480}, {V4L2_PIX_FMT_YUYV, 1280, 720},
        {V4L2_PIX_FMT_MJPEG, 1920, 1080}, {V4L2_PIX_FMT_MJPEG, 1280, 720}, {V4L2_PIX_FMT_MJPEG, 3840, 2160},
        {V4L2_PIX_FMT_H264, 1920, 1080},
    };
    if (request == VIDIOC_ENUM_FMT) {
        auto* d = static_cast<v4l2_fmtdesc*>(arg);
        if (d->type != V4L2_BUF_TYPE_VIDEO_CAPTURE || d->index >= quint32(formats.size()))
            return -1;
        d->pixelformat = formats.at(int(d->index));
        return 0;
    }
    if (request == VIDIOC_ENUM_FRAMESIZES) {
        auto* s = static_cast<v4l2_frmsizeenum*>(arg);
        quint32 n = 0;
        for (const Size& size : sizes) {
            if (size.fourcc != s->pixel_format)
                continue;
            if (n++ == s->index) {
                s->type = V4L2_FRMSIZE_TYPE_DISCRETE;
                s->discrete.width = size.w;
                s->discrete.height = size.h;
                return 0;
            }
        }
        return -1;
    }
    if (request == VIDIOC_ENUM_FRAMEINTERVALS) {
        auto* i = static_cast<v4l2_frmivalenum*>(arg);
        if (i->index != 0)
            return -1;
        i->type = V4L2_FRMIVAL_TYPE_DISCRETE;
        i->discrete.numerator = 1;
        i->discrete.denominator = i->pixel_format == V4L2_PIX_FMT_MJPEG ? 30 : 10;
        return 0;
    }
    return -1;
}

// Shaped like libuvc's descriptor dump.
const char* const kDescriptionSample = R"(DEVICE CONFIGURATION (f0c4:0102/SN0001) ---
Status: idle
VideoControl:
	bcdUVC: 0x0100
VideoStreaming(1):
	bEndpointAddress: 129
	Formats:
	UncompressedFormat(1)
		  bits per pixel: 16
		  GUID: 5955595900001000800000aa00389b71 (YUY2)
		  default frame: 1
			FrameDescriptor(1)
			  capabilities: 00
			  size: 640x480
			  bit rate: 24576000-147456000
			  max frame size: 614400
			  default interval: 1/30
			  interval[0]: 1/30
	MJPEGFormat(2)
		  bits per pixel: 0
		  GUID: 4d4a5047000000000000000000000000 (MJPG)
		  default frame: 1
			FrameDescriptor(1)
			  capabilities: 00
			  size: 1920x1080
			  bit rate: 0-0
			  default interval: 1/30
			  interval[0]: 1/30
			  interval[1]: 1/15
			FrameDescriptor(2)
			  capabilities: 00
			  size: 3264x2448
			  interval[0]: 1/15
			FrameDescriptor(3)
			  capabilities: 00
			  size: 1280x720
			  min interval[0] = 1/60
END DEVICE CONFIGURATION
)";

} // namespace

void TestCamera::mjpegDecodesToSizeAndColours()
{
    const QList<QColor> colours = {QColor(220, 40, 40), QColor(40, 200, 60), QColor(30, 60, 220), QColor(240, 240, 240)};
    for (const QSize& size : {QSize(320, 240), QSize(1920, 1080), QSize(17, 9)}) {
        QImage source(size, QImage::Format_RGB32);
        QPainter painter(&source);
        const int w = size.width() / 2, h = size.height() / 2;
        painter.fillRect(0, 0, w, h, colours.at(0));
        painter.fillRect(w, 0, size.width() - w, h, colours.at(1));
        painter.fillRect(0, h, w, size.height() - h, colours.at(2));
        painter.fillRect(w, h, size.width() - w, size.height() - h, colours.at(3));
        painter.end();

        IMjpegDecoder decoder;
        const QByteArray jpeg = jpegOf(source);
        QCOMPARE(decoder.frameSize(reinterpret_cast<const uchar*>(jpeg.constData()), size_t(jpeg.size())), size);
        const QImage decoded = decoder.decode(jpeg);
        QCOMPARE(decoded.size(), size);
        QCOMPARE(decoded.format(), QImage::Format_RGB32);

        // Planes still kept by a picture being shown are not written by the next frame.
        IMjpegDecoder::Planes kept, next;
        QVERIFY(decoder.decodePlanes(reinterpret_cast<const uchar*>(jpeg.constData()), size_t(jpeg.size()), size, &kept));
        const auto luma = [](const IMjpegDecoder::Planes& p) {
            return QByteArray(reinterpret_cast<const char*>(p.data[0]), p.stride[0] * p.size.height());
        };
        const QByteArray keptLuma = luma(kept);
        const QByteArray other = jpegOf(source.mirrored(true, true));
        QVERIFY(decoder.decodePlanes(reinterpret_cast<const uchar*>(other.constData()), size_t(other.size()), size, &next));
        QVERIFY(luma(next) != keptLuma);
        QCOMPARE(luma(kept), keptLuma);
        if (size.width() < 32)
            continue; // too small for clean quadrant centres
        const QList<QPoint> centres = {QPoint(w / 2, h / 2), QPoint(w + w / 2, h / 2), QPoint(w / 2, h + h / 2),
                                       QPoint(w + w / 2, h + h / 2)};
        for (int i = 0; i < 4; ++i)
            QVERIFY2(near(decoded.pixelColor(centres.at(i)), colours.at(i), 6),
                     qPrintable(decoded.pixelColor(centres.at(i)).name()));
        QCOMPARE(qAlpha(decoded.pixel(1, 1)), 255);
    }
}

void TestCamera::mjpegRejectsGarbage()
{
    IMjpegDecoder decoder;
    QVERIFY(decoder.decode(QByteArray()).isNull());
    QVERIFY(decoder.decode(QByteArray(4096, '\x5a')).isNull());
    QByteArray header("\xff\xd8\xff\xe0", 4);
    QVERIFY(decoder.decode(header).isNull());
    QVERIFY(decoder.decode(nullptr, 100).isNull());

    // A frame cut short still decodes to its full size (the camera's usual hiccup).
    QImage source(64, 64, QImage::Format_RGB32);
    source.fill(QColor(100, 150, 200));
    const QByteArray jpeg = jpegOf(source);
    const QImage cut = decoder.decode(jpeg.left(jpeg.size() * 2 / 3));
    QVERIFY(cut.isNull() || cut.size() == QSize(64, 64));
}

// One damaged frame (two start markers, an unknown marker) left the decoder failing
// every later frame, so the live picture stopped for good. Found by fuzzing.
void TestCamera::mjpegRecoversAfterDamagedFrame()
{
    QImage source(48, 32, QImage::Format_RGB32);
    source.fill(QColor(200, 60, 20));
    const QByteArray good = jpegOf(source);
    IMjpegDecoder decoder;
    for (const QByteArray& damaged : {QByteArray("\xff\xd8\xff\xd8", 4), QByteArray("\xff\xd8\xff\xf3\x00\x04\x00\x00", 8)}) {
        QVERIFY(decoder.decode(damaged).isNull());
        const QImage next = decoder.decode(good);
        QCOMPARE(next.size(), QSize(48, 32));
        QVERIFY(near(next.pixelColor(24, 16), QColor(200, 60, 20), 6));
        QVERIFY(!decoder.decode(good, true).isNull());
    }
}

// MJPEG cameras send frames without Huffman tables, which then mean the standard ones.
// The decoder kept an earlier frame's tables (or a refused frame's broken one) and
// decoded such frames wrongly, or not at all; every frame must decode on its own.
void TestCamera::mjpegFramesDecodeAsWithAFreshDecoder()
{
    const QSize size(24, 16);
    QByteArray ownTables;
    {
        QBuffer buffer(&ownTables);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(90);
        writer.setOptimizedWrite(true); // tables fitted to this picture, not the standard ones
        QVERIFY(writer.write(busyPicture(size, 0)));
    }
    const QByteArray standard = jpegOf(busyPicture(size, 99));
    QVERIFY(standard.contains("\xff\xc4"));
    const QByteArray noTables = withoutMarker(standard, 0xc4);
    QVERIFY(!noTables.contains("\xff\xc4"));

    // A header the size cap refuses, with a Huffman table no decode could use.
    QByteArray refused = withoutMarker(ownTables, 0xc4);
    // Three codes of length one cannot exist.
    QByteArray brokenTable("\xff\xc4\x00\x16\x00\x03", 6);
    brokenTable += QByteArray(15, '\0') + QByteArray("\x00\x01\x02", 3);
    refused.insert(2, brokenTable);
    const int sof = refused.indexOf("\xff\xc0");
    QVERIFY(sof > 0);
    refused[sof + 5] = '\x10'; // 4112 rows
    refused[sof + 7] = '\x10'; // 4120 columns

    // The second frame lacks its quantisation tables: a fresh decoder refuses it.
    const QByteArray noQuantTables = withoutMarker(standard, 0xdb);

    struct Sequence { const char* name; QByteArray first; QByteArray second; };
    const QList<Sequence> sequences = {
        {"own tables, then standard ones", ownTables, noTables},
        {"refused header, then standard tables", refused, noTables},
        {"quantisation tables, then none", ownTables, noQuantTables},
    };
    const QSize cap(1920, 1080);
    for (const Sequence& s : sequences) {
        IMjpegDecoder fresh;
        const QImage expected = fresh.decode(s.second, false, cap);
        IMjpegDecoder decoder;
        decoder.decode(s.first, false, cap);
        QImage reuse(size, QImage::Format_RGB32);
        const auto* bytes = reinterpret_cast<const uchar*>(s.second.constData());
        const QImage got = decoder.decode(bytes, size_t(s.second.size()), false, cap, &reuse);
        QVERIFY2(got == expected, s.name);
    }
    // The standard tables give the picture itself.
    const QImage plain = IMjpegDecoder().decode(noTables, true);
    QCOMPARE(plain, IMjpegDecoder().decode(standard, true));
    QVERIFY(!plain.isNull());
}

void TestCamera::yuyvConversion()
{
    // Two pixels: Y0 U Y1 V. Mid-grey chroma leaves luma as grey.
    const uchar grey[] = {200, 128, 60, 128};
    QImage image = IMacCaptureThread::convertFrame(V4L2_PIX_FMT_YUYV, QSize(2, 1), grey, sizeof grey, nullptr);
    QCOMPARE(image.size(), QSize(2, 1));
    QVERIFY(near(image.pixelColor(0, 0), QColor(213, 213, 213), 3)); // video range: (Y-16) x 255/219
    QVERIFY(near(image.pixelColor(1, 0), QColor(51, 51, 51), 3));
    QVERIFY(IMacCaptureThread::convertFrame(V4L2_PIX_FMT_YUYV, QSize(4, 1), grey, sizeof grey, nullptr).isNull());
    QVERIFY(IMacCaptureThread::convertFrame(V4L2_PIX_FMT_H264, QSize(2, 1), grey, sizeof grey, nullptr).isNull());

    QImage source(40, 30, QImage::Format_RGB32);
    source.fill(QColor(10, 120, 230));
    const QByteArray jpeg = jpegOf(source);
    IMjpegDecoder decoder;
    image = IMacCaptureThread::convertFrame(V4L2_PIX_FMT_MJPEG, QSize(40, 30),
                                            reinterpret_cast<const uchar*>(jpeg.constData()), size_t(jpeg.size()),
                                            &decoder);
    QCOMPARE(image.size(), QSize(40, 30));
    QVERIFY(near(image.pixelColor(20, 15), QColor(10, 120, 230), 6));
}

void TestCamera::formatNegotiationWithFakeDevice()
{
    const QList<CaptureFormat> formats = IMacCaptureThread::enumerateFormats(fakeDevice);
    QCOMPARE(formats.size(), 5); // H.264 is left out
    QCOMPARE(formats.at(0).fourcc, quint32(V4L2_PIX_FMT_YUYV));
    QCOMPARE(formats.at(0).size, QSize(640, 480));
    QCOMPARE(formats.at(0).fps, 10.0);
    QCOMPARE(formats.at(2).size, QSize(1920, 1080));
    QCOMPARE(formats.at(2).fps, 30.0);

    auto chosen = [&](const QSize& wanted) {
        const int i = IMacCaptureThread::chooseFormat(formats, wanted);
        return i < 0 ? CaptureFormat() : formats.at(i);
    };
    QCOMPARE(chosen(QSize(1280, 720)).fourcc, quint32(V4L2_PIX_FMT_MJPEG)); // both offer it: MJPEG
    QCOMPARE(chosen(QSize(640, 480)).fourcc, quint32(V4L2_PIX_FMT_YUYV));
    QCOMPARE(chosen(QSize(3840, 2160)).size, QSize(3840, 2160));
    const CaptureFormat nearest = chosen(QSize(1600, 900));
    QCOMPARE(nearest.size, QSize(1280, 720));
    QCOMPARE(nearest.fourcc, quint32(V4L2_PIX_FMT_MJPEG));
    QCOMPARE(IMacCaptureThread::chooseFormat({}, QSize(640, 480)), -1);
    QVERIFY(IMacCaptureThread::enumerateFormats([](unsigned long, void*) { return -1; }).isEmpty());

    // The libuvc back end picks among the description file's sizes the same way.
    QList<CameraResolution> list;
    for (const QSize& s : {QSize(640, 480), QSize(1920, 1080), QSize(3264, 2448)}) {
        CameraResolution r;
        r.size = s;
        r.fps = 30;
        list << r;
    }
    QCOMPARE(IUvcThread::chooseResolution(list, QSize(1920, 1080)), 1);
    QCOMPARE(IUvcThread::chooseResolution(list, QSize(800, 600)), 0);
    QCOMPARE(IUvcThread::chooseResolution({}, QSize(800, 600)), -1);
}

void TestCamera::descriptionFileParsing()
{
    const QList<CameraResolution> list = ITxCameraInfo::parseMjpegResolutions(QString::fromLatin1(kDescriptionSample));
    QCOMPARE(list.size(), 3); // the YUY2 640x480 is not MJPEG
    QCOMPARE(list.at(0).size.toSize(), QSize(1920, 1080));
    QCOMPARE(list.at(0).fps.toInt(), 30);
    QCOMPARE(list.at(1).size.toSize(), QSize(3264, 2448));
    QCOMPARE(list.at(1).fps.toInt(), 15);
    QCOMPARE(list.at(2).size.toSize(), QSize(1280, 720));
    QCOMPARE(list.at(2).fps.toInt(), 60);

    QVERIFY(ITxCameraInfo::parseMjpegResolutions(QString()).isEmpty());
    QVERIFY(ITxCameraInfo::parseMjpegResolutions(QStringLiteral("MJPEGFormat(1)\n size: 0x0\n")).isEmpty());

    QTemporaryDir dir;
    const QString path = dir.path() + "/txcamerainfo";
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(kDescriptionSample);
    file.close();
    QCOMPARE(ITxCameraInfo::readMjpegResolutions(path).size(), 3);
    QVERIFY(ITxCameraInfo::readMjpegResolutions(dir.path() + "/missing").isEmpty());
    QVERIFY(ITxCameraInfo::filePath().endsWith(QStringLiteral("/other/txcamerainfo")));
}

void TestCamera::plugWatcherIds()
{
    // V4L2 form: the node; libuvc form: "pid:vid" from the kernel's PRODUCT value.
    QCOMPARE(IMacUsbDevice::eventId(true, "video4linux", QString(), "/dev/video3", QString()),
             QStringLiteral("/dev/video3"));
    QCOMPARE(IMacUsbDevice::eventId(true, "usb", "usb_device", "/dev/bus/usb/001/004", "f0c4/102/100"), QString());
    QCOMPARE(IMacUsbDevice::eventId(false, "usb", "usb_device", "/dev/bus/usb/001/004", "f0c4/102/100"),
             QStringLiteral("0102:f0c4"));
    QCOMPARE(IMacUsbDevice::eventId(false, "usb", "usb_interface", QString(), "f0c4/102/100"), QString());
    QCOMPARE(IMacUsbDevice::eventId(false, "usb", "usb_device", QString(), "garbage"), QString());
    QCOMPARE(IMacUsbDevice::eventId(false, "usb", "usb_device", QString(), "12345/1/0"), QString());

    IMacUsbDevice watcher; // without udev events nothing is reported, and nothing breaks
    watcher.setUseAVFoundation(false);
    QVERIFY(!watcher.useAVFoundation());
}
