#include "platform/qt/qt_gui.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <unordered_map>
#include <utility>

namespace rz {
namespace {

// Numbers the Gui hands out itself stay clear of the program's own.
constexpr int kFirstAutoId = 0x10000;
// The scroll area's inner surface leaves room for the vertical scroll bar.
constexpr int kScrollMargin = 32;
constexpr int kScrollStep = 48;
constexpr int kMaxListHeight = 350;

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

template <typename View>
bool IsUsable(const View& view) {
  return view.pixels != nullptr && view.width > 0 && view.height > 0 &&
         view.stride >= view.width;
}

// A deep copy: the program may reuse its buffer as soon as the call returns.
QPixmap ToPixmap(ConstRgbaView view) {
  if (!IsUsable(view)) return {};
  const QImage image(view.pixels, view.width, view.height,
                     static_cast<qsizetype>(view.stride) * 4,
                     QImage::Format_RGBA8888);
  return QPixmap::fromImage(image.copy());
}

QColor ToColour(uint32_t rgba) {
  return QColor(
      static_cast<int>(rgba & 0xFF), static_cast<int>((rgba >> 8) & 0xFF),
      static_cast<int>((rgba >> 16) & 0xFF), static_cast<int>(rgba >> 24));
}

// A top-level window whose close box only asks: the program decides whether
// and when the window goes.
class WindowWidget final : public QWidget {
 public:
  explicit WindowWidget(std::function<void()> on_close_request)
      : on_close_request_(std::move(on_close_request)) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    // A disabled window cannot be closed, as it cannot be used.
    if (isEnabled()) on_close_request_();
  }

 private:
  std::function<void()> on_close_request_;
};

// A drop-down list whose opened list is at most kMaxListHeight pixels tall.
class ChoiceBox final : public QComboBox {
 public:
  explicit ChoiceBox(QWidget* parent) : QComboBox(parent) {
    // The list style honours maxVisibleItems; the menu style that Fusion
    // uses for non-editable boxes would grow to the screen's height.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
  }

  void showPopup() override {
    if (count() > 0) {
      const QMargins frame = view()->window()->contentsMargins();
      const int margin =
          frame.top() + frame.bottom() + 2 * view()->frameWidth();
      const int row = std::max(1, view()->sizeHintForRow(0));
      setMaxVisibleItems(std::max(1, (kMaxListHeight - margin) / row));
    }
    QComboBox::showPopup();
  }
};

struct Control {
  int id = kNoId;
  ControlKind kind = ControlKind::kLabel;
  int window = 0;
  QWidget* widget = nullptr;  // owned by its Qt parent
  std::string path;           // a browser's document
};

struct Window {
  std::unique_ptr<WindowWidget> widget;
  std::vector<Control> controls;  // creation order
};

struct Timer {
  std::unique_ptr<QTimer> timer;
  int window = 0;
};

struct Menu {
  std::unique_ptr<QMenu> menu;
  int owner = -1;  // window that receives the choice
};

class QtGui final : public Gui {
 public:
  QtGui() {
    // Windows close only when the program says so; a message box closing
    // while no window is shown must not end the application.
    QApplication::setQuitOnLastWindowClosed(false);
  }

  int OpenWindow(std::string_view title, int client_width,
                 int client_height) override;
  void CloseWindow(int window) override;
  void SetWindowIcon(int window,
                     const std::vector<ConstRgbaView>& sizes) override;
  void EnableWindow(int window, bool enabled) override;
  bool IsForeground(int window) override;
  void BringToFront(int window) override;

  int LoadFont(std::string_view face, int points) override;
  int DefaultFont() override;
  void SetControlFont(int font) override;
  TextSize MeasureText(int font, std::string_view text) override;
  void DrawText(int font, std::string_view text, RgbaView target, int x, int y,
                uint32_t rgba) override;
  uint32_t ButtonFaceColour() override;

  int CreateControl(const ControlSpec& spec) override;
  void EnableControl(int id, bool enabled) override;
  void SetText(int id, std::string_view text) override;
  std::string GetText(int id) override;
  void SetPicture(int id, ConstRgbaView image) override;
  void ClearItems(int id) override;
  void AddItem(int id, std::string_view text) override;
  void RemoveItem(int id, int position) override;
  void SetSelection(int id, int position) override;
  int GetSelection(int id) override;
  void SetValue(int id, int value) override;
  int GetValue(int id) override;
  void SetScrollHeight(int id, int height) override;
  std::vector<ControlInfo> DescribeControls(int window) override;

