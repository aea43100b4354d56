// The virtual USB camera: answers the V4L2 calls that virtualcamera_calls.cpp passes
// on for its node. The descriptor handed out is an eventfd that counts the filled
// buffers, so poll/select readiness is real and paced by the producer thread.

#include "virtualcamera.h"
#include "virtualcamera_calls.h"

#include <fcntl.h>
#include <linux/videodev2.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <time.h>
#include <turbojpeg.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <functional>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "virtualcamera_scene.h"

using namespace VirtualCamera;

namespace {

using Clock = std::chrono::steady_clock;

struct FrameSize
{
    uint32_t fourcc;
    uint32_t width, height;
    uint32_t fps; // the first (announced) frame rate
};

// MJPEG up to 4K, YUYV at the small sizes (a USB 2 camera's table).
const FrameSize kSizes[] = {
    {V4L2_PIX_FMT_MJPEG, 640, 480, 30},  {V4L2_PIX_FMT_MJPEG, 1280, 720, 30},
    {V4L2_PIX_FMT_MJPEG, 1920, 1080, 30}, {V4L2_PIX_FMT_MJPEG, 3840, 2160, 15},
    {V4L2_PIX_FMT_YUYV, 320, 240, 30},   {V4L2_PIX_FMT_YUYV, 640, 480, 30},
    {V4L2_PIX_FMT_YUYV, 1280, 720, 10},
};
const uint32_t kFourccs[] = {V4L2_PIX_FMT_MJPEG, V4L2_PIX_FMT_YUYV};
constexpr uint32_t kSlowFps = 5; // the second interval every size offers

struct Control
{
    uint32_t id;
    const char* name;
    v4l2_ctrl_type type;
    int minimum, maximum, defaultValue;
    int value;
};

Control kControlDefaults[] = {
    {V4L2_CID_BRIGHTNESS, "brightness", V4L2_CTRL_TYPE_INTEGER, -64, 64, 0, 0},
    {V4L2_CID_CONTRAST, "contrast", V4L2_CTRL_TYPE_INTEGER, 0, 95, 32, 32},
    {V4L2_CID_SATURATION, "saturation", V4L2_CTRL_TYPE_INTEGER, 0, 128, 64, 64},
    {V4L2_CID_EXPOSURE_AUTO, "exposure_auto", V4L2_CTRL_TYPE_MENU, 0, 3, 3, 3},
    {V4L2_CID_EXPOSURE_ABSOLUTE, "exposure", V4L2_CTRL_TYPE_INTEGER, 3, 2047, 250, 250},
    {V4L2_CID_FOCUS_ABSOLUTE, "focus", V4L2_CTRL_TYPE_INTEGER, 0, 1023, 68, 68},
    {V4L2_CID_FOCUS_AUTO, "focus_auto", V4L2_CTRL_TYPE_BOOLEAN, 0, 1, 1, 1},
};
constexpr size_t kControlCount = sizeof(kControlDefaults) / sizeof(kControlDefaults[0]);

enum class BufState { Dequeued, Queued, Filling, Done };

struct Buffer
{
    uint32_t offset = 0, length = 0, bytesused = 0, sequence = 0;
    BufState state = BufState::Dequeued;
    timeval timestamp{};
};

struct OpenFile
{
    bool dead = false;
};

struct State
{
    bool unplugged = false;
    bool controlsEnabled = true;
    int fpsOverride = -1; // -1: the table's rates; 0: unpaced
    int truncateCount = 0;
    Clock::time_point stallUntil{};
    uint32_t refuseWidth = 0, refuseHeight = 0;
    Control controls[kControlCount];

    std::map<int, OpenFile> files;
    FrameSize format = kSizes[2];
    uint32_t fps = 30;

    int owner = -1; // the descriptor that holds the buffers
    int memfd = -1;
    uint8_t* base = nullptr; // our own mapping of every buffer
    size_t total = 0;
    std::vector<Buffer> buffers;
    std::deque<int> queued, done;
    bool streaming = false;
    unsigned generation = 0; // a producer runs while the generation it started in lasts
    std::thread producer;
    int joining = 0; // stops waiting for a producer to end, the lock released meanwhile
    uint32_t sequence = 0;

