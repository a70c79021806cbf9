// The Qt windowing layer, driven as the program and the user would drive it.
#include "platform/qt/qt_gui.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace rz {
namespace {

using ::testing::ElementsAre;

QWidget* TopLevel(int window) {
  const QString name = QStringLiteral("window%1").arg(window);
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == name) return widget;
  }
  return nullptr;
}

template <typename T>
T* ControlWidget(int window, int id) {
  QWidget* top = TopLevel(window);
  return top != nullptr
             ? top->findChild<T*>(QStringLiteral("control%1").arg(id))
             : nullptr;
}

// Acts on the modal box as soon as it is up; the caller then blocks in it.
void WhenModalOpens(std::function<void(QWidget*)> act) {
  QTimer::singleShot(20, [act] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      act(modal);
    } else {
      WhenModalOpens(act);
    }
  });
}

Event Tick(int timer, int window) { return {EventKind::kTimer, timer, window}; }
Event ControlEvent(int id, int window) {
  return {EventKind::kControl, id, window};
}
// An event nothing but the test raises, to mark a point in the queue.
Event Marker(int n) { return {EventKind::kMenu, 9000 + n, 0}; }

// A control description, filled in as the program's builders do.
class Spec {
 public:
  explicit Spec(ControlKind kind, int id = kAutoId) {
    spec_.kind = kind;
    spec_.id = id;
  }
  Spec& Window(int window) {
    spec_.window = window;
    return *this;
  }
  Spec& Parent(int parent) {
    spec_.parent = parent;
    return *this;
  }
  Spec& At(int x, int y, int width, int height) {
    spec_.x = x;
    spec_.y = y;
    spec_.width = width;
    spec_.height = height;
    return *this;
  }
  Spec& Range(int min, int max) {
    spec_.min = min;
    spec_.max = max;
    return *this;
  }
  Spec& Text(std::string text) {
    spec_.text = std::move(text);
    return *this;
  }
  operator ControlSpec() const { return spec_; }

 private:
  ControlSpec spec_;
};

class QtGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gui_ = CreateQtGui();
    ASSERT_NE(gui_, nullptr);
    window_ = gui_->OpenWindow("Main", 500, 500);
    ASSERT_EQ(window_, 0);
  }

  int Create(Spec spec) { return gui_->CreateControl(spec.Window(window_)); }

  // Nothing raised so far is left in the queue ahead of a new marker.
  void ExpectQueueEmpty() {
    gui_->PostEvent(Marker(0));
    EXPECT_EQ(gui_->WaitEvent(), Marker(0));
  }

  std::unique_ptr<Gui> gui_;
  int window_ = -1;
};

// ------------------------------------------------------------ event queue

using QtGuiEventTest = QtGuiTest;

TEST_F(QtGuiEventTest, PostedEventsComeBackInOrder) {
  gui_->PostEvent(ControlEvent(5, 0));
  gui_->PostEvent(Marker(1));
  gui_->PostEvent({EventKind::kClose, 0, 3});
  EXPECT_EQ(gui_->WaitEvent(), ControlEvent(5, 0));
  EXPECT_EQ(gui_->WaitEvent(), Marker(1));
  EXPECT_EQ(gui_->WaitEvent(), (Event{EventKind::kClose, 0, 3}));
}

TEST_F(QtGuiEventTest, TickNeverOvertakesAQueuedEvent) {
  const int button = Create(Spec(ControlKind::kButton, 5));
  gui_->StartTimer(1, window_, 1);
  EXPECT_EQ(gui_->WaitEvent(), Tick(1, window_));
  QTest::qWait(30);  // the timer is due again, and stays pending
  ControlWidget<QPushButton>(window_, button)->click();
  gui_->PostEvent(Marker(1));
  EXPECT_EQ(gui_->WaitEvent(), ControlEvent(button, window_));
  EXPECT_EQ(gui_->WaitEvent(), Marker(1));
  EXPECT_EQ(gui_->WaitEvent(), Tick(1, window_));
}

TEST_F(QtGuiEventTest, InputStillInTheToolkitGoesBeforeAPendingTick) {
  const int button = Create(Spec(ControlKind::kButton, 5));
  gui_->StartTimer(1, window_, 1);
  QTest::qWait(30);  // a tick is pending
  QMetaObject::invokeMethod(ControlWidget<QPushButton>(window_, button),
                            "click", Qt::QueuedConnection);
  EXPECT_EQ(gui_->WaitEvent(), ControlEvent(button, window_));
  EXPECT_EQ(gui_->WaitEvent(), Tick(1, window_));
}

// Timer 1 falls due long before timer 2. Had every tick been queued, timer
// 1's would fill the queue; coalesced, each timer has one tick pending, in
// the order they fell due.
void ExpectOnePendingTickPerTimer(Gui& gui, int window) {
  gui.PostEvent(Marker(1));
  EXPECT_EQ(gui.WaitEvent(), Marker(1));
  EXPECT_EQ(gui.WaitEvent(), Tick(1, window));
  EXPECT_EQ(gui.WaitEvent(), Tick(2, window));
}

TEST_F(QtGuiEventTest, TicksCoalesceWhileTheProgramIsBusy) {
  gui_->StartTimer(1, window_, 5);
  gui_->StartTimer(2, window_, 60);
  QTest::qWait(400);  // the toolkit runs, nobody takes events
  ExpectOnePendingTickPerTimer(*gui_, window_);
}

