#include "imacusbdevice.h"

#include <QDebug>
#include <QSocketNotifier>
#include <QStringList>
#include <libudev.h>

IMacUsbDevice::IMacUsbDevice(QObject* parent) : QObject(parent)
{
    m_udev = udev_new();
    if (!m_udev) {
        qDebug() << Q_FUNC_INFO << "udev unavailable; plug events are not watched.";
        return;
    }
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor) {
        qDebug() << Q_FUNC_INFO << "udev monitor unavailable; plug events are not watched.";
        return;
    }
    udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "video4linux", nullptr);
    udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "usb", "usb_device");
    if (udev_monitor_enable_receiving(m_monitor) < 0) {
        qDebug() << Q_FUNC_INFO << "udev monitor could not start.";
        return;
    }
    m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &IMacUsbDevice::readEvent);
}

IMacUsbDevice::~IMacUsbDevice()
{
    delete m_notifier;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

void IMacUsbDevice::setUseAVFoundation(const bool& use)
{
    m_useAVFoundation = use;
}

QString IMacUsbDevice::eventId(bool useAVFoundation, const QString& subsystem, const QString& devtype,
                               const QString& devnode, const QString& product)
{
    if (useAVFoundation)
        return subsystem == QLatin1String("video4linux") ? devnode : QString();
    if (subsystem != QLatin1String("usb") || devtype != QLatin1String("usb_device"))
        return QString();
    // PRODUCT is "vid/pid/bcd" in hex without leading zeros.
    const QStringList parts = product.split(QLatin1Char('/'));
    if (parts.size() < 2)
        return QString();
    bool okVid = false, okPid = false;
    const uint vid = parts.at(0).toUInt(&okVid, 16);
    const uint pid = parts.at(1).toUInt(&okPid, 16);
    if (!okVid || !okPid || vid > 0xffff || pid > 0xffff)
        return QString();
    return QStringLiteral("%1:%2").arg(pid, 4, 16, QLatin1Char('0')).arg(vid, 4, 16, QLatin1Char('0'));
}

void IMacUsbDevice::readEvent()
{
    udev_device* device = udev_monitor_receive_device(m_monitor);
    if (!device)
        return;
    const QString action = QString::fromLatin1(udev_device_get_action(device));
    const bool connected = action == QLatin1String("add");
    if (connected || action == QLatin1String("remove")) {
        const QString id = eventId(m_useAVFoundation, QString::fromLatin1(udev_device_get_subsystem(device)),
                                   QString::fromLatin1(udev_device_get_devtype(device)),
                                   QString::fromLocal8Bit(udev_device_get_devnode(device)),
                                   QString::fromLatin1(udev_device_get_property_value(device, "PRODUCT")));
        if (!id.isEmpty())
            emit connectionChanged(connected, id);
    }
    udev_device_unref(device);
}
