// The Qt windowing layer, driven as the program and the user would drive it.
#include "platform/qt/qt_gui.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace rz {
namespace {

using ::testing::ElementsAre;

QWidget* TopLevel(int window) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == QStringLiteral("window%1").arg(window)) {
      return widget;
    }
  }
  return nullptr;
}

template <typename T>
T* Widget(int window, int id) {
  return TopLevel(window)->findChild<T*>(QStringLiteral("control%1").arg(id));
}

ControlSpec Spec(ControlKind kind, int id, int parent = -1, QRect at = {},
                 std::string text = {}, int min = 0, int max = 0) {
  ControlSpec spec;
  spec.kind = kind;
  spec.id = id;
  spec.parent = parent;
  spec.x = at.x();
  spec.y = at.y();
  spec.width = at.width();
  spec.height = at.height();
  spec.text = std::move(text);
  spec.min = min;
  spec.max = max;
  return spec;
}

// Acts on the modal box once it is up; the caller then blocks in it.
void WhenModalOpens(std::function<void(QWidget*)> act) {
  QTimer::singleShot(20, [act] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      act(modal);
    } else {
      WhenModalOpens(act);
    }
  });
}

Event Tick(int timer) { return {EventKind::kTimer, timer, 0}; }
Event Clicked(int id, int window = 0) {
  return {EventKind::kControl, id, window};
}
// Events only the test raises: a point in the queue, and the end of a wait
// that would otherwise never return.
const Event kMarker{EventKind::kMenu, 9999, 0};
const Event kWatchdog{EventKind::kMenu, 9998, 0};

class QtGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gui_ = CreateQtGui();
    ASSERT_NE(gui_, nullptr);
    ASSERT_EQ(gui_->OpenWindow("Main", 500, 500), 0);
    watchdog_.setSingleShot(true);
    QObject::connect(&watchdog_, &QTimer::timeout,
                     [this] { gui_->PostEvent(kWatchdog); });
    watchdog_.start(20000);
  }
  int Create(ControlSpec spec) {
    spec.window = 0;
    return gui_->CreateControl(spec);
  }
  // Nothing raised so far waits ahead of a new marker.
  void ExpectNothingQueued() {
    gui_->PostEvent(kMarker);
    EXPECT_EQ(gui_->WaitEvent(), kMarker);
  }
  // Timer 1 falls due twelve times as often as timer 2. Queued tick by tick,
  // timer 1 would fill the queue; coalesced, each has one tick pending, in
  // the order they fell due.
  void ExpectOnePendingTickPerTimer() {
    ExpectNothingQueued();
    EXPECT_EQ(gui_->WaitEvent(), Tick(1));
    EXPECT_EQ(gui_->WaitEvent(), Tick(2));
  }

  std::unique_ptr<Gui> gui_;
  QTimer watchdog_;
};

TEST_F(QtGuiTest, EventsComeInOrderAndTicksLast) {
  const int button = Create(Spec(ControlKind::kButton, 5));
  gui_->StartTimer(1, 0, 1);
  EXPECT_EQ(gui_->WaitEvent(), Tick(1));
  QTest::qWait(30);  // timer 1 is due again
  Widget<QPushButton>(0, button)->click();
  gui_->PostEvent({EventKind::kClose, 0, 3});
  EXPECT_EQ(gui_->WaitEvent(), Clicked(button));
  EXPECT_EQ(gui_->WaitEvent(), (Event{EventKind::kClose, 0, 3}));
  EXPECT_EQ(gui_->WaitEvent(), Tick(1));

  // Input the toolkit still holds goes before a pending tick as well.
  QTest::qWait(30);
  QMetaObject::invokeMethod(Widget<QPushButton>(0, button), "click",
                            Qt::QueuedConnection);
  EXPECT_EQ(gui_->WaitEvent(), Clicked(button));
  EXPECT_EQ(gui_->WaitEvent(), Tick(1));

  // A stopped timer's pending tick goes with it.
  gui_->StopTimer(1);
  gui_->StartTimer(2, 0, 0);  // 0 counts as 1 ms
  EXPECT_EQ(gui_->WaitEvent(), Tick(2));
}

TEST_F(QtGuiTest, TicksCoalesceWhileBusyAndWhileAModalBoxIsOpen) {
  for (const bool modal : {false, true}) {
    gui_->StartTimer(1, 0, 5);  // restarted: nothing pending
    gui_->StartTimer(2, 0, 60);
    if (!modal) {
      QTest::qWait(400);  // the toolkit runs, nobody takes events
    } else {
      WhenModalOpens([](QWidget* box) {
        QTimer::singleShot(400, box, [box] {
          static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
        });
      });
      EXPECT_EQ(gui_->ShowMessage("Title", "Text", MessageButtons::kOk),
                MessageAnswer::kOk);
    }
    ExpectOnePendingTickPerTimer();
  }
}

