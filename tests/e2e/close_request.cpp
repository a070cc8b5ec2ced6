// Sends a window the close request a window manager sends when the user clicks its close box
// (a WM_DELETE_WINDOW client message, ICCCM 4.2.8.1). Usage: close_request <window id>.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name),
                            nullptr);
  const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <window id>\n", argv[0]);
    return 2;
  }
  char* end = nullptr;
  const unsigned long window = std::strtoul(argv[1], &end, 0);
  if (end == argv[1] || *end != '\0' || window == 0) {
    std::fprintf(stderr, "%s: not a window id: %s\n", argv[0], argv[1]);
    return 2;
  }
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c)) {
    std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
    return 1;
  }
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = static_cast<xcb_window_t>(window);
  event.type = Atom(c, "WM_PROTOCOLS");
  event.data.data32[0] = Atom(c, "WM_DELETE_WINDOW");
  event.data.data32[1] = XCB_CURRENT_TIME;
  const xcb_void_cookie_t sent = xcb_send_event_checked(
      c, 0, event.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
  xcb_generic_error_t* error = xcb_request_check(c, sent);
  const int rc = error ? 1 : 0;
  if (error) std::fprintf(stderr, "%s: the X server refused the message (error %d)\n", argv[0],
                          error->error_code);
  std::free(error);
  xcb_disconnect(c);
  return rc;
}