TEST_F(QtGuiEventTest, TicksCoalesceWhileAMessageBoxIsOpen) {
  gui_->StartTimer(1, window_, 5);
  gui_->StartTimer(2, window_, 60);
  WhenModalOpens([](QWidget* box) {
    QTimer::singleShot(400, box, [box] {
      static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
    });
  });
  EXPECT_EQ(gui_->ShowMessage("Title", "Text", MessageButtons::kOk),
            MessageAnswer::kOk);
  ExpectOnePendingTickPerTimer(*gui_, window_);
}

TEST_F(QtGuiEventTest, StoppedOrUnattachedTimersNeverTick) {
  gui_->StartTimer(1, window_, 1);
  gui_->StartTimer(3, 7, 1);  // no window 7
  QTest::qWait(30);
  gui_->StopTimer(1);  // drops its pending tick too
  gui_->StopTimer(99);
  gui_->StartTimer(2, window_, 0);  // 0 counts as 1 ms
  EXPECT_EQ(gui_->WaitEvent(), Tick(2, window_));
  EXPECT_EQ(gui_->WaitEvent(), Tick(2, window_));
}

TEST_F(QtGuiEventTest, CloseBoxAsksAndLeavesTheWindowOpen) {
  const int second = gui_->OpenWindow("Second", 100, 50);
  ASSERT_EQ(second, 1);
  QWidget* top = TopLevel(second);
  EXPECT_FALSE(top->close());
  EXPECT_TRUE(top->isVisible());
  EXPECT_EQ(gui_->WaitEvent(), (Event{EventKind::kClose, 0, second}));

  gui_->EnableWindow(second, false);  // a disabled window cannot be closed
  top->close();
  ExpectQueueEmpty();
}

TEST_F(QtGuiEventTest, InnerLoopTakesEverythingUntilItsCloseRequest) {
  const int open = Create(Spec(ControlKind::kButton, 157));
  gui_->StartTimer(1, window_, 5);
  ControlWidget<QPushButton>(window_, open)->click();
  ASSERT_EQ(gui_->WaitEvent(), ControlEvent(open, window_));

  // The handler opens a window of its own and waits for events itself.
  const int chooser = gui_->OpenWindow("Chooser", 200, 64);
  ASSERT_EQ(chooser, 1);
  const int ok = gui_->CreateControl(
      Spec(ControlKind::kButton).Window(chooser).Text("OK"));
  QTimer::singleShot(50,
                     [=] { ControlWidget<QPushButton>(chooser, ok)->click(); });
  QTimer::singleShot(100, [this, open] {
    ControlWidget<QPushButton>(window_, open)->click();
  });
  QTimer::singleShot(150, [=] { TopLevel(chooser)->close(); });
  std::vector<Event> others;
  int ticks = 0;
  for (Event event = gui_->WaitEvent();; event = gui_->WaitEvent()) {
    if (event.kind == EventKind::kTimer) {
      ++ticks;
      continue;
    }
    others.push_back(event);
    if (event.kind == EventKind::kClose) break;
  }
  gui_->CloseWindow(chooser);
  EXPECT_THAT(others, ElementsAre(ControlEvent(ok, chooser),
                                  ControlEvent(open, window_),
                                  Event{EventKind::kClose, 0, chooser}));
  EXPECT_GT(ticks, 0);

  // The main loop resumes with what came after; the inner loop's ticks
  // are gone, at most one new one waits.
  gui_->PostEvent(Marker(1));
  EXPECT_EQ(gui_->WaitEvent(), Marker(1));
  EXPECT_EQ(gui_->WaitEvent(), Tick(1, window_));
}

TEST_F(QtGuiEventTest, MenuChoiceComesBackFromTheOwningWindow) {
  ASSERT_TRUE(gui_->CreatePopupMenu(159));
  EXPECT_FALSE(gui_->CreatePopupMenu(159));
  gui_->AppendMenuItem(159, 160, "Information");
  gui_->AppendMenuItem(159, 163, "Mise à jour");
  gui_->AppendMenuSeparator(159);
  gui_->AppendMenuItem(159, 161, "Site");
  gui_->AppendMenuItem(158, 1, "no such menu");
  gui_->ShowPopupMenu(159, 4);  // no window 4: nothing shown
  gui_->ShowPopupMenu(160, window_);

  QCursor::setPos(300, 200);
  gui_->ShowPopupMenu(159, window_);
  QMenu* menu = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<QMenu*>(widget);
        found && found->isVisible()) {
      menu = found;
    }
  }
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->pos(), QCursor::pos() - QPoint(1, 1));
  const QList<QAction*> actions = menu->actions();
  ASSERT_EQ(actions.size(), 4);
  EXPECT_EQ(actions[1]->text(), QStringLiteral("Mise à jour"));
  EXPECT_TRUE(actions[2]->isSeparator());
  for (const QAction* action : actions) EXPECT_TRUE(action->isEnabled());

  QTest::mouseClick(menu, Qt::LeftButton, {},
                    menu->actionGeometry(actions[1]).center());
  EXPECT_EQ(gui_->WaitEvent(), (Event{EventKind::kMenu, 163, window_}));
}

// --------------------------------------------------------------- windows

using QtGuiWindowTest = QtGuiTest;

TEST_F(QtGuiWindowTest, FixedCentredWindowWithCloseBoxOnly) {
  QWidget* top = TopLevel(window_);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->windowTitle(), QStringLiteral("Main"));
  EXPECT_EQ(top->size(), QSize(500, 500));
  EXPECT_EQ(top->minimumSize(), QSize(500, 500));
  EXPECT_EQ(top->maximumSize(), QSize(500, 500));
  const Qt::WindowFlags flags = top->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE((top->geometry().center() - screen.center()).manhattanLength(), 2);
  const QColor face = top->palette().color(QPalette::Window);
  EXPECT_EQ(0xFF000000u | static_cast<uint32_t>(face.blue()) << 16 |
                static_cast<uint32_t>(face.green()) << 8 |
                static_cast<uint32_t>(face.red()),
            gui_->ButtonFaceColour());
}