  bool CreatePopupMenu(int menu) override;
  void AppendMenuItem(int menu, int item, std::string_view text) override;
  void AppendMenuSeparator(int menu) override;
  void ShowPopupMenu(int menu, int window) override;

  void StartTimer(int timer, int window, int period_ms) override;
  void StopTimer(int timer) override;

  Event WaitEvent() override;
  void PostEvent(const Event& event) override;

  MessageAnswer ShowMessage(std::string_view title, std::string_view text,
                            MessageButtons buttons) override;
  std::string RequestText(std::string_view title,
                          std::string_view prompt) override;

  bool SaveScreenshot(int window, const std::string& png_path) override;

 private:
  Window* FindWindow(int window);
  Control* FindControl(int id);
  template <typename T>
  T* Find(int id) {
    Control* control = FindControl(id);
    return control != nullptr ? qobject_cast<T*>(control->widget) : nullptr;
  }
  const QFont* FindFont(int font) const;
  QWidget* MakeWidget(const ControlSpec& spec, int id, QWidget* parent);
  void LoadDocument(QTextBrowser& browser, const std::string& path);
  std::string TextOf(const Control& control) const;
  // A parent for a modal box: the window in front, so the box is centred
  // over it.
  static QWidget* ModalParent() { return QApplication::activeWindow(); }

  void Push(const Event& event);
  void OnTick(int timer);
  template <typename Predicate>
  void DropPending(Predicate drop) {
    std::erase_if(queue_, drop);
    std::erase_if(ticks_, drop);
  }

  // Declared first so that they outlive the widgets whose signals feed them.
  std::deque<Event> queue_;
  std::deque<Event> ticks_;  // at most one per timer

  std::vector<QFont> fonts_;
  int default_font_ = -1;
  int control_font_ = -1;
  int next_auto_id_ = kFirstAutoId;
  std::unordered_map<int, std::pair<int, size_t>> control_index_;
  std::map<int, Timer> timers_;
  std::map<int, Menu> menus_;
  std::map<int, Window> windows_;
};

// ---------------------------------------------------------------- windows

int QtGui::OpenWindow(std::string_view title, int client_width,
                      int client_height) {
  if (client_width < 0 || client_height < 0) return -1;
  // The lowest free number: a window opened before the main window (the
  // language chooser at start-up) leaves 0 free for it once closed.
  int number = 0;
  while (windows_.contains(number)) ++number;

  auto widget = std::make_unique<WindowWidget>([this, number] {
    Push({EventKind::kClose, 0, number});
  });
  widget->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint);
  widget->setObjectName(QStringLiteral("window%1").arg(number));
  widget->setWindowTitle(ToQString(title));
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Button));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
  const QSize size(client_width, client_height);
  widget->setFixedSize(size);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    widget->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                            size, screen->availableGeometry()));
  }
  widget->show();
  windows_[number].widget = std::move(widget);
  return number;
}

void QtGui::CloseWindow(int window) {
  auto found = windows_.find(window);
  if (found == windows_.end()) return;
  for (const Control& control : found->second.controls) {
    control_index_.erase(control.id);
  }
  std::erase_if(timers_, [window](const auto& entry) {
    return entry.second.window == window;
  });
  for (auto& entry : menus_) {
    Menu& menu = entry.second;
    if (menu.owner == window) {
      menu.menu->hide();
      menu.owner = -1;
    }
  }
  DropPending([window](const Event& event) { return event.window == window; });
  windows_.erase(found);
}

void QtGui::SetWindowIcon(int window, const std::vector<ConstRgbaView>& sizes) {
  Window* found = FindWindow(window);
  if (found == nullptr) return;
  QIcon icon;
  for (const ConstRgbaView& view : sizes) {
    if (IsUsable(view)) icon.addPixmap(ToPixmap(view));
  }
  found->widget->setWindowIcon(icon);
}

void QtGui::EnableWindow(int window, bool enabled) {
  if (Window* found = FindWindow(window)) found->widget->setEnabled(enabled);
}

bool QtGui::IsForeground(int window) {
  const Window* found = FindWindow(window);
  return found != nullptr &&
         QApplication::activeWindow() == found->widget.get();
}

void QtGui::BringToFront(int window) {
  Window* found = FindWindow(window);
  if (found == nullptr) return;
  QWidget& widget = *found->widget;
  widget.setWindowState(widget.windowState() & ~Qt::WindowMinimized);
  widget.raise();
  widget.activateWindow();
}

