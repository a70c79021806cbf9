#include "platform/fake/fake_gui.h"

#include <algorithm>
#include <utility>

namespace rz {
namespace {

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Characters, not bytes: a UTF-8 sequence is one character.
int CountCharacters(std::string_view text) {
  int count = 0;
  for (char c : text) {
    if (!IsContinuationByte(c)) ++count;
  }
  return count;
}

uint8_t Channel(uint32_t rgba, int shift) {
  return static_cast<uint8_t>((rgba >> shift) & 0xFF);
}

// Source-over of non-premultiplied colours, rounded to the nearest value.
uint32_t Blend(uint32_t dst, uint32_t src) {
  const int sa = Channel(src, 24);
  if (sa == 255) return src;
  if (sa == 0) return dst;
  const int da = Channel(dst, 24);
  // Alphas scaled by 255 * 255.
  const int out_a = sa * 255 + da * (255 - sa);
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int mixed =
        Channel(src, shift) * sa * 255 + Channel(dst, shift) * da * (255 - sa);
    const int channel = (mixed + out_a / 2) / out_a;
    out |= static_cast<uint32_t>(channel) << shift;
  }
  const uint32_t alpha = static_cast<uint32_t>((out_a + 127) / 255);
  return out | alpha << 24;
}

bool HoldsItems(ControlKind kind) { return kind == ControlKind::kCombo; }

bool ShowsPicture(ControlKind kind) {
  return kind == ControlKind::kPicture || kind == ControlKind::kPictureButton;
}

}  // namespace

uint32_t FakePicture::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  return pixels[static_cast<size_t>(y) * width + x];
}

int FakeGui::OpenWindow(std::string_view title, int client_width,
                        int client_height) {
  if (client_width <= 0 || client_height <= 0) return -1;
  FakeWindow window;
  window.title = std::string(title);
  window.width = client_width;
  window.height = client_height;
  // The lowest free number, as the real toolkit layer gives it: a window
  // opened and closed before the main window leaves 0 free for it.
  for (size_t number = 0; number < windows_.size(); ++number) {
    if (!windows_[number].open) {
      windows_[number] = std::move(window);
      return static_cast<int>(number);
    }
  }
  windows_.push_back(std::move(window));
  return static_cast<int>(windows_.size()) - 1;
}

void FakeGui::CloseWindow(int window) {
  if (window < 0 || window >= static_cast<int>(windows_.size()) ||
      !windows_[window].open) {
    return;
  }
  windows_[window].open = false;
  // Its controls and timers go with it.
  std::erase_if(controls_, [window](const FakeControl& control) {
    return control.spec.window == window;
  });
  by_id_.clear();
  for (size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].spec.id != kNoId) by_id_[controls_[i].spec.id] = i;
  }
  std::erase_if(timers_, [window](const auto& entry) {
    return entry.second.window == window;
  });
  std::erase_if(ticks_, [window](const PendingTick& tick) {
    return tick.window == window;
  });
}

void FakeGui::SetWindowIcon(int window,
                            const std::vector<ConstRgbaView>& sizes) {
  if (window < 0 || window >= static_cast<int>(windows_.size())) return;
  windows_[window].icon_sizes = static_cast<int>(sizes.size());
}

void FakeGui::EnableWindow(int window, bool enabled) {
  if (window < 0 || window >= static_cast<int>(windows_.size())) return;
  windows_[window].enabled = enabled;
}

bool FakeGui::IsForeground(int window) {
  const FakeWindow* shown = Window(window);
  return shown != nullptr && shown->open && foreground_ == window;
}

void FakeGui::BringToFront(int window) {
  if (Window(window) != nullptr) foreground_ = window;
}

int FakeGui::LoadFont(std::string_view face, int points) {
  if (face.empty() || points <= 0) return -1;
  fonts_.push_back({std::string(face), points});
  return static_cast<int>(fonts_.size()) - 1;
}

int FakeGui::DefaultFont() {
  if (default_font_ < 0) default_font_ = LoadFont("default", 9);
  return default_font_;
}

void FakeGui::SetControlFont(int font) {
  if (FontKnown(font)) control_font_ = font;
}

bool FakeGui::FontKnown(int font) const {
  return font >= 0 && font < static_cast<int>(fonts_.size());
}

TextSize FakeGui::MeasureText(int font, std::string_view text) {
  if (!FontKnown(font)) return {};
  return {CountCharacters(text) * kCharWidth, kCharHeight};
}