    long frames = 0, dropped = 0, truncated = 0, sets = 0;
    std::string journal;
    int journalFd = -1;
};

std::mutex g_mutex;
std::condition_variable g_wake;
State& state()
{
    static State* s = [] {
        auto* st = new State; // never destroyed: the program may call us during exit
        std::memcpy(st->controls, kControlDefaults, sizeof(kControlDefaults));
        if (const char* path = getenv("OCUMETRA_VCAM_JOURNAL"))
            st->journalFd = real_open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        return st;
    }();
    return *s;
}

// Fast path: most munmap calls of the program are not of our buffers.
std::atomic<int> g_appMappings{0};
std::atomic<bool> g_holding{false}; // a "hold" command has the camera's lock
std::mutex g_mapMutex;
std::map<uintptr_t, size_t>& appMappings()
{
    static auto* m = new std::map<uintptr_t, size_t>;
    return *m;
}

void journal(State& s, const std::string& line)
{
    s.journal += line;
    s.journal += '\n';
    if (s.journalFd >= 0) {
        const std::string l = line + '\n';
        if (real_write(s.journalFd, l.data(), l.size()) != ssize_t(l.size()))
            s.journalFd = -1;
    }
}

std::string fourccName(uint32_t f)
{
    return std::string{char(f & 0xff), char((f >> 8) & 0xff), char((f >> 16) & 0xff), char((f >> 24) & 0xff)};
}

std::string sizeText(uint32_t w, uint32_t h) { return std::to_string(w) + "x" + std::to_string(h); }

uint32_t announcedFps(const State& s, const FrameSize& f)
{
    return s.fpsOverride > 0 ? uint32_t(s.fpsOverride) : f.fps;
}

void wakeDescriptor(int fd)
{
    const uint64_t one = 1;
    if (real_write(fd, &one, sizeof one) != sizeof one)
        return; // counter full: readiness is already signalled
}

// Only while it is readable: a program that opened the camera blocking holds a
// descriptor on which a read of an empty counter would wait forever.
void drainDescriptor(int fd)
{
    uint64_t v;
    pollfd ready{fd, POLLIN, 0};
    while (real_poll(&ready, 1, 0) == 1 && (ready.revents & POLLIN) && real_read(fd, &v, sizeof v) == sizeof v) {
    }
}

// ---- the producer ------------------------------------------------------------

struct FrameCache
{
    uint32_t fourcc = 0, width = 0, height = 0;
    std::vector<std::vector<uint8_t>> phases;
};

size_t renderFrame(FrameCache& cache, tjhandle tj, const FrameSize& f, uint32_t sequence, uint8_t* dst, size_t cap,
                   bool truncate)
{
    if (cache.fourcc != f.fourcc || cache.width != f.width || cache.height != f.height) {
        cache = FrameCache{f.fourcc, f.width, f.height, {}};
        cache.phases.resize(VirtualScene::kPhases);
    }
    std::vector<uint8_t>& frame = cache.phases[sequence % VirtualScene::kPhases];
    if (frame.empty()) {
        std::vector<uint8_t> rgb(size_t(f.width) * f.height * 3);
        VirtualScene::draw(rgb.data(), int(f.width), int(f.height), int(sequence % VirtualScene::kPhases));
        if (f.fourcc == V4L2_PIX_FMT_YUYV) {
            frame.resize(size_t(f.width) * f.height * 2);
            VirtualScene::toYuyv(rgb.data(), int(f.width), int(f.height), frame.data());
        } else {
            unsigned char* jpeg = nullptr;
            unsigned long size = 0;
            if (tj && tjCompress2(tj, rgb.data(), int(f.width), 0, int(f.height), TJPF_RGB, &jpeg, &size, TJSAMP_422,
                                  85, 0) == 0)
                frame.assign(jpeg, jpeg + size);
            tjFree(jpeg);
        }
    }
    size_t used = std::min(frame.size(), cap);
    std::memcpy(dst, frame.data(), used);
    if (truncate)
        used /= 2;
    return used;
}

void produce(unsigned generation)
{
    FrameCache cache;
    tjhandle tj = tjInitCompress();
    std::unique_lock<std::mutex> lk(g_mutex);
    State& s = state();
    const auto stopped = [&] { return s.generation != generation; };
    Clock::time_point next = Clock::now();
    while (!stopped()) {
        const bool paced = s.fpsOverride != 0;
        if (paced) {
            const auto interval = std::chrono::microseconds(1000000 / std::max<uint32_t>(1, s.fps));
            next += interval;
            const Clock::time_point now = Clock::now();
            if (next + 4 * interval < now)
                next = now; // no burst after a long delay
            if (s.stallUntil > next)
                next = s.stallUntil;
            g_wake.wait_until(lk, next, stopped);
        } else {
            g_wake.wait(lk, [&] { return stopped() || !s.queued.empty(); });
            if (s.stallUntil > Clock::now())
                g_wake.wait_until(lk, s.stallUntil, stopped);
        }
        if (stopped())
            break;
        if (s.queued.empty()) {
            ++s.dropped;
            continue;
        }
        const int index = s.queued.front();
        s.queued.pop_front();
        Buffer& b = s.buffers[size_t(index)];
        b.state = BufState::Filling;
        const FrameSize format = s.format;
        const uint32_t sequence = s.sequence++;
        const bool truncate = format.fourcc == V4L2_PIX_FMT_MJPEG && s.truncateCount > 0;
        if (truncate) {
            --s.truncateCount;
            ++s.truncated;
        }
        uint8_t* dst = s.base + b.offset;
        const size_t cap = b.length;
        // Encoding a 4K frame takes a while; the program's calls go on meanwhile.
        // Tear-down joins this thread before it unmaps the buffers.
        lk.unlock();
        const size_t used = renderFrame(cache, tj, format, sequence, dst, cap, truncate);
        lk.lock();
        if (stopped())
            break;
        b.bytesused = uint32_t(used);
        b.sequence = sequence;
        timespec ts;
        clock_gettime(CLOCK_MONOTONIC, &ts);
        b.timestamp.tv_sec = ts.tv_sec;
        b.timestamp.tv_usec = ts.tv_nsec / 1000;
        b.state = BufState::Done;
        s.done.push_back(index);
        wakeDescriptor(s.owner);
    }
    lk.unlock();
    if (tj)
        tjDestroy(tj);
}

// Stops the producer; the lock is released while it is joined. Returns only once no
// producer runs, even when another thread's stop is joining it: the producer writes
// into the buffers unlocked, so freeing them any earlier pulls them from under it.
void stopStream(std::unique_lock<std::mutex>& lk)
{
    State& s = state();
    const bool wasStreaming = s.streaming;
    s.streaming = false;
    if (s.producer.joinable()) {
        ++s.generation;
        ++s.joining;
        g_wake.notify_all();
        std::thread t = std::move(s.producer);
        lk.unlock();
        t.join();
        lk.lock();
        --s.joining;
        g_wake.notify_all();
    }
    g_wake.wait(lk, [&] { return s.joining == 0; });
    s.queued.clear();
    s.done.clear();
    for (Buffer& b : s.buffers)
        b.state = BufState::Dequeued;
    if (s.owner >= 0)
        drainDescriptor(s.owner);
    if (wasStreaming)
        journal(s, "streamoff");
}

void freeBuffers(State& s)
{
    if (s.base)
        real_munmap(s.base, s.total);
    if (s.memfd >= 0)
        real_close(s.memfd);
    s.base = nullptr;
    s.memfd = -1;
    s.total = 0;
    s.buffers.clear();
    s.owner = -1;
}

// ---- ioctl ----------------------------------------------------------------------

const FrameSize* findSize(uint32_t fourcc, uint32_t w, uint32_t h)
{
    for (const FrameSize& f : kSizes)
        if (f.fourcc == fourcc && f.width == w && f.height == h)
            return &f;
    return nullptr;
}

// What S_FMT/TRY_FMT settle on: the asked size, else the nearest the device offers.
FrameSize negotiate(const State& s, uint32_t fourcc, uint32_t w, uint32_t h)
{
    if (fourcc != V4L2_PIX_FMT_MJPEG && fourcc != V4L2_PIX_FMT_YUYV)
        fourcc = V4L2_PIX_FMT_MJPEG;
    const bool refused = w == s.refuseWidth && h == s.refuseHeight;
    const FrameSize* best = nullptr;
    long long bestDiff = 0;
    for (const FrameSize& f : kSizes) {
        if (f.fourcc != fourcc || (refused && f.width == w && f.height == h))
            continue;
        const long long diff = std::llabs(static_cast<long long>(f.width) * f.height - static_cast<long long>(w) * h);
        if (!best || diff < bestDiff) {
            best = &f;
            bestDiff = diff;
        }
    }
    return *best;
}

void fillPix(const FrameSize& f, v4l2_pix_format& pix)
{
    pix.width = f.width;
    pix.height = f.height;
    pix.pixelformat = f.fourcc;
    pix.field = V4L2_FIELD_NONE;
    pix.bytesperline = f.fourcc == V4L2_PIX_FMT_YUYV ? f.width * 2 : 0;
    pix.sizeimage = f.width * f.height * 2;
    pix.colorspace = V4L2_COLORSPACE_SRGB;
}

Control* findControl(State& s, uint32_t id)
{
    if (!s.controlsEnabled)
        return nullptr;
    for (Control& c : s.controls)
        if (c.id == id)
            return &c;
    return nullptr;
}

int fail(int error)
{
    errno = error;
    return -1;
}

void fillBuffer(const State& s, int index, v4l2_buffer* b)
{
    const Buffer& buf = s.buffers[size_t(index)];
    b->index = uint32_t(index);
    b->type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    b->memory = V4L2_MEMORY_MMAP;
    b->length = buf.length;
    b->m.offset = buf.offset;
    b->bytesused = buf.bytesused;
    b->sequence = buf.sequence;
    b->timestamp = buf.timestamp;
    b->field = V4L2_FIELD_NONE;
    b->flags = V4L2_BUF_FLAG_TIMESTAMP_MONOTONIC;
    if (buf.state == BufState::Queued || buf.state == BufState::Filling)
        b->flags |= V4L2_BUF_FLAG_QUEUED;
    if (buf.state == BufState::Done)
        b->flags |= V4L2_BUF_FLAG_DONE;
}

int requestBuffers(std::unique_lock<std::mutex>& lk, int fd, v4l2_requestbuffers* r)
{
    State& s = state();
    if (r->type != V4L2_BUF_TYPE_VIDEO_CAPTURE || r->memory != V4L2_MEMORY_MMAP)
        return fail(EINVAL);
    if (s.owner >= 0 && s.owner != fd)
        return fail(EBUSY);
    if (s.owner == fd) {
        // The kernel keeps buffers the program still maps.
        if (g_appMappings.load() > 0) {
            journal(s, "reqbufs busy");
            return fail(EBUSY);
        }
        stopStream(lk);
        freeBuffers(s);
    }
    if (r->count == 0) {
        journal(s, "reqbufs 0");
        return 0;
    }
    const uint32_t count = std::min<uint32_t>(std::max<uint32_t>(r->count, 2), 8);
    const size_t page = size_t(sysconf(_SC_PAGESIZE));
    const size_t length = (size_t(s.format.width) * s.format.height * 2 + page - 1) / page * page;
    s.memfd = memfd_create("vcam-buffers", MFD_CLOEXEC);
    if (s.memfd < 0 || ftruncate(s.memfd, off_t(length * count)) != 0)
        return fail(ENOMEM);
    void* base = real_mmap(nullptr, length * count, PROT_READ | PROT_WRITE, MAP_SHARED, s.memfd, 0);
    if (base == MAP_FAILED) {
        freeBuffers(s);
        return fail(ENOMEM);
    }
    s.base = static_cast<uint8_t*>(base);
    s.total = length * count;
    s.owner = fd;
    s.buffers.assign(count, Buffer{});
    for (uint32_t i = 0; i < count; ++i) {
        s.buffers[i].offset = uint32_t(i * length);
        s.buffers[i].length = uint32_t(length);
    }
    r->count = count;
    r->capabilities = V4L2_BUF_CAP_SUPPORTS_MMAP;
    journal(s, "reqbufs " + std::to_string(count));
    return 0;
}

int dequeue(std::unique_lock<std::mutex>& lk, int fd, bool nonblocking, v4l2_buffer* b)
{
    State& s = state();
    for (;;) {
        if (s.files[fd].dead)
            return fail(ENODEV);
        if (s.owner != fd || !s.streaming)
            return fail(EINVAL);
        if (!s.done.empty())
            break;
        if (nonblocking)
            return fail(EAGAIN);
        lk.unlock();
        pollfd p{fd, POLLIN, 0};
        real_poll(&p, 1, 100); // short, so a STREAMOFF elsewhere is seen
        lk.lock();
    }
    uint64_t v;
    if (real_read(fd, &v, sizeof v) != sizeof v)
        return fail(EAGAIN);
    const int index = s.done.front();
    s.done.pop_front();
    s.buffers[size_t(index)].state = BufState::Dequeued;
    fillBuffer(s, index, b);
    ++s.frames;
    return 0;
}

// ---- commands -------------------------------------------------------------------

void unplug(std::unique_lock<std::mutex>& lk)
{
    State& s = state();
    if (s.unplugged)
        return;
    s.unplugged = true;
    journal(s, "unplug");
    for (auto& f : s.files)
        f.second.dead = true;
    stopStream(lk);
    // The device is gone: its buffers stay only in the program's own mappings.
    freeBuffers(s);
    for (auto& f : s.files)
        wakeDescriptor(f.first); // a blocked poll returns and sees the hang-up
}

void runCommand(const std::string& line)
{
    std::unique_lock<std::mutex> lk(g_mutex);
    State& s = state();
    const size_t space = line.find(' ');
    const std::string cmd = line.substr(0, space);
    const std::string arg = space == std::string::npos ? std::string() : line.substr(space + 1);
    if (cmd == "unplug") {
        unplug(lk);
    } else if (cmd == "replug") {
        s.unplugged = false;
        journal(s, "replug");
    } else if (cmd == "truncate") {
        s.truncateCount = std::atoi(arg.c_str());
    } else if (cmd == "stall") {
        s.stallUntil = Clock::now() + std::chrono::milliseconds(std::atoi(arg.c_str()));
        journal(s, "stall " + arg);
    } else if (cmd == "refuse") {
        unsigned w = 0, h = 0;
        if (std::sscanf(arg.c_str(), "%ux%u", &w, &h) == 2) {
            s.refuseWidth = w;
            s.refuseHeight = h;
        }
    } else if (cmd == "controls") {
        s.controlsEnabled = arg != "none";
    } else if (cmd == "fps") {
        s.fpsOverride = std::atoi(arg.c_str());
        s.fps = announcedFps(s, s.format);
    } else if (cmd == "hold") {
        g_holding.store(true);
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(arg.c_str())));
        g_holding.store(false);
    } else if (cmd == "reset") {
        std::memcpy(s.controls, kControlDefaults, sizeof(kControlDefaults));
        s.unplugged = false;
        s.controlsEnabled = true;
        s.fpsOverride = -1;
        s.truncateCount = 0;
        s.stallUntil = Clock::time_point{};
        s.refuseWidth = s.refuseHeight = 0;
        s.frames = s.dropped = s.truncated = s.sets = 0;
        s.journal.clear();
    }
}