TEST_F(QtGuiWindowTest, NumbersAreTheLowestFree) {
  EXPECT_EQ(gui_->OpenWindow("One", 10, 10), 1);
  gui_->CloseWindow(window_);
  EXPECT_EQ(TopLevel(window_), nullptr);
  EXPECT_EQ(gui_->OpenWindow("Zero again", 10, 10), 0);
  EXPECT_EQ(gui_->OpenWindow("Two", 10, 10), 2);
  EXPECT_EQ(gui_->OpenWindow("Bad", -1, 10), -1);
  gui_->CloseWindow(42);
  gui_->CloseWindow(-1);
}

TEST_F(QtGuiWindowTest, ClosingAWindowTakesItsControlsTimersAndEvents) {
  const int second = gui_->OpenWindow("Second", 100, 50);
  const int box =
      gui_->CreateControl(Spec(ControlKind::kCombo, 7).Window(second));
  gui_->AddItem(box, "a");
  gui_->StartTimer(4, second, 1);
  QTest::qWait(20);
  gui_->PostEvent(ControlEvent(box, second));
  gui_->CloseWindow(second);

  // Every call on what is gone is harmless.
  EXPECT_EQ(gui_->GetSelection(box), -1);
  EXPECT_EQ(gui_->GetText(box), "");
  gui_->AddItem(box, "b");
  gui_->SetValue(box, 1);
  gui_->EnableWindow(second, true);
  gui_->BringToFront(second);
  EXPECT_FALSE(gui_->IsForeground(second));
  EXPECT_TRUE(gui_->DescribeControls(second).empty());
  EXPECT_FALSE(gui_->SaveScreenshot(second, "/tmp/none.png"));
  // Its number is free for a new control.
  EXPECT_EQ(Create(Spec(ControlKind::kCombo, 7)), 7);
  gui_->StartTimer(2, window_, 200);
  EXPECT_EQ(gui_->WaitEvent(), Tick(2, window_));
}

TEST_F(QtGuiWindowTest, ForegroundFollowsActivation) {
  const int second = gui_->OpenWindow("Second", 100, 50);
  gui_->BringToFront(window_);
  QTest::qWait(50);
  EXPECT_TRUE(gui_->IsForeground(window_));
  EXPECT_FALSE(gui_->IsForeground(second));
  gui_->BringToFront(second);
  QTest::qWait(50);
  EXPECT_TRUE(gui_->IsForeground(second));
  EXPECT_FALSE(gui_->IsForeground(window_));
  EXPECT_FALSE(gui_->IsForeground(9));
}

TEST_F(QtGuiWindowTest, DisabledWindowKeepsItsControlsOwnState) {
  const int button = Create(Spec(ControlKind::kButton, 5));
  const int off = Create(Spec(ControlKind::kButton, 6));
  gui_->EnableControl(off, false);
  gui_->EnableWindow(window_, false);
  EXPECT_FALSE(TopLevel(window_)->isEnabled());
  EXPECT_FALSE(ControlWidget<QPushButton>(window_, button)->isEnabled());
  const std::vector<ControlInfo> infos = gui_->DescribeControls(window_);
  ASSERT_EQ(infos.size(), 2u);
  EXPECT_TRUE(infos[0].enabled);
  EXPECT_FALSE(infos[1].enabled);
  gui_->EnableWindow(window_, true);
  EXPECT_TRUE(ControlWidget<QPushButton>(window_, button)->isEnabled());
}

TEST_F(QtGuiWindowTest, IconKeepsEverySize) {
  std::vector<uint8_t> small(16 * 16 * 4, 0xFF);
  std::vector<uint8_t> large(32 * 32 * 4, 0x80);
  gui_->SetWindowIcon(window_, {{small.data(), 16, 16, 16},
                                {large.data(), 32, 32, 32},
                                {nullptr, 48, 48, 48}});
  const QList<QSize> sizes = TopLevel(window_)->windowIcon().availableSizes();
  EXPECT_TRUE(sizes.contains(QSize(16, 16)));
  EXPECT_TRUE(sizes.contains(QSize(32, 32)));
  EXPECT_EQ(sizes.size(), 2);
}

TEST_F(QtGuiWindowTest, ScreenshotIsAPngOfTheClientArea) {
  Create(Spec(ControlKind::kButton, 5).At(100, 100, 80, 24).Text("OK"));
  QTemporaryDir dir;
  const std::string path = dir.filePath("shot.png").toStdString();
  ASSERT_TRUE(gui_->SaveScreenshot(window_, path));
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(path), "PNG"));
  EXPECT_EQ(image.size(), QSize(500, 500));
  const QRgb corner = image.pixel(2, 2);
  EXPECT_EQ(0xFF000000u | qBlue(corner) << 16 | qGreen(corner) << 8 |
                static_cast<uint32_t>(qRed(corner)),
            gui_->ButtonFaceColour());
  EXPECT_FALSE(gui_->SaveScreenshot(
      window_, dir.filePath("no/such/dir.png").toStdString()));
}

// -------------------------------------------------------------- controls

using QtGuiControlTest = QtGuiTest;