TEST_F(QtGuiTest, CloseBoxAsksAndTheProgramCloses) {
  ASSERT_EQ(gui_->OpenWindow("Chooser", 200, 64), 1);
  EXPECT_FALSE(TopLevel(1)->close());
  EXPECT_TRUE(TopLevel(1)->isVisible());
  EXPECT_EQ(gui_->WaitEvent(), (Event{EventKind::kClose, 0, 1}));
  gui_->EnableWindow(1, false);  // a disabled window cannot be closed
  TopLevel(1)->close();
  ExpectNothingQueued();

  // Closing takes the window's controls, timers and waiting events along,
  // and frees its number for the next window.
  ControlSpec box = Spec(ControlKind::kCombo, 8);
  box.window = 1;
  ASSERT_EQ(gui_->CreateControl(box), 8);
  gui_->StartTimer(4, 1, 1);
  QTest::qWait(20);
  gui_->PostEvent(Clicked(8, 1));
  gui_->CloseWindow(1);
  EXPECT_EQ(TopLevel(1), nullptr);
  ExpectNothingQueued();
  gui_->AddItem(8, "gone");
  EXPECT_EQ(gui_->GetSelection(8), -1);
  EXPECT_TRUE(gui_->DescribeControls(1).empty());
  EXPECT_EQ(gui_->OpenWindow("Viewer", 400, 300), 1);
  gui_->StartTimer(2, 0, 100);
  EXPECT_EQ(gui_->WaitEvent(), Tick(2));  // timer 4 is gone
  gui_->CloseWindow(0);
  EXPECT_EQ(gui_->OpenWindow("Main", 500, 500), 0);  // the lowest free
}

TEST_F(QtGuiTest, InnerLoopTakesEverythingUntilItsCloseRequest) {
  const int language = Create(Spec(ControlKind::kButton, 157));
  gui_->StartTimer(1, 0, 5);
  Widget<QPushButton>(0, language)->click();
  ASSERT_EQ(gui_->WaitEvent(), Clicked(language));

  // The handler opens a window of its own and waits for events itself.
  const int chooser = gui_->OpenWindow("Langue / Language", 200, 64);
  ControlSpec ok_spec = Spec(ControlKind::kButton, kAutoId);
  ok_spec.window = chooser;
  const int ok = gui_->CreateControl(ok_spec);
  QTimer::singleShot(50, [=] { Widget<QPushButton>(chooser, ok)->click(); });
  QTimer::singleShot(100, [=] { Widget<QPushButton>(0, language)->click(); });
  QTimer::singleShot(150, [=] { TopLevel(chooser)->close(); });
  std::vector<Event> seen;
  int ticks = 0;
  for (Event event{}; event.kind != EventKind::kClose;) {
    event = gui_->WaitEvent();
    if (event.kind == EventKind::kTimer) {
      ++ticks;
    } else {
      seen.push_back(event);
    }
  }
  gui_->CloseWindow(chooser);
  EXPECT_THAT(seen, ElementsAre(Clicked(ok, chooser), Clicked(language),
                                Event{EventKind::kClose, 0, chooser}));
  EXPECT_GT(ticks, 0);
  // The main loop resumes with what comes next; at most one tick waits.
  ExpectNothingQueued();
  EXPECT_EQ(gui_->WaitEvent(), Tick(1));
}

TEST_F(QtGuiTest, MenuChoiceComesBackFromTheOwningWindow) {
  ASSERT_TRUE(gui_->CreatePopupMenu(159));
  EXPECT_FALSE(gui_->CreatePopupMenu(159));
  gui_->AppendMenuItem(159, 160, "Information");
  gui_->AppendMenuSeparator(159);
  gui_->AppendMenuItem(159, 163, "Mise à jour");
  gui_->ShowPopupMenu(159, 0);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->pos(), QCursor::pos() - QPoint(1, 1));
  QAction* update = menu->actions().at(2);
  QTest::mouseClick(menu, Qt::LeftButton, {},
                    menu->actionGeometry(update).center());
  EXPECT_EQ(gui_->WaitEvent(), (Event{EventKind::kMenu, 163, 0}));
}