// Follows the control file: new complete lines are commands.
void watchControlFile(std::string path)
{
    off_t offset = 0;
    std::string pending;
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const int fd = real_open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            continue;
        char chunk[512];
        ssize_t n;
        while ((n = pread(fd, chunk, sizeof chunk, offset)) > 0) {
            offset += n;
            pending.append(chunk, size_t(n));
        }
        real_close(fd);
        size_t nl;
        while ((nl = pending.find('\n')) != std::string::npos) {
            runCommand(pending.substr(0, nl));
            pending.erase(0, nl + 1);
        }
    }
}

__attribute__((constructor)) void startControlWatcher()
{
    if (const char* path = getenv("OCUMETRA_VCAM_CONTROL"))
        std::thread(watchControlFile, std::string(path)).detach();
}

} // namespace

// ---- what the interposed calls reach ---------------------------------------------

int VirtualCamera::openNode(int flags)
{
    std::unique_lock<std::mutex> lk(g_mutex);
    State& s = state();
    if (s.unplugged)
        return fail(ENOENT);
    const int fd = eventfd(0, EFD_SEMAPHORE | EFD_NONBLOCK | ((flags & O_CLOEXEC) ? EFD_CLOEXEC : 0));
    if (fd < 0)
        return -1;
    if (!markOurs(fd)) {
        real_close(fd);
        return fail(EMFILE);
    }
    // The descriptor itself never blocks; DQBUF honours the program's own flag.
    if (!(flags & O_NONBLOCK))
        real_fcntl(fd, F_SETFL, 0);
    s.files[fd] = OpenFile{};
    journal(s, "open");
    return fd;
}