Window* QtGui::FindWindow(int window) {
  auto found = windows_.find(window);
  return found != windows_.end() ? &found->second : nullptr;
}

// ------------------------------------------------------------------ fonts

int QtGui::LoadFont(std::string_view face, int points) {
  if (face.empty() || points <= 0) return -1;
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
  QFont font(ToQString(face));
  font.setPixelSize(
      std::max(1, static_cast<int>(std::lround(points * dpi / 72.0))));
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  fonts_.push_back(font);
  return static_cast<int>(fonts_.size()) - 1;
}

int QtGui::DefaultFont() {
  if (default_font_ < 0) {
    fonts_.push_back(QApplication::font());
    default_font_ = static_cast<int>(fonts_.size()) - 1;
  }
  return default_font_;
}

void QtGui::SetControlFont(int font) {
  if (FindFont(font) != nullptr) control_font_ = font;
}

TextSize QtGui::MeasureText(int font, std::string_view text) {
  const QFont* found = FindFont(font);
  if (found == nullptr) return {};
  const QFontMetrics metrics(*found);
  return {metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

void QtGui::DrawText(int font, std::string_view text, RgbaView target, int x,
                     int y, uint32_t rgba) {
  const QFont* found = FindFont(font);
  if (found == nullptr || !IsUsable(target)) return;
  // Format_RGBA8888 is the seam's own unpremultiplied layout; the painter
  // blends into it without darkening partly covered pixels.
  QImage image(target.pixels, target.width, target.height,
               static_cast<qsizetype>(target.stride) * 4,
               QImage::Format_RGBA8888);
  QPainter painter(&image);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setFont(*found);
  painter.setPen(ToColour(rgba));
  painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()),
                   ToQString(text));
}

uint32_t QtGui::ButtonFaceColour() {
  const QColor colour = QApplication::palette().color(QPalette::Button);
  return 0xFF000000u | static_cast<uint32_t>(colour.blue()) << 16 |
         static_cast<uint32_t>(colour.green()) << 8 |
         static_cast<uint32_t>(colour.red());
}

const QFont* QtGui::FindFont(int font) const {
  return font >= 0 && font < static_cast<int>(fonts_.size()) ? &fonts_[font]
                                                             : nullptr;
}

// --------------------------------------------------------------- controls

int QtGui::CreateControl(const ControlSpec& spec) {
  Window* window = FindWindow(spec.window);
  if (window == nullptr || spec.width < 0 || spec.height < 0) return -1;
  QWidget* parent = window->widget.get();
  if (spec.parent != -1) {
    const Control* scroll = FindControl(spec.parent);
    if (scroll == nullptr || scroll->kind != ControlKind::kScroll ||
        scroll->window != spec.window) {
      return -1;
    }
    parent = static_cast<QScrollArea*>(scroll->widget)->widget();
  }
  int id = kNoId;
  if (spec.kind != ControlKind::kLabel) {
    if (spec.id == kAutoId) {
      while (control_index_.contains(next_auto_id_)) ++next_auto_id_;
      id = next_auto_id_++;
    } else {
      id = spec.id;
    }
    if (id < 0 || control_index_.contains(id)) return -1;
  }

  QWidget* widget = MakeWidget(spec, id, parent);
  widget->setObjectName(QStringLiteral("control%1").arg(id));
  if (const QFont* font = FindFont(control_font_)) widget->setFont(*font);
  widget->setGeometry(spec.x, spec.y, spec.width, spec.height);
  // Qt's focus chain is the order of construction, which is the tab order
  // asked for; the scroll area itself takes no focus.
  widget->show();

  Control control{id, spec.kind, spec.window, widget, {}};
  if (spec.kind == ControlKind::kBrowser) control.path = spec.text;
  if (id != kNoId) {
    control_index_[id] = {spec.window, window->controls.size()};
  }
  window->controls.push_back(std::move(control));
  return id;
}