TEST_F(QtGuiTest, ControlsArePlacedExactlyAndDescribedInCreationOrder) {
  const int scroll =
      Create(Spec(ControlKind::kScroll, 1, -1, {4, 64, 492, 396}));
  Create(Spec(ControlKind::kCombo, 7, scroll, {4, 48, 292, 24}));
  Create(
      Spec(ControlKind::kLabel, kAutoId, scroll, {92, 380, 364, 16}, "Haut"));
  Create(Spec(ControlKind::kButton, 158, -1, {4, 468, 128, 24}, "Options"));
  Create(
      Spec(ControlKind::kSlider, 42, scroll, {92, 2400, 300, 32}, "", 0, 20));
  gui_->AddItem(7, "Défaut");
  gui_->SetSelection(7, 0);
  gui_->SetValue(42, 7);
  gui_->SetScrollHeight(scroll, 2528);

  std::vector<std::vector<int>> seen;
  for (const ControlInfo& c : gui_->DescribeControls(0)) {
    seen.push_back({c.id, c.x, c.y, c.width, c.height, c.state, c.items});
  }
  EXPECT_THAT(seen, ElementsAre(ElementsAre(1, 4, 64, 492, 396, 0, 0),
                                ElementsAre(7, 4, 48, 292, 24, 0, 1),
                                ElementsAre(-1, 92, 380, 364, 16, 0, 0),
                                ElementsAre(158, 4, 468, 128, 24, 0, 0),
                                ElementsAre(42, 92, 2400, 300, 32, 7, 0)));
  EXPECT_EQ(gui_->DescribeControls(0)[1].text, "Défaut");
  auto* area = Widget<QScrollArea>(0, scroll);
  EXPECT_EQ(area->widget()->size(), QSize(460, 2528));
  EXPECT_EQ(area->verticalScrollBar()->singleStep(), 48);

  // Tab order is creation order, in and out of the scroll area.
  gui_->BringToFront(0);
  QTest::qWait(50);
  Widget<QComboBox>(0, 7)->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "control158");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "control42");

  // Numbers are unique; a parent must be a scroll control of the window.
  EXPECT_EQ(Create(Spec(ControlKind::kButton, 7)), -1);
  EXPECT_EQ(Create(Spec(ControlKind::kButton, 9, 7)), -1);
  EXPECT_GE(Create(Spec(ControlKind::kText, kAutoId)), 0);
}

TEST_F(QtGuiTest, ChoiceBoxShowsNothingUntilAPositionNamesAnEntry) {
  const int box = Create(Spec(ControlKind::kCombo, 21, -1, {0, 0, 300, 24}));
  for (int i = 0; i < 96; ++i)
    gui_->AddItem(box, "Action " + std::to_string(i));
  EXPECT_EQ(gui_->GetSelection(box), -1);
  EXPECT_EQ(gui_->GetText(box), "");
  gui_->SetSelection(box, 95);
  EXPECT_EQ(gui_->GetText(box), "Action 95");
  gui_->SetSelection(box, 96);
  EXPECT_EQ(gui_->GetSelection(box), -1);
  gui_->SetSelection(box, 2);
  gui_->RemoveItem(box, 0);
  EXPECT_EQ(gui_->GetSelection(box), 1);
  gui_->RemoveItem(box, 1);
  EXPECT_EQ(gui_->GetSelection(box), -1);

  // The opened list is at most 350 pixels tall, and uses that room.
  auto* combo = Widget<QComboBox>(0, box);
  combo->showPopup();
  const int list = combo->view()->window()->height();
  EXPECT_LE(list, 350);
  EXPECT_GT(list, 350 - combo->view()->sizeHintForRow(0));
  combo->hidePopup();
}

TEST_F(QtGuiTest, OnlyTheUserRaisesControlEvents) {
  const int box = Create(Spec(ControlKind::kCombo, 21, -1, {0, 0, 200, 24}));
  const int slider =
      Create(Spec(ControlKind::kSlider, 153, -1, {0, 30, 200, 32}, "", 1, 8));
  const int check =
      Create(Spec(ControlKind::kCheck, 156, -1, {0, 70, 200, 24}));
  for (const char* name : {"a", "b", "c"}) gui_->AddItem(box, name);
  gui_->SetSelection(box, 2);
  gui_->SetValue(slider, 20);
  EXPECT_EQ(gui_->GetValue(slider), 8);
  gui_->SetValue(slider, -3);
  EXPECT_EQ(gui_->GetValue(slider), 1);
  gui_->SetValue(check, 5);
  EXPECT_EQ(gui_->GetValue(check), 1);
  ExpectNothingQueued();

  QTest::keyClick(Widget<QSlider>(0, slider), Qt::Key_Right);
  QTest::keyClick(Widget<QSlider>(0, slider), Qt::Key_Left);
  QTest::keyClick(Widget<QSlider>(0, slider), Qt::Key_Left);  // at the end
  QTest::mouseClick(Widget<QWidget>(0, check), Qt::LeftButton, {},
                    QPoint(6, 12));
  auto* combo = Widget<QComboBox>(0, box);
  // Choosing the entry already selected counts too. The popup's own key
  // handling is Qt's; what is ours is that a user's choice raises the event.
  Q_EMIT combo->activated(2);
  EXPECT_EQ(gui_->WaitEvent(), Clicked(slider));
  EXPECT_EQ(gui_->WaitEvent(), Clicked(slider));
  EXPECT_EQ(gui_->WaitEvent(), Clicked(slider));
  EXPECT_EQ(gui_->WaitEvent(), Clicked(check));
  EXPECT_EQ(gui_->WaitEvent(), Clicked(box));
  EXPECT_EQ(gui_->GetValue(slider), 1);
  EXPECT_EQ(gui_->GetValue(check), 0);  // it toggled itself
  EXPECT_EQ(gui_->GetSelection(box), 2);
}

