// A window of the tests' own on a second connection to the X server:
// mapped, focused and under the pointer, it reports the keys and buttons it
// receives. Kept apart from the test code because Xlib's macros (None, Bool)
// clash with GoogleTest.
#ifndef RIRUZIRUZO_TESTS_PLATFORM_X_TEST_WINDOW_H_
#define RIRUZIRUZO_TESTS_PLATFORM_X_TEST_WINDOW_H_

#include <cstdint>
#include <memory>
#include <string>

namespace rz {

class XTestWindow {
 public:
  struct Key {
    bool press = false;
    int keycode = 0;
    uint32_t keysym = 0;  // of the key's first level
  };
  struct Button {
    bool press = false;
    unsigned int button = 0;
  };

  // Null, with `error` saying why, when no display can be opened or the
  // window does not appear.
  static std::unique_ptr<XTestWindow> Open(std::string& error);
  // Restores the pointer acceleration and the keymap if they were changed.
  ~XTestWindow();

  XTestWindow(const XTestWindow&) = delete;
  XTestWindow& operator=(const XTestWindow&) = delete;

  // The next key or button event, waiting up to two seconds: the input
  // travels through another connection. False when none came.
  bool NextKey(Key& key);
  bool NextButton(Button& button);

  // Pointer position on the screen.
  void PointerPosition(int& x, int& y);
  // Waits up to two seconds for the pointer to leave (x, y), then reports
  // where it is.
  void WaitForPointerToLeave(int x, int y, int& new_x, int& new_y);

  // Makes the pointer move exactly as far as the motion it is given.
  void SwitchOffPointerAcceleration();

  // Whether the key at the US A position types "a" at its first level.
  bool KeymapIsUs();
  // Exchanges the symbols of two keys, as another layout would, and waits
  // until every client has been told.
  void SwapKeys(int keycode_a, int keycode_b);

 private:
  struct State;
  explicit XTestWindow(std::unique_ptr<State> state);

  std::unique_ptr<State> state_;
};

}  // namespace rz

#endif  // RIRUZIRUZO_TESTS_PLATFORM_X_TEST_WINDOW_H_
