#ifndef VIRTUALCAMERA_CALLS_H
#define VIRTUALCAMERA_CALLS_H

// Between the interposed libc calls (virtualcamera_calls.cpp) and the camera behind
// them (virtualcamera.cpp).

#include <dlfcn.h>
#include <poll.h>
#include <signal.h>
#include <sys/select.h>
#include <sys/types.h>
#include <time.h>

#include <atomic>
#include <functional>

namespace VirtualCamera {

// A libc function behind ours, looked up when the library loads; a call that comes
// earlier (another library's constructor) looks it up itself. No lock of ours and no
// guarded static on the way: a child forked while the camera was busy gets through.
template <typename F>
class RealFn
{
public:
    constexpr explicit RealFn(const char* name) : m_name(name) {}
    F get()
    {
        F f = m_fn.load(std::memory_order_acquire);
        if (!f) {
            f = reinterpret_cast<F>(dlsym(RTLD_NEXT, m_name));
            m_fn.store(f, std::memory_order_release);
        }
        return f;
    }
    template <typename... Args>
    auto operator()(Args... args)
    {
        return get()(args...);
    }

private:
    const char* m_name;
    std::atomic<F> m_fn{nullptr};
};

using OpenFn = int (*)(const char*, int, ...);
using OpenatFn = int (*)(int, const char*, int, ...);
extern RealFn<OpenFn> real_open;
extern RealFn<OpenFn> real_open64;
extern RealFn<OpenatFn> real_openat;
extern RealFn<OpenatFn> real_openat64;
extern RealFn<int (*)(int)> real_close;
extern RealFn<int (*)(int, unsigned long, ...)> real_ioctl;
extern RealFn<int (*)(int, int, ...)> real_fcntl;
extern RealFn<ssize_t (*)(int, void*, size_t)> real_read;
extern RealFn<ssize_t (*)(int, const void*, size_t)> real_write;
extern RealFn<void* (*)(void*, size_t, int, int, int, off_t)> real_mmap;
extern RealFn<int (*)(void*, size_t)> real_munmap;
extern RealFn<int (*)(pollfd*, nfds_t, int)> real_poll;
extern RealFn<int (*)(pollfd*, nfds_t, const timespec*, const sigset_t*)> real_ppoll;
extern RealFn<int (*)(int, fd_set*, fd_set*, fd_set*, timeval*)> real_select;

// Answered without any lock, from any thread, in a forked child too.
bool inForkedChild();
bool isOurs(int fd);
// Under the camera's lock: a descriptor of the camera from its open until its close
// (false: the number is too high to mark). Unmarked before the number is free again.
bool markOurs(int fd);
void unmarkOurs(int fd);

// The camera, under its lock.
int openNode(int flags);
void closeNode(int fd);
int handleIoctl(int fd, unsigned long request, void* arg);
void* mapNode(void* addr, size_t length, int prot, int flags, int fd, off_t offset);
// Before every munmap: forgets a mapping of the camera's buffers at addr, if any.
void forgetMapping(void* addr);
int pollOurs(pollfd* fds, nfds_t n, const std::function<int(int)>& realPoll, int timeoutMs);

} // namespace VirtualCamera

#endif
