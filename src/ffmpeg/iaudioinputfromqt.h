#ifndef IAUDIOINPUTFROMQT_H
#define IAUDIOINPUTFROMQT_H

#include <QAudioDeviceInfo>
#include <QAudioFormat>
#include <QByteArray>
#include <QObject>

class QAudioInput;
class QIODevice;
class QThread;

// The microphone for the screen recorder: 8000 Hz mono signed 16-bit PCM read with Qt
// Multimedia on a worker thread of its own, handed on in blocks of at most 4096 bytes.
// Every control call from another thread is carried out on that worker, which owns the
// audio input.
class IAudioInputFromQt : public QObject
{
    Q_OBJECT
public:
    static IAudioInputFromQt* instance();
    // Releases the microphone and the worker; called before the application object goes.
    static void destroyInstance();

    // Chooses the input whose name occurs in name (empty device names never match), else
    // the default input. False when there is no input at all.
    virtual bool initializeAudioCapture(const QString& name);
    virtual void destroyAudioCapture();
    virtual void audioInputInfo(int& format, int& rate, int& channels);

    bool isInitialised() const { return m_initialised; }
    // True when the microphone was opened and is delivering (or about to deliver) sound.
    bool startCapture();
    void stopCapture();
    void pauseCapture();
    void resumeCapture();
    bool isStop() const;

signals:
    void sgDestroy();
    void sgReadAudioData(QByteArray data, int size, int channels, int sampleFormat, int sampleRate);

public slots:
    void readData();
    void slDestroy();

private slots:
    bool startOnWorker();
    void stopOnWorker();
    void suspendOnWorker();
    void resumeOnWorker();

private:
    IAudioInputFromQt();
    ~IAudioInputFromQt() override;
    // Runs slot on the worker and waits for it; false when there is no worker.
    bool callOnWorker(const char* slot);

    bool m_initialised = false;
    int m_channels = 0;
    int m_sampleRate = 0;
    int m_sampleSize = 0;
    int m_sampleFormat = 0;
    QThread* m_thread = nullptr;
    QByteArray m_buffer;
    QIODevice* m_device = nullptr;
    QAudioInput* m_input = nullptr;
    QAudioFormat m_format;
    QAudioDeviceInfo m_deviceInfo;

    static IAudioInputFromQt* s_instance;
};

#endif