TEST_F(QtGuiControlTest, PlacedExactlyAndDescribedInCreationOrder) {
  const int scroll = Create(Spec(ControlKind::kScroll, 1).At(4, 64, 492, 396));
  ASSERT_EQ(scroll, 1);
  EXPECT_EQ(
      Create(Spec(ControlKind::kCombo, 7).Parent(scroll).At(4, 48, 292, 24)),
      7);
  EXPECT_EQ(Create(Spec(ControlKind::kLabel)
                       .Parent(scroll)
                       .At(92, 380, 364, 16)
                       .Text("Gauche")),
            kNoId);
  EXPECT_EQ(Create(Spec(ControlKind::kSlider, 42)
                       .Parent(scroll)
                       .At(92, 2400, 300, 32)
                       .Range(0, 20)),
            42);
  EXPECT_EQ(Create(Spec(ControlKind::kPictureButton, 158).At(4, 468, 128, 24)),
            158);
  gui_->AddItem(7, "Défaut");
  gui_->SetSelection(7, 0);
  gui_->SetValue(42, 7);
  gui_->SetScrollHeight(scroll, 2528);

  const std::vector<ControlInfo> infos = gui_->DescribeControls(window_);
  ASSERT_EQ(infos.size(), 5u);
  const auto geometry = [](const ControlInfo& info) {
    return std::vector<int>{info.x, info.y, info.width, info.height};
  };
  EXPECT_EQ(infos[0].kind, ControlKind::kScroll);
  EXPECT_EQ(geometry(infos[0]), (std::vector<int>{4, 64, 492, 396}));
  EXPECT_EQ(infos[1].id, 7);
  EXPECT_EQ(geometry(infos[1]), (std::vector<int>{4, 48, 292, 24}));
  EXPECT_EQ(infos[1].text, "Défaut");
  EXPECT_EQ(infos[1].items, 1);
  EXPECT_EQ(infos[1].state, 0);
  EXPECT_EQ(infos[2].id, kNoId);
  EXPECT_EQ(infos[2].kind, ControlKind::kLabel);
  EXPECT_EQ(infos[2].text, "Gauche");
  EXPECT_EQ(geometry(infos[2]), (std::vector<int>{92, 380, 364, 16}));
  EXPECT_EQ(infos[3].state, 7);
  EXPECT_EQ(geometry(infos[3]), (std::vector<int>{92, 2400, 300, 32}));
  EXPECT_EQ(infos[4].kind, ControlKind::kPictureButton);
  EXPECT_EQ(geometry(infos[4]), (std::vector<int>{4, 468, 128, 24}));

  // The inner surface leaves room for the scroll bar; one arrow click
  // scrolls 48 pixels.
  auto* area = ControlWidget<QScrollArea>(window_, scroll);
  ASSERT_NE(area, nullptr);
  EXPECT_EQ(area->widget()->size(), QSize(460, 2528));
  EXPECT_EQ(area->frameShadow(), QFrame::Sunken);
  EXPECT_EQ(area->verticalScrollBar()->singleStep(), 48);
  EXPECT_GT(area->verticalScrollBar()->maximum(), 2000);
  EXPECT_EQ(ControlWidget<QSlider>(window_, 42)->parentWidget(),
            area->widget());
}

TEST_F(QtGuiControlTest, NumbersAreCheckedAndHandedOut) {
  EXPECT_EQ(Create(Spec(ControlKind::kButton, 5)), 5);
  EXPECT_EQ(Create(Spec(ControlKind::kButton, 5)), -1);
  EXPECT_EQ(Create(Spec(ControlKind::kButton, -7)), -1);
  EXPECT_EQ(Create(Spec(ControlKind::kButton, 6).Parent(5)), -1);
  EXPECT_EQ(Create(Spec(ControlKind::kButton, 6).At(0, 0, -1, 0)), -1);
  EXPECT_EQ(gui_->CreateControl(Spec(ControlKind::kButton, 6).Window(3)), -1);
  const int first = Create(Spec(ControlKind::kText));
  const int second = Create(Spec(ControlKind::kCheck));
  EXPECT_GE(first, 0);
  EXPECT_GE(second, 0);
  EXPECT_NE(first, second);
  EXPECT_NE(first, 5);

  // A scroll control of another window is no parent here.
  const int other = gui_->OpenWindow("Other", 100, 100);
  const int scroll = gui_->CreateControl(
      Spec(ControlKind::kScroll, 1).Window(other).At(0, 0, 50, 50));
  EXPECT_EQ(Create(Spec(ControlKind::kButton, 8).Parent(scroll)), -1);
}

TEST_F(QtGuiControlTest, TabFollowsCreationOrderThroughTheScrollArea) {
  const int scroll = Create(Spec(ControlKind::kScroll, 1).At(4, 4, 300, 200));
  Create(Spec(ControlKind::kCombo, 7).Parent(scroll).At(4, 4, 100, 24));
  Create(Spec(ControlKind::kLabel).Parent(scroll).At(4, 30, 100, 16));
  Create(Spec(ControlKind::kButton, 158).At(4, 400, 80, 24));
  Create(Spec(ControlKind::kSlider, 153)
             .Parent(scroll)
             .At(4, 50, 100, 32)
             .Range(1, 8));
  Create(Spec(ControlKind::kCheck, 156).Parent(scroll).At(4, 90, 100, 24));
  gui_->BringToFront(window_);
  QTest::qWait(50);
  ControlWidget<QComboBox>(window_, 7)->setFocus();

  std::vector<QString> order;
  for (int i = 0; i < 5; ++i) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    order.push_back(focus->objectName());
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  EXPECT_THAT(order, ElementsAre("control7", "control158", "control153",
                                 "control156", "control7"));
}

