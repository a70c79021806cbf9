#include "ui/embedded/embedded_art.h"

namespace rz {

std::span<const uint8_t> EmbeddedArt(std::string_view name) {
  for (const EmbeddedFile& file : EmbeddedArtFiles()) {
    if (file.name == name) return file.bytes;
  }
  return {};
}

}  // namespace rz
