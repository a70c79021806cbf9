// The program's embedded pictures: the thirteen PNG images of the live view,
// decoded by number, and the seven icon pictures made at start-up from the
// six stored icon sets, plus the application icon.
#ifndef RIRUZIRUZO_UI_ARTWORK_H_
#define RIRUZIRUZO_UI_ARTWORK_H_

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gui.h"
#include "ui/image.h"

namespace rz {

// Image numbers of the live-view artwork.
// Hat direction d (1 up, 2 right, 3 down, 4 left) is image
// kArtHatUp + 2 (d - 1) when inactive and the next number when active.
inline constexpr int kArtHatBackground = 9;     // 80 x 80, circle
inline constexpr int kArtHatUp = 10;            // 80 x 80, hollow arrowhead
inline constexpr int kArtStickBackground = 23;  // 80 x 80, circle and arrows
inline constexpr int kArtStickMarker = 24;      // 80 x 80, centred disc
inline constexpr int kArtButtonReleased = 54;   // 80 x 24, ring
inline constexpr int kArtButtonPressed = 55;    // 80 x 24, disc
inline constexpr int kArtHighestNumber = 55;

struct Artwork {
  // Indexed by image number; numbers without artwork (0 among them) stay
  // empty, and so does an image whose data was damaged.
  std::array<RgbaImage, kArtHighestNumber + 1> images;

  // The image of `number`, or an empty image for any other number.
  const RgbaImage& Image(int number) const;
};

// One PNG to decode into an image number.
struct ArtworkSource {
  int number = 0;
  std::span<const uint8_t> png;
};

// Decodes a PNG held in memory into 8-bit RGBA; nothing when it is damaged
// or truncated. libpng's messages are swallowed.
std::optional<RgbaImage> DecodePng(std::span<const uint8_t> png);

// Decodes each source in order into its number; a source that fails leaves
// its image empty and the others are still decoded. Returns whether all
// succeeded. Numbers outside 0..kArtHighestNumber are skipped as failures.
bool DecodeArtworkFrom(Artwork& artwork,
                       std::span<const ArtworkSource> sources);

// Decodes the thirteen embedded images, in the order 23, 24, 9, 12, 13, 16,
// 17, 10, 11, 14, 15, 54, 55.
bool DecodeArtwork(Artwork& artwork);

// The seven icon pictures of the main window. Any of them may be missing
// when its set is damaged; the place that shows it then stays empty.
// Resetting an optional frees the picture.
struct Pictures {
  std::optional<RgbaImage> options_button;       // 16-pixel icon + text
  std::optional<RgbaImage> header_icon;          // 48 pixels
  std::optional<RgbaImage> joystick_icon;        // 32 pixels
  std::optional<RgbaImage> language_button;      // 16-pixel icon + text
  std::optional<RgbaImage> mouse_keyboard_icon;  // 32 pixels
  std::optional<RgbaImage> panel_icon;           // 32 pixels
  std::optional<RgbaImage> profile_icon;         // 32 pixels
};

// Makes the seven pictures from the embedded sets, one set loaded at a
// time: the options-button picture with `options_text` in `small_font`, the
// header icon, the joystick icon, the language-button picture with
// `language_text` in the Gui's default font, then the mouse-and-keyboard,
// panel and profile icons.
Pictures MakePictures(Gui& gui, std::string_view options_text,
                      std::string_view language_text, int small_font);

// The application icon at 16, 24, 32 and 48 pixels (the preferred depth of
// each), for the window icon; sizes that cannot be made are left out.
std::vector<RgbaImage> MakeApplicationIcon();

}  // namespace rz

#endif  // RIRUZIRUZO_UI_ARTWORK_H_