TEST_F(QtGuiTest, PicturesKeepACopyAndScreenshotsArePngs) {
  const int picture = Create(Spec(ControlKind::kPicture, 18, -1, {0, 0, 8, 8}));
  std::vector<uint8_t> pixels(4 * 2 * 4, 0);            // 3 x 2, stride 4
  pixels[4 * 4 + 4 + 2] = pixels[4 * 4 + 4 + 3] = 255;  // (1, 1) opaque blue
  gui_->SetPicture(picture, {pixels.data(), 3, 2, 4});
  std::fill(pixels.begin(), pixels.end(), 0);
  gui_->SetPicture(99, {pixels.data(), 3, 2, 2});  // no such control

  QTemporaryDir dir;
  const std::string path = dir.filePath("shot.png").toStdString();
  ASSERT_TRUE(gui_->SaveScreenshot(0, path));
  QImage shot;
  ASSERT_TRUE(shot.load(QString::fromStdString(path), "PNG"));
  EXPECT_EQ(shot.size(), QSize(500, 500));
  EXPECT_EQ(shot.pixelColor(1, 1), QColor(0, 0, 255));
  const QColor face = shot.pixelColor(100, 100);
  EXPECT_EQ(0xFF000000u | face.blue() << 16 | face.green() << 8 | face.red(),
            gui_->ButtonFaceColour());
  EXPECT_FALSE(gui_->SaveScreenshot(5, path));
}

TEST_F(QtGuiTest, FontsFollowTheScreenAndTextBlendsUnpremultiplied) {
  const int font = gui_->LoadFont("Arial", 12);
  gui_->SetControlFont(font);
  Create(Spec(ControlKind::kButton, 5));
  const QFont& used = Widget<QWidget>(0, 5)->font();
  const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
  EXPECT_EQ(used.pixelSize(), std::lround(12 * dpi / 72));
  EXPECT_EQ(QFontInfo(used).family(), "Liberation Sans");  // for Arial

  // Black and coloured text onto transparent pixels: what the glyphs cover
  // keeps the pen's colour at any coverage; nothing else changes, not even
  // the row padding beyond the image's width.
  const TextSize size = gui_->MeasureText(font, "Hg 8");
  for (const uint32_t pen : {0xFF000000u, 0xFF3264C8u}) {
    const int width = 80, height = 30, stride = 83;
    std::vector<uint32_t> image(stride * height, 0);
    for (int y = 0; y < height; ++y) image[y * stride + width] = 0xA5A5A5A5u;
    gui_->DrawText(
        font, "Hg 8",
        {reinterpret_cast<uint8_t*>(image.data()), width, height, stride}, 5, 4,
        pen);
    int covered = 0;
    for (int y = 0; y < height; ++y) {
      EXPECT_EQ(image[y * stride + width], 0xA5A5A5A5u);
      for (int x = 0; x < width; ++x) {
        const uint32_t p = image[y * stride + x];
        const bool inside =
            x >= 4 && x <= 5 + size.width && y >= 4 && y < 4 + size.height;
        if (p >> 24 == 0) continue;
        ASSERT_TRUE(inside) << x << "," << y;
        ++covered;
        for (int shift : {0, 8, 16}) {
          EXPECT_NEAR(p >> shift & 0xFF, pen >> shift & 0xFF, 1);
        }
      }
    }
    EXPECT_GT(covered, 30);
  }
  gui_->DrawText(77, "H", {}, 0, 0, 0);  // unknown font, no image
}

}  // namespace
}  // namespace rz
