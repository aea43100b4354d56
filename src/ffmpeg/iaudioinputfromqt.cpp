#include "ffmpeg/iaudioinputfromqt.h"

#include <QAudioInput>
#include <QCoreApplication>
#include <QDebug>
#include <QThread>

namespace {
const int BLOCK_BYTES = 4096;
}

IAudioInputFromQt* IAudioInputFromQt::s_instance = nullptr;

IAudioInputFromQt* IAudioInputFromQt::instance()
{
    if (!s_instance)
        s_instance = new IAudioInputFromQt;
    return s_instance;
}

void IAudioInputFromQt::destroyInstance()
{
    if (!s_instance)
        return;
    IAudioInputFromQt* input = s_instance;
    s_instance = nullptr;
    input->destroyAudioCapture();
    delete input;
}

IAudioInputFromQt::IAudioInputFromQt()
    : m_buffer(BLOCK_BYTES, '\0')
{
    connect(this, SIGNAL(sgDestroy()), this, SLOT(slDestroy()));
}

IAudioInputFromQt::~IAudioInputFromQt()
{
    if (m_thread) {
        m_thread->quit();
        m_thread->wait();
        delete m_thread;
    }
}

bool IAudioInputFromQt::initializeAudioCapture(const QString& name)
{
    m_channels = 1;
    m_sampleRate = 8000;
    m_sampleSize = 16;
    m_sampleFormat = 1;  // AV_SAMPLE_FMT_S16
    m_format.setSampleRate(m_sampleRate);
    m_format.setChannelCount(m_channels);
    m_format.setSampleSize(m_sampleSize);
    m_format.setSampleType(QAudioFormat::SignedInt);
    m_format.setByteOrder(QAudioFormat::LittleEndian);
    m_format.setCodec(QStringLiteral("audio/pcm"));

    const QList<QAudioDeviceInfo> devices = QAudioDeviceInfo::availableDevices(QAudio::AudioInput);
    if (devices.isEmpty()) {
        qDebug() << "No Audio Input Device Available.";
        return false;
    }
    m_deviceInfo = QAudioDeviceInfo();
    for (const QAudioDeviceInfo& device : devices) {
        // An empty name occurs in every text; it would always win.
        if (!device.deviceName().isEmpty() && name.contains(device.deviceName())) {
            m_deviceInfo = device;
            break;
        }
    }
    if (m_deviceInfo.isNull())
        m_deviceInfo = QAudioDeviceInfo::defaultInputDevice();
    qDebug() << "Qt Audio Capture Input Device Name: " << m_deviceInfo.deviceName() << " Camera Name: " << name;
    if (m_deviceInfo.isNull())
        return false;
    m_initialised = true;
    return true;
}

void IAudioInputFromQt::audioInputInfo(int& format, int& rate, int& channels)
{
    format = m_sampleFormat;
    rate = m_sampleRate;
    channels = m_channels;
}

bool IAudioInputFromQt::callOnWorker(const char* slot)
{
    if (!m_thread)
        return false;
    bool result = false;
    if (QThread::currentThread() == m_thread) {
        QMetaObject::invokeMethod(this, slot, Qt::DirectConnection, Q_RETURN_ARG(bool, result));
    } else {
        QMetaObject::invokeMethod(this, slot, Qt::BlockingQueuedConnection, Q_RETURN_ARG(bool, result));
    }
    return result;
}

bool IAudioInputFromQt::startCapture()
{
    if (m_deviceInfo.isNull())
        return false;
    if (!m_thread) {
        m_thread = new QThread;
        m_thread->setObjectName(QStringLiteral("microphone"));
        m_thread->start();
        moveToThread(m_thread);
    }
    return callOnWorker("startOnWorker");
}

bool IAudioInputFromQt::startOnWorker()
{
    if (!m_input)
        m_input = new QAudioInput(m_deviceInfo, m_format, this);
    m_device = m_input->start();
    if (m_device)
        connect(m_device, SIGNAL(readyRead()), this, SLOT(readData()), Qt::UniqueConnection);
    const bool ok = m_device && m_input->error() == QAudio::NoError && m_input->state() != QAudio::StoppedState;
    qDebug() << "open audio device " << m_device << (m_device && m_device->isOpen() ? "true" : "false")
             << (m_device ? m_device->readChannelCount() : 0) << "error" << m_input->error();
    if (!ok)
        m_input->stop();
    return ok;
}

void IAudioInputFromQt::stopCapture()
{
    if (m_thread)
        QMetaObject::invokeMethod(this, "stopOnWorker", QThread::currentThread() == m_thread
                                                             ? Qt::DirectConnection
                                                             : Qt::BlockingQueuedConnection);
}

void IAudioInputFromQt::stopOnWorker()
{
    if (m_input)
        m_input->stop();
    m_device = nullptr;
}

void IAudioInputFromQt::pauseCapture()
{
    if (m_thread)
        QMetaObject::invokeMethod(this, "suspendOnWorker", Qt::BlockingQueuedConnection);
}

void IAudioInputFromQt::suspendOnWorker()
{
    if (m_input)
        m_input->suspend();
}

void IAudioInputFromQt::resumeCapture()
{
    if (m_thread)
        QMetaObject::invokeMethod(this, "resumeOnWorker", Qt::BlockingQueuedConnection);
}

void IAudioInputFromQt::resumeOnWorker()
{
    if (m_input)
        m_input->resume();
}

bool IAudioInputFromQt::isStop() const
{
    return !m_input || m_input->state() == QAudio::StoppedState;
}

void IAudioInputFromQt::readData()
{
    if (!m_input || !m_device)
        return;
    // Drain what is there, one block at a time.
    for (;;) {
        const qint64 ready = qMin<qint64>(m_input->bytesReady(), BLOCK_BYTES);
        if (ready <= 0)
            return;
        const qint64 read = m_device->read(m_buffer.data(), ready);
        if (read <= 0)
            return;
        emit sgReadAudioData(m_buffer, int(read), m_channels, m_sampleFormat, m_sampleRate);
    }
}

void IAudioInputFromQt::destroyAudioCapture()
{
    if (!m_thread) {
        // Never started: nothing lives on a worker.
        return;
    }
    QMetaObject::invokeMethod(this, "slDestroy", Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

void IAudioInputFromQt::slDestroy()
{
    // The read device belongs to the audio input and goes with it.
    m_device = nullptr;
    if (m_input) {
        m_input->stop();
        delete m_input;
        m_input = nullptr;
    }
    // Back to the application's thread, so the object outlives its worker safely.
    if (QCoreApplication* app = QCoreApplication::instance())
        moveToThread(app->thread());
    qDebug() << "IAudioInputFromQt destroy.";
}
