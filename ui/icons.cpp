#include "ui/icons.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <string>

namespace rz {

namespace {

// Limits that keep a damaged size field from asking for absurd memory.
constexpr uint32_t kMaxIconFileBytes = 16u << 20;
constexpr int kMaxIconSide = 256;
constexpr int kButtonPictureHeight = 16;
constexpr int kButtonPictureMaxWidth = 254;
constexpr int kButtonScratchWidth = 255;
constexpr int kButtonTextGap = 4;

uint16_t Read16(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

uint32_t Read32(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
         static_cast<uint32_t>(b[at + 2]) << 16 |
         static_cast<uint32_t>(b[at + 3]) << 24;
}

void Put8(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  Put8(out, v);
  Put8(out, v >> 8);
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v);
  Put16(out, v >> 16);
}

// Bytes of one row of `bits`-per-pixel data, padded to 32 bits.
size_t RowBytes(int width, int bits) {
  return (static_cast<size_t>(width) * static_cast<size_t>(bits) + 31) / 32 * 4;
}

size_t ImageDataBytes(int width, int height, int bits) {
  return kBitmapHeaderBytes + (RowBytes(width, bits) + RowBytes(width, 1)) *
                                  static_cast<size_t>(height);
}

// The 40-byte bitmap header of an icon image: the height counts the colour
// rows and the mask rows together.
void PutBitmapHeader(std::vector<uint8_t>& out, int width, int height,
                     int bits) {
  Put32(out, kBitmapHeaderBytes);
  Put32(out, static_cast<uint32_t>(width));
  Put32(out, static_cast<uint32_t>(height * 2));
  Put16(out, 1);  // planes
  Put16(out, static_cast<uint32_t>(bits));
  Put32(out, 0);  // uncompressed
  Put32(out, static_cast<uint32_t>(ImageDataBytes(width, height, bits) -
                                   kBitmapHeaderBytes));
  Put32(out, 0);  // pixels per metre, x and y
  Put32(out, 0);
  Put32(out, 0);  // palette entries used and important
  Put32(out, 0);
}

// 24-bit entries have no alpha: a pixel at least half opaque is kept with
// its own colour, any other becomes black under a transparent mask bit.
bool OpaqueIn24Bits(uint32_t rgba) { return AlphaOf(rgba) >= 128; }

void PutImageData(std::vector<uint8_t>& out, const IconImage& icon) {
  const RgbaImage& image = icon.image;
  const int w = image.width();
  const int h = image.height();
  PutBitmapHeader(out, w, h, icon.bit_count);
  const size_t colour_row = RowBytes(w, icon.bit_count);
  for (int y = h - 1; y >= 0; --y) {
    const size_t start = out.size();
    for (int x = 0; x < w; ++x) {
      uint32_t p = image.Pixel(x, y);
      if (icon.bit_count == 24 && !OpaqueIn24Bits(p)) p = 0;
      Put8(out, BlueOf(p));
      Put8(out, GreenOf(p));
      Put8(out, RedOf(p));
      if (icon.bit_count == 32) Put8(out, AlphaOf(p));
    }
    out.resize(start + colour_row, 0);
  }
  const size_t mask_row = RowBytes(w, 1);
  for (int y = h - 1; y >= 0; --y) {
    const size_t start = out.size();
    out.resize(start + mask_row, 0);
    for (int x = 0; x < w; ++x) {
      const uint32_t p = image.Pixel(x, y);
      const bool transparent =
          icon.bit_count == 24 ? !OpaqueIn24Bits(p) : AlphaOf(p) == 0;
      if (transparent) {
        out[start + static_cast<size_t>(x / 8)] |=
            static_cast<uint8_t>(0x80 >> (x % 8));
      }
    }
  }
}

// The file header of `count` icons.
void PutFileHeader(std::vector<uint8_t>& out, size_t count) {
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, static_cast<uint32_t>(count));
}

void PutDirectoryEntry(std::vector<uint8_t>& out, const IconEntry& e) {
  Put8(out, e.width);
  Put8(out, e.height);
  Put8(out, e.colour_count);
  Put8(out, e.reserved);
  Put16(out, e.planes);
  Put16(out, e.bit_count);
  Put32(out, e.bytes);
  Put32(out, e.offset);
}

bool MaskBit(std::span<const uint8_t> mask, size_t row_start, int x) {
  return (mask[row_start + static_cast<size_t>(x / 8)] & (0x80 >> (x % 8))) !=
         0;
}

}  // namespace

