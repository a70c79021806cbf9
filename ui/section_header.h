// Section headers of the main window: a grey band fading downwards, an icon
// in the left square, a title, and a faint line along the top.
#ifndef RIRUZIRUZO_UI_SECTION_HEADER_H_
#define RIRUZIRUZO_UI_SECTION_HEADER_H_

#include <string_view>

#include "platform/gui.h"
#include "ui/image.h"

namespace rz {

// Draws a header into all of `image` (W x H) and shows it in picture
// `control`. The icon of `icon_size` pixels, when there is one, is centred
// in the left H x H square; the title, in black with `font`, starts at x = H
// and is centred vertically; a title longer than the header is cut off.
void DrawSectionHeader(Gui& gui, int control, RgbaImage& image,
                       const RgbaImage* icon, int icon_size,
                       std::string_view title, int font);

}  // namespace rz

#endif  // RIRUZIRUZO_UI_SECTION_HEADER_H_