QWidget* QtGui::MakeWidget(const ControlSpec& spec, int id, QWidget* parent) {
  const int window = spec.window;
  auto push_control = [this, id, window] {
    Push({EventKind::kControl, id, window});
  };
  const QString text = ToQString(spec.text);
  switch (spec.kind) {
    case ControlKind::kPicture: {
      auto* label = new QLabel(parent);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return label;
    }
    case ControlKind::kScroll: {
      auto* area = new QScrollArea(parent);
      area->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
      area->setFocusPolicy(Qt::NoFocus);  // scroll bars: as needed
      area->verticalScrollBar()->setSingleStep(kScrollStep);
      area->horizontalScrollBar()->setSingleStep(kScrollStep);
      auto* inner = new QWidget;
      inner->resize(std::max(0, spec.width - kScrollMargin), spec.height);
      area->setWidget(inner);
      return area;
    }
    case ControlKind::kCombo: {
      auto* box = new ChoiceBox(parent);
      // Any choice the user makes counts, the entry already selected too.
      QObject::connect(box, &QComboBox::activated, box, push_control);
      return box;
    }
    case ControlKind::kButton:
    case ControlKind::kPictureButton: {
      auto* button = new QPushButton(
          spec.kind == ControlKind::kButton ? text : QString(), parent);
      QObject::connect(button, &QPushButton::clicked, button, push_control);
      return button;
    }
    case ControlKind::kEditor: {
      auto* editor = new QPlainTextEdit(text, parent);
      editor->setReadOnly(true);
      editor->setLineWrapMode(QPlainTextEdit::NoWrap);
      return editor;
    }
    case ControlKind::kSlider: {
      auto* slider = new QSlider(Qt::Horizontal, parent);
      slider->setRange(spec.min, spec.max);
      slider->setTickPosition(QSlider::TicksBelow);
      slider->setTickInterval(1);
      // The native trackbar's page is a fifth of the range.
      slider->setPageStep(std::max(1, (slider->maximum() - spec.min) / 5));
      // Every user movement of the thumb (drag, keys, page clicks, wheel);
      // setValue() does not trigger an action.
      QObject::connect(slider, &QSlider::actionTriggered, slider, push_control);
      return slider;
    }
    case ControlKind::kCheck: {
      auto* check = new QCheckBox(text, parent);
      QObject::connect(check, &QCheckBox::clicked, check, push_control);
      return check;
    }
    case ControlKind::kBrowser: {
      auto* browser = new QTextBrowser(parent);
      browser->setOpenExternalLinks(true);
      LoadDocument(*browser, spec.text);
      return browser;
    }
    case ControlKind::kText:
    case ControlKind::kLabel:
      break;
  }
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  return label;
}

void QtGui::LoadDocument(QTextBrowser& browser, const std::string& path) {
  const QFileInfo file(ToQString(path));
  if (file.isFile()) {
    browser.setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
  } else {
    browser.clear();
  }
}

void QtGui::EnableControl(int id, bool enabled) {
  if (Control* control = FindControl(id)) control->widget->setEnabled(enabled);
}

void QtGui::SetText(int id, std::string_view text) {
  Control* control = FindControl(id);
  if (control == nullptr) return;
  const QString value = ToQString(text);
  switch (control->kind) {
    case ControlKind::kButton:
    case ControlKind::kCheck:
      static_cast<QAbstractButton*>(control->widget)->setText(value);
      break;
    case ControlKind::kText:
    case ControlKind::kLabel:
      static_cast<QLabel*>(control->widget)->setText(value);
      break;
    case ControlKind::kEditor:
      static_cast<QPlainTextEdit*>(control->widget)->setPlainText(value);
      break;
    case ControlKind::kBrowser:
      control->path = std::string(text);
      LoadDocument(*static_cast<QTextBrowser*>(control->widget), control->path);
      break;
    case ControlKind::kPicture:
    case ControlKind::kScroll:
    case ControlKind::kCombo:
    case ControlKind::kSlider:
    case ControlKind::kPictureButton:
      break;
  }
}

std::string QtGui::GetText(int id) {
  const Control* control = FindControl(id);
  return control != nullptr ? TextOf(*control) : std::string();
}

std::string QtGui::TextOf(const Control& control) const {
  QString text;
  switch (control.kind) {
    case ControlKind::kButton:
    case ControlKind::kCheck:
      text = static_cast<const QAbstractButton*>(control.widget)->text();
      break;
    case ControlKind::kText:
    case ControlKind::kLabel:
      text = static_cast<const QLabel*>(control.widget)->text();
      break;
    case ControlKind::kEditor:
      text = static_cast<const QPlainTextEdit*>(control.widget)->toPlainText();
      break;
    case ControlKind::kCombo:
      text = static_cast<const QComboBox*>(control.widget)->currentText();
      break;
    case ControlKind::kBrowser:
      return control.path;
    case ControlKind::kPicture:
    case ControlKind::kScroll:
    case ControlKind::kSlider:
    case ControlKind::kPictureButton:
      break;
  }
  return text.toStdString();
}

