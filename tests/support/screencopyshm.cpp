// Preloaded into xdg-desktop-portal-wlr 0.7.0 (Debian 12) by the headless Wayland
// desktop of the tests. That version refuses to cast a screen unless the compositor
// also offers its frames as DMA buffers, which a compositor without a GPU (sway on its
// software renderer) never does, although the shared-memory frames it does offer are
// all the portal then uses. Each frame's shared-memory description is repeated as the
// DMA one, so the portal proceeds, and casts through shared memory.
#include <dlfcn.h>
#include <cstdint>
#include <cstring>

struct wl_proxy;
extern "C" const char* wl_proxy_get_class(struct wl_proxy* proxy);

namespace {
using Handler = void (*)(void);
using BufferEvent = void (*)(void*, void*, uint32_t, uint32_t, uint32_t, uint32_t);
using DmabufEvent = void (*)(void*, void*, uint32_t, uint32_t, uint32_t);
// The events of zwlr_screencopy_frame_v1 version 3, in order: buffer, flags, ready,
// failed, damage, linux_dmabuf, buffer_done.
Handler g_table[7];
BufferEvent g_buffer = nullptr;
DmabufEvent g_dmabuf = nullptr;

void onBuffer(void* data, void* frame, uint32_t format, uint32_t width, uint32_t height, uint32_t stride)
{
    g_buffer(data, frame, format, width, height, stride);
    // wl_shm's two base formats differ from their DRM codes; all others are the same.
    const uint32_t fourcc = format == 0 ? 0x34325241u : format == 1 ? 0x34325258u : format;
    g_dmabuf(data, frame, fourcc, width, height);
}
}

extern "C" int wl_proxy_add_listener(struct wl_proxy* proxy, Handler* implementation, void* data)
{
    using Real = int (*)(struct wl_proxy*, Handler*, void*);
    static Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "wl_proxy_add_listener"));
    if (std::strcmp(wl_proxy_get_class(proxy), "zwlr_screencopy_frame_v1") == 0) {
        std::memcpy(g_table, implementation, sizeof g_table);
        g_buffer = reinterpret_cast<BufferEvent>(implementation[0]);
        g_dmabuf = reinterpret_cast<DmabufEvent>(implementation[5]);
        g_table[0] = reinterpret_cast<Handler>(&onBuffer);
        implementation = g_table;
    }
    return real(proxy, implementation, data);
}
