// The older single-class encoder: generated pictures and sound into a file that FFmpeg
// reads back with the right streams.

#include <QThread>
#include <atomic>
#include <QtTest>

#include "ffmpeg/iavencode.h"
#include "ffmpeg/icavoutputstream.h"
#include "testenv.h"
#include "videoprobe.h"

namespace {
// A picture of its own size and format; the encoder scales it to its own.
IAVFramePtr makePicture(int width, int height, int shade)
{
    IAVFramePtr frame(av_frame_alloc());
    frame->width = width;
    frame->height = height;
    frame->format = AV_PIX_FMT_RGB24;
    av_frame_get_buffer(frame.get(), 0);
    for (int y = 0; y < height; ++y)
        memset(frame->data[0] + y * frame->linesize[0], shade, size_t(width) * 3);
    return frame;
}

struct StreamInfo
{
    AVCodecID video = AV_CODEC_ID_NONE;
    AVCodecID audio = AV_CODEC_ID_NONE;
    double audioSeconds = 0;
};

StreamInfo streams(const QString& path)
{
    StreamInfo info;
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, QFile::encodeName(path).constData(), nullptr, nullptr) < 0)
        return info;
    IAVInputPtr input(raw);
    avformat_find_stream_info(raw, nullptr);
    for (unsigned i = 0; i < raw->nb_streams; ++i) {
        const AVStream* s = raw->streams[i];
        if (s->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
            info.video = s->codecpar->codec_id;
        if (s->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
            info.audio = s->codecpar->codec_id;
            if (s->duration > 0)
                info.audioSeconds = s->duration * av_q2d(s->time_base);
        }
    }
    return info;
}
}

class TestAVEncode : public QObject
{
    Q_OBJECT

    IAVEncode* encoder() { return IAVEncode::instance(); }

private slots:
    void pictureBeforeOpenIsRefused()
    {
        IAVFramePtr picture = makePicture(64, 48, 10);
        QCOMPARE(encoder()->Add_video_frame(picture.get(), 0), 1);
        QCOMPARE(encoder()->queuedPictures(), 0);
    }

    // Thirty pictures of another size and three seconds of a generated tone: every
    // queued picture is written at the encoder's size, with an AAC track beside it.
    void picturesAndSound()
    {
        const QString path = TestEnv::homePath() + QStringLiteral("/older.mp4");
        QByteArray name = path.toUtf8();
        encoder()->setSoundInput(QStringLiteral("lavfi"), QStringLiteral("sine=frequency=440:sample_rate=44100"));
        QCOMPARE(encoder()->OpenOutputFile(name.data(), 10, 320, 240, 0, 400, true, 44100, 1, 16, 0), 0);

        QThread* loop = QThread::create([this] { encoder()->StartAvEncode(true); });
        loop->start();
        for (int i = 0; i < 30; ++i) {
            IAVFramePtr picture = makePicture(333, 201, (i * 8) % 256);
            QCOMPARE(encoder()->Add_video_frame(picture.get(), i * 100000), 0);
            // About 0.1 s of sound per picture (the tone comes in 1024-sample packets).
            for (int k = 0; k < 4; ++k)
                QCOMPARE(encoder()->Add_audio_frame(nullptr, 0), 0);
        }
        encoder()->StopAvEncode();
        QVERIFY(loop->wait(30000));
        delete loop;
        QVERIFY(!encoder()->isOpened());
        QVERIFY(encoder()->lastFileComplete());

        const VideoProbe probe = probeVideo(path);
        QVERIFY(probe.opened);
        QCOMPARE(probe.codec, AV_CODEC_ID_H264);
        QCOMPARE(probe.width, 320);
        QCOMPARE(probe.height, 240);
        QCOMPARE(probe.colours.size(), 30); // nothing queued at the stop was dropped
        const StreamInfo info = streams(path);
        QCOMPARE(info.audio, AV_CODEC_ID_AAC);
        QVERIFY2(qAbs(info.audioSeconds - 120 * 1024 / 44100.0) < 0.1, qPrintable(QString::number(info.audioSeconds)));
    }

    // Without sound the file still has its sound stream; an avi gets MP2; a full queue
    // refuses the next picture.
    void aviWithoutSoundAndFullQueue()
    {
        const QString path = TestEnv::homePath() + QStringLiteral("/older.avi");
        QByteArray name = path.toUtf8();
        QCOMPARE(encoder()->OpenOutputFile(name.data(), 5, 64, 48, 0, 100, false, 44100, 2, 16, 0), 0);
        IAVFramePtr picture = makePicture(64, 48, 200);
        for (int i = 0; i < IAVEncode::kPictureCapacity; ++i)
            QCOMPARE(encoder()->Add_video_frame(picture.get(), i), 0);
        QCOMPARE(encoder()->Add_video_frame(picture.get(), 999), 1);
        QCOMPARE(encoder()->Add_audio_frame(nullptr, 0), 1);
        encoder()->StopAvEncode();
        QCOMPARE(encoder()->StartAvEncode(true), 0); // drains the queue, then closes
        const StreamInfo info = streams(path);
        QCOMPARE(info.video, AV_CODEC_ID_H264);
        QCOMPARE(info.audio, AV_CODEC_ID_MP2);
        QCOMPARE(probeVideo(path).colours.size(), IAVEncode::kPictureCapacity);
    }