std::vector<uint8_t> EncodeIconFile(std::span<const IconImage> images) {
  if (images.empty() || images.size() > 0xFFFF) return {};
  for (const IconImage& icon : images) {
    if (icon.image.empty() || icon.image.width() > kMaxIconSide ||
        icon.image.height() > kMaxIconSide ||
        (icon.bit_count != 24 && icon.bit_count != 32)) {
      return {};
    }
  }
  std::vector<uint8_t> out;
  PutFileHeader(out, images.size());
  size_t offset = kIconHeaderBytes + kIconEntryBytes * images.size();
  for (const IconImage& icon : images) {
    const int w = icon.image.width();
    const int h = icon.image.height();
    IconEntry entry;
    entry.width = static_cast<uint8_t>(w & 0xFF);  // 256 is written as 0
    entry.height = static_cast<uint8_t>(h & 0xFF);
    entry.planes = 1;
    entry.bit_count = static_cast<uint16_t>(icon.bit_count);
    entry.bytes = static_cast<uint32_t>(ImageDataBytes(w, h, icon.bit_count));
    entry.offset = static_cast<uint32_t>(offset);
    PutDirectoryEntry(out, entry);
    offset += entry.bytes;
  }
  for (const IconImage& icon : images) PutImageData(out, icon);
  return out;
}

