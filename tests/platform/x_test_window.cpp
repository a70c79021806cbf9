#include "tests/platform/x_test_window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>
#include <utility>
#include <vector>

namespace rz {
namespace {

constexpr int kWindowSize = 200;
constexpr KeyCode kUsA = 38;

// Takes the next event of `type` (or, with type 0, matching `mask`) for the
// window, waiting up to two seconds.
bool WaitFor(Display* display, Window window, long mask, int type,
             XEvent& event) {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (std::chrono::steady_clock::now() < deadline) {
    const bool found =
        type != 0 ? XCheckTypedWindowEvent(display, window, type, &event)
                  : XCheckWindowEvent(display, window, mask, &event);
    if (found) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return false;
}

}  // namespace

struct XTestWindow::State {
  ~State() {
    if (display == nullptr) return;
    if (acceleration_changed) {
      XChangePointerControl(display, True, True, numerator, denominator,
                            threshold);
    }
    if (!original_keymap.empty()) {
      XChangeKeyboardMapping(display, first_swapped, per_keycode,
                             original_keymap.data(), swapped_count);
    }
    if (window != 0) XDestroyWindow(display, window);
    XCloseDisplay(display);
  }

  Display* display = nullptr;
  Window window = 0;
  bool acceleration_changed = false;
  int numerator = 0;
  int denominator = 0;
  int threshold = 0;
  // The keys SwapKeys changed, as they were.
  int first_swapped = 0;
  int swapped_count = 0;
  int per_keycode = 0;
  std::vector<KeySym> original_keymap;
};

XTestWindow::XTestWindow(std::unique_ptr<State> state)
    : state_(std::move(state)) {}

XTestWindow::~XTestWindow() = default;

std::unique_ptr<XTestWindow> XTestWindow::Open(std::string& error) {
  auto state = std::make_unique<State>();
  state->display = XOpenDisplay(nullptr);
  if (state->display == nullptr) {
    const char* name = std::getenv("DISPLAY");
    error = std::string("no X display can be opened (DISPLAY=") +
            (name != nullptr ? name : "unset") +
            "): run these tests under xvfb-run -a";
    return nullptr;
  }
  Display* display = state->display;
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.event_mask = KeyPressMask | KeyReleaseMask | ButtonPressMask |
                          ButtonReleaseMask | StructureNotifyMask;
  state->window =
      XCreateWindow(display, DefaultRootWindow(display), 0, 0, kWindowSize,
                    kWindowSize, 0, CopyFromParent, InputOutput, CopyFromParent,
                    CWOverrideRedirect | CWEventMask, &attributes);
  XMapRaised(display, state->window);
  XEvent event;
  if (!WaitFor(display, state->window, 0, MapNotify, event)) {
    error = "the test window never appeared";
    return nullptr;
  }
  XSetInputFocus(display, state->window, RevertToParent, CurrentTime);
  XWarpPointer(display, None, state->window, 0, 0, 0, 0, kWindowSize / 2,
               kWindowSize / 2);
  XSync(display, True);  // drop what came before
  return std::unique_ptr<XTestWindow>(new XTestWindow(std::move(state)));
}

bool XTestWindow::NextKey(Key& key) {
  XEvent event;
  if (!WaitFor(state_->display, state_->window, KeyPressMask | KeyReleaseMask,
               0, event)) {
    return false;
  }
  key.press = event.type == KeyPress;
  key.keycode = static_cast<int>(event.xkey.keycode);
  key.keysym = static_cast<uint32_t>(XLookupKeysym(&event.xkey, 0));
  return true;
}

bool XTestWindow::NextButton(Button& button) {
  XEvent event;
  if (!WaitFor(state_->display, state_->window,
               ButtonPressMask | ButtonReleaseMask, 0, event)) {
    return false;
  }
  button.press = event.type == ButtonPress;
  button.button = event.xbutton.button;
  return true;
}

void XTestWindow::PointerPosition(int& x, int& y) {
  Window root;
  Window child;
  int window_x;
  int window_y;
  unsigned int mask;
  XQueryPointer(state_->display, state_->window, &root, &child, &x, &y,
                &window_x, &window_y, &mask);
}

void XTestWindow::WaitForPointerToLeave(int x, int y, int& new_x, int& new_y) {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(2);
  PointerPosition(new_x, new_y);
  while (new_x == x && new_y == y &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    PointerPosition(new_x, new_y);
  }
}

void XTestWindow::SwitchOffPointerAcceleration() {
  if (!state_->acceleration_changed) {
    XGetPointerControl(state_->display, &state_->numerator,
                       &state_->denominator, &state_->threshold);
    state_->acceleration_changed = true;
  }
  XChangePointerControl(state_->display, True, True, 1, 1, 0);
  XSync(state_->display, False);
}

bool XTestWindow::KeymapIsUs() {
  int per_keycode = 0;
  KeySym* syms = XGetKeyboardMapping(state_->display, kUsA, 1, &per_keycode);
  const bool us = syms != nullptr && per_keycode > 0 && syms[0] == XK_a;
  if (syms != nullptr) XFree(syms);
  return us;
}

void XTestWindow::SwapKeys(int keycode_a, int keycode_b) {
  Display* display = state_->display;
  const int first = std::min(keycode_a, keycode_b);
  const int count = std::max(keycode_a, keycode_b) - first + 1;
  int per_keycode = 0;
  KeySym* syms = XGetKeyboardMapping(display, static_cast<KeyCode>(first),
                                     count, &per_keycode);
  if (syms == nullptr) return;
  std::vector<KeySym> keymap(syms, syms + count * per_keycode);
  XFree(syms);
  if (state_->original_keymap.empty()) {
    state_->first_swapped = first;
    state_->swapped_count = count;
    state_->per_keycode = per_keycode;
    state_->original_keymap = keymap;
  }
  const int offset_a = (keycode_a - first) * per_keycode;
  const int offset_b = (keycode_b - first) * per_keycode;
  for (int level = 0; level < per_keycode; ++level) {
    std::swap(keymap[offset_a + level], keymap[offset_b + level]);
  }
  XChangeKeyboardMapping(display, first, per_keycode, keymap.data(), count);
  // The server tells every client in the same pass: once this connection
  // has heard, the others have been sent the news too.
  XEvent event;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!XCheckTypedEvent(display, MappingNotify, &event) &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

}  // namespace rz
