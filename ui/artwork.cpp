#include "ui/artwork.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

#include "ui/embedded/embedded_art.h"
#include "ui/icons.h"

namespace rz {

namespace {

// Larger artwork than this is taken for damage rather than allocated.
constexpr png_uint_32 kMaxPngSide = 4096;

// The bytes libpng reads from; trivially destructible, so it may live in a
// frame that libpng's error handling jumps out of.
struct MemoryReader {
  const uint8_t* data;
  size_t size;
  size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (count > reader->size - reader->position) png_error(png, "truncated");
  std::memcpy(out, reader->data + reader->position, count);
  reader->position += count;
}

[[noreturn]] void OnPngError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// The transformations that turn any PNG into 8-bit RGBA rows.
void RequestRgba8(png_structp png) {
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
}

// The pass below holds only C objects: a libpng error jumps back to its
// setjmp, and no destructor may be skipped on the way.

// One pass over the PNG data. With `out` null it only reads the size into
// `width` and `height` (false for damaged data or a size outside
// 1..kMaxPngSide); otherwise the image must be `width` x `height` and is
// decoded into `out` (width * height * 4 bytes) through to its end chunk.
bool ReadPng(const uint8_t* data, size_t size, png_uint_32* width,
             png_uint_32* height, uint8_t* out) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr,
                                           OnPngError, OnPngWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  MemoryReader reader{data, size, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_set_user_limits(png, kMaxPngSide, kMaxPngSide);
  png_read_info(png, info);
  if (out == nullptr) {
    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    png_destroy_read_struct(&png, &info, nullptr);
    return *width >= 1 && *height >= 1;
  }
  if (png_get_image_width(png, info) != *width ||
      png_get_image_height(png, info) != *height) {
    png_error(png, "size changed");
  }
  RequestRgba8(png);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const size_t row_bytes = static_cast<size_t>(*width) * 4;
  if (png_get_rowbytes(png, info) != row_bytes) png_error(png, "not RGBA8");
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < *height; ++y) {
      png_read_row(png, out + y * row_bytes, nullptr);
    }
  }
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

// The embedded PNG files, in decoding order.
struct EmbeddedPng {
  int number;
  std::string_view name;
};

constexpr EmbeddedPng kEmbeddedPngs[] = {
    {23, "stick_background.png"}, {24, "stick_marker.png"},
    {9, "hat_background.png"},    {12, "hat_right.png"},
    {13, "hat_right_on.png"},     {16, "hat_left.png"},
    {17, "hat_left_on.png"},      {10, "hat_up.png"},
    {11, "hat_up_on.png"},        {14, "hat_down.png"},
    {15, "hat_down_on.png"},      {54, "button.png"},
    {55, "button_on.png"},
};

// The stored icon sets, in the order the pictures are made.
constexpr std::string_view kOptionsSet = "options.icoz";
constexpr std::string_view kHeaderSet = "header.icoz";
constexpr std::string_view kJoystickSet = "joystick.icoz";
constexpr std::string_view kMouseKeyboardSet = "mouse_keyboard.icoz";
constexpr std::string_view kPanelSet = "panel.icoz";
constexpr std::string_view kProfileSet = "profile.icoz";
constexpr std::string_view kApplicationSet = "application.icoz";

}  // namespace

const RgbaImage& Artwork::Image(int number) const {
  static_assert(kArtHighestNumber > 0);
  // Number 0 is never artwork, so its slot doubles as the empty image.
  if (number <= 0 || number > kArtHighestNumber) return images[0];
  return images[static_cast<size_t>(number)];
}

std::optional<RgbaImage> DecodePng(std::span<const uint8_t> png) {
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  if (!ReadPng(png.data(), png.size(), &width, &height, nullptr)) {
    return std::nullopt;
  }
  RgbaImage image(static_cast<int>(width), static_cast<int>(height));
  if (!ReadPng(png.data(), png.size(), &width, &height, image.view().pixels)) {
    return std::nullopt;
  }
  return image;
}

bool DecodeArtworkFrom(Artwork& artwork,
                       std::span<const ArtworkSource> sources) {
  bool all = true;
  for (const ArtworkSource& source : sources) {
    if (source.number <= 0 || source.number > kArtHighestNumber) {
      all = false;
      continue;
    }
    RgbaImage& slot = artwork.images[static_cast<size_t>(source.number)];
    auto image = DecodePng(source.png);
    all = all && image.has_value();
    slot = image ? std::move(*image) : RgbaImage();
  }
  return all;
}

bool DecodeArtwork(Artwork& artwork) {
  std::vector<ArtworkSource> sources;
  sources.reserve(std::size(kEmbeddedPngs));
  for (const EmbeddedPng& png : kEmbeddedPngs) {
    sources.push_back({png.number, EmbeddedArt(png.name)});
  }
  return DecodeArtworkFrom(artwork, sources);
}

Pictures MakePictures(Gui& gui, std::string_view options_text,
                      std::string_view language_text, int small_font) {
  Pictures pictures;
  IconSet set;
  // A set that does not load leaves the set empty, and with it every
  // picture made from it.
  set.LoadIconSet(EmbeddedArt(kOptionsSet));
  pictures.options_button =
      set.MakeButtonPicture(gui, options_text, small_font);
  set.LoadIconSet(EmbeddedArt(kHeaderSet));
  pictures.header_icon = set.MakeIcon(48);
  set.LoadIconSet(EmbeddedArt(kJoystickSet));
  pictures.joystick_icon = set.MakeIcon(32);
  pictures.language_button =
      set.MakeButtonPicture(gui, language_text, gui.DefaultFont());
  set.LoadIconSet(EmbeddedArt(kMouseKeyboardSet));
  pictures.mouse_keyboard_icon = set.MakeIcon(32);
  set.LoadIconSet(EmbeddedArt(kPanelSet));
  pictures.panel_icon = set.MakeIcon(32);
  set.LoadIconSet(EmbeddedArt(kProfileSet));
  pictures.profile_icon = set.MakeIcon(32);
  set.Free();
  return pictures;
}

std::vector<RgbaImage> MakeApplicationIcon() {
  IconSet set;
  std::vector<RgbaImage> sizes;
  if (!set.LoadIconSet(EmbeddedArt(kApplicationSet))) return sizes;
  for (const int size : {16, 24, 32, 48}) {
    auto icon = set.MakeIcon(size);
    // The fallback may give a smaller icon; each size is listed once.
    if (icon && icon->width() == size) sizes.push_back(std::move(*icon));
  }
  return sizes;
}

}  // namespace rz
