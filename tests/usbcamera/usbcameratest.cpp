#include "usbcameratest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "testenv.h"
#include "virtualcamera_scene.h"

namespace UsbCameraTest {

QString sceneMismatch(const QImage& picture, const QRect& region, int tolerance)
{
    if (picture.isNull())
        return QStringLiteral("no picture");
    const QRect r = region.isNull() ? picture.rect() : region;
    for (int i = 0; i < VirtualScene::kBars; ++i) {
        const QPoint p(r.left() + VirtualScene::barCentre(r.width(), i), r.top() + VirtualScene::barsHeight(r.height()) / 2);
        const QColor want = QColor::fromRgb(VirtualScene::kBarColours[i]);
        const QColor got = picture.pixelColor(p);
        if (qAbs(got.red() - want.red()) > tolerance || qAbs(got.green() - want.green()) > tolerance ||
            qAbs(got.blue() - want.blue()) > tolerance)
            return QStringLiteral("bar %1 at (%2,%3) is %4, not %5")
                .arg(i)
                .arg(p.x())
                .arg(p.y())
                .arg(got.name(), want.name());
    }
    return QString();
}

QStringList lines(const QString& journal)
{
    return journal.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool writeSysfs(const QString& root, const QString& node, const QString& vid, const QString& pid)
{
    const QString device = root + QStringLiteral("/devices/pci0000:00/usb1/1-9");
    const QString iface = device + QStringLiteral("/1-9:1.0");
    const QString classDir = root + QStringLiteral("/class/video4linux/") + QFileInfo(node).fileName();
    if (!QDir().mkpath(iface) || !QDir().mkpath(classDir))
        return false;
    for (const auto& f : {qMakePair(QStringLiteral("/idVendor"), vid), qMakePair(QStringLiteral("/idProduct"), pid)}) {
        QFile file(device + f.first);
        if (!file.open(QIODevice::WriteOnly) || file.write(f.second.toLatin1() + '\n') != f.second.size() + 1)
            return false;
        file.close();
        if (file.error() != QFile::NoError)
            return false;
    }
    return QFile::link(iface, classDir + QStringLiteral("/device"));
}

bool offerVirtualCamera()
{
    const QString sys = TestEnv::homePath() + QStringLiteral("/sys");
    if (!writeSysfs(sys, node(), QStringLiteral("f0c4"), QStringLiteral("0101"))) {
        qCritical("could not write the fake sysfs");
        return false;
    }
    qunsetenv("OCUMETRA_USB_IDS");
    qputenv("OCUMETRA_EXTRA_CAMERAS", node().toLatin1());
    qputenv("OCUMETRA_SYSFS_ROOT", sys.toLocal8Bit());
    return true;
}

}
