// Multi-size icon files: the little-endian icon-file layout (header,
// directory, bitmap header, bottom-up colour rows, 1-bit mask) read and
// written by the program, the compressed form the sets are stored in, and
// the icons and button pictures made from a loaded set.
#ifndef RIRUZIRUZO_UI_ICONS_H_
#define RIRUZIRUZO_UI_ICONS_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gui.h"
#include "ui/image.h"

namespace rz {

// One directory entry of an icon file. A width or height byte of 0 means
// 256 pixels.
struct IconEntry {
  uint8_t width = 0;
  uint8_t height = 0;
  uint8_t colour_count = 0;
  uint8_t reserved = 0;
  uint16_t planes = 0;
  uint16_t bit_count = 0;
  uint32_t bytes = 0;   // size of the image data
  uint32_t offset = 0;  // of the image data from the start of the file
};

inline constexpr int kIconHeaderBytes = 6;
inline constexpr int kIconEntryBytes = 16;
inline constexpr int kBitmapHeaderBytes = 40;
// Icons are made at 32 bits (with alpha) when the set holds them.
inline constexpr int kPreferredIconBits = 32;

// One image to encode: 1..256 pixels square or not, at 24 or 32 bits.
struct IconImage {
  RgbaImage image;
  int bit_count = 32;
};

// Writes an icon file holding `images` in the given order. 32-bit entries
// keep the alpha channel and get a mask of the fully transparent pixels;
// 24-bit entries store the colour of opaque pixels (alpha >= 128) and black
// elsewhere, with the mask marking the rest transparent. Returns an empty
// vector when an image is empty, larger than 256 pixels or not 24/32 bits.
std::vector<uint8_t> EncodeIconFile(std::span<const IconImage> images);

// The stored form of an icon set: the file's size as a 32-bit little-endian
// number followed by the zlib stream of the file.
std::vector<uint8_t> PackIconSet(std::span<const uint8_t> icon_file);
// The file back from its stored form, or nothing when the size or stream is
// damaged (a stream that does not inflate to exactly the stated size).
std::optional<std::vector<uint8_t>> UnpackIconSet(
    std::span<const uint8_t> stored);

// Reads the directory of an icon file; nothing when the header or a
// directory entry lies outside the file or the type is not "icon".
std::optional<std::vector<IconEntry>> ReadIconDirectory(
    std::span<const uint8_t> icon_file);

// Decodes the image of `entry` from `icon_file`: 32-bit entries with their
// alpha, 24-bit ones made transparent by their mask, 1-, 4- and 8-bit ones
// through their palette and mask. Nothing when the data is damaged or lies
// outside the file.
std::optional<RgbaImage> DecodeIconEntry(std::span<const uint8_t> icon_file,
                                         const IconEntry& entry);

// An icon made from an icon file: the image of its first entry.
std::optional<RgbaImage> DecodeIcon(std::span<const uint8_t> icon_file);

// One unpacked icon set with the index of its directory. Loading replaces
// the set loaded before; a damaged set loads as nothing.
class IconSet {
 public:
  // Unpacks `stored` (see PackIconSet) and indexes its directory. Returns
  // false, with no set loaded, when the data is damaged.
  bool LoadIconSet(std::span<const uint8_t> stored);
  // Frees the loaded copy.
  void Free();

  bool loaded() const { return !entries_.empty(); }
  const std::vector<IconEntry>& entries() const { return entries_; }

  // The icon of `size` (16, 24, 32 or 48) at kPreferredIconBits, falling
  // back to 24 and then 8 bits, then to the next smaller size (48, 32, 24,
  // 16), each again from the preferred depth. Nothing when no set is loaded,
  // the size is not one of the four or nothing fits.
  std::optional<RgbaImage> MakeIcon(int size) const;

  // A picture of 16 pixels height: the set's 16-pixel 32-bit icon, a gap of
  // 4 pixels and `text` in black drawn with `font`, on a transparent
  // background, 16 + text width + 4 pixels wide but at most 254 (a longer
  // text is cut off). Nothing when the set has no 16-pixel 32-bit icon.
  std::optional<RgbaImage> MakeButtonPicture(Gui& gui, std::string_view text,
                                             int font) const;

 private:
  // A one-entry icon file holding entry `index` (data at byte 22), decoded.
  std::optional<RgbaImage> MakeFromEntry(size_t index) const;
  // The first entry of the given square size and depth.
  std::optional<size_t> FindEntry(int size, int bit_count) const;

  std::vector<uint8_t> file_;
  std::vector<IconEntry> entries_;
};

}  // namespace rz

#endif  // RIRUZIRUZO_UI_ICONS_H_