TEST_F(QtGuiControlTest, ChoiceBoxSelectionAndEmptyField) {
  const int box = Create(Spec(ControlKind::kCombo, 21).At(0, 0, 200, 24));
  for (const char* name : {"Rien", "Clic gauche", "Flèche haut"}) {
    gui_->AddItem(box, name);
  }
  // Filling selects nothing until the program does.
  EXPECT_EQ(gui_->GetSelection(box), -1);
  EXPECT_EQ(gui_->GetText(box), "");
  gui_->SetSelection(box, 2);
  EXPECT_EQ(gui_->GetSelection(box), 2);
  EXPECT_EQ(gui_->GetText(box), "Flèche haut");
  gui_->SetSelection(box, 3);  // names no entry: the field empties
  EXPECT_EQ(gui_->GetSelection(box), -1);
  EXPECT_EQ(gui_->GetText(box), "");
  gui_->SetSelection(box, 1);
  gui_->RemoveItem(box, 0);  // an entry before the selected one
  EXPECT_EQ(gui_->GetSelection(box), 0);
  EXPECT_EQ(gui_->GetText(box), "Clic gauche");
  gui_->RemoveItem(box, 0);  // the selected entry itself
  EXPECT_EQ(gui_->GetSelection(box), -1);
  gui_->RemoveItem(box, 5);
  gui_->SetSelection(box, -1);
  gui_->ClearItems(box);
  EXPECT_EQ(gui_->GetSelection(box), -1);
  EXPECT_EQ(gui_->DescribeControls(window_)[0].items, 0);
  EXPECT_EQ(gui_->DescribeControls(window_)[0].state, -1);
}

TEST_F(QtGuiControlTest, ChoiceBoxListIsAtMost350PixelsTall) {
  const int box = Create(Spec(ControlKind::kCombo, 120).At(10, 10, 300, 24));
  for (int i = 0; i < 96; ++i) {
    gui_->AddItem(box, "Action " + std::to_string(i));
  }
  gui_->SetSelection(box, 50);
  auto* combo = ControlWidget<QComboBox>(window_, box);
  EXPECT_EQ(combo->height(), 24);
  combo->showPopup();
  const QWidget* list = combo->view()->window();
  const int row = combo->view()->sizeHintForRow(0);
  EXPECT_LE(list->height(), 350);
  EXPECT_GT(list->height(), 350 - row);  // and uses the room it has
  combo->hidePopup();

  gui_->ClearItems(box);
  gui_->AddItem(box, "Seule");
  combo->showPopup();
  EXPECT_LT(combo->view()->window()->height(), 3 * row);
  combo->hidePopup();
}

TEST_F(QtGuiControlTest, SliderRangeTicksAndClamping) {
  const int slider =
      Create(Spec(ControlKind::kSlider, 42).At(0, 0, 300, 32).Range(0, 20));
  auto* widget = ControlWidget<QSlider>(window_, slider);
  EXPECT_EQ(widget->orientation(), Qt::Horizontal);
  EXPECT_EQ(widget->minimum(), 0);
  EXPECT_EQ(widget->maximum(), 20);
  EXPECT_EQ(widget->tickInterval(), 1);
  EXPECT_NE(widget->tickPosition(), QSlider::NoTicks);
  gui_->SetValue(slider, 7);
  EXPECT_EQ(gui_->GetValue(slider), 7);
  gui_->SetValue(slider, 25);
  EXPECT_EQ(gui_->GetValue(slider), 20);
  gui_->SetValue(slider, -3);
  EXPECT_EQ(gui_->GetValue(slider), 0);
}

TEST_F(QtGuiControlTest, SettersRaiseNoEvents) {
  const int box = Create(Spec(ControlKind::kCombo, 21));
  const int slider = Create(Spec(ControlKind::kSlider, 153).Range(1, 8));
  const int check = Create(Spec(ControlKind::kCheck, 156));
  const int text = Create(Spec(ControlKind::kText, 46));
  for (const char* name : {"a", "b", "c"}) gui_->AddItem(box, name);
  gui_->SetSelection(box, 1);
  gui_->RemoveItem(box, 1);
  gui_->ClearItems(box);
  gui_->SetValue(slider, 5);
  gui_->SetValue(slider, 100);
  gui_->SetValue(check, 1);
  gui_->SetValue(check, 0);
  gui_->SetText(text, "7%");
  gui_->EnableControl(slider, false);
  ExpectQueueEmpty();
}

