// rz_artgen: draws the program's artwork and writes it under data/.
//
// The outputs are committed and the build only embeds them, so run this
// again after changing a drawing, from the source folder, with a Qt build
// in build/:
//
//   cmake --build build --target rz_artgen
//   build/tools/rz_artgen data [contact-sheet.png]
//
// It writes data/art/*.png (the live-view artwork), data/art/*.icoz (the
// icon sets: 16, 24, 32 and 48 pixels at 32 and 24 bits, stored as size +
// zlib stream) and data/icons/hicolor/NxN/apps/riruziruzo.png. The next
// build embeds what changed. With a
// second argument it also renders a contact sheet of everything it made.
//
// Style: flat shapes, one orange for fills and accents, one dark grey for
// outlines and details, white insides, and one stroke width per icon size
// (3 units of a 48-unit grid). Edges lie on the grid's 1.5-unit lines so
// that they fall on whole pixels at 16, 32 and 48 pixels.
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QTransform>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "ui/icons.h"
#include "ui/image.h"

namespace {

namespace fs = std::filesystem;

const QColor kOrange(243, 139, 30);
const QColor kGrey(58, 62, 70);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

// Icon drawings use a 48 x 48 grid and this outline width.
constexpr double kGrid = 48.0;
constexpr double kStroke = 3.0;

QImage NewImage(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void Antialias(QPainter& p) { p.setRenderHint(QPainter::Antialiasing, true); }

QPen Outline(QColor colour, double width) {
  QPen pen(colour, width);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

// ---- Live-view artwork (80 x 80 and 80 x 24 pixels) -----------------------

constexpr QPointF kCentre(40.0, 40.0);
constexpr double kRingRadius = 32.0;

void DrawRing(QPainter& p) {
  p.setPen(Outline(kBlack, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(kCentre, kRingRadius, kRingRadius);
}

// Direction 0 up, 1 right, 2 down, 3 left: an arrowhead astride the ring,
// pointing outwards.
void DrawArrowhead(QPainter& p, int direction, bool filled) {
  QPainterPath head;
  head.moveTo(0.0, -kRingRadius - 6.0);
  head.lineTo(8.0, -kRingRadius + 5.0);
  head.lineTo(-8.0, -kRingRadius + 5.0);
  head.closeSubpath();
  QTransform turn;
  turn.translate(kCentre.x(), kCentre.y());
  turn.rotate(90.0 * direction);
  p.setPen(Outline(kOrange, 2.0));
  p.setBrush(filled ? kOrange : kWhite);
  p.drawPath(turn.map(head));
}

QImage StickBackground() {
  QImage image = NewImage(80, 80);
  QPainter p(&image);
  Antialias(p);
  DrawRing(p);
  for (int d = 0; d < 4; ++d) DrawArrowhead(p, d, false);
  return image;
}

QImage Disc(int width, int height, bool filled) {
  QImage image = NewImage(width, height);
  QPainter p(&image);
  Antialias(p);
  const QPointF centre(width / 2.0, height / 2.0);
  if (filled) {
    p.setPen(Qt::NoPen);
    p.setBrush(kOrange);
    p.drawEllipse(centre, 12.0, 12.0);
  } else {
    // The ring's outer edge is the disc's edge: 24 pixels across.
    p.setPen(Outline(kOrange, 2.0));
    p.setBrush(kWhite);
    p.drawEllipse(centre, 11.0, 11.0);
  }
  return image;
}

QImage HatBackground() {
  QImage image = NewImage(80, 80);
  QPainter p(&image);
  Antialias(p);
  DrawRing(p);
  return image;
}

QImage HatArrow(int direction, bool filled) {
  QImage image = NewImage(80, 80);
  QPainter p(&image);
  Antialias(p);
  DrawArrowhead(p, direction, filled);
  return image;
}

// ---- Icons (48-unit grid) -------------------------------------------------

using Drawing = std::function<void(QPainter&)>;

QPainterPath RoundedRect(double x, double y, double w, double h, double r) {
  QPainterPath path;
  path.addRoundedRect(QRectF(x, y, w, h), r, r);
  return path;
}

QPainterPath Circle(double cx, double cy, double r) {
  QPainterPath path;
  path.addEllipse(QPointF(cx, cy), r, r);
  return path;
}

void Shape(QPainter& p, const QPainterPath& path, QColor fill) {
  p.setPen(Outline(kGrey, kStroke));
  p.setBrush(fill);
  p.drawPath(path);
}

void Solid(QPainter& p, const QPainterPath& path, QColor fill) {
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(path);
}

// A gear: eight teeth around an orange wheel with a hole.
void DrawGear(QPainter& p) {
  QPainterPath gear = Circle(24.0, 24.0, 15.0);
  for (int k = 0; k < 8; ++k) {
    QPainterPath tooth = RoundedRect(-4.5, -21.0, 9.0, 10.0, 1.5);
    QTransform turn;
    turn.translate(24.0, 24.0);
    turn.rotate(45.0 * k);
    gear = gear.united(turn.map(tooth));
  }
  gear = gear.subtracted(Circle(24.0, 24.0, 6.0));
  Shape(p, gear.simplified(), kOrange);
}

// The program's emblem: a gamepad with two grips.
void DrawGamepad(QPainter& p) {
  QPainterPath body = RoundedRect(4.5, 12.0, 39.0, 19.5, 9.0);
  for (const double side : {-1.0, 1.0}) {
    QPainterPath grip;
    grip.addEllipse(QPointF(0.0, 0.0), 7.5, 11.0);
    QTransform place;
    place.translate(24.0 + side * 12.75, 30.0);
    place.rotate(side * -28.0);
    body = body.united(place.map(grip));
  }
  Shape(p, body.simplified(), kOrange);
  // Direction pad.
  QPainterPath pad = RoundedRect(9.0, 19.5, 12.0, 4.5, 1.0);
  pad = pad.united(RoundedRect(12.75, 15.75, 4.5, 12.0, 1.0));
  Solid(p, pad.simplified(), kGrey);
  // Four buttons in a diamond.
  for (const QPointF c : {QPointF(34.5, 17.25), QPointF(34.5, 26.25),
                          QPointF(30.0, 21.75), QPointF(39.0, 21.75)}) {
    Solid(p, Circle(c.x(), c.y(), 2.6), kGrey);
  }
}

// A joystick: a base, a shaft and an orange ball.
void DrawJoystick(QPainter& p) {
  p.setPen(Outline(kGrey, kStroke + 1.5));
  p.drawLine(QPointF(24.0, 16.5), QPointF(24.0, 34.5));
  QPainterPath base;
  base.moveTo(10.5, 34.5);
  base.lineTo(37.5, 34.5);
  base.lineTo(43.5, 43.5);
  base.lineTo(4.5, 43.5);
  base.closeSubpath();
  Shape(p, base, kGrey);
  Shape(p, Circle(24.0, 13.5, 9.0), kOrange);
  // A small fire button on the base.
  Solid(p, RoundedRect(31.5, 37.5, 6.0, 3.0, 1.0), kOrange);
}

// A keyboard with a mouse above it.
void DrawMouseKeyboard(QPainter& p) {
  Shape(p, RoundedRect(1.5, 22.5, 45.0, 21.0, 3.0), kWhite);
  p.setPen(Qt::NoPen);
  p.setBrush(kGrey);
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 6; ++col) {
      p.drawRect(QRectF(6.0 + 6.0 * col, 27.0 + 6.0 * row, 3.0, 3.0));
    }
  }
  p.drawRect(QRectF(12.0, 39.0, 24.0, 1.5));
  // The mouse, with its cable running to the keyboard.
  p.setPen(Outline(kGrey, kStroke));
  p.setBrush(Qt::NoBrush);
  QPainterPath cable;
  cable.moveTo(22.5, 22.5);
  cable.cubicTo(22.5, 12.0, 22.5, 10.5, 28.5, 10.5);
  p.drawPath(cable);
  Shape(p, RoundedRect(28.5, 1.5, 15.0, 18.0, 7.0), kOrange);
  p.setPen(Outline(kGrey, kStroke * 0.5));
  p.drawLine(QPointF(36.0, 3.0), QPointF(36.0, 9.0));
}

// Three sliders.
void DrawPanel(QPainter& p) {
  const double knob_y[] = {28.5, 10.5, 22.5};
  for (int k = 0; k < 3; ++k) {
    const double x = 7.5 + 15.0 * k;
    p.setPen(Outline(kGrey, kStroke));
    p.drawLine(QPointF(x, 4.5), QPointF(x, 43.5));
    Shape(p, RoundedRect(x - 6.0, knob_y[k] - 1.5, 12.0, 9.0, 2.0), kOrange);
  }
}

// A page with a folded corner and a person on it.
void DrawProfile(QPainter& p) {
  QPainterPath page;
  page.moveTo(7.5, 1.5);
  page.lineTo(31.5, 1.5);
  page.lineTo(40.5, 10.5);
  page.lineTo(40.5, 46.5);
  page.lineTo(7.5, 46.5);
  page.closeSubpath();
  Shape(p, page, kWhite);
  p.setPen(Outline(kGrey, kStroke));
  p.setBrush(Qt::NoBrush);
  QPainterPath fold;
  fold.moveTo(31.5, 1.5);
  fold.lineTo(31.5, 10.5);
  fold.lineTo(40.5, 10.5);
  p.drawPath(fold);
  Solid(p, Circle(24.0, 19.5, 6.0), kOrange);
  QPainterPath shoulders;
  shoulders.moveTo(12.0, 40.5);
  shoulders.cubicTo(12.0, 28.5, 36.0, 28.5, 36.0, 40.5);
  shoulders.closeSubpath();
  Solid(p, shoulders, kOrange);
}

QImage RenderIcon(const Drawing& draw, int size) {
  QImage image = NewImage(size, size);
  QPainter p(&image);
  Antialias(p);
  p.scale(size / kGrid, size / kGrid);
  draw(p);
  return image;
}

// ---- Output ---------------------------------------------------------------

rz::RgbaImage ToRgba(const QImage& image) {
  const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
  rz::RgbaImage out(rgba.width(), rgba.height());
  for (int y = 0; y < rgba.height(); ++y) {
    const uint8_t* row = rgba.constScanLine(y);
    for (int x = 0; x < rgba.width(); ++x) {
      const uint8_t* p = row + 4 * x;
      out.SetPixel(x, y, rz::PackRgba(p[0], p[1], p[2], p[3]));
    }
  }
  return out;
}

QImage ToQImage(const rz::RgbaImage& image) {
  QImage out(image.width(), image.height(), QImage::Format_RGBA8888);
  for (int y = 0; y < image.height(); ++y) {
    uint8_t* row = out.scanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      const uint32_t p = image.Pixel(x, y);
      row[4 * x] = rz::RedOf(p);
      row[4 * x + 1] = rz::GreenOf(p);
      row[4 * x + 2] = rz::BlueOf(p);
      row[4 * x + 3] = rz::AlphaOf(p);
    }
  }
  return out;
}

bool SavePng(const QImage& image, const fs::path& path) {
  fs::create_directories(path.parent_path());
  if (!image.convertToFormat(QImage::Format_RGBA8888)
           .save(QString::fromStdString(path.string()), "PNG")) {
    std::fprintf(stderr, "rz_artgen: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

bool SaveBytes(std::span<const uint8_t> bytes, const fs::path& path) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "rz_artgen: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

struct IconDesign {
  const char* name;
  Drawing draw;
};

// An icon set: each size at 32 bits, then each size at 24 bits.
std::vector<uint8_t> IconFile(const Drawing& draw) {
  std::vector<rz::IconImage> images;
  for (const int bits : {32, 24}) {
    for (const int size : {16, 24, 32, 48}) {
      images.push_back({ToRgba(RenderIcon(draw, size)), bits});
    }
  }
  return rz::EncodeIconFile(images);
}

// The sheet: the live-view artwork and some compositions of it, then one
// row per icon set as decoded back from its file: every entry at its size
// on the button face, then the 32-bit and the 24-bit entries magnified three
// times on white.
QImage ContactSheet(const std::vector<std::pair<std::string, QImage>>& art,
                    const std::vector<std::vector<uint8_t>>& sets) {
  constexpr int kZoom = 3;
  const QColor face(240, 240, 240);
  QImage sheet(1160, 440 + 160 * static_cast<int>(sets.size()),
               QImage::Format_ARGB32_Premultiplied);
  sheet.fill(face);
  QPainter p(&sheet);
  int x = 10;
  for (const auto& [name, image] : art) {
    if (x + image.width() > sheet.width()) break;
    p.drawImage(x, 10, image);
    x += image.width() + 6;
  }
  const auto find = [&art](const std::string& name) {
    for (const auto& [n, image] : art) {
      if (n == name) return image;
    }
    return QImage();
  };
  // Stick at rest, fully right, in a corner; the hat pushed up and right;
  // buttons released and pressed.
  const QImage background = find("stick_background.png");
  const QImage marker = find("stick_marker.png");
  const int offsets[][2] = {{0, 0}, {28, 0}, {33, -33}};
  x = 10;
  for (const auto& o : offsets) {
    p.drawImage(x, 110, background);
    p.drawImage(QRect(x, 110, 80, 80), marker, QRect(-o[0], -o[1], 80, 80));
    x += 90;
  }
  p.drawImage(x, 110, find("hat_background.png"));
  for (const char* name :
       {"hat_up_on.png", "hat_right_on.png", "hat_down.png", "hat_left.png"}) {
    p.drawImage(x, 110, find(name));
  }
  x += 90;
  p.drawImage(x, 110, find("button.png"));
  p.drawImage(x, 140, find("button_on.png"));
  p.setPen(kBlack);
  p.drawText(QRect(x, 110, 80, 24), Qt::AlignCenter, "7");
  p.drawText(QRect(x, 140, 80, 24), Qt::AlignCenter, "10");

  int y = 220;
  for (const auto& file : sets) {
    const auto entries = rz::ReadIconDirectory(file);
    if (!entries) continue;
    int small_x = 10;
    int zoom_x[2] = {300, 740};
    for (const rz::IconEntry& entry : *entries) {
      const auto decoded = rz::DecodeIconEntry(file, entry);
      if (!decoded) continue;
      const QImage icon = ToQImage(*decoded);
      p.drawImage(small_x, y, icon);
      small_x += icon.width() + 4;
      int& zx = zoom_x[entry.bit_count == 32 ? 0 : 1];
      const QRect zoomed(zx, y, icon.width() * kZoom, icon.height() * kZoom);
      p.fillRect(zoomed, kWhite);
      p.drawImage(zoomed, icon);
      zx += zoomed.width() + 6;
    }
    y += 160;
  }
  // The 16- and 24-pixel 32-bit icons of every set, magnified to 96 pixels.
  for (const int size : {16, 24}) {
    x = 10;
    for (const auto& file : sets) {
      const auto entries = rz::ReadIconDirectory(file);
      if (!entries) continue;
      for (const rz::IconEntry& entry : *entries) {
        if (entry.bit_count != 32 || entry.width != size) continue;
        const auto decoded = rz::DecodeIconEntry(file, entry);
        if (!decoded) continue;
        const QRect zoomed(x, y, 96, 96);
        p.fillRect(zoomed, kWhite);
        p.drawImage(zoomed, ToQImage(*decoded));
        x += 104;
      }
    }
    y += 104;
  }
  return sheet;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: rz_artgen DATA_DIR [CONTACT_SHEET.png]\n");
    return 2;
  }
  // Text on the contact sheet needs fonts, and fonts an application; no
  // window is shown.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication application(argc, argv);
  const fs::path data = argv[1];
  const fs::path art = data / "art";
  bool ok = true;

  std::vector<std::pair<std::string, QImage>> pngs = {
      {"stick_background.png", StickBackground()},
      {"stick_marker.png", Disc(80, 80, true)},
      {"hat_background.png", HatBackground()},
      {"hat_up.png", HatArrow(0, false)},
      {"hat_up_on.png", HatArrow(0, true)},
      {"hat_right.png", HatArrow(1, false)},
      {"hat_right_on.png", HatArrow(1, true)},
      {"hat_down.png", HatArrow(2, false)},
      {"hat_down_on.png", HatArrow(2, true)},
      {"hat_left.png", HatArrow(3, false)},
      {"hat_left_on.png", HatArrow(3, true)},
      {"button.png", Disc(80, 24, false)},
      {"button_on.png", Disc(80, 24, true)},
  };
  for (const auto& [name, image] : pngs) ok = SavePng(image, art / name) && ok;

  const std::vector<IconDesign> designs = {
      {"options", DrawGear},        {"header", DrawGamepad},
      {"joystick", DrawJoystick},   {"mouse_keyboard", DrawMouseKeyboard},
      {"panel", DrawPanel},         {"profile", DrawProfile},
      {"application", DrawGamepad},
  };
  std::vector<std::vector<uint8_t>> sets;
  for (const IconDesign& design : designs) {
    std::vector<uint8_t> file = IconFile(design.draw);
    const std::vector<uint8_t> stored = rz::PackIconSet(file);
    if (file.empty() || stored.empty()) {
      std::fprintf(stderr, "rz_artgen: cannot encode %s\n", design.name);
      ok = false;
      continue;
    }
    ok = SaveBytes(stored, art / (std::string(design.name) + ".icoz")) && ok;
    sets.push_back(std::move(file));
  }

  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    const fs::path path = data / "icons" / "hicolor" /
                          (std::to_string(size) + "x" + std::to_string(size)) /
                          "apps" / "riruziruzo.png";
    ok = SavePng(RenderIcon(DrawGamepad, size), path) && ok;
  }

  if (argc > 2) ok = SavePng(ContactSheet(pngs, sets), argv[2]) && ok;
  return ok ? 0 : 1;
}