void FakeGui::DrawText(int font, std::string_view text, RgbaView target, int x,
                       int y, uint32_t rgba) {
  if (!FontKnown(font) || target.pixels == nullptr || target.width <= 0 ||
      target.height <= 0 || target.stride < target.width) {
    return;
  }
  int cell_x = x;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsContinuationByte(text[i])) continue;
    if (text[i] != ' ') {
      const int left = std::max(cell_x, 0);
      const int right = std::min(cell_x + kCharWidth, target.width);
      const int top = std::max(y, 0);
      const int bottom = std::min(y + kCharHeight, target.height);
      for (int py = top; py < bottom; ++py) {
        for (int px = left; px < right; ++px) {
          uint8_t* p = target.pixels +
                       (static_cast<size_t>(py) * target.stride + px) * 4;
          const uint32_t dst =
              p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
          const uint32_t out = Blend(dst, rgba);
          for (int c = 0; c < 4; ++c) p[c] = Channel(out, 8 * c);
        }
      }
    }
    cell_x += kCharWidth;
  }
}

int FakeGui::CreateControl(const ControlSpec& spec) {
  const FakeWindow* window = Window(spec.window);
  if (window == nullptr || !window->open) return -1;
  if (spec.parent != -1) {
    const FakeControl* parent = Find(spec.parent);
    if (parent == nullptr || parent->spec.kind != ControlKind::kScroll ||
        parent->spec.window != spec.window) {
      return -1;
    }
  }
  FakeControl control;
  control.spec = spec;
  if (spec.id == kAutoId) {
    while (by_id_.contains(next_auto_id_)) ++next_auto_id_;
    control.spec.id = next_auto_id_++;
  } else if (spec.id == kNoId) {
    if (spec.kind != ControlKind::kLabel) return -1;
  } else if (spec.id < 0 || by_id_.contains(spec.id)) {
    return -1;
  }
  control.text = spec.text;
  control.font = control_font_;
  if (spec.kind == ControlKind::kSlider) control.value = spec.min;
  const int id = control.spec.id;
  controls_.push_back(std::move(control));
  if (id != kNoId) by_id_[id] = controls_.size() - 1;
  return id;
}

FakeControl* FakeGui::Find(int id) {
  const auto it = by_id_.find(id);
  return it == by_id_.end() ? nullptr : &controls_[it->second];
}

const FakeControl* FakeGui::Find(int id) const {
  const auto it = by_id_.find(id);
  return it == by_id_.end() ? nullptr : &controls_[it->second];
}

FakeControl* FakeGui::FindOfKind(int id, ControlKind kind) {
  FakeControl* control = Find(id);
  return control != nullptr && control->spec.kind == kind ? control : nullptr;
}

void FakeGui::EnableControl(int id, bool enabled) {
  if (FakeControl* control = Find(id)) control->enabled = enabled;
}

void FakeGui::SetText(int id, std::string_view text) {
  FakeControl* control = Find(id);
  // A choice box shows its selected entry; it has no text of its own.
  if (control != nullptr && !HoldsItems(control->spec.kind)) {
    control->text = std::string(text);
  }
}

std::string FakeGui::GetText(int id) {
  const FakeControl* control = Find(id);
  if (control == nullptr) return "";
  if (HoldsItems(control->spec.kind)) {
    return control->selection >= 0 ? control->items[control->selection] : "";
  }
  return control->text;
}

void FakeGui::SetPicture(int id, ConstRgbaView image) {
  FakeControl* control = Find(id);
  if (control == nullptr || !ShowsPicture(control->spec.kind)) return;
  FakePicture& picture = control->picture;
  ++control->picture_updates;
  if (image.pixels == nullptr || image.width <= 0 || image.height <= 0 ||
      image.stride < image.width) {
    picture = {};
    return;
  }
  picture.width = image.width;
  picture.height = image.height;
  picture.pixels.assign(static_cast<size_t>(image.width) * image.height, 0);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p =
          image.pixels + (static_cast<size_t>(y) * image.stride + x) * 4;
      picture.pixels[static_cast<size_t>(y) * image.width + x] =
          p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
    }
  }
}

void FakeGui::ClearItems(int id) {
  if (FakeControl* control = FindOfKind(id, ControlKind::kCombo)) {
    control->items.clear();
    control->selection = -1;
  }
}

void FakeGui::AddItem(int id, std::string_view text) {
  if (FakeControl* control = FindOfKind(id, ControlKind::kCombo)) {
    control->items.emplace_back(text);
  }
}

void FakeGui::RemoveItem(int id, int position) {
  FakeControl* control = FindOfKind(id, ControlKind::kCombo);
  if (control == nullptr || position < 0 ||
      position >= static_cast<int>(control->items.size())) {
    return;
  }
  control->items.erase(control->items.begin() + position);
  // As in the Qt Gui: removing the selected entry leaves none selected.
  if (position < control->selection) {
    --control->selection;
  } else if (position == control->selection) {
    control->selection = -1;
  }
}

void FakeGui::SetSelection(int id, int position) {
  if (FakeControl* control = FindOfKind(id, ControlKind::kCombo)) {
    const int count = static_cast<int>(control->items.size());
    control->selection = position >= 0 && position < count ? position : -1;
  }
}