TEST_F(QtGuiControlTest, UserActionsRaiseControlEvents) {
  const int button =
      Create(Spec(ControlKind::kButton, 5).At(0, 0, 80, 24).Text("Nouveau"));
  const int picture =
      Create(Spec(ControlKind::kPictureButton, 158).At(0, 30, 128, 24));
  const int check =
      Create(Spec(ControlKind::kCheck, 156).At(0, 60, 200, 24).Text("Scan"));
  const int slider =
      Create(Spec(ControlKind::kSlider, 153).At(0, 90, 200, 32).Range(1, 8));
  const int box = Create(Spec(ControlKind::kCombo, 21).At(0, 130, 200, 24));
  for (const char* name : {"a", "b", "c"}) gui_->AddItem(box, name);
  gui_->SetSelection(box, 1);
  gui_->SetValue(slider, 8);

  QTest::mouseClick(ControlWidget<QPushButton>(window_, button),
                    Qt::LeftButton);
  EXPECT_EQ(gui_->WaitEvent(), ControlEvent(button, window_));
  QTest::mouseClick(ControlWidget<QPushButton>(window_, picture),
                    Qt::LeftButton);
  EXPECT_EQ(gui_->WaitEvent(), ControlEvent(picture, window_));

  QTest::mouseClick(ControlWidget<QCheckBox>(window_, check), Qt::LeftButton,
                    {}, QPoint(6, 12));  // on the box itself
  EXPECT_EQ(gui_->WaitEvent(), ControlEvent(check, window_));
  EXPECT_EQ(gui_->GetValue(check), 1);  // it toggles itself

  auto* slider_widget = ControlWidget<QSlider>(window_, slider);
  QTest::keyClick(slider_widget, Qt::Key_Left);
  EXPECT_EQ(gui_->WaitEvent(), ControlEvent(slider, window_));
  EXPECT_EQ(gui_->GetValue(slider), 7);
  QTest::keyClick(slider_widget, Qt::Key_End);
  QTest::keyClick(slider_widget, Qt::Key_Right);  // already at the end
  EXPECT_EQ(gui_->WaitEvent(), ControlEvent(slider, window_));
  EXPECT_EQ(gui_->WaitEvent(), ControlEvent(slider, window_));
  EXPECT_EQ(gui_->GetValue(slider), 8);

  auto* combo = ControlWidget<QComboBox>(window_, box);
  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(gui_->WaitEvent(), ControlEvent(box, window_));
  EXPECT_EQ(gui_->GetSelection(box), 2);
  // Choosing the entry already selected counts as well.
  combo->showPopup();
  QTest::keyClick(combo->view(), Qt::Key_Return);
  EXPECT_EQ(gui_->WaitEvent(), ControlEvent(box, window_));
  EXPECT_EQ(gui_->GetSelection(box), 2);
  ExpectQueueEmpty();
}

TEST_F(QtGuiControlTest, TextsAreShownAsPlainText) {
  const int label = Create(Spec(ControlKind::kText, 46).At(0, 0, 64, 32));
  const int editor = Create(Spec(ControlKind::kEditor, 3).At(0, 0, 452, 80));
  const int button = Create(Spec(ControlKind::kButton, 5).Text("Nouveau"));
  Create(Spec(ControlKind::kLabel).Text("<b>Bouton</b> 1 :"));
  gui_->SetText(label, "7%");
  gui_->SetText(editor, "Manette\n- 4 axes (2 sticks)");
  gui_->SetText(button, "Supprimer");
  EXPECT_EQ(gui_->GetText(label), "7%");
  EXPECT_EQ(gui_->GetText(editor), "Manette\n- 4 axes (2 sticks)");
  EXPECT_EQ(gui_->GetText(button), "Supprimer");
  EXPECT_EQ(gui_->DescribeControls(window_)[3].text, "<b>Bouton</b> 1 :");
  EXPECT_EQ(ControlWidget<QLabel>(window_, kNoId)->textFormat(), Qt::PlainText);
  auto* editor_widget = ControlWidget<QPlainTextEdit>(window_, editor);
  EXPECT_TRUE(editor_widget->isReadOnly());
  EXPECT_EQ(editor_widget->blockCount(), 2);
}

TEST_F(QtGuiControlTest, PicturesShowACopyOfTheImage) {
  const int picture = Create(Spec(ControlKind::kPicture, 18).At(0, 0, 80, 80));
  const int button =
      Create(Spec(ControlKind::kPictureButton, 157).At(0, 0, 128, 24));
  // 3 x 2 pixels, stride 4: the fourth pixel of a row is not the image's.
  std::vector<uint8_t> pixels(4 * 2 * 4, 0);
  pixels[0] = 200;  // (0, 0): red, half transparent
  pixels[3] = 128;
  pixels[4 * 4 + 1 * 4 + 2] = 255;  // (1, 1): blue, opaque
  pixels[4 * 4 + 1 * 4 + 3] = 255;
  gui_->SetPicture(picture, {pixels.data(), 3, 2, 4});
  gui_->SetPicture(button, {pixels.data(), 3, 2, 4});
  std::fill(pixels.begin(), pixels.end(), 0);  // the Gui kept its own copy

  const QImage shown = ControlWidget<QLabel>(window_, picture)
                           ->pixmap()
                           .toImage()
                           .convertToFormat(QImage::Format_RGBA8888);
  ASSERT_EQ(shown.size(), QSize(3, 2));
  // The pixmap may hold the pixels premultiplied: one step of rounding.
  const QColor half = shown.pixelColor(0, 0);
  EXPECT_NEAR(half.red(), 200, 1);
  EXPECT_EQ(half.green(), 0);
  EXPECT_EQ(half.alpha(), 128);
  EXPECT_EQ(shown.pixelColor(1, 1), QColor(0, 0, 255, 255));
  EXPECT_EQ(shown.pixelColor(2, 0).alpha(), 0);
  auto* button_widget = ControlWidget<QPushButton>(window_, button);
  EXPECT_EQ(button_widget->iconSize(), QSize(3, 2));
  EXPECT_TRUE(button_widget->text().isEmpty());

  gui_->SetPicture(picture, {nullptr, 3, 2, 4});  // a blank picture
  EXPECT_TRUE(ControlWidget<QLabel>(window_, picture)->pixmap().isNull());
  gui_->SetPicture(picture, {pixels.data(), 3, 2, 2});  // stride too short
  EXPECT_TRUE(ControlWidget<QLabel>(window_, picture)->pixmap().isNull());
}

