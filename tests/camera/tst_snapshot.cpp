#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRandomGenerator>
#include <QPainter>
#include <QRegularExpression>
#include <QtTest>

#include "ifilewrite.h"
#include "iglobal.h"
#include "iimagetansformthread.h"
#include "itranslation.h"

#include <cerrno>
#include <cstring>
#include "testenv.h"
#include "tst_camera.h"

namespace {
QImage noiseImage(const QSize& size, quint32 seed)
{
    QImage noise(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, random.generate());
    return noise;
}

QImage solid(const QSize& size, const QColor& colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

ImageData job(const QImage& picture, const QString& folder)
{
    ImageData data;
    data.image = picture;
    data.folder = folder;
    data.cropRect = QRect(QPoint(0, 0), QPoint(-1, -1)); // what the window sets for "none"
    return data;
}

// Collects the thread's answers on the GUI thread.
struct Answers
{
    QList<QImage> pictures;
    QStringList paths;
    QStringList failures;
    QStringList existedWhenReported;

    void listen(IImageTansformThread* thread, QObject* context)
    {
        QObject::connect(thread, &IImageTansformThread::sgCaptureImage, context, [this](QImage p, QString path) {
            pictures << p;
            paths << path;
        });
        // Direct: runs on the snapshot thread at the moment of reporting.
        QObject::connect(thread, &IImageTansformThread::sgCaptureImage, thread, [this](QImage, QString path) {
            if (!path.isEmpty() && QFile::exists(path))
                existedWhenReported << path;
        }, Qt::DirectConnection);
        QObject::connect(thread, &IImageTansformThread::sgCaptureFailed, context,
                         [this](QString path, QString) { failures << path; });
    }
};

// Times the thread of that name (the name Qt gives it when it starts) has gone to sleep
// of its own accord; -1 while no such thread runs.
qint64 voluntarySleeps(const QString& threadName)
{
    const QStringList tasks = QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& tid : tasks) {
        QFile comm(QStringLiteral("/proc/self/task/%1/comm").arg(tid));
        if (!comm.open(QIODevice::ReadOnly) || QString::fromUtf8(comm.readAll()).trimmed() != threadName)
            continue;
        QFile status(QStringLiteral("/proc/self/task/%1/status").arg(tid));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:"))
                return line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
    }
    return -1;
}

} // namespace

void TestCamera::composeCropsClipsAndRotates()
{
    QImage picture = solid(QSize(100, 60), Qt::red);
    picture.setPixelColor(0, 0, Qt::green);
    QImage drawings(100, 60, QImage::Format_ARGB32_Premultiplied);
    drawings.fill(Qt::transparent);
    drawings.setPixelColor(30, 20, Qt::blue);

    ImageData data = job(picture, QString());
    data.drawings = drawings;
    QImage out = IImageTansformThread::composeImage(data);
    QCOMPARE(out.size(), QSize(100, 60));
    QCOMPARE(out.pixelColor(30, 20), QColor(Qt::blue));
    QCOMPARE(out.pixelColor(50, 50), QColor(Qt::red));

    data.cropRect = QRect(20, 10, 40, 30);
    out = IImageTansformThread::composeImage(data);
    QCOMPARE(out.size(), QSize(40, 30));
    QCOMPARE(out.pixelColor(10, 10), QColor(Qt::blue)); // (30, 20) of the picture

    // A clockwise quarter turn carries the top-left corner to the top-right.
    data.cropRect = QRect();
    data.drawings = QImage();
    data.rotation = 90;
    out = IImageTansformThread::composeImage(data);
    QCOMPARE(out.size(), QSize(60, 100));
    QCOMPARE(out.pixelColor(59, 0), QColor(Qt::green));
    data.rotation = 180;
    QCOMPARE(IImageTansformThread::composeImage(data).pixelColor(99, 59), QColor(Qt::green));

    // A triangle outline: cropped to its bounds, outside it transparent.
    data.rotation = 0;
    data.angle = 12.0;
    data.polygon = QPolygonF({QPointF(10, 10), QPointF(90, 10), QPointF(10, 50)});
    out = IImageTansformThread::composeImage(data);
    QCOMPARE(out.size(), QSize(80, 40));
    QCOMPARE(out.pixelColor(2, 2).alpha(), 255);
    QCOMPARE(out.pixelColor(78, 38).alpha(), 0);

    // With a crop rectangle the outline stays on the same picture pixels.
    data.cropRect = QRect(10, 10, 80, 40);
    out = IImageTansformThread::composeImage(data);
    QCOMPARE(out.size(), QSize(80, 40));
    QCOMPARE(out.pixelColor(2, 2).alpha(), 255);
    QCOMPARE(out.pixelColor(78, 38).alpha(), 0);
}

