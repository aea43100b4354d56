// A window manager for the tests that frames every new window first at the desktop's
// corner, as openbox does under load, and moves the frame to the window's own place only
// once the program has read where the window is (it answers a ping sent after the
// framing, so it has handled the framing's notice before). Each move of a frame is then
// told with a synthetic ConfigureNotify, as the conventions ask.

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

xcb_connection_t* c;
xcb_screen_t* screen;

xcb_atom_t atom(const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, strlen(name), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : XCB_NONE;
    free(reply);
    return a;
}

xcb_atom_t WM_PROTOCOLS, WM_DELETE_WINDOW, NET_WM_PING, NET_MOVERESIZE_WINDOW, NET_CLOSE_WINDOW;

struct Client
{
    xcb_window_t frame = XCB_NONE;
    int16_t x = 0, y = 0;  // where the window asked to stand
    uint16_t width = 1, height = 1;
};
std::map<xcb_window_t, Client> clients;

// The client stands one pixel inside its frame, so that framing moves it within the frame.
const int kBorder = 1;

bool speaks(xcb_window_t w, xcb_atom_t protocol)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, w, WM_PROTOCOLS, XCB_ATOM_ATOM, 0, 64), nullptr);
    bool found = false;
    if (reply) {
        const auto* atoms = static_cast<xcb_atom_t*>(xcb_get_property_value(reply));
        for (int i = 0; i < xcb_get_property_value_length(reply) / 4; ++i)
            found = found || atoms[i] == protocol;
        free(reply);
    }
    return found;
}

void sendMessage(xcb_window_t w, xcb_atom_t type, uint32_t d0, uint32_t d1, uint32_t d2)
{
    xcb_client_message_event_t e{};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = w;
    e.type = type;
    e.data.data32[0] = d0;
    e.data.data32[1] = d1;
    e.data.data32[2] = d2;
    xcb_send_event(c, 0, w, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&e));
}

void tellPlace(xcb_window_t w, const Client& k)
{
    xcb_configure_notify_event_t e{};
    e.response_type = XCB_CONFIGURE_NOTIFY;
    e.event = w;
    e.window = w;
    e.x = k.x;
    e.y = k.y;
    e.width = k.width;
    e.height = k.height;
    xcb_send_event(c, 0, w, XCB_EVENT_MASK_STRUCTURE_NOTIFY, reinterpret_cast<const char*>(&e));
}