TEST_F(QtGuiControlTest, BrowserShowsALocalDocument) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Licence.htm");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(
      "<html><body><p>Conditions d'utilisation</p>"
      "<a href=\"https://example.org/\">site</a></body></html>");
  file.close();
  const int browser = Create(
      Spec(ControlKind::kBrowser).At(0, 0, 400, 300).Text(path.toStdString()));
  ASSERT_GE(browser, 0);
  auto* widget = ControlWidget<QTextBrowser>(window_, browser);
  EXPECT_TRUE(widget->toPlainText().contains("Conditions d'utilisation"));
  EXPECT_TRUE(widget->isReadOnly());
  EXPECT_TRUE(widget->openExternalLinks());
  EXPECT_EQ(gui_->GetText(browser), path.toStdString());

  const int missing = Create(Spec(ControlKind::kBrowser)
                                 .At(0, 0, 400, 300)
                                 .Text(dir.filePath("none.htm").toStdString()));
  ASSERT_GE(missing, 0);
  EXPECT_TRUE(
      ControlWidget<QTextBrowser>(window_, missing)->toPlainText().isEmpty());
}

TEST_F(QtGuiControlTest, UnknownNumbersAreHarmless) {
  gui_->EnableControl(99, false);
  gui_->SetText(99, "x");
  EXPECT_EQ(gui_->GetText(99), "");
  gui_->SetPicture(99, {});
  gui_->ClearItems(99);
  gui_->AddItem(99, "x");
  gui_->RemoveItem(99, 0);
  gui_->SetSelection(99, 0);
  EXPECT_EQ(gui_->GetSelection(99), -1);
  gui_->SetValue(99, 3);
  EXPECT_EQ(gui_->GetValue(99), 0);
  gui_->SetScrollHeight(99, 10);
  EXPECT_TRUE(gui_->DescribeControls(99).empty());
  // Calls meant for another kind of control change nothing.
  const int button = Create(Spec(ControlKind::kButton, 5).Text("OK"));
  gui_->AddItem(button, "x");
  gui_->SetValue(button, 1);
  gui_->SetScrollHeight(button, 10);
  EXPECT_EQ(gui_->GetSelection(button), -1);
  EXPECT_EQ(gui_->GetText(button), "OK");
  ExpectQueueEmpty();
}

// ------------------------------------------------------------ modal boxes

using QtGuiModalTest = QtGuiTest;

