// The files of data/art (PNG artwork and stored icon sets), compiled into
// the program so that no picture is read from disk at run time.
#ifndef RIRUZIRUZO_UI_EMBEDDED_EMBEDDED_ART_H_
#define RIRUZIRUZO_UI_EMBEDDED_EMBEDDED_ART_H_

#include <cstdint>
#include <span>
#include <string_view>

namespace rz {

struct EmbeddedFile {
  std::string_view name;  // file name within data/art
  std::span<const uint8_t> bytes;
};

// Every embedded file, sorted by name.
std::span<const EmbeddedFile> EmbeddedArtFiles();

// The bytes of the file called `name`; empty when there is none.
std::span<const uint8_t> EmbeddedArt(std::string_view name);

}  // namespace rz

#endif  // RIRUZIRUZO_UI_EMBEDDED_EMBEDDED_ART_H_