int FakeGui::GetSelection(int id) {
  const FakeControl* control = Find(id);
  return control != nullptr && HoldsItems(control->spec.kind)
             ? control->selection
             : -1;
}

void FakeGui::SetValue(int id, int value) {
  FakeControl* control = Find(id);
  if (control == nullptr) return;
  if (control->spec.kind == ControlKind::kSlider) {
    control->value =
        std::clamp(value, std::min(control->spec.min, control->spec.max),
                   std::max(control->spec.min, control->spec.max));
  } else if (control->spec.kind == ControlKind::kCheck) {
    control->value = value != 0 ? 1 : 0;
  }
}

int FakeGui::GetValue(int id) {
  const FakeControl* control = Find(id);
  if (control == nullptr) return 0;
  const ControlKind kind = control->spec.kind;
  return kind == ControlKind::kSlider || kind == ControlKind::kCheck
             ? control->value
             : 0;
}

void FakeGui::SetScrollHeight(int id, int height) {
  if (FakeControl* control = FindOfKind(id, ControlKind::kScroll)) {
    control->scroll_height = std::max(height, 0);
  }
}

std::vector<ControlInfo> FakeGui::DescribeControls(int window) {
  std::vector<ControlInfo> infos;
  for (const FakeControl& control : controls_) {
    if (control.spec.window != window) continue;
    ControlInfo info;
    info.id = control.spec.id;
    info.kind = control.spec.kind;
    info.x = control.spec.x;
    info.y = control.spec.y;
    info.width = control.spec.width;
    info.height = control.spec.height;
    info.enabled = control.enabled;
    switch (control.spec.kind) {
      case ControlKind::kCombo:
        info.state = control.selection;
        info.text =
            control.selection >= 0 ? control.items[control.selection] : "";
        info.items = static_cast<int>(control.items.size());
        break;
      case ControlKind::kSlider:
      case ControlKind::kCheck:
        info.state = control.value;
        info.text = control.text;
        break;
      default:
        info.text = control.text;
        break;
    }
    infos.push_back(std::move(info));
  }
  return infos;
}

bool FakeGui::CreatePopupMenu(int menu) {
  if (menus_.contains(menu)) return false;
  menus_[menu] = {};
  return true;
}

void FakeGui::AppendMenuItem(int menu, int item, std::string_view text) {
  const auto it = menus_.find(menu);
  if (it != menus_.end())
    it->second.entries.push_back({item, std::string(text)});
}

void FakeGui::AppendMenuSeparator(int menu) {
  const auto it = menus_.find(menu);
  if (it != menus_.end()) it->second.entries.push_back({0, ""});
}

void FakeGui::ShowPopupMenu(int menu, int window) {
  if (!menus_.contains(menu)) return;
  shown_menus_.push_back(menu);
  if (menu_choices_.empty()) return;
  const int item = menu_choices_.front();
  menu_choices_.pop_front();
  events_.push_back({EventKind::kMenu, item, window});
}

void FakeGui::StartTimer(int timer, int window, int period_ms) {
  const FakeWindow* owner = Window(window);
  if (owner == nullptr || !owner->open) return;
  Timer entry;
  entry.number = timer;
  entry.window = window;
  entry.period = period_ms <= 0 ? 1 : static_cast<uint64_t>(period_ms);
  entry.next_due = now_ + entry.period;
  entry.start_order = next_start_order_++;
  timers_[timer] = entry;
}

void FakeGui::StopTimer(int timer) {
  timers_.erase(timer);
  std::erase_if(ticks_, [timer](const PendingTick& tick) {
    return tick.number == timer;
  });
}

bool FakeGui::TimerRunning(int timer) const { return timers_.contains(timer); }

void FakeGui::MarkPending(int number, int window, uint64_t due,
                          uint64_t order) {
  for (const PendingTick& tick : ticks_) {
    if (tick.number == number) return;  // coalesced
  }
  ticks_.push_back({number, window, due, order});
}

void FakeGui::CollectDueTicks() {
  for (auto& [number, timer] : timers_) {
    if (timer.next_due > now_) continue;
    MarkPending(number, timer.window, timer.next_due, timer.start_order);
    // Ticks missed meanwhile coalesce into this one.
    const uint64_t missed = (now_ - timer.next_due) / timer.period + 1;
    timer.next_due += missed * timer.period;
  }
}

void FakeGui::AdvanceTime(uint64_t ms) {
  now_ += ms;
  if (clock_ != nullptr) clock_->Advance(static_cast<uint32_t>(ms));
  CollectDueTicks();
}

int FakeGui::PendingEvents() const {
  return static_cast<int>(events_.size() + ticks_.size());
}