void TestCamera::degenerateOutlineAndCropIgnored()
{
    ImageData data = job(solid(QSize(50, 40), Qt::yellow), QString());
    const QList<QPolygonF> noOutline = {
        QPolygonF(),
        QPolygonF(QVector<QPointF>{QPointF(1, 1), QPointF(30, 30)}),                              // two points
        QPolygonF({QPointF(200, 200), QPointF(300, 200), QPointF(300, 300)}),        // off the picture
        QPolygonF({QPointF(0, 0), QPointF(20, 15), QPointF(40, 30), QPointF(10, 7.5)}), // on one line
    };
    for (const QPolygonF& polygon : noOutline) {
        data.polygon = polygon;
        const QImage out = IImageTansformThread::composeImage(data);
        QCOMPARE(out.size(), QSize(50, 40));
        QCOMPARE(out.pixelColor(25, 20), QColor(Qt::yellow));
    }
    data.polygon.clear();
    data.cropRect = QRect(100, 100, 20, 20); // outside: ignored
    QCOMPARE(IImageTansformThread::composeImage(data).size(), QSize(50, 40));
    data.cropRect = QRect(40, 30, 30, 30); // sticks out: intersected
    QCOMPARE(IImageTansformThread::composeImage(data).size(), QSize(10, 10));
    QVERIFY(IImageTansformThread::composeImage(ImageData()).isNull());
}

void TestCamera::savesWithTimeNameAndCollisionSuffix()
{
    const QString name = makeTimeFileName(QStringLiteral("png"));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{14}\\.png$")).match(name).hasMatch());
    const QDateTime stamp = QDateTime::fromString(name.left(14), QStringLiteral("yyyyMMddhhmmss"));
    QVERIFY(qAbs(stamp.secsTo(QDateTime::currentDateTime())) <= 2);
    QCOMPARE(makeTimeFileName(QString()).size(), 14);

    QTemporaryDir dir;
    const QString base = QStringLiteral("20240102030405.jpeg");
    QCOMPARE(IImageTansformThread::uniqueFilePath(dir.path(), base), dir.path() + "/" + base);
    QFile(dir.path() + "/" + base).open(QIODevice::WriteOnly);
    QFile(dir.path() + "/20240102030405_1.jpeg").open(QIODevice::WriteOnly);
    QCOMPARE(IImageTansformThread::uniqueFilePath(dir.path() + "/", base), dir.path() + "/20240102030405_2.jpeg");

    // Three snapshots in a row: three files, none overwritten, each on disk when reported.
    g_photo_format = QStringLiteral("jpeg");
    IImageTansformThread thread(nullptr);
    Answers answers;
    answers.listen(&thread, this);
    thread.start();
    const QList<QColor> colours = {QColor(200, 30, 30), QColor(30, 200, 30), QColor(30, 30, 200)};
    for (const QColor& c : colours)
        thread.pushImageData(job(solid(QSize(64, 48), c), dir.path()));
    QTRY_COMPARE(answers.paths.size(), 3);
    QCOMPARE(answers.existedWhenReported.size(), 3);
    const QRegularExpression form(QStringLiteral("/\\d{14}(_[1-9]\\d*)?\\.jpeg$"));
    QStringList stamps;
    for (int i = 0; i < 3; ++i) {
        const QString path = answers.paths.at(i);
        QVERIFY2(form.match(path).hasMatch(), qPrintable(path));
        QCOMPARE(answers.paths.count(path), 1);
        QImage saved(path);
        QCOMPARE(saved.size(), QSize(64, 48));
        const QColor got = saved.pixelColor(32, 24);
        QVERIFY(qAbs(got.red() - colours.at(i).red()) <= 3 && qAbs(got.blue() - colours.at(i).blue()) <= 3);
        stamps << QFileInfo(path).fileName().left(14);
    }
    // Within one second the later names carry the suffix.
    if (stamps.at(0) == stamps.at(1))
        QVERIFY(answers.paths.at(1).endsWith(QStringLiteral("_1.jpeg")));
    QVERIFY(answers.failures.isEmpty());
}

