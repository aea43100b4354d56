// The libc calls the virtual camera stands in front of. Those that do not concern the
// camera go to libc without taking any lock; in a forked child all of them do.

#undef _FORTIFY_SOURCE // we define open, poll and friends ourselves

#include "virtualcamera_calls.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <stdarg.h>
#include <sys/mman.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace VirtualCamera {

RealFn<OpenFn> real_open{"open"};
RealFn<OpenFn> real_open64{"open64"};
RealFn<OpenatFn> real_openat{"openat"};
RealFn<OpenatFn> real_openat64{"openat64"};
RealFn<int (*)(int)> real_close{"close"};
RealFn<int (*)(int, unsigned long, ...)> real_ioctl{"ioctl"};
RealFn<int (*)(int, int, ...)> real_fcntl{"fcntl"};
RealFn<ssize_t (*)(int, void*, size_t)> real_read{"read"};
RealFn<ssize_t (*)(int, const void*, size_t)> real_write{"write"};
RealFn<void* (*)(void*, size_t, int, int, int, off_t)> real_mmap{"mmap"};
RealFn<int (*)(void*, size_t)> real_munmap{"munmap"};
RealFn<int (*)(pollfd*, nfds_t, int)> real_poll{"poll"};
RealFn<int (*)(pollfd*, nfds_t, const timespec*, const sigset_t*)> real_ppoll{"ppoll"};
RealFn<int (*)(int, fd_set*, fd_set*, fd_set*, timeval*)> real_select{"select"};

} // namespace VirtualCamera

using namespace VirtualCamera;

namespace {

// Fast paths: most calls of the program never concern the camera, and answering them
// takes no lock, so a child forked while another thread was in the camera gets through.
char g_node[PATH_MAX] = "/dev/video63"; // set before any thread runs, read-only after
constexpr int kMaxDescriptors = 1 << 16;
std::atomic<bool> g_ours[kMaxDescriptors]; // by descriptor: one of ours is open
std::atomic<int> g_openCount{0};
// In a forked child every call goes to libc: the camera, its lock and its producer
// stay with the parent.
std::atomic<bool> g_forkedChild{false};

void resolveRealFunctions()
{
    real_open.get();
    real_open64.get();
    real_openat.get();
    real_openat64.get();
    real_close.get();
    real_ioctl.get();
    real_fcntl.get();
    real_read.get();
    real_write.get();
    real_mmap.get();
    real_munmap.get();
    real_poll.get();
    real_ppoll.get();
    real_select.get();
}

void enterForkedChild() { g_forkedChild.store(true, std::memory_order_relaxed); }

__attribute__((constructor)) void load()
{
    resolveRealFunctions();
    if (const char* node = getenv("OCUMETRA_VCAM_NODE")) {
        std::strncpy(g_node, node, sizeof g_node - 1);
        g_node[sizeof g_node - 1] = '\0';
    }
    pthread_atfork(nullptr, nullptr, enterForkedChild);
}

bool isNode(const char* path) { return !inForkedChild() && path && std::strcmp(path, g_node) == 0; }

bool anyOurs(const pollfd* fds, nfds_t n)
{
    if (g_openCount.load(std::memory_order_acquire) == 0)
        return false;
    for (nfds_t i = 0; i < n; ++i)
        if (isOurs(fds[i].fd))
            return true;
    return false;
}

bool anyOurs(int nfds, const fd_set* readfds, const fd_set* writefds, const fd_set* exceptfds)
{
    if (g_openCount.load(std::memory_order_acquire) == 0)
        return false;
    for (int fd = 0; fd < nfds; ++fd) {
        const bool selected = (readfds && FD_ISSET(fd, readfds)) || (writefds && FD_ISSET(fd, writefds)) ||
                              (exceptfds && FD_ISSET(fd, exceptfds));
        if (selected && isOurs(fd))
            return true;
    }
    return false;
}

int openCommon(const char* path, int flags, mode_t mode, RealFn<OpenFn>& real)
{
    if (isNode(path))
        return openNode(flags);
    return real(path, flags, mode);
}

} // namespace

bool VirtualCamera::inForkedChild() { return g_forkedChild.load(std::memory_order_relaxed); }

bool VirtualCamera::isOurs(int fd)
{
    return !inForkedChild() && fd >= 0 && fd < kMaxDescriptors && g_ours[fd].load(std::memory_order_acquire);
}

bool VirtualCamera::markOurs(int fd)
{
    if (fd < 0 || fd >= kMaxDescriptors)
        return false;
    g_ours[fd].store(true, std::memory_order_release);
    g_openCount.fetch_add(1, std::memory_order_release);
    return true;
}

void VirtualCamera::unmarkOurs(int fd)
{
    g_ours[fd].store(false, std::memory_order_release);
    g_openCount.fetch_sub(1, std::memory_order_release);
}

// ---- the interposed calls -------------------------------------------------------

