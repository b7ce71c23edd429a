// A small painting surface for the demo pictures: palette indices, rows top to
// bottom, and shapes given in the 160 x 140 picture's coordinates so that one
// drawing serves both picture sizes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace demo {

struct Point {
  double x;
  double y;
};

class Canvas {
 public:
  // scale 1 gives 160 x 140 pixels, scale 2 gives 320 x 280.
  explicit Canvas(int scale);

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<uint8_t>& pixels() const { return pixels_; }
  uint8_t at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  void fill(uint8_t colour);
  void rect(double left, double top, double right, double bottom, uint8_t colour);
  void ellipse(double cx, double cy, double rx, double ry, uint8_t colour);
  void circle(double cx, double cy, double r, uint8_t colour) { ellipse(cx, cy, r, r, colour); }
  void triangle(Point a, Point b, Point c, uint8_t colour);
  void line(Point a, Point b, double thickness, uint8_t colour);
  // The upper half of a ring around (cx, cy), as a rainbow band.
  void arch(double cx, double cy, double inner, double outer, uint8_t colour);

 private:
  template <typename Inside>
  void paint(uint8_t colour, Inside inside);

  int scale_;
  int width_;
  int height_;
  std::vector<uint8_t> pixels_;
};

// Palette indices of the colours the pictures use.
namespace colour {
uint8_t white();
uint8_t black();
uint8_t red();
uint8_t orange();
uint8_t yellow();
uint8_t green();
uint8_t darkGreen();
uint8_t sky();
uint8_t blue();
uint8_t navy();
uint8_t purple();
uint8_t pink();
uint8_t brown();
uint8_t grey();
uint8_t lightGrey();
uint8_t sand();
}  // namespace colour

}  // namespace demo