void QtGui::SetPicture(int id, ConstRgbaView image) {
  Control* control = FindControl(id);
  if (control == nullptr) return;
  const QPixmap pixmap = ToPixmap(image);
  if (control->kind == ControlKind::kPicture) {
    static_cast<QLabel*>(control->widget)->setPixmap(pixmap);
  } else if (control->kind == ControlKind::kPictureButton) {
    auto* button = static_cast<QPushButton*>(control->widget);
    button->setIcon(QIcon(pixmap));
    button->setIconSize(pixmap.size());
  }
}

void QtGui::ClearItems(int id) {
  if (auto* box = Find<QComboBox>(id)) box->clear();
}

void QtGui::AddItem(int id, std::string_view text) {
  auto* box = Find<QComboBox>(id);
  if (box == nullptr) return;
  // QComboBox selects the first entry added to an empty box; the seam's
  // boxes keep showing nothing until the program selects an entry.
  const bool none_selected = box->currentIndex() < 0;
  box->addItem(ToQString(text));
  if (none_selected) box->setCurrentIndex(-1);
}

void QtGui::RemoveItem(int id, int position) {
  auto* box = Find<QComboBox>(id);
  if (box == nullptr || position < 0 || position >= box->count()) return;
  const bool was_selected = box->currentIndex() == position;
  box->removeItem(position);
  if (was_selected) box->setCurrentIndex(-1);
}

void QtGui::SetSelection(int id, int position) {
  auto* box = Find<QComboBox>(id);
  if (box == nullptr) return;
  // A position that names no entry clears the selection.
  box->setCurrentIndex(position >= 0 && position < box->count() ? position
                                                                : -1);
}

int QtGui::GetSelection(int id) {
  const auto* box = Find<QComboBox>(id);
  return box != nullptr ? box->currentIndex() : -1;
}

void QtGui::SetValue(int id, int value) {
  if (auto* slider = Find<QSlider>(id)) {
    slider->setValue(value);  // QSlider clamps to its range
  } else if (auto* check = Find<QCheckBox>(id)) {
    check->setChecked(value != 0);
  }
}

int QtGui::GetValue(int id) {
  if (const auto* slider = Find<QSlider>(id)) return slider->value();
  if (const auto* check = Find<QCheckBox>(id))
    return check->isChecked() ? 1 : 0;
  return 0;
}

void QtGui::SetScrollHeight(int id, int height) {
  auto* area = Find<QScrollArea>(id);
  if (area == nullptr) return;
  QWidget* inner = area->widget();
  inner->resize(inner->width(), std::max(0, height));
}

std::vector<ControlInfo> QtGui::DescribeControls(int window) {
  const Window* found = FindWindow(window);
  if (found == nullptr) return {};
  std::vector<ControlInfo> infos;
  infos.reserve(found->controls.size());
  for (const Control& control : found->controls) {
    const QWidget& widget = *control.widget;
    ControlInfo info;
    info.id = control.id;
    info.kind = control.kind;
    info.x = widget.x();
    info.y = widget.y();
    info.width = widget.width();
    info.height = widget.height();
    // The control's own state, whether or not its window is disabled.
    info.enabled = widget.isEnabledTo(found->widget.get());
    if (const auto* box = qobject_cast<const QComboBox*>(&widget)) {
      info.state = box->currentIndex();
      info.items = box->count();
    } else if (control.kind == ControlKind::kSlider ||
               control.kind == ControlKind::kCheck) {
      info.state = GetValue(control.id);
    }
    info.text = TextOf(control);
    infos.push_back(std::move(info));
  }
  return infos;
}

Control* QtGui::FindControl(int id) {
  auto found = control_index_.find(id);
  if (found == control_index_.end()) return nullptr;
  return &windows_.at(found->second.first).controls[found->second.second];
}

// ------------------------------------------------------------------ menus

bool QtGui::CreatePopupMenu(int menu) {
  if (menus_.contains(menu)) return false;
  auto popup = std::make_unique<QMenu>();
  QObject::connect(popup.get(), &QMenu::triggered, popup.get(),
                   [this, menu](QAction* action) {
                     const int owner = menus_.at(menu).owner;
                     Push({EventKind::kMenu, action->data().toInt(), owner});
                   });
  menus_[menu].menu = std::move(popup);
  return true;
}