void placeFrame(const Client& k)
{
    const uint32_t values[] = {uint32_t(k.x - kBorder), uint32_t(k.y - kBorder), uint32_t(k.width + 2 * kBorder),
                               uint32_t(k.height + 2 * kBorder)};
    xcb_configure_window(c, k.frame,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
}

void manage(xcb_window_t w)
{
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
    if (!g)
        return;
    Client k;
    k.x = g->x;
    k.y = g->y;
    k.width = g->width;
    k.height = g->height;
    free(g);
    k.frame = xcb_generate_id(c);
    const uint32_t mask[] = {XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, k.frame, screen->root, 0, 0, k.width + 2 * kBorder,
                      k.height + 2 * kBorder, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                      XCB_CW_EVENT_MASK, mask);
    xcb_change_save_set(c, XCB_SET_MODE_INSERT, w);
    xcb_reparent_window(c, w, k.frame, 0, 0);
    // Within the frame: the program is told of it and reads where the window is.
    const uint32_t inside[] = {kBorder, kBorder, 0};
    xcb_configure_window(c, w, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_BORDER_WIDTH, inside);
    xcb_map_window(c, w);
    xcb_map_window(c, k.frame);
    clients[w] = k;
    if (speaks(w, NET_WM_PING)) {
        sendMessage(w, WM_PROTOCOLS, NET_WM_PING, XCB_CURRENT_TIME, w);
    } else {
        placeFrame(k);
        tellPlace(w, k);
    }
}

void unmanage(xcb_window_t w, bool destroyed)
{
    auto it = clients.find(w);
    if (it == clients.end())
        return;
    if (!destroyed)
        xcb_reparent_window(c, w, screen->root, it->second.x, it->second.y);
    xcb_destroy_window(c, it->second.frame);
    clients.erase(it);
}

void configureRequest(const xcb_configure_request_event_t* e)
{
    auto it = clients.find(e->window);
    if (it == clients.end()) {
        uint32_t values[7];
        int n = 0;
        for (uint16_t bit : {XCB_CONFIG_WINDOW_X, XCB_CONFIG_WINDOW_Y, XCB_CONFIG_WINDOW_WIDTH,
                             XCB_CONFIG_WINDOW_HEIGHT, XCB_CONFIG_WINDOW_BORDER_WIDTH, XCB_CONFIG_WINDOW_SIBLING,
                             XCB_CONFIG_WINDOW_STACK_MODE}) {
            if (!(e->value_mask & bit))
                continue;
            switch (bit) {
            case XCB_CONFIG_WINDOW_X: values[n++] = uint32_t(e->x); break;
            case XCB_CONFIG_WINDOW_Y: values[n++] = uint32_t(e->y); break;
            case XCB_CONFIG_WINDOW_WIDTH: values[n++] = e->width; break;
            case XCB_CONFIG_WINDOW_HEIGHT: values[n++] = e->height; break;
            case XCB_CONFIG_WINDOW_BORDER_WIDTH: values[n++] = e->border_width; break;
            case XCB_CONFIG_WINDOW_SIBLING: values[n++] = e->sibling; break;
            default: values[n++] = e->stack_mode; break;
            }
        }
        xcb_configure_window(c, e->window, e->value_mask, values);
        return;
    }
    Client& k = it->second;
    if (e->value_mask & XCB_CONFIG_WINDOW_X)
        k.x = e->x;
    if (e->value_mask & XCB_CONFIG_WINDOW_Y)
        k.y = e->y;
    if (e->value_mask & (XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT)) {
        if (e->value_mask & XCB_CONFIG_WINDOW_WIDTH)
            k.width = e->width;
        if (e->value_mask & XCB_CONFIG_WINDOW_HEIGHT)
            k.height = e->height;
        const uint32_t size[] = {k.width, k.height};
        xcb_configure_window(c, e->window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
    }
    placeFrame(k);
    tellPlace(e->window, k);
}

void clientMessage(const xcb_client_message_event_t* e)
{
    if (e->type == WM_PROTOCOLS && e->data.data32[0] == NET_WM_PING) {
        // The answer: the program has handled the framing's notice by now.
        auto it = clients.find(e->data.data32[2]);
        if (it != clients.end()) {
            placeFrame(it->second);
            tellPlace(it->first, it->second);
        }
        return;
    }
    auto it = clients.find(e->window);
    if (it == clients.end())
        return;
    if (e->type == NET_MOVERESIZE_WINDOW) {
        const uint32_t flags = e->data.data32[0];
        Client& k = it->second;
        if (flags & (1 << 8))
            k.x = int16_t(e->data.data32[1]);
        if (flags & (1 << 9))
            k.y = int16_t(e->data.data32[2]);
        placeFrame(k);
        tellPlace(e->window, k);
    } else if (e->type == NET_CLOSE_WINDOW) {
        sendMessage(e->window, WM_PROTOCOLS, WM_DELETE_WINDOW, XCB_CURRENT_TIME, 0);
    }
}

}

int main()
{
    c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        fprintf(stderr, "cornerwm: no display\n");
        return 1;
    }
    screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t rootMask[] = {XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    if (xcb_generic_error_t* error = xcb_request_check(
            c, xcb_change_window_attributes_checked(c, screen->root, XCB_CW_EVENT_MASK, rootMask))) {
        fprintf(stderr, "cornerwm: another window manager runs\n");
        free(error);
        return 1;
    }
    WM_PROTOCOLS = atom("WM_PROTOCOLS");
    WM_DELETE_WINDOW = atom("WM_DELETE_WINDOW");
    NET_WM_PING = atom("_NET_WM_PING");
    NET_MOVERESIZE_WINDOW = atom("_NET_MOVERESIZE_WINDOW");
    NET_CLOSE_WINDOW = atom("_NET_CLOSE_WINDOW");

    // What wmctrl looks for to take it for a window manager.
    const xcb_window_t check = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, check, screen->root, -1, -1, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t supportingCheck = atom("_NET_SUPPORTING_WM_CHECK");
    for (xcb_window_t w : {screen->root, check})
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, supportingCheck, XCB_ATOM_WINDOW, 32, 1, &check);
    const std::string name = "cornerwm";
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, check, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 8, name.size(),
                        name.data());
    const xcb_atom_t supported[] = {NET_WM_PING, NET_MOVERESIZE_WINDOW, NET_CLOSE_WINDOW, supportingCheck};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, screen->root, atom("_NET_SUPPORTED"), XCB_ATOM_ATOM, 32, 4,
                        supported);
    xcb_flush(c);

    while (xcb_generic_event_t* event = xcb_wait_for_event(c)) {
        switch (event->response_type & 0x7f) {
        case XCB_MAP_REQUEST: {
            const xcb_window_t w = reinterpret_cast<xcb_map_request_event_t*>(event)->window;
            if (clients.count(w))
                xcb_map_window(c, w);
            else
                manage(w);
            break;
        }
        case XCB_CONFIGURE_REQUEST:
            configureRequest(reinterpret_cast<xcb_configure_request_event_t*>(event));
            break;
        case XCB_CLIENT_MESSAGE:
            clientMessage(reinterpret_cast<xcb_client_message_event_t*>(event));
            break;
        case XCB_UNMAP_NOTIFY: {
            const auto* e = reinterpret_cast<xcb_unmap_notify_event_t*>(event);
            // Withdrawn by the program (its own or its synthetic notice), not by our reparenting.
            auto it = clients.find(e->window);
            if (it != clients.end() && (e->event == it->second.frame || (event->response_type & 0x80)))
                unmanage(e->window, false);
            break;
        }
        case XCB_DESTROY_NOTIFY:
            unmanage(reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window, true);
            break;
        default:
            break;
        }
        free(event);
        xcb_flush(c);
    }
    return 0;
}