void TestCamera::thumbnailScaledBySquareFactor()
{
    QTemporaryDir dir;
    g_photo_format = QStringLiteral("png");
    IGSQUARERATE = 1.5;
    QCOMPARE(IImageTansformThread::thumbnailSize(), QSize(208, 141));
    IImageTansformThread thread(nullptr);
    Answers answers;
    answers.listen(&thread, this);
    thread.start();
    thread.pushImageData(job(solid(QSize(800, 600), Qt::cyan), dir.path()));
    QTRY_COMPARE(answers.pictures.size(), 1);
    QCOMPARE(answers.pictures.first().size(), QSize(208, 141));
    QVERIFY(answers.paths.first().endsWith(QStringLiteral(".png")));
    QCOMPARE(QImageReader(answers.paths.first()).size(), QSize(800, 600));

    IGSQUARERATE = 1.0;
    QCOMPARE(IImageTansformThread::thumbnailSize(), QSize(139, 94));
}

void TestCamera::emptyFolderHandsBackFullPicture()
{
    IImageTansformThread thread(nullptr);
    Answers answers;
    answers.listen(&thread, this);
    thread.start();
    ImageData data = job(solid(QSize(320, 200), Qt::magenta), QString());
    data.rotation = 270;
    thread.pushImageData(data);
    QTRY_COMPARE(answers.pictures.size(), 1);
    QCOMPARE(answers.paths.first(), QString());
    QCOMPARE(answers.pictures.first().size(), QSize(200, 320));
}