void VirtualCamera::closeNode(int fd)
{
    std::unique_lock<std::mutex> lk(g_mutex);
    State& s = state();
    if (s.owner == fd) {
        stopStream(lk);
        freeBuffers(s);
    }
    s.files.erase(fd);
    unmarkOurs(fd);
    // Mappings the program still holds of buffers it no longer streams are leaks.
    journal(s, "close mapped=" + std::to_string(g_appMappings.load()));
}

int VirtualCamera::handleIoctl(int fd, unsigned long request, void* arg)
{
    std::unique_lock<std::mutex> lk(g_mutex);
    State& s = state();
    // No stream starts on buffers a stop elsewhere is about to free.
    g_wake.wait(lk, [&] { return s.joining == 0; });
    if (s.files[fd].dead)
        return fail(ENODEV);
    switch (request) {
    case VIDIOC_QUERYCAP: {
        auto* c = static_cast<v4l2_capability*>(arg);
        std::memset(c, 0, sizeof *c);
        std::strncpy(reinterpret_cast<char*>(c->driver), "uvcvideo", sizeof c->driver - 1);
        std::strncpy(reinterpret_cast<char*>(c->card), "Ocumetra Virtual Camera", sizeof c->card - 1);
        std::strncpy(reinterpret_cast<char*>(c->bus_info), "usb-0000:00:14.0-9", sizeof c->bus_info - 1);
        c->version = (6 << 16) | (1 << 8);
        c->device_caps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
        c->capabilities = c->device_caps | V4L2_CAP_DEVICE_CAPS;
        return 0;
    }
    case VIDIOC_ENUM_FMT: {
        auto* d = static_cast<v4l2_fmtdesc*>(arg);
        if (d->type != V4L2_BUF_TYPE_VIDEO_CAPTURE || d->index >= 2)
            return fail(EINVAL);
        d->pixelformat = kFourccs[d->index];
        d->flags = d->pixelformat == V4L2_PIX_FMT_MJPEG ? V4L2_FMT_FLAG_COMPRESSED : 0;
        std::strncpy(reinterpret_cast<char*>(d->description),
                     d->pixelformat == V4L2_PIX_FMT_MJPEG ? "Motion-JPEG" : "YUYV 4:2:2", sizeof d->description - 1);
        return 0;
    }
    case VIDIOC_ENUM_FRAMESIZES: {
        auto* e = static_cast<v4l2_frmsizeenum*>(arg);
        uint32_t n = 0;
        for (const FrameSize& f : kSizes) {
            if (f.fourcc == e->pixel_format && n++ == e->index) {
                e->type = V4L2_FRMSIZE_TYPE_DISCRETE;
                e->discrete.width = f.width;
                e->discrete.height = f.height;
                return 0;
            }
        }
        return fail(EINVAL);
    }
    case VIDIOC_ENUM_FRAMEINTERVALS: {
        auto* e = static_cast<v4l2_frmivalenum*>(arg);
        const FrameSize* f = findSize(e->pixel_format, e->width, e->height);
        if (!f || e->index > 1)
            return fail(EINVAL);
        e->type = V4L2_FRMIVAL_TYPE_DISCRETE;
        e->discrete.numerator = 1;
        e->discrete.denominator = e->index == 0 ? announcedFps(s, *f) : kSlowFps;
        return 0;
    }
    case VIDIOC_G_FMT: {
        auto* f = static_cast<v4l2_format*>(arg);
        if (f->type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return fail(EINVAL);
        fillPix(s.format, f->fmt.pix);
        return 0;
    }
    case VIDIOC_TRY_FMT:
    case VIDIOC_S_FMT: {
        auto* f = static_cast<v4l2_format*>(arg);
        if (f->type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return fail(EINVAL);
        const FrameSize chosen = negotiate(s, f->fmt.pix.pixelformat, f->fmt.pix.width, f->fmt.pix.height);
        if (request == VIDIOC_S_FMT) {
            if (!s.buffers.empty())
                return fail(EBUSY);
            std::string line = "s_fmt " + fourccName(chosen.fourcc) + " " + sizeText(chosen.width, chosen.height);
            if (chosen.width != f->fmt.pix.width || chosen.height != f->fmt.pix.height)
                line += " asked " + sizeText(f->fmt.pix.width, f->fmt.pix.height);
            journal(s, line);
            s.format = chosen;
            s.fps = announcedFps(s, chosen);
        }
        fillPix(chosen, f->fmt.pix);
        return 0;
    }
    case VIDIOC_G_PARM:
    case VIDIOC_S_PARM: {
        auto* p = static_cast<v4l2_streamparm*>(arg);
        if (p->type != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return fail(EINVAL);
        if (request == VIDIOC_S_PARM) {
            const v4l2_fract t = p->parm.capture.timeperframe;
            const double wanted = t.numerator ? double(t.denominator) / t.numerator : 0.0;
            const uint32_t fast = announcedFps(s, s.format);
            s.fps = wanted > 0 && std::abs(wanted - kSlowFps) < std::abs(wanted - fast) ? kSlowFps : fast;
            journal(s, "s_parm " + std::to_string(s.fps));
        }
        std::memset(&p->parm.capture, 0, sizeof p->parm.capture);
        p->parm.capture.capability = V4L2_CAP_TIMEPERFRAME;
        p->parm.capture.timeperframe.numerator = 1;
        p->parm.capture.timeperframe.denominator = s.fps;
        p->parm.capture.readbuffers = 0;
        return 0;
    }
    case VIDIOC_REQBUFS:
        return requestBuffers(lk, fd, static_cast<v4l2_requestbuffers*>(arg));
    case VIDIOC_QUERYBUF:
    case VIDIOC_QBUF: {
        auto* b = static_cast<v4l2_buffer*>(arg);
        if (s.owner != fd || b->type != V4L2_BUF_TYPE_VIDEO_CAPTURE || b->index >= s.buffers.size())
            return fail(EINVAL);
        if (request == VIDIOC_QBUF) {
            if (b->memory != V4L2_MEMORY_MMAP || s.buffers[b->index].state != BufState::Dequeued)
                return fail(EINVAL);
            s.buffers[b->index].state = BufState::Queued;
            s.queued.push_back(int(b->index));
            g_wake.notify_all();
        }
        fillBuffer(s, int(b->index), b);
        return 0;
    }
    case VIDIOC_DQBUF: {
        const bool nonblocking = real_fcntl(fd, F_GETFL) & O_NONBLOCK;
        return dequeue(lk, fd, nonblocking, static_cast<v4l2_buffer*>(arg));
    }
    case VIDIOC_STREAMON:
        if (s.owner != fd || *static_cast<int*>(arg) != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return fail(EINVAL);
        if (!s.streaming) {
            s.streaming = true;
            s.sequence = 0;
            s.producer = std::thread(produce, s.generation);
            journal(s, "streamon " + fourccName(s.format.fourcc) + " " + sizeText(s.format.width, s.format.height) +
                           " " + std::to_string(s.fps));
        }
        return 0;
    case VIDIOC_STREAMOFF:
        if (*static_cast<int*>(arg) != V4L2_BUF_TYPE_VIDEO_CAPTURE)
            return fail(EINVAL);
        if (s.owner == fd)
            stopStream(lk);
        return 0;
    case VIDIOC_QUERYCTRL: {
        auto* q = static_cast<v4l2_queryctrl*>(arg);
        Control* c = nullptr;
        if (q->id & V4L2_CTRL_FLAG_NEXT_CTRL) {
            const uint32_t after = q->id & ~V4L2_CTRL_FLAG_NEXT_CTRL;
            for (Control& k : s.controls)
                if (s.controlsEnabled && k.id > after && (!c || k.id < c->id))
                    c = &k;
        } else {
            c = findControl(s, q->id);
        }
        if (!c)
            return fail(EINVAL);
        std::memset(q, 0, sizeof *q);
        q->id = c->id;
        q->type = c->type;
        std::strncpy(reinterpret_cast<char*>(q->name), c->name, sizeof q->name - 1);
        q->minimum = c->minimum;
        q->maximum = c->maximum;
        q->step = 1;
        q->default_value = c->defaultValue;
        return 0;
    }
    case VIDIOC_QUERYMENU: {
        auto* m = static_cast<v4l2_querymenu*>(arg);
        // UVC cameras offer manual and aperture priority exposure only.
        if (!findControl(s, m->id) || m->id != V4L2_CID_EXPOSURE_AUTO || (m->index != 1 && m->index != 3))
            return fail(EINVAL);
        std::strncpy(reinterpret_cast<char*>(m->name), m->index == 1 ? "Manual Mode" : "Aperture Priority Mode",
                     sizeof m->name - 1);
        return 0;
    }
    case VIDIOC_G_CTRL:
    case VIDIOC_S_CTRL: {
        auto* v = static_cast<v4l2_control*>(arg);
        Control* c = findControl(s, v->id);
        if (!c)
            return fail(EINVAL);
        if (request == VIDIOC_S_CTRL) {
            if (c->type == V4L2_CTRL_TYPE_MENU && v->value != 1 && v->value != 3)
                return fail(EINVAL);
            c->value = std::max(c->minimum, std::min(c->maximum, v->value));
            ++s.sets;
            journal(s, std::string("s_ctrl ") + c->name + " " + std::to_string(c->value));
        }
        v->value = c->value;
        return 0;
    }
    case VIDIOC_ENUMINPUT: {
        auto* in = static_cast<v4l2_input*>(arg);
        if (in->index != 0)
            return fail(EINVAL);
        std::strncpy(reinterpret_cast<char*>(in->name), "Camera 1", sizeof in->name - 1);
        in->type = V4L2_INPUT_TYPE_CAMERA;
        return 0;
    }
    case VIDIOC_G_INPUT:
        *static_cast<int*>(arg) = 0;
        return 0;
    case VIDIOC_S_INPUT:
        return *static_cast<int*>(arg) == 0 ? 0 : fail(EINVAL);
    default:
        return fail(ENOTTY);
    }
}

void* VirtualCamera::mapNode(void* addr, size_t length, int prot, int flags, int fd, off_t offset)
{
    int memfd = -1;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        State& s = state();
        if (s.files[fd].dead) {
            errno = ENODEV;
            return MAP_FAILED;
        }
        for (const Buffer& b : s.buffers)
            if (s.owner == fd && off_t(b.offset) == offset && length <= b.length)
                memfd = s.memfd;
    }
    if (memfd < 0) {
        errno = EINVAL;
        return MAP_FAILED;
    }
    void* p = real_mmap(addr, length, prot, flags, memfd, offset);
    if (p != MAP_FAILED) {
        std::lock_guard<std::mutex> lock(g_mapMutex);
        appMappings()[reinterpret_cast<uintptr_t>(p)] = length;
        g_appMappings.fetch_add(1);
    }
    return p;
}

void VirtualCamera::forgetMapping(void* addr)
{
    if (g_appMappings.load() == 0)
        return; // the program maps none of our buffers: no lock
    std::lock_guard<std::mutex> lock(g_mapMutex);
    if (appMappings().erase(reinterpret_cast<uintptr_t>(addr)))
        g_appMappings.fetch_sub(1);
}

int VirtualCamera::pollOurs(pollfd* fds, nfds_t n, const std::function<int(int)>& realPoll, int timeoutMs)
{
    // Not streaming or hung up: answered at once, like the kernel does.
    bool immediate = false;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        State& s = state();
        for (nfds_t i = 0; i < n; ++i) {
            auto it = s.files.find(fds[i].fd);
            if (it != s.files.end() && (it->second.dead || s.owner != fds[i].fd || !s.streaming))
                immediate = true;
        }
    }
    int r = realPoll(immediate ? 0 : timeoutMs);
    if (r < 0)
        return r;
    std::lock_guard<std::mutex> lock(g_mutex);
    State& s = state();
    r = 0;
    for (nfds_t i = 0; i < n; ++i) {
        auto it = s.files.find(fds[i].fd);
        if (it != s.files.end()) {
            if (it->second.dead)
                fds[i].revents = POLLERR | POLLHUP;
            else if (s.owner != fds[i].fd || !s.streaming)
                fds[i].revents = POLLERR;
            else
                fds[i].revents &= POLLIN | POLLRDNORM;
        }
        if (fds[i].revents)
            ++r;
    }
    return r;
}

// ---- the control entry points ------------------------------------------------

extern "C" {

void vcam_command(const char* line)
{
    if (line)
        runCommand(line);
}

long vcam_counter(const char* name)
{
    std::string n = name ? name : "";
    if (n == "mapped")
        return g_appMappings.load();
    if (n == "holding")
        return g_holding.load() ? 1 : 0;
    std::lock_guard<std::mutex> lock(g_mutex);
    State& s = state();
    if (n == "open")
        return long(s.files.size());
    if (n == "streaming")
        return s.streaming ? 1 : 0;
    if (n == "frames")
        return s.frames;
    if (n == "dropped")
        return s.dropped;
    if (n == "truncated")
        return s.truncated;
    if (n == "sets")
        return s.sets;
    if (n == "width")
        return long(s.format.width);
    if (n == "height")
        return long(s.format.height);
    if (n.rfind("ctrl:", 0) == 0)
        for (const Control& c : s.controls)
            if (n.compare(5, std::string::npos, c.name) == 0)
                return c.value;
    return -1;
}

size_t vcam_journal(char* buffer, size_t size)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    const std::string& j = state().journal;
    if (buffer && size > 0) {
        const size_t n = std::min(size - 1, j.size());
        std::memcpy(buffer, j.data(), n);
        buffer[n] = '\0';
    }
    return j.size();
}

} // extern "C"