extern "C" {

#define OPEN_MODE(flags, mode)                                       \
    mode_t mode = 0;                                                 \
    if ((flags) & (O_CREAT | __O_TMPFILE)) {                         \
        va_list ap;                                                  \
        va_start(ap, flags);                                         \
        mode = mode_t(va_arg(ap, int));                              \
        va_end(ap);                                                  \
    }

int open(const char* path, int flags, ...)
{
    OPEN_MODE(flags, mode);
    return openCommon(path, flags, mode, real_open);
}

int open64(const char* path, int flags, ...)
{
    OPEN_MODE(flags, mode);
    return openCommon(path, flags, mode, real_open64);
}

int __open_2(const char* path, int flags)
{
    return openCommon(path, flags, 0, real_open);
}

int __open64_2(const char* path, int flags)
{
    return openCommon(path, flags, 0, real_open64);
}

int openat(int dirfd, const char* path, int flags, ...)
{
    OPEN_MODE(flags, mode);
    if (isNode(path))
        return openNode(flags);
    return real_openat(dirfd, path, flags, mode);
}

int openat64(int dirfd, const char* path, int flags, ...)
{
    OPEN_MODE(flags, mode);
    if (isNode(path))
        return openNode(flags);
    return real_openat64(dirfd, path, flags, mode);
}

int close(int fd)
{
    if (isOurs(fd))
        closeNode(fd);
    return real_close(fd);
}

int ioctl(int fd, unsigned long request, ...) __THROW
{
    va_list ap;
    va_start(ap, request);
    void* arg = va_arg(ap, void*);
    va_end(ap);
    if (isOurs(fd))
        return handleIoctl(fd, request, arg);
    return real_ioctl(fd, request, arg);
}

void* mmap(void* addr, size_t length, int prot, int flags, int fd, off_t offset) __THROW
{
    if (fd < 0 || !isOurs(fd))
        return real_mmap(addr, length, prot, flags, fd, offset);
    return mapNode(addr, length, prot, flags, fd, offset);
}

void* mmap64(void* addr, size_t length, int prot, int flags, int fd, off_t offset) __THROW
{
    return mmap(addr, length, prot, flags, fd, offset);
}

int munmap(void* addr, size_t length) __THROW
{
    if (!inForkedChild())
        forgetMapping(addr);
    return real_munmap(addr, length);
}

int poll(pollfd* fds, nfds_t n, int timeout)
{
    if (!anyOurs(fds, n))
        return real_poll(fds, n, timeout);
    return pollOurs(fds, n, [&](int t) { return real_poll(fds, n, t); }, timeout);
}

int __poll_chk(pollfd* fds, nfds_t n, int timeout, size_t)
{
    return poll(fds, n, timeout);
}

int ppoll(pollfd* fds, nfds_t n, const timespec* timeout, const sigset_t* sigmask)
{
    if (!anyOurs(fds, n))
        return real_ppoll(fds, n, timeout, sigmask);
    const int ms = timeout ? int(timeout->tv_sec * 1000 + timeout->tv_nsec / 1000000) : -1;
    return pollOurs(
        fds, n,
        [&](int t) {
            timespec ts{t / 1000, (t % 1000) * 1000000L};
            return real_ppoll(fds, n, t < 0 ? nullptr : &ts, sigmask);
        },
        ms);
}

int select(int nfds, fd_set* readfds, fd_set* writefds, fd_set* exceptfds, timeval* timeout)
{
    if (!readfds || !anyOurs(nfds, readfds, writefds, exceptfds))
        return real_select(nfds, readfds, writefds, exceptfds, timeout);
    // Through poll, which knows how our descriptors answer.
    std::vector<pollfd> fds;
    for (int fd = 0; fd < nfds; ++fd) {
        short events = 0;
        if (FD_ISSET(fd, readfds))
            events |= POLLIN;
        if (writefds && FD_ISSET(fd, writefds))
            events |= POLLOUT;
        if (exceptfds && FD_ISSET(fd, exceptfds))
            events |= POLLPRI;
        if (events)
            fds.push_back(pollfd{fd, events, 0});
    }
    const int ms = timeout ? int(timeout->tv_sec * 1000 + timeout->tv_usec / 1000) : -1;
    const int r = poll(fds.data(), nfds_t(fds.size()), ms);
    if (r < 0)
        return r;
    FD_ZERO(readfds);
    if (writefds)
        FD_ZERO(writefds);
    if (exceptfds)
        FD_ZERO(exceptfds);
    int count = 0;
    for (const pollfd& p : fds) {
        if (p.revents & (POLLIN | POLLERR | POLLHUP)) {
            FD_SET(p.fd, readfds);
            ++count;
        }
        if (writefds && (p.revents & POLLOUT)) {
            FD_SET(p.fd, writefds);
            ++count;
        }
        if (exceptfds && (p.revents & (POLLPRI | POLLERR))) {
            FD_SET(p.fd, exceptfds);
            ++count;
        }
    }
    return count;
}

} // extern "C"
