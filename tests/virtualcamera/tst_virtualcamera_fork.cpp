// A program with the virtual camera forks from any thread (libdbus does, to start its
// daemon) while other threads are inside the camera. The child holds only the forking
// thread: it has to get from fork to exec without waiting for the camera's lock or its
// producer, which stay with the parent.

#include <fcntl.h>
#include <linux/videodev2.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include <QtTest>

#include "virtualcamera.h"

namespace {

const char* const kNode = "/dev/video63";

// What a child does between fork and exec; its exit code names the step that failed.
enum ChildStep { OpenNull = 10, ReadWriteNull, CloseNull, CloseStreaming, CameraAnswered, ClosePlain, Exec };

[[noreturn]] void childToExec(int plainFd, int streamingFd)
{
    prctl(PR_SET_PDEATHSIG, SIGKILL); // never outlives the test
    const int fd = ::open("/dev/null", O_RDWR);
    if (fd < 0)
        _exit(OpenNull);
    char c = 'x';
    if (::write(fd, &c, 1) != 1 || ::read(fd, &c, 1) != 0)
        _exit(ReadWriteNull);
    if (::close(fd) != 0)
        _exit(CloseNull);
    if (streamingFd >= 0 && ::close(streamingFd) != 0)
        _exit(CloseStreaming);
    // The camera stayed with the parent: here its descriptor is a plain one.
    v4l2_capability cap;
    if (::ioctl(plainFd, VIDIOC_QUERYCAP, &cap) == 0)
        _exit(CameraAnswered);
    if (::close(plainFd) != 0)
        _exit(ClosePlain);
    execl("/bin/true", "true", static_cast<char*>(nullptr));
    _exit(Exec);
}

QString stepFailed(int code)
{
    switch (code) {
    case OpenNull: return QStringLiteral("could not open /dev/null");
    case ReadWriteNull: return QStringLiteral("could not write and read /dev/null");
    case CloseNull: return QStringLiteral("could not close /dev/null");
    case CloseStreaming: return QStringLiteral("could not close the streaming camera descriptor");
    case CameraAnswered: return QStringLiteral("got an answer from the parent's camera to an ioctl");
    case ClosePlain: return QStringLiteral("could not close the camera descriptor");
    case Exec: return QStringLiteral("could not exec /bin/true");
    default: return QStringLiteral("exited with %1").arg(code);
    }
}

// Empty when the child got to exec and /bin/true exited 0 within a second, else what
// went wrong. A child still running after the second is killed; either way it is reaped.
QString finishChild(pid_t pid)
{
    if (pid < 0)
        return QStringLiteral("fork failed: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR)
            return QStringLiteral("waitpid failed: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(pid, SIGKILL);
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
            return QStringLiteral("the child had not got through exec after 1 s and was killed");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (WIFSIGNALED(status))
        return QStringLiteral("the child died of signal %1").arg(WTERMSIG(status));
    if (WEXITSTATUS(status) != 0)
        return QStringLiteral("the child %1").arg(stepFailed(WEXITSTATUS(status)));
    return QString();
}

// Without Qt's event loop, whose poll() may be the camera's and wait for its lock.
bool waitForHold()
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (vcam_counter("holding") != 1) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// A thread that is told to stop and joined when it goes out of scope, however the test
// function is left.
class Worker
{
public:
    explicit Worker(std::function<void(const std::atomic<bool>& stop)> work)
        : m_thread([this, work] { work(m_stop); })
    {
    }
    ~Worker()
    {
        m_stop = true;
        m_thread.join();
    }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// One descriptor of the camera streaming YUYV 320x240 into buffers mapped here; all
// torn down when it goes out of scope.
class Stream
{
public:
    // Non-blocking, as the program opens it, unless blocking.
    explicit Stream(bool blocking = false)
    {
        m_fd = ::open(kNode, O_RDWR | O_CLOEXEC | (blocking ? 0 : O_NONBLOCK));
        if (m_fd < 0)
            return;
        v4l2_format format{};
        format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        format.fmt.pix.width = 320;
        format.fmt.pix.height = 240;
        format.fmt.pix.pixelformat = V4L2_PIX_FMT_YUYV;
        v4l2_requestbuffers request{};
        request.count = 4;
        request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        request.memory = V4L2_MEMORY_MMAP;
        if (::ioctl(m_fd, VIDIOC_S_FMT, &format) != 0 || ::ioctl(m_fd, VIDIOC_REQBUFS, &request) != 0)
            return;
        for (uint32_t i = 0; i < request.count; ++i) {
            v4l2_buffer b = buffer();
            b.index = i;
            if (::ioctl(m_fd, VIDIOC_QUERYBUF, &b) != 0)
                return;
            void* p = ::mmap(nullptr, b.length, PROT_READ, MAP_SHARED, m_fd, b.m.offset);
            if (p == MAP_FAILED)
                return;
            m_maps.emplace_back(p, b.length);
            if (::ioctl(m_fd, VIDIOC_QBUF, &b) != 0)
                return;
        }
        int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        m_streaming = ::ioctl(m_fd, VIDIOC_STREAMON, &type) == 0;
    }
    ~Stream()
    {
        for (const auto& m : m_maps)
            ::munmap(m.first, m.second);
        if (m_fd >= 0)
            ::close(m_fd); // stops the stream and frees the buffers
    }
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;

    int fd() const { return m_fd; }
    bool streaming() const { return m_streaming; }
    // Waits for a frame and hands its buffer back.
    // A busy machine can hold the producer up for seconds; a stuck one never delivers.
    bool cycleFrame()
    {
        pollfd p{m_fd, POLLIN, 0};
        v4l2_buffer b = buffer();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        int ready = 0;
        while (((ready = ::poll(&p, 1, 1000)) == 0 || (ready < 0 && errno == EINTR))
               && std::chrono::steady_clock::now() < deadline) {
        }
        return ready == 1 && ::ioctl(m_fd, VIDIOC_DQBUF, &b) == 0 && ::ioctl(m_fd, VIDIOC_QBUF, &b) == 0;
    }

private:
    static v4l2_buffer buffer()
    {
        v4l2_buffer b{};
        b.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        b.memory = V4L2_MEMORY_MMAP;
        return b;
    }

    int m_fd = -1;
    bool m_streaming = false;
    std::vector<std::pair<void*, size_t>> m_maps;
};

// A descriptor closed when it goes out of scope.
class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

class TestVirtualCameraFork : public QObject
{
    Q_OBJECT

private slots:
    void init() { vcam_command("reset"); }

    void childGetsToExec_data()
    {
        QTest::addColumn<bool>("lockHeld");
        QTest::newRow("camera streaming") << false;
        QTest::newRow("camera streaming, its lock held") << true;
    }

    // Each child inherits a plain and a streaming descriptor of the camera.
    void childGetsToExec()
    {
        QFETCH(bool, lockHeld);
        Stream stream;
        QVERIFY(stream.streaming());
        const Descriptor plain(::open(kNode, O_RDWR | O_NONBLOCK));
        QVERIFY(plain.fd() >= 0);
        // Another thread is in the camera, as a slow call would be, when this one forks.
        Worker holder([lockHeld](const std::atomic<bool>&) {
            if (lockHeld)
                vcam_command("hold 2000");
        });
        if (lockHeld)
            QVERIFY2(waitForHold(), "the hold did not start");
        const pid_t pid = fork();
        if (pid == 0)
            childToExec(plain.fd(), stream.fd());
        const bool heldAtFork = vcam_counter("holding") == 1;
        const QString failure = finishChild(pid);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        if (lockHeld)
            QVERIFY2(heldAtFork, "the hold ended before the fork");
    }

    // Forks at any moment of the camera's work: frames, ioctls, opens and closes go on
    // in other threads meanwhile, and go on working while children come and go.
    void childrenGetToExecWhileTheCameraWorks()
    {
        vcam_command("fps 0"); // a frame whenever a buffer waits: the producer is always busy
        Stream stream;
        QVERIFY(stream.streaming());
        const Descriptor plain(::open(kNode, O_RDWR | O_NONBLOCK));
        QVERIFY(plain.fd() >= 0);
        std::atomic<long> frames{0}, calls{0}, opens{0};
        std::atomic<const char*> broken{nullptr};  // what stopped working, and why
        std::atomic<int> brokenErrno{0};
        QString failure;
        {
            Worker reader([&](const std::atomic<bool>& stop) {
                while (!stop) {
                    if (!stream.cycleFrame()) {
                        brokenErrno = errno;
                        broken = "a frame";
                        return;
                    }
                    ++frames;
                }
            });
            Worker caller([&](const std::atomic<bool>& stop) {
                v4l2_control control{V4L2_CID_BRIGHTNESS, 0};
                v4l2_format format{};
                format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
                while (!stop) {
                    if (::ioctl(plain.fd(), VIDIOC_G_CTRL, &control) != 0 ||
                        ::ioctl(plain.fd(), VIDIOC_G_FMT, &format) != 0) {
                        brokenErrno = errno;
                        broken = "a call";
                        return;
                    }
                    ++calls;
                }
            });
            Worker opener([&](const std::atomic<bool>& stop) {
                v4l2_capability cap;
                while (!stop) {
                    const int fd = ::open(kNode, O_RDWR | O_NONBLOCK | O_CLOEXEC);
                    const bool answered = fd >= 0 && ::ioctl(fd, VIDIOC_QUERYCAP, &cap) == 0;
                    if ((fd >= 0 && ::close(fd) != 0) || !answered) {
                        brokenErrno = errno;
                        broken = "an open";
                        return;
                    }
                    ++opens;
                }
            });
            QTRY_VERIFY_WITH_TIMEOUT(frames > 0 && calls > 0 && opens > 0, 5000);
            for (int i = 0; i < 40 && failure.isEmpty(); ++i) {
                const pid_t pid = fork();
                if (pid == 0)
                    childToExec(plain.fd(), stream.fd());
                failure = finishChild(pid);
                if (!failure.isEmpty())
                    failure = QStringLiteral("child %1: %2").arg(i).arg(failure);
            }
        }
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY2(!broken, qPrintable(QStringLiteral("the parent's camera stopped working (%1, errno %2) while its "
                                                   "children came and went")
                                        .arg(QLatin1String(broken.load() ? broken.load() : ""))
                                        .arg(brokenErrno.load())));
    }

    // A client may open the camera blocking; stopping its stream drained the frame
    // counter with reads that then waited forever, the camera's lock held.
    void blockingStreamCloses()
    {
        auto stream = std::make_shared<Stream>(true);
        QVERIFY(stream->streaming());
        QVERIFY(stream->cycleFrame());
        auto closed = std::make_shared<std::atomic<bool>>(false);
        // Detached: a close that never returns must fail this test, not hang it.
        std::thread([last = std::move(stream), closed]() mutable {
            last.reset();
            *closed = true;
        }).detach();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!*closed && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        QVERIFY2(*closed, "closing a blocking descriptor that streams did not return");
        QCOMPARE(vcam_counter("open"), 0L);
    }
};

QTEST_GUILESS_MAIN(TestVirtualCameraFork)
#include "tst_virtualcamera_fork.moc"