void TestCamera::failedSaveReportedAsFailure()
{
    QTemporaryDir dir;
    const QString blocker = dir.path() + "/not-a-folder";
    QFile(blocker).open(QIODevice::WriteOnly);

    g_photo_format = QStringLiteral("jpeg");
    IImageTansformThread thread(nullptr);
    Answers answers;
    answers.listen(&thread, this);
    thread.start();
    thread.pushImageData(job(solid(QSize(40, 30), Qt::gray), blocker + "/photos"));
    QTRY_COMPARE(answers.failures.size(), 1);

    // A format no writer knows: no half-written file stays behind.
    g_photo_format = QStringLiteral("nosuchformat");
    thread.pushImageData(job(solid(QSize(40, 30), Qt::gray), dir.path()));
    QTRY_COMPARE(answers.failures.size(), 2);
    QVERIFY(!QFile::exists(answers.failures.at(1)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1); // only the blocker
    QVERIFY(answers.paths.isEmpty());
    g_photo_format = QStringLiteral("jpeg");
}

void TestCamera::queuedJobsSavedAtDestruction()
{
    QTemporaryDir dir;
    g_photo_format = QStringLiteral("bmp");
    {
        auto* thread = new IImageTansformThread(nullptr);
        thread->start();
        for (int i = 0; i < 5; ++i)
            thread->pushImageData(job(solid(QSize(30, 20), Qt::darkGreen), dir.path()));
        delete thread; // joins after saving the queue
    }
    QCOMPARE(QDir(dir.path()).entryList({"*.bmp"}, QDir::Files).size(), 5);

    {
        // Never started: the destructor still saves what was queued.
        IImageTansformThread idle(nullptr);
        idle.pushImageData(job(solid(QSize(30, 20), Qt::darkBlue), dir.path()));
        QCOMPARE(idle.pendingCount(), 1);
    }
    QCOMPARE(QDir(dir.path()).entryList({"*.bmp"}, QDir::Files).size(), 6);
    g_photo_format = QStringLiteral("jpeg");
}

// A full disk: the small snapshot sits in the file's buffer until the commit, whose
// flush fails. That is a failed save, never a 0- or 4096-byte file under a snapshot's
// name, and an existing file of that name stays whole.
void TestCamera::fullDiskSnapshotIsAFailure()
{
    QTemporaryDir dir;
    const QImage noise = noiseImage(QSize(64, 48), 7);
    const QString kept = dir.path() + "/kept.jpeg";
    QString error;
    QVERIFY(IImageTansformThread::saveImage(noise, kept, "jpeg", &error));
    QFile keptFile(kept);
    QVERIFY(keptFile.open(QIODevice::ReadOnly));
    const QByteArray keptBytes = keptFile.readAll();
    keptFile.close();
    QVERIFY2(keptBytes.size() > 4096 && keptBytes.size() < 16384, qPrintable(QString::number(keptBytes.size())));

    for (const qint64 limit : {qint64(0), qint64(4096)}) {
        TestEnv::FileSizeLimit full(limit);
        error.clear();
        QVERIFY(!IImageTansformThread::saveImage(noise, dir.path() + "/new.jpeg", "jpeg", &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!IImageTansformThread::saveImage(noise.mirrored(true, false), kept, "jpeg", &error));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.jpeg"});
    QVERIFY(keptFile.open(QIODevice::ReadOnly));
    QCOMPARE(keptFile.readAll(), keptBytes);

    // Through the snapshot thread: reported as failed, no gallery row.
    g_photo_format = QStringLiteral("jpeg");
    IImageTansformThread thread(nullptr);
    Answers answers;
    answers.listen(&thread, this);
    {
        TestEnv::FileSizeLimit full(4096);
        thread.start();
        thread.pushImageData(job(noise, dir.path() + "/photos"));
        QTRY_COMPARE(answers.failures.size(), 1);
    }
    QVERIFY(answers.paths.isEmpty());
    QCOMPARE(QDir(dir.path() + "/photos").entryList(QDir::Files), QStringList());
}

// A full disk said "The picture could not be saved: Unknown error": the writer's error
// hid the system's. Every format now names the system's reason, in the user's language
// where Qt has it.
void TestCamera::failedSaveNamesSystemReason()
{
    QTemporaryDir dir;
    const QImage noise = noiseImage(QSize(400, 300), 9);
    const QString tooLarge = QString::fromLocal8Bit(std::strerror(EFBIG));
    for (const char* format : {"jpeg", "png", "bmp", "tiff"}) {
        QString error;
        {
            TestEnv::FileSizeLimit full(8192);
            QVERIFY(!IImageTansformThread::saveImage(noise, dir.path() + "/a." + format, format, &error));
        }
        QCOMPARE(error, tooLarge);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());

    QVERIFY(ITranslation::install(QStringLiteral("1031")));
    const QString german = systemReasonText(QStringLiteral("No space left on device"));
    QVERIFY(ITranslation::install(QStringLiteral("1033")));
    QCOMPARE(german, QStringLiteral("Kein freier Speicherplatz auf dem Gerät vorhanden"));
    QCOMPARE(systemReasonText(QStringLiteral("No space left on device")), QStringLiteral("No space left on device"));
}

// Between snapshots the thread sleeps on its queue instead of waking every few
// milliseconds to look, and a snapshot queued after a long idle spell is still saved.
void TestCamera::idleSnapshotThreadSleepsUntilAJobComes()
{
    QTemporaryDir dir;
    g_photo_format = QStringLiteral("jpeg");
    IImageTansformThread thread(nullptr);
    thread.setObjectName(QStringLiteral("snapshot-idle"));
    Answers answers;
    answers.listen(&thread, this);
    thread.start();
    QTRY_VERIFY(voluntarySleeps(QStringLiteral("snapshot-idle")) >= 0);
    // Once asleep it stays asleep: one more switch at most, however long it is left.
    QTRY_VERIFY(voluntarySleeps(QStringLiteral("snapshot-idle")) >= 1);
    const qint64 asleep = voluntarySleeps(QStringLiteral("snapshot-idle"));
    QTest::qWait(500);
    const qint64 wakes = voluntarySleeps(QStringLiteral("snapshot-idle")) - asleep;
    QVERIFY2(wakes <= 1, qPrintable(QStringLiteral("%1 wake-ups in 500 ms of idling").arg(wakes)));

    thread.pushImageData(job(solid(QSize(64, 48), Qt::darkCyan), dir.path()));
    QTRY_COMPARE(answers.paths.size(), 1);
    QVERIFY(QFile::exists(answers.paths.first()));
}