void QtGui::AppendMenuItem(int menu, int item, std::string_view text) {
  auto found = menus_.find(menu);
  if (found == menus_.end()) return;
  found->second.menu->addAction(ToQString(text))->setData(item);
}

void QtGui::AppendMenuSeparator(int menu) {
  auto found = menus_.find(menu);
  if (found != menus_.end()) found->second.menu->addSeparator();
}

void QtGui::ShowPopupMenu(int menu, int window) {
  auto found = menus_.find(menu);
  const Window* owner = FindWindow(window);
  if (found == menus_.end() || owner == nullptr) return;
  found->second.owner = window;
  QMenu& popup = *found->second.menu;
  // Tie the popup to its window for the window system (stacking, and the
  // parent a Wayland popup needs).
  popup.winId();
  popup.windowHandle()->setTransientParent(owner->widget->windowHandle());
  popup.popup(QCursor::pos() - QPoint(1, 1));
}

// ----------------------------------------------------------------- timers

void QtGui::StartTimer(int timer, int window, int period_ms) {
  if (FindWindow(window) == nullptr) return;
  StopTimer(timer);
  auto qtimer = std::make_unique<QTimer>();
  qtimer->setTimerType(Qt::PreciseTimer);
  QObject::connect(qtimer.get(), &QTimer::timeout, qtimer.get(),
                   [this, timer] { OnTick(timer); });
  qtimer->start(std::max(1, period_ms));
  timers_[timer] = {std::move(qtimer), window};
}

void QtGui::StopTimer(int timer) {
  if (timers_.erase(timer) == 0) return;
  std::erase_if(ticks_,
                [timer](const Event& tick) { return tick.number == timer; });
}

void QtGui::OnTick(int timer) {
  const auto found = timers_.find(timer);
  if (found == timers_.end()) return;
  const bool pending =
      std::any_of(ticks_.begin(), ticks_.end(),
                  [timer](const Event& tick) { return tick.number == timer; });
  if (pending) return;
  ticks_.push_back({EventKind::kTimer, timer, found->second.window});
}

// ----------------------------------------------------------------- events

Event QtGui::WaitEvent() {
  // Whether the toolkit's pending input has just been handled, so that a
  // tick can go without another pass over it.
  bool input_handled = false;
  for (;;) {
    if (!queue_.empty()) {
      const Event event = queue_.front();
      queue_.pop_front();
      return event;
    }
    if (!ticks_.empty()) {
      // Input the toolkit already holds goes before a tick.
      if (!input_handled) {
        QCoreApplication::processEvents();
        input_handled = true;
        continue;
      }
      const Event tick = ticks_.front();
      ticks_.pop_front();
      return tick;
    }
    // Blocks until the window system, a timer or a posted event has
    // something, handles it, and returns; Qt's deferred deletions run here
    // too, since no other loop of the program's is active.
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    input_handled = true;
  }
}

void QtGui::PostEvent(const Event& event) { Push(event); }

void QtGui::Push(const Event& event) { queue_.push_back(event); }

// ------------------------------------------------------------ modal boxes

MessageAnswer QtGui::ShowMessage(std::string_view title, std::string_view text,
                                 MessageButtons buttons) {
  const bool yes_no = buttons == MessageButtons::kYesNo;
  QMessageBox box(QMessageBox::NoIcon, ToQString(title), ToQString(text),
                  yes_no ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                  ModalParent());
  box.setTextFormat(Qt::PlainText);
  const int answer = box.exec();
  if (!yes_no) return MessageAnswer::kOk;
  return answer == QMessageBox::Yes ? MessageAnswer::kYes : MessageAnswer::kNo;
}

std::string QtGui::RequestText(std::string_view title,
                               std::string_view prompt) {
  QInputDialog dialog(ModalParent());
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setWindowTitle(ToQString(title));
  dialog.setLabelText(ToQString(prompt));
  if (auto* label = dialog.findChild<QLabel*>()) {
    label->setTextFormat(Qt::PlainText);
  }
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.textValue().toStdString();
}

bool QtGui::SaveScreenshot(int window, const std::string& png_path) {
  Window* found = FindWindow(window);
  return found != nullptr &&
         found->widget->grab().save(ToQString(png_path), "PNG");
}

}  // namespace

std::unique_ptr<Gui> CreateQtGui() {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    return nullptr;
  }
  return std::make_unique<QtGui>();
}

}  // namespace rz