std::vector<uint8_t> PackIconSet(std::span<const uint8_t> icon_file) {
  uLongf packed_size = compressBound(static_cast<uLong>(icon_file.size()));
  std::vector<uint8_t> out(4 + packed_size);
  const auto size = static_cast<uint32_t>(icon_file.size());
  for (int k = 0; k < 4; ++k) out[k] = static_cast<uint8_t>(size >> (8 * k));
  if (compress2(out.data() + 4, &packed_size, icon_file.data(),
                static_cast<uLong>(icon_file.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    return {};
  }
  out.resize(4 + packed_size);
  return out;
}

std::optional<std::vector<uint8_t>> UnpackIconSet(
    std::span<const uint8_t> stored) {
  if (stored.size() < 4) return std::nullopt;
  const uint32_t size = Read32(stored, 0);
  if (size == 0 || size > kMaxIconFileBytes) return std::nullopt;
  std::vector<uint8_t> file(size);
  uLongf file_size = size;
  uLong packed_size = static_cast<uLong>(stored.size() - 4);
  if (uncompress2(file.data(), &file_size, stored.data() + 4, &packed_size) !=
          Z_OK ||
      file_size != size) {
    return std::nullopt;
  }
  return file;
}

std::optional<std::vector<IconEntry>> ReadIconDirectory(
    std::span<const uint8_t> icon_file) {
  if (icon_file.size() < kIconHeaderBytes) return std::nullopt;
  if (Read16(icon_file, 0) != 0 || Read16(icon_file, 2) != 1) {
    return std::nullopt;
  }
  const size_t count = Read16(icon_file, 4);
  if (count == 0 ||
      icon_file.size() < kIconHeaderBytes + count * kIconEntryBytes) {
    return std::nullopt;
  }
  std::vector<IconEntry> entries(count);
  for (size_t k = 0; k < count; ++k) {
    const size_t at = kIconHeaderBytes + k * kIconEntryBytes;
    IconEntry& e = entries[k];
    e.width = icon_file[at];
    e.height = icon_file[at + 1];
    e.colour_count = icon_file[at + 2];
    e.reserved = icon_file[at + 3];
    e.planes = Read16(icon_file, at + 4);
    e.bit_count = Read16(icon_file, at + 6);
    e.bytes = Read32(icon_file, at + 8);
    e.offset = Read32(icon_file, at + 12);
  }
  return entries;
}

std::optional<RgbaImage> DecodeIconEntry(std::span<const uint8_t> icon_file,
                                         const IconEntry& entry) {
  if (uint64_t{entry.offset} + entry.bytes > icon_file.size() ||
      entry.bytes < kBitmapHeaderBytes) {
    return std::nullopt;
  }
  const std::span<const uint8_t> data =
      icon_file.subspan(entry.offset, entry.bytes);
  const uint32_t header_bytes = Read32(data, 0);
  const auto width = static_cast<int32_t>(Read32(data, 4));
  const auto double_height = static_cast<int32_t>(Read32(data, 8));
  const int bits = Read16(data, 14);
  const uint32_t compression = Read32(data, 16);
  const uint32_t colours_used = Read32(data, 32);
  // Only uncompressed, bottom-up bitmaps of a sane size; compressed (PNG)
  // entries are not used by the program's sets.
  if (header_bytes < kBitmapHeaderBytes || header_bytes > data.size() ||
      compression != 0 || width < 1 || width > kMaxIconSide ||
      double_height < 2 || double_height > 2 * kMaxIconSide ||
      double_height % 2 != 0) {
    return std::nullopt;
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
    return std::nullopt;
  }
  const int height = double_height / 2;
  const size_t palette_size =
      bits <= 8
          ? (colours_used != 0 && colours_used < (1u << bits) ? colours_used
                                                              : (1u << bits))
          : 0;
  const size_t colour_row = RowBytes(width, bits);
  const size_t mask_row = RowBytes(width, 1);
  const size_t palette_at = header_bytes;
  const size_t colour_at = palette_at + 4 * palette_size;
  const size_t mask_at = colour_at + colour_row * static_cast<size_t>(height);
  const size_t end = mask_at + mask_row * static_cast<size_t>(height);
  // 32-bit entries are drawn with their alpha and need no mask.
  if ((bits == 32 ? mask_at : end) > data.size()) return std::nullopt;

  RgbaImage image(width, height);
  for (int y = 0; y < height; ++y) {
    // Rows are stored from the bottom up.
    const size_t flipped = static_cast<size_t>(height - 1 - y);
    const size_t row = colour_at + colour_row * flipped;
    const size_t mask = mask_at + mask_row * flipped;
    for (int x = 0; x < width; ++x) {
      const size_t bit = static_cast<size_t>(x) * static_cast<size_t>(bits);
      const uint8_t* p = &data[row + bit / 8];
      uint32_t rgba = 0;
      if (bits == 32) {
        rgba = PackRgba(p[2], p[1], p[0], p[3]);
      } else if (!MaskBit(data, mask, x)) {
        if (bits == 24) {
          rgba = PackRgba(p[2], p[1], p[0], 255);
        } else {
          const int shift = 8 - bits - static_cast<int>(bit % 8);
          const size_t index = (*p >> shift) & ((1u << bits) - 1);
          // An index beyond the palette shows black rather than reading
          // past it.
          rgba = PackRgba(0, 0, 0, 255);
          if (index < palette_size) {
            const uint8_t* c = &data[palette_at + 4 * index];
            rgba = PackRgba(c[2], c[1], c[0], 255);
          }
        }
      }
      image.SetPixel(x, y, rgba);
    }
  }
  return image;
}

std::optional<RgbaImage> DecodeIcon(std::span<const uint8_t> icon_file) {
  const auto entries = ReadIconDirectory(icon_file);
  if (!entries) return std::nullopt;
  return DecodeIconEntry(icon_file, entries->front());
}

bool IconSet::LoadIconSet(std::span<const uint8_t> stored) {
  Free();
  auto file = UnpackIconSet(stored);
  if (!file) return false;
  auto entries = ReadIconDirectory(*file);
  if (!entries) return false;
  for (const IconEntry& e : *entries) {
    if (uint64_t{e.offset} + e.bytes > file->size()) return false;
  }
  file_ = std::move(*file);
  entries_ = std::move(*entries);
  return true;
}

void IconSet::Free() {
  file_ = {};
  entries_ = {};
}

std::optional<size_t> IconSet::FindEntry(int size, int bit_count) const {
  for (size_t k = 0; k < entries_.size(); ++k) {
    const IconEntry& e = entries_[k];
    if (e.width == size && e.height == size && e.bit_count == bit_count) {
      return k;
    }
  }
  return std::nullopt;
}

std::optional<RgbaImage> IconSet::MakeFromEntry(size_t index) const {
  IconEntry entry = entries_[index];
  const auto data = std::span(file_).subspan(entry.offset, entry.bytes);
  entry.offset = kIconHeaderBytes + kIconEntryBytes;
  std::vector<uint8_t> single;
  single.reserve(entry.offset + entry.bytes);
  PutFileHeader(single, 1);
  PutDirectoryEntry(single, entry);
  single.insert(single.end(), data.begin(), data.end());
  return DecodeIcon(single);
}

std::optional<RgbaImage> IconSet::MakeIcon(int size) const {
  constexpr std::array<int, 4> kSizes = {48, 32, 24, 16};
  constexpr std::array<int, 3> kDepths = {32, 24, 8};
  const auto first = std::find(kSizes.begin(), kSizes.end(), size);
  if (first == kSizes.end() || !loaded()) return std::nullopt;
  const auto preferred =
      std::find(kDepths.begin(), kDepths.end(), kPreferredIconBits);
  for (auto s = first; s != kSizes.end(); ++s) {
    for (auto b = preferred; b != kDepths.end(); ++b) {
      if (const auto index = FindEntry(*s, *b)) {
        if (auto icon = MakeFromEntry(*index)) return icon;
      }
    }
  }
  return std::nullopt;
}

std::optional<RgbaImage> IconSet::MakeButtonPicture(Gui& gui,
                                                    std::string_view text,
                                                    int font) const {
  const auto index = FindEntry(kButtonPictureHeight, 32);
  if (!index) return std::nullopt;
  const auto icon = DecodeIconEntry(file_, entries_[*index]);
  if (!icon || icon->width() != kButtonPictureHeight ||
      icon->height() != kButtonPictureHeight) {
    return std::nullopt;
  }
  const TextSize text_size = gui.MeasureText(font, text);
  const int width = std::min(
      kButtonPictureHeight + std::max(text_size.width, 0) + kButtonTextGap,
      kButtonPictureMaxWidth);

  // The text is drawn on the button face, so antialiased edges blend with
  // the colour it will be seen on, and the face itself is then cut out.
  const uint32_t face = gui.ButtonFaceColour();
  RgbaImage scratch(kButtonScratchWidth, kButtonPictureHeight);
  scratch.Fill(face);
  const int blank = gui.MeasureText(font, " ").width;
  std::string drawn = " ";
  drawn.append(text);
  gui.DrawText(font, drawn, scratch.view(), kButtonTextGap - blank,
               (kButtonPictureHeight - text_size.height) / 2,
               PackRgba(0, 0, 0, 255));

  IconImage picture{RgbaImage(width, kButtonPictureHeight), 32};
  for (int y = 0; y < kButtonPictureHeight; ++y) {
    for (int x = 0; x < kButtonPictureHeight; ++x) {
      picture.image.SetPixel(x, y, icon->Pixel(x, y));
    }
    for (int x = kButtonPictureHeight; x < width; ++x) {
      const uint32_t p = scratch.Pixel(x - kButtonPictureHeight, y);
      picture.image.SetPixel(x, y, p == face ? 0 : (p | 0xFF000000u));
    }
  }
  return DecodeIcon(EncodeIconFile(std::span(&picture, 1)));
}

}  // namespace rz