Event FakeGui::WaitEvent() {
  if (!events_.empty()) {
    const Event event = events_.front();
    events_.pop_front();
    return event;
  }
  if (ticks_.empty() && !timers_.empty()) {
    uint64_t earliest = UINT64_MAX;
    for (const auto& [number, timer] : timers_) {
      earliest = std::min(earliest, timer.next_due);
    }
    AdvanceTime(earliest - now_);
  }
  if (ticks_.empty()) return {};
  const auto first = std::min_element(
      ticks_.begin(), ticks_.end(),
      [](const PendingTick& a, const PendingTick& b) {
        return a.due != b.due ? a.due < b.due : a.order < b.order;
      });
  const Event event{EventKind::kTimer, first->number, first->window};
  ticks_.erase(first);
  return event;
}

void FakeGui::PostEvent(const Event& event) {
  switch (event.kind) {
    case EventKind::kNone:
      return;
    case EventKind::kTimer: {
      const auto it = timers_.find(event.number);
      MarkPending(
          event.number, event.window, now_,
          it != timers_.end() ? it->second.start_order : next_start_order_);
      return;
    }
    default:
      events_.push_back(event);
  }
}

MessageAnswer FakeGui::ShowMessage(std::string_view title,
                                   std::string_view text,
                                   MessageButtons buttons) {
  MessageAnswer scripted =
      buttons == MessageButtons::kOk ? MessageAnswer::kOk : MessageAnswer::kNo;
  if (!message_answers_.empty()) {
    scripted = message_answers_.front();
    message_answers_.pop_front();
  }
  MessageAnswer answer = MessageAnswer::kOk;
  if (buttons == MessageButtons::kYesNo) {
    answer = scripted == MessageAnswer::kYes ? MessageAnswer::kYes
                                             : MessageAnswer::kNo;
  }
  messages_.push_back({std::string(title), std::string(text), buttons, answer});
  return answer;
}

std::string FakeGui::RequestText(std::string_view title,
                                 std::string_view prompt) {
  std::string answer;
  if (!text_answers_.empty()) {
    answer = std::move(text_answers_.front());
    text_answers_.pop_front();
  }
  requests_.push_back({std::string(title), std::string(prompt), answer});
  return answer;
}

bool FakeGui::SaveScreenshot(int /*window*/, const std::string& /*png_path*/) {
  return false;
}

FakeControl* FakeGui::Reachable(int id, ControlKind kind) {
  FakeControl* control = FindOfKind(id, kind);
  if (control == nullptr || !control->enabled) return nullptr;
  const FakeWindow* window = Window(control->spec.window);
  return window != nullptr && window->enabled ? control : nullptr;
}

void FakeGui::PostControlEvent(const FakeControl& control) {
  events_.push_back(
      {EventKind::kControl, control.spec.id, control.spec.window});
}

bool FakeGui::UserSelect(int id, int position) {
  FakeControl* control = Reachable(id, ControlKind::kCombo);
  if (control == nullptr || position < -1 ||
      position >= static_cast<int>(control->items.size())) {
    return false;
  }
  control->selection = position;
  PostControlEvent(*control);
  return true;
}

bool FakeGui::UserSetValue(int id, int value) {
  FakeControl* control = Reachable(id, ControlKind::kSlider);
  if (control == nullptr) return false;
  SetValue(id, value);
  PostControlEvent(*control);
  return true;
}

bool FakeGui::UserSetCheck(int id, bool checked) {
  FakeControl* control = Reachable(id, ControlKind::kCheck);
  if (control == nullptr) return false;
  control->value = checked ? 1 : 0;
  PostControlEvent(*control);
  return true;
}

bool FakeGui::UserClick(int id) {
  FakeControl* control = Reachable(id, ControlKind::kButton);
  if (control == nullptr) control = Reachable(id, ControlKind::kPictureButton);
  if (control == nullptr) return false;
  PostControlEvent(*control);
  return true;
}

void FakeGui::UserClose(int window) {
  const FakeWindow* shown = Window(window);
  if (shown != nullptr && shown->open) {
    events_.push_back({EventKind::kClose, 0, window});
  }
}

const FakeControl* FakeGui::Control(int id) const { return Find(id); }

std::vector<const FakeControl*> FakeGui::Labels(int window) const {
  std::vector<const FakeControl*> labels;
  for (const FakeControl& control : controls_) {
    if (control.spec.window == window && control.spec.id == kNoId) {
      labels.push_back(&control);
    }
  }
  return labels;
}

const FakeWindow* FakeGui::Window(int window) const {
  if (window < 0 || window >= static_cast<int>(windows_.size())) return nullptr;
  return &windows_[window];
}

const FakeMenu* FakeGui::Menu(int menu) const {
  const auto it = menus_.find(menu);
  return it == menus_.end() ? nullptr : &it->second;
}

}  // namespace rz
