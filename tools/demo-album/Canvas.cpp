#include "tools/demo-album/Canvas.h"

#include <algorithm>
#include <cmath>

#include "album/Palette.h"

namespace demo {

Canvas::Canvas(int scale)
    : scale_(scale), width_(160 * scale), height_(140 * scale), pixels_(static_cast<size_t>(width_) * height_, 0) {}

// Sets every pixel whose centre, in picture coordinates, lies inside the shape.
template <typename Inside>
void Canvas::paint(uint8_t colour, Inside inside) {
  for (int y = 0; y < height_; ++y) {
    const double py = (y + 0.5) / scale_;
    for (int x = 0; x < width_; ++x) {
      if (inside((x + 0.5) / scale_, py)) pixels_[static_cast<size_t>(y) * width_ + x] = colour;
    }
  }
}

void Canvas::fill(uint8_t colour) { std::fill(pixels_.begin(), pixels_.end(), colour); }

void Canvas::rect(double left, double top, double right, double bottom, uint8_t colour) {
  paint(colour, [=](double x, double y) { return x >= left && x < right && y >= top && y < bottom; });
}

void Canvas::ellipse(double cx, double cy, double rx, double ry, uint8_t colour) {
  paint(colour, [=](double x, double y) {
    const double dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
  });
}

void Canvas::triangle(Point a, Point b, Point c, uint8_t colour) {
  auto side = [](Point p, Point q, double x, double y) { return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x); };
  paint(colour, [=](double x, double y) {
    const double ab = side(a, b, x, y), bc = side(b, c, x, y), ca = side(c, a, x, y);
    const bool negative = ab < 0 || bc < 0 || ca < 0;
    const bool positive = ab > 0 || bc > 0 || ca > 0;
    return !(negative && positive);
  });
}

void Canvas::line(Point a, Point b, double thickness, uint8_t colour) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double lengthSquared = std::max(dx * dx + dy * dy, 1e-9);
  const double half = thickness / 2;
  paint(colour, [=](double x, double y) {
    const double t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / lengthSquared, 0.0, 1.0);
    const double ex = a.x + t * dx - x, ey = a.y + t * dy - y;
    return ex * ex + ey * ey <= half * half;
  });
}

void Canvas::arch(double cx, double cy, double inner, double outer, uint8_t colour) {
  paint(colour, [=](double x, double y) {
    const double d = std::hypot(x - cx, y - cy);
    return y <= cy && d >= inner && d < outer;
  });
}

namespace colour {
uint8_t white() { return 0; }
uint8_t black() { return 230; }
uint8_t red() { return album::nearestPaletteIndex(0xFF, 0x00, 0x00); }
uint8_t orange() { return album::nearestPaletteIndex(0xFF, 0x9A, 0x00); }
uint8_t yellow() { return album::nearestPaletteIndex(0xFF, 0xFF, 0x00); }
uint8_t green() { return album::nearestPaletteIndex(0x30, 0xCF, 0x30); }
uint8_t darkGreen() { return album::nearestPaletteIndex(0x00, 0x65, 0x00); }
uint8_t sky() { return album::nearestPaletteIndex(0x9A, 0xCF, 0xFF); }
uint8_t blue() { return album::nearestPaletteIndex(0x00, 0x65, 0xFF); }
uint8_t navy() { return album::nearestPaletteIndex(0x00, 0x00, 0x9A); }
uint8_t purple() { return album::nearestPaletteIndex(0x9A, 0x30, 0xCF); }
uint8_t pink() { return album::nearestPaletteIndex(0xFF, 0x9A, 0xCF); }
uint8_t brown() { return album::nearestPaletteIndex(0x9A, 0x65, 0x30); }
uint8_t grey() { return album::nearestPaletteIndex(0x8A, 0x8A, 0x8A); }
uint8_t lightGrey() { return album::nearestPaletteIndex(0xC3, 0xC3, 0xC3); }
uint8_t sand() { return album::nearestPaletteIndex(0xFF, 0xCF, 0x9A); }
}  // namespace colour

}  // namespace demo
