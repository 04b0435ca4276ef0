// Whether the window's GL context should draw in the X server (indirect GLX),
// asked of the server once before the window is made: in GLX's own protocol,
// over a connection of its own, so that it costs a handful of round trips and
// touches neither Xlib's error handler nor the GL library's state. An X error
// in the answer is a "no"; closing the connection frees what it made.
#include <sys/socket.h>
#include <xcb/glx.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/x11.h"

namespace {

constexpr std::uint32_t glversion = 0x1F02;  // GL_VERSION, the name GLX's GetString takes

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

// True when the display's name has a host in it, and so is reached over TCP:
// not ":0", "unix:0" or a socket's path.
bool NamesHost(const char *display)
{
    if (!display || *display == '/' || !std::strchr(display, ':'))
        return false;
    const std::string name(display);
    const std::string host = name.substr(0, name.rfind(':'));
    return !host.empty() && host != "unix" && host.compare(0, 5, "unix/") != 0;
}

bool OverNetwork(xcb_connection_t *c)
{
    sockaddr_storage peer{};
    socklen_t len = sizeof peer;
    return getpeername(xcb_get_file_descriptor(c), reinterpret_cast<sockaddr *>(&peer), &len) == 0 &&
           (peer.ss_family == AF_INET || peer.ss_family == AF_INET6);
}

// Makes an indirect context of the root window's visual current on the root
// window and asks its GL version. A server that refuses indirect contexts
// answers with an error; one whose own GL calls land nowhere (Debian 12's
// Xorg with +iglx) takes the context but has no version to give.
bool IndirectWorks(xcb_connection_t *c, int screen)
{
    const xcb_query_extension_reply_t *glx = xcb_get_extension_data(c, &xcb_glx_id);
    xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int k = 0; k < screen && roots.rem; ++k)
        xcb_screen_next(&roots);
    if (!glx || !glx->present || !roots.rem)
        return false;
    const xcb_screen_t *root = roots.data;
    const xcb_glx_context_t ctx = xcb_generate_id(c);
    const xcb_void_cookie_t made =
        xcb_glx_create_context_checked(c, ctx, root->root_visual, std::uint32_t(screen), 0, 0);
    const Reply<xcb_glx_make_current_reply_t> current(
        xcb_glx_make_current_reply(c, xcb_glx_make_current(c, root->root, ctx, 0), nullptr), std::free);
    const Reply<xcb_generic_error_t> refused(xcb_request_check(c, made), std::free);
    if (!current || refused)
        return false;
    const Reply<xcb_glx_get_string_reply_t> version(
        xcb_glx_get_string_reply(c, xcb_glx_get_string(c, current->context_tag, glversion), nullptr),
        std::free);
    return version && xcb_glx_get_string_string_length(version.get()) > 0 &&
           *xcb_glx_get_string_string(version.get()) != '\0';
}

}  // namespace

bool IndirectIsBetter(int argc, char *const *argv)
{
    const char *display = std::getenv("DISPLAY");
    for (int k = 1; k + 1 < argc; ++k)
        if (std::strcmp(argv[k], "-display") == 0)
            display = argv[k + 1];  // as freeglut takes it
    if (std::getenv("LIBGL_ALWAYS_INDIRECT") || !NamesHost(display))
        return false;
    int screen = 0;
    xcb_connection_t *c = xcb_connect(display, &screen);
    const bool better = !xcb_connection_has_error(c) && OverNetwork(c) && IndirectWorks(c, screen);
    xcb_disconnect(c);
    return better;
}
