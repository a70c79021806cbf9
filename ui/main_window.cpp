#include "ui/main_window.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "ui/control_ids.h"
#include "ui/profile_controls.h"
#include "ui/section_header.h"

namespace rz {
namespace {

// Outer width of the window's content, and what the scroll area's scroll
// bar and border take from it.
constexpr int kOuterWidth = kMainClientWidth - 8;
constexpr int kScrollMargin = 40;
constexpr int kWindowHeaderHeight = 48;
constexpr int kHeaderHeight = 40;
constexpr int kHeaderIconSize = 32;
constexpr int kLabelHeight = 16;
constexpr int kChoiceHeight = 24;
constexpr int kSliderHeight = 32;
constexpr int kProfileButtonWidth = 80;
constexpr int kPercentWidth = 64;
constexpr int kBottomButtonWidth = 128;

// The layout cursor: controls are placed at (x, y) inside `parent`, rows
// end at width + 4.
struct Cursor {
  Gui& gui;
  int parent = -1;
  int width = 0;
  int x = 0;
  int y = 0;

  int Add(ControlKind kind, int id, int x_at, int y_at, int w, int h,
          std::string text = {}, int min = 0, int max = 0) const {
    ControlSpec spec;
    spec.id = id;
    spec.kind = kind;
    spec.window = kMainWindow;
    spec.parent = parent;
    spec.x = x_at;
    spec.y = y_at;
    spec.width = w;
    spec.height = h;
    spec.text = std::move(text);
    spec.min = min;
    spec.max = max;
    return gui.CreateControl(spec);
  }
  // Width of the column that starts at x.
  int Column() const { return width - x + 4; }
};

// A section header of the full width at the cursor; advances past it.
void AddSectionHeader(Cursor& cursor, int id, int height,
                      const std::optional<RgbaImage>& icon, int icon_size,
                      const std::string& title, int font) {
  cursor.Add(ControlKind::kPicture, id, cursor.x, cursor.y, cursor.width,
             height);
  // The Gui keeps its own copy, so the drawing surface is not kept.
  RgbaImage image(cursor.width, height);
  DrawSectionHeader(cursor.gui, id, image, icon ? &*icon : nullptr, icon_size,
                    title, font);
  cursor.y += height;
}

// The live pictures take the size of their artwork.
void AddLivePicture(Cursor& cursor, int id, int x, int y, int width, int height,
                    const RgbaImage& image) {
  cursor.Add(ControlKind::kPicture, id, x, y, width, height);
  cursor.gui.SetPicture(id, image.const_view());
}

}  // namespace

int StickCount(const Device& device) {
  return std::clamp(device.num_sticks, 0, kMaxSticks);
}

int ButtonCount(const Device& device) {
  return std::clamp(device.num_buttons, 0, kMaxButtons);
}

int ShownValue(float value, int scale) {
  const float scaled = value * static_cast<float>(scale);
  if (std::isnan(scaled)) return 0;
  float rounded = std::floor(scaled);
  const float fraction = scaled - rounded;
  if (fraction > 0.5f ||
      (fraction == 0.5f && std::fmod(rounded, 2.0f) != 0.0f)) {
    rounded += 1.0f;
  }
  // 2^31 is exact in a float; INT_MAX is not.
  if (rounded >= 2147483648.0f) return INT_MAX;
  if (rounded < -2147483648.0f) return INT_MIN;
  return static_cast<int>(rounded);
}

std::string DeadZoneText(float dead_zone) {
  return std::to_string(ShownValue(dead_zone, 100)) + "%";
}

std::string DeviceSummary(const Device& device, const StringTable& strings) {
  std::string text = device.name;
  const auto add_line = [&text](const std::string& line) {
    if (!text.empty()) text += '\n';
    text += line;
  };
  if (device.hat_present != 0) add_line(strings.Get(97));
  const int sticks = StickCount(device);
  if (sticks >= 1) {
    const bool several = sticks > 1;
    add_line("- " + std::to_string(2 * sticks) + " " +
             strings.Get(several ? 98 : 99) + " (" + std::to_string(sticks) +
             " " + strings.Get(several ? 100 : 101) + ")");
  }
  const int buttons = ButtonCount(device);
  if (buttons >= 1) {
    add_line("- " + std::to_string(buttons) + " " +
             strings.Get(buttons > 1 ? 102 : 103));
  }
  return text;
}

void BuildMainWindow(const WindowContext& context, const Pictures& pictures,
                     int heading_font, const LiveViewImages& live_images) {
  const StringTable& strings = context.strings;
  Cursor cursor{context.gui, -1, kOuterWidth, 4, 8};

  AddSectionHeader(cursor, kWindowHeader, kWindowHeaderHeight,
                   pictures.header_icon, kWindowHeaderHeight, strings.Get(92),
                   heading_font);
  cursor.y += 8;

  const int scroll_top = cursor.y;
  cursor.Add(ControlKind::kScroll, kScrollArea, cursor.x, scroll_top,
             cursor.width, kMainClientHeight - scroll_top - 40);
  cursor.parent = kScrollArea;
  cursor.width -= kScrollMargin;
  cursor.x = 4;
  cursor.y = 8;
  const int w = cursor.width;

  // Profiles.
  AddSectionHeader(cursor, kProfileHeader, kHeaderHeight, pictures.profile_icon,
                   kHeaderIconSize, strings.Get(93), heading_font);
  cursor.Add(ControlKind::kCombo, kProfileChoice, cursor.x, cursor.y, w - 160,
             kChoiceHeight);
  FillProfileChoice(context);
  cursor.Add(ControlKind::kButton, kNewProfileButton, cursor.x + w - 160,
             cursor.y, kProfileButtonWidth, kChoiceHeight, strings.Get(94));
  cursor.Add(ControlKind::kButton, kDeleteProfileButton, cursor.x + w - 80,
             cursor.y, kProfileButtonWidth, kChoiceHeight, strings.Get(95));
  context.gui.EnableControl(
      kDeleteProfileButton,
      context.profiles.current_name() != strings.Get(140));
  cursor.y += kChoiceHeight + 8;

  // Joystick.
  AddSectionHeader(cursor, kJoystickHeader, kHeaderHeight,
                   pictures.joystick_icon, kHeaderIconSize, strings.Get(96),
                   heading_font);
  cursor.Add(ControlKind::kEditor, kDeviceSummary, cursor.x, cursor.y, w, 80,
             DeviceSummary(context.device, strings));
  cursor.y += 80 + 8;

  // Hat, whether or not the joystick has one: its assignments are kept.
  AddSectionHeader(cursor, kHatHeader, kHeaderHeight, pictures.panel_icon,
                   kHeaderIconSize, strings.Get(104), heading_font);
  AddLivePicture(cursor, kHatPicture, cursor.x, cursor.y,
                 LiveViewImages::kHatSize, LiveViewImages::kHatSize,
                 live_images.hat);
  cursor.x += LiveViewImages::kHatSize + 8;
  struct HatRow {
    int label;
    int choice;
    int label_advance;  // the left box sits 4 pixels lower under its label
    int choice_advance;
  };
  constexpr HatRow kHatRows[] = {{107, kHatUpChoice, 16, 28},
                                 {105, kHatRightChoice, 16, 28},
                                 {108, kHatDownChoice, 16, 28},
                                 {106, kHatLeftChoice, 20, 24}};
  for (const HatRow& row : kHatRows) {
    cursor.Add(ControlKind::kLabel, kNoId, cursor.x, cursor.y, cursor.Column(),
               kLabelHeight, strings.Get(row.label));
    cursor.y += row.label_advance;
    cursor.Add(ControlKind::kCombo, row.choice, cursor.x, cursor.y,
               cursor.Column(), kChoiceHeight);
    cursor.y += row.choice_advance;
  }
  cursor.x = 4;
  cursor.y += 8;

  // Sticks.
  for (int i = 1; i <= StickCount(context.device); ++i) {
    const int top = cursor.y;
    AddSectionHeader(cursor, StickHeader(i), kHeaderHeight, pictures.panel_icon,
                     kHeaderIconSize, strings.Get(109) + std::to_string(i),
                     heading_font);
    AddLivePicture(cursor, StickPicture(i), cursor.x, top + 40,
                   LiveViewImages::kStickSize, LiveViewImages::kStickSize,
                   live_images.sticks[i]);
    cursor.x += LiveViewImages::kStickSize + 8;
    const int column = cursor.Column();
    cursor.Add(ControlKind::kLabel, kNoId, cursor.x, top + 40, column,
               kLabelHeight, strings.Get(110));
    cursor.Add(ControlKind::kCombo, PresetChoice(i), cursor.x, top + 56, column,
               kChoiceHeight);
    cursor.Add(ControlKind::kLabel, kNoId, cursor.x, top + 84, column,
               kLabelHeight, strings.Get(111));
    cursor.Add(ControlKind::kSlider, DeadZoneSlider(i), cursor.x, top + 100,
               w - cursor.x - 60, kSliderHeight, {}, 0, 20);
    cursor.Add(ControlKind::kText, DeadZoneLabel(i), w - 60, top + 100,
               kPercentWidth, kSliderHeight);
    cursor.x = 4;
    cursor.y = top + 140;
  }

  // Buttons.
  AddSectionHeader(cursor, kButtonsHeader, kHeaderHeight, pictures.panel_icon,
                   kHeaderIconSize, strings.Get(112), heading_font);
  for (int j = 1; j <= ButtonCount(context.device); ++j) {
    const int top = cursor.y;
    AddLivePicture(cursor, ButtonPicture(j), cursor.x, top + 8,
                   LiveViewImages::kButtonWidth, LiveViewImages::kButtonHeight,
                   live_images.buttons[j]);
    cursor.x += LiveViewImages::kButtonWidth + 8;
    const int column = cursor.Column();
    cursor.Add(ControlKind::kLabel, kNoId, cursor.x, top, column, kLabelHeight,
               strings.Get(113) + std::to_string(j) + " :");
    cursor.Add(ControlKind::kCombo, ButtonChoice(j), cursor.x, top + 16, column,
               kChoiceHeight);
    cursor.x = 4;
    cursor.y = top + 44;
  }
  cursor.y += 8;

  // Mouse.
  AddSectionHeader(cursor, kMouseHeader, kHeaderHeight,
                   pictures.mouse_keyboard_icon, kHeaderIconSize,
                   strings.Get(114), heading_font);
  cursor.Add(ControlKind::kLabel, kNoId, cursor.x, cursor.y, w, kLabelHeight,
             strings.Get(115));
  cursor.y += kLabelHeight;
  cursor.Add(ControlKind::kSlider, kSpeedSlider, cursor.x, cursor.y, w,
             kSliderHeight, {}, 1, 8);
  cursor.y += kSliderHeight + 4;
  cursor.Add(ControlKind::kLabel, kNoId, cursor.x, cursor.y, w, kLabelHeight,
             strings.Get(116));
  cursor.y += kLabelHeight;
  cursor.Add(ControlKind::kSlider, kAccelerationSlider, cursor.x, cursor.y, w,
             kSliderHeight, {}, 0, 8);
  cursor.y += kSliderHeight + 8;

  // Keyboard.
  AddSectionHeader(cursor, kKeyboardHeader, kHeaderHeight,
                   pictures.mouse_keyboard_icon, kHeaderIconSize,
                   strings.Get(132), heading_font);
  cursor.Add(ControlKind::kCheck, kScanCodeCheck, cursor.x, cursor.y, w,
             kChoiceHeight, strings.Get(133));
  cursor.y += kChoiceHeight + 8;

  // The scroll range covers exactly the panels built.
  context.gui.SetScrollHeight(kScrollArea, cursor.y);
}

void PlaceBottomButtons(Gui& gui, const Pictures& pictures) {
  const Cursor cursor{gui, -1, kOuterWidth, 4, kMainClientHeight - 32};
  const auto place = [&](int id, int x, const std::optional<RgbaImage>& shown) {
    cursor.Add(ControlKind::kPictureButton, id, x, cursor.y, kBottomButtonWidth,
               kChoiceHeight);
    if (shown) gui.SetPicture(id, shown->const_view());
  };
  place(kOptionsButton, cursor.x, pictures.options_button);
  place(kLanguageButton, cursor.x + kBottomButtonWidth + 4,
        pictures.language_button);
}

void FillActionChoice(Gui& gui, int control, const Catalogue& catalogue,
                      int32_t index) {
  gui.ClearItems(control);
  for (const Action& action : catalogue.actions()) {
    gui.AddItem(control, action.name);
  }
  gui.SetSelection(control, ChoiceSelection(index, catalogue.action_count()));
}

void FillPresetChoice(Gui& gui, int control, const Catalogue& catalogue,
                      int32_t index) {
  gui.ClearItems(control);
  for (const StickPreset& preset : catalogue.presets()) {
    gui.AddItem(control, preset.name);
  }
  gui.SetSelection(control, ChoiceSelection(index, catalogue.preset_count()));
}

void ShowSettings(const WindowContext& context) {
  Gui& gui = context.gui;
  const Device& device = context.device;
  for (int d = 1; d <= kHatDirections; ++d) {
    FillActionChoice(gui, kHatChoices[d - 1], context.catalogue,
                     device.hat[d].action);
  }
  for (int i = 1; i <= StickCount(device); ++i) {
    const StickState& stick = device.sticks[i];
    FillPresetChoice(gui, PresetChoice(i), context.catalogue, stick.preset);
    gui.SetValue(DeadZoneSlider(i), ShownValue(stick.dead_zone, 100));
    gui.SetText(DeadZoneLabel(i), DeadZoneText(stick.dead_zone));
  }
  for (int j = 1; j <= ButtonCount(device); ++j) {
    FillActionChoice(gui, ButtonChoice(j), context.catalogue,
                     device.buttons[j].action);
  }
  gui.SetValue(kSpeedSlider, ShownValue(context.injector.mouse_speed, 8));
  gui.SetValue(kAccelerationSlider,
               ShownValue(context.injector.mouse_acceleration, 8));
  // The injector sends scan codes for any non-zero mode, so the box shows
  // it ticked for any non-zero value too.
  gui.SetValue(kScanCodeCheck, context.injector.scan_code_mode != 0 ? 1 : 0);
}

}  // namespace rz