TEST_F(QtGuiModalTest, MessageBoxShowsItsTextsAndAnswers) {
  WhenModalOpens([](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Supprimer"));
    EXPECT_EQ(box->text(), QStringLiteral("Supprimer <Profil> ?\nVraiment"));
    box->button(QMessageBox::Yes)->click();
  });
  EXPECT_EQ(gui_->ShowMessage("Supprimer", "Supprimer <Profil> ?\nVraiment",
                              MessageButtons::kYesNo),
            MessageAnswer::kYes);

  WhenModalOpens([](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
  EXPECT_EQ(gui_->ShowMessage("Supprimer", "?", MessageButtons::kYesNo),
            MessageAnswer::kNo);
  WhenModalOpens([](QWidget* box) { box->close(); });
  EXPECT_EQ(gui_->ShowMessage("Supprimer", "?", MessageButtons::kYesNo),
            MessageAnswer::kNo);
  WhenModalOpens([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
  EXPECT_EQ(
      gui_->ShowMessage("RiruziruZo", "Pas de manette", MessageButtons::kOk),
      MessageAnswer::kOk);
}

TEST_F(QtGuiModalTest, RequesterReturnsTheTypedTextOnlyWhenAccepted) {
  WhenModalOpens([](QWidget* modal) {
    auto* dialog = qobject_cast<QInputDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Nouveau profil"));
    EXPECT_EQ(dialog->labelText(), QStringLiteral("Nom :"));
    QLineEdit* edit = dialog->findChild<QLineEdit*>();
    EXPECT_TRUE(edit->text().isEmpty());
    edit->insert(QStringLiteral("Français 2"));  // as an input method would
    QTest::keyClick(edit, Qt::Key_Return);
  });
  EXPECT_EQ(gui_->RequestText("Nouveau profil", "Nom :"), "Français 2");

  WhenModalOpens([](QWidget* modal) {
    QLineEdit* edit = modal->findChild<QLineEdit*>();
    QTest::keyClicks(edit, QStringLiteral("abc"));
    QTest::keyClick(edit, Qt::Key_Escape);
  });
  EXPECT_EQ(gui_->RequestText("Nouveau profil", "Nom :"), "");

  WhenModalOpens([](QWidget* modal) {
    QTest::keyClicks(modal->findChild<QLineEdit*>(), QStringLiteral("abc"));
    modal->close();
  });
  EXPECT_EQ(gui_->RequestText("Nouveau profil", "Nom :"), "");
}

// ------------------------------------------------------------------- text

using QtGuiTextTest = QtGuiTest;

TEST_F(QtGuiTextTest, FontsAreSizedFromPointsAndScreenResolution) {
  const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
  const int small = gui_->LoadFont("Arial", 9);
  const int heading = gui_->LoadFont("Arial", 12);
  ASSERT_GE(small, 0);
  ASSERT_GE(heading, 0);
  EXPECT_EQ(gui_->LoadFont("", 9), -1);
  EXPECT_EQ(gui_->LoadFont("Arial", 0), -1);

  const QFont* seen = nullptr;
  gui_->SetControlFont(small);
  Create(Spec(ControlKind::kButton, 5).Text("a"));
  seen = &ControlWidget<QPushButton>(window_, 5)->font();
  EXPECT_EQ(seen->pixelSize(), std::lround(9 * dpi / 72));
  // Arial resolves to a metric-compatible face.
  EXPECT_EQ(QFontInfo(*seen).family(), QStringLiteral("Liberation Sans"));
  gui_->SetControlFont(heading);
  gui_->SetControlFont(77);  // unknown: the heading font stays
  Create(Spec(ControlKind::kButton, 6).Text("b"));
  EXPECT_EQ(ControlWidget<QPushButton>(window_, 6)->font().pixelSize(),
            std::lround(12 * dpi / 72));
  EXPECT_EQ(ControlWidget<QPushButton>(window_, 5)->font().pixelSize(),
            std::lround(9 * dpi / 72));

  EXPECT_EQ(gui_->DefaultFont(), gui_->DefaultFont());
  const TextSize with_default = gui_->MeasureText(gui_->DefaultFont(), "Wg");
  const QFontMetrics metrics(QApplication::font());
  EXPECT_EQ(with_default.width, metrics.horizontalAdvance("Wg"));
  EXPECT_EQ(with_default.height, metrics.height());
}

TEST_F(QtGuiTextTest, MeasuresWhatItDraws) {
  const int font = gui_->LoadFont("Arial", 12);
  const TextSize one = gui_->MeasureText(font, "W");
  const TextSize two = gui_->MeasureText(font, "WW");
  EXPECT_GT(one.width, 0);
  EXPECT_EQ(two.width, 2 * one.width);
  EXPECT_EQ(one.height, two.height);
  EXPECT_EQ(gui_->MeasureText(font, "").width, 0);
  const TextSize none = gui_->MeasureText(9, "W");
  EXPECT_EQ(none.width, 0);
  EXPECT_EQ(none.height, 0);
}

struct Pixel {
  uint8_t r, g, b, a;
};

class DrawnText {
 public:
  // A width x height image with `pad` more pixels a row that are not part
  // of it, filled with `background`; the padding is set to a pattern.
  DrawnText(int width, int height, int pad, Pixel background)
      : width_(width), height_(height), stride_(width + pad) {
    pixels_.resize(static_cast<size_t>(stride_) * height * 4, 0xA5);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) At(x, y) = background;
    }
  }
  RgbaView View() { return {pixels_.data(), width_, height_, stride_}; }
  Pixel& At(int x, int y) {
    return *reinterpret_cast<Pixel*>(&pixels_[(y * stride_ + x) * 4]);
  }
  bool PaddingUntouched() const {
    for (int y = 0; y < height_; ++y) {
      for (int i = width_ * 4; i < stride_ * 4; ++i) {
        if (pixels_[(y * stride_) * 4 + i] != 0xA5) return false;
      }
    }
    return true;
  }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_, height_, stride_;
  std::vector<uint8_t> pixels_;
};

TEST_F(QtGuiTextTest, TextBlendsOntoTransparentPixelsUnpremultiplied) {
  const int font = gui_->LoadFont("Arial", 12);
  const TextSize size = gui_->MeasureText(font, "Hg 8");
  for (const Pixel colour : {Pixel{0, 0, 0, 255}, Pixel{255, 255, 255, 255},
                             Pixel{200, 100, 50, 255}}) {
    DrawnText image(80, 30, 3, {0, 0, 0, 0});
    gui_->DrawText(font, "Hg 8", image.View(), 5, 4,
                   colour.r | colour.g << 8 | colour.b << 16 |
                       static_cast<uint32_t>(colour.a) << 24);
    int covered = 0;
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const Pixel p = image.At(x, y);
        const bool inside =
            x >= 4 && x <= 5 + size.width && y >= 4 && y < 4 + size.height;
        if (!inside) {
          ASSERT_EQ(p.a, 0) << "outside the text at " << x << "," << y;
          continue;
        }
        if (p.a == 0) continue;
        ++covered;
        opaque += p.a == 255;
        // The colour is the pen's whatever the coverage: no darkening from
        // premultiplied storage.
        EXPECT_NEAR(p.r, colour.r, 1) << x << "," << y << " alpha " << +p.a;
        EXPECT_NEAR(p.g, colour.g, 1) << x << "," << y;
        EXPECT_NEAR(p.b, colour.b, 1) << x << "," << y;
      }
    }
    EXPECT_GT(covered, 30);
    EXPECT_GT(opaque, 5);
    EXPECT_TRUE(image.PaddingUntouched());
  }
}

TEST_F(QtGuiTextTest, TextBlendsOverOpaquePixels) {
  const int font = gui_->LoadFont("Arial", 12);
  DrawnText image(60, 24, 0, {255, 255, 255, 255});
  gui_->DrawText(font, "H", image.View(), 2, 2, 0xFF000000u);
  int mixed = 0;
  int black = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const Pixel p = image.At(x, y);
      ASSERT_EQ(p.a, 255);
      ASSERT_TRUE(p.r == p.g && p.g == p.b);
      black += p.r == 0;
      mixed += p.r > 0 && p.r < 255;
    }
  }
  EXPECT_GT(black, 10);
  EXPECT_GT(mixed, 0);  // antialiased edges
  // Bad calls draw nothing and do not crash.
  gui_->DrawText(-1, "H", image.View(), 2, 2, 0xFF000000u);
  gui_->DrawText(font, "H", {}, 2, 2, 0xFF000000u);
  gui_->DrawText(font, "H", image.View(), 5000, -5000, 0xFF000000u);
}

}  // namespace
}  // namespace rz