    // Pictures and sound keep coming from their own threads while the loop stops and
    // frees the encoders: the feeds refuse once the file is closed and never reach freed
    // objects (the sanitizer build sees any that do).
    void stopWhileFeeding()
    {
        encoder()->setSoundInput(QStringLiteral("lavfi"), QStringLiteral("sine=frequency=440:sample_rate=44100"));
        for (int round = 0; round < 5; ++round) {
            const QString path = TestEnv::homePath() + QStringLiteral("/feeding%1.mp4").arg(round);
            QByteArray name = path.toUtf8();
            QCOMPARE(encoder()->OpenOutputFile(name.data(), 25, 160, 120, 0, 200, true, 44100, 1, 16, 0), 0);
            std::atomic<bool> feeding{true};
            std::atomic<bool> closed{false};
            // Counted apart: sound alone must not meet the wait for pictures.
            std::atomic<int> picturesAccepted{0};
            std::atomic<int> soundAccepted{0};
            std::atomic<int> refusedAfterClose{0};
            auto feed = [&](auto add, int pauseUs, std::atomic<int>& accepted) {
                return QThread::create([&, add, pauseUs] {
                    while (feeding) {
                        const bool wasClosed = closed;
                        const int result = add();
                        if (result == 0)
                            ++accepted;
                        else if (wasClosed)
                            ++refusedAfterClose;
                        QThread::usleep(ulong(pauseUs));
                    }
                });
            };
            IAVFramePtr picture = makePicture(200, 150, 90);
            QThread* pictures =
                feed([&] { return encoder()->Add_video_frame(picture.get(), 0); }, 1000, picturesAccepted);
            QThread* sound = feed([&] { return encoder()->Add_audio_frame(nullptr, 0); }, 1000, soundAccepted);
            QThread* loop = QThread::create([this] { encoder()->StartAvEncode(true); });
            loop->start();
            pictures->start();
            sound->start();
            QTRY_VERIFY_WITH_TIMEOUT(picturesAccepted >= 20 && soundAccepted >= 20, 30000);
            encoder()->StopAvEncode();
            QVERIFY(loop->wait(30000));
            closed = true;
            QTRY_VERIFY_WITH_TIMEOUT(refusedAfterClose >= 10, 30000);  // the feeds ran on
            feeding = false;
            QVERIFY(pictures->wait(30000));
            QVERIFY(sound->wait(30000));
            delete pictures;
            delete sound;
            delete loop;
            QVERIFY(encoder()->lastFileComplete());
            const VideoProbe probe = probeVideo(path);
            QVERIFY(probe.opened);
            QVERIFY(probe.colours.size() > 0);
        }
    }

    void failuresReturnOne()
    {
        QByteArray bad = QByteArrayLiteral("/nonexistent-folder/x.mp4");
        QCOMPARE(encoder()->OpenOutputFile(bad.data(), 10, 64, 48, 0, 100, false, 44100, 1, 16, 0), 1);
        QVERIFY(!encoder()->isOpened());
        QByteArray name = (TestEnv::homePath() + QStringLiteral("/nosound.mp4")).toUtf8();
        encoder()->setSoundInput(QStringLiteral("lavfi"), QStringLiteral("no_such_source"));
        QCOMPARE(encoder()->OpenOutputFile(name.data(), 10, 64, 48, 0, 100, true, 44100, 1, 16, 0), 1);
        QVERIFY(!encoder()->isOpened());
    }

    // The recorder's frame conversion nothing calls: an odd-sized picture into YUV 4:2:0.
    void frameSwitch()
    {
        IAVFramePtr source = makePicture(33, 21, 200);
        IAVFramePtr target(av_frame_alloc());
        IAVBufferPtr buffer(ICAVOutputStream::AVFrameSwicth(source.get(), target.get(), AV_PIX_FMT_YUV420P));
        QVERIFY(buffer);
        QCOMPARE(target->width, 33);
        QCOMPARE(target->height, 21);
        QCOMPARE(target->format, int(AV_PIX_FMT_YUV420P));
        QCOMPARE(target->data[0], buffer.get());
        // Grey 200 has a luma of about 16 + 200 * 219 / 255 and neutral chroma.
        QVERIFY(qAbs(int(target->data[0][10 * target->linesize[0] + 32]) - 188) <= 3);
        QVERIFY(qAbs(int(target->data[1][5 * target->linesize[1] + 8]) - 128) <= 3);
        IAVFramePtr empty(av_frame_alloc());
        QVERIFY(!ICAVOutputStream::AVFrameSwicth(empty.get(), target.get(), AV_PIX_FMT_YUV420P));
    }

    void cleanupTestCase() { IAVEncode::destroyInstance(); }
};

OCUMETRA_TEST_MAIN(TestAVEncode)
#include "tst_avencode.moc"
