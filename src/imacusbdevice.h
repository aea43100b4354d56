#ifndef IMACUSBDEVICE_H
#define IMACUSBDEVICE_H

#include <QObject>
#include <QString>

class QSocketNotifier;
struct udev;
struct udev_monitor;

// The USB plug watcher. On Linux it listens to udev: with the platform (V4L2) back end
// it reports video device nodes ("/dev/videoN"), with the libuvc back end USB devices
// as "pid:vid" (four lower-case hex digits each); both are the device-path forms of
// the camera list.
class IMacUsbDevice : public QObject
{
    Q_OBJECT
public:
    explicit IMacUsbDevice(QObject* parent = nullptr);
    ~IMacUsbDevice() override;

    void setUseAVFoundation(const bool& use);
    bool useAVFoundation() const { return m_useAVFoundation; }

    // The id reported for one udev event, or an empty string when the event is not
    // one this watcher reports. product is the kernel's PRODUCT value "vid/pid/bcd".
    static QString eventId(bool useAVFoundation, const QString& subsystem, const QString& devtype,
                           const QString& devnode, const QString& product);

signals:
    void connectionChanged(bool connected, QString id);

private slots:
    void readEvent();

private:
    bool m_useAVFoundation = true;
    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_notifier = nullptr;
};

#endif
