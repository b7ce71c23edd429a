// A dozen pictures as a child might draw them, in the picture palette's colours.
#include <cmath>

#include "tools/demo-album/DemoAlbum.h"

namespace demo {

namespace {

using namespace colour;

constexpr double kPi = 3.14159265358979;

void grass(Canvas& c, double top) { c.rect(0, top, 160, 140, green()); }

void sun(Canvas& c) {
  c.fill(sky());
  for (int i = 0; i < 12; ++i) {
    const double a = i * kPi / 6;
    c.line({80 + 30 * std::cos(a), 70 + 30 * std::sin(a)}, {80 + 55 * std::cos(a), 70 + 55 * std::sin(a)}, 5, orange());
  }
  c.circle(80, 70, 26, yellow());
  // The smile: the lower half of a red ring.
  c.circle(80, 72, 13, red());
  c.circle(80, 72, 10, yellow());
  c.rect(64, 56, 96, 73, yellow());
  c.circle(71, 63, 3, black());
  c.circle(89, 63, 3, black());
}

void house(Canvas& c) {
  c.fill(sky());
  grass(c, 112);
  c.rect(40, 62, 120, 118, sand());
  c.triangle({32, 64}, {128, 64}, {80, 22}, red());
  c.rect(98, 28, 108, 50, brown());
  c.rect(70, 86, 90, 118, brown());
  c.circle(86, 103, 1.5, yellow());
  c.rect(48, 72, 64, 86, blue());
  c.rect(96, 72, 112, 86, blue());
  c.line({56, 72}, {56, 86}, 1.5, white());
  c.line({104, 72}, {104, 86}, 1.5, white());
  c.circle(20, 20, 12, yellow());
}

void cat(Canvas& c) {
  c.fill(lightGrey());
  c.ellipse(80, 104, 34, 28, orange());             // body
  c.line({112, 118}, {140, 80}, 7, orange());       // tail
  c.circle(80, 58, 28, orange());                   // head
  c.triangle({56, 48}, {62, 20}, {76, 36}, orange());
  c.triangle({104, 48}, {98, 20}, {84, 36}, orange());
  c.triangle({60, 42}, {63, 27}, {71, 36}, pink());
  c.triangle({100, 42}, {97, 27}, {89, 36}, pink());
  c.ellipse(69, 54, 5, 7, green());
  c.ellipse(91, 54, 5, 7, green());
  c.ellipse(69, 54, 1.5, 5, black());
  c.ellipse(91, 54, 1.5, 5, black());
  c.triangle({76, 66}, {84, 66}, {80, 71}, pink());
  for (int side : {-1, 1}) {
    c.line({80.0 + side * 8, 70}, {80.0 + side * 34, 64}, 1, black());
    c.line({80.0 + side * 8, 72}, {80.0 + side * 34, 74}, 1, black());
  }
}

void tree(Canvas& c) {
  c.fill(sky());
  grass(c, 118);
  c.rect(70, 76, 90, 124, brown());
  c.circle(80, 52, 34, darkGreen());
  c.circle(56, 68, 20, darkGreen());
  c.circle(104, 68, 20, darkGreen());
  for (Point p : {Point{66, 44}, Point{92, 40}, Point{80, 64}, Point{58, 70}, Point{104, 72}}) c.circle(p.x, p.y, 4, red());
}

void boat(Canvas& c) {
  c.fill(sky());
  c.rect(0, 100, 160, 140, blue());
  for (int x = 0; x < 160; x += 20) c.arch(x + 10, 104, 6, 8, white());
  c.triangle({30, 88}, {130, 88}, {112, 108}, brown());
  c.triangle({30, 88}, {48, 108}, {112, 108}, brown());
  c.rect(78, 24, 82, 88, black());
  c.triangle({84, 26}, {84, 82}, {124, 82}, white());
  c.triangle({76, 34}, {76, 82}, {44, 82}, red());
  c.triangle({78, 14}, {78, 24}, {92, 19}, yellow());
}

void flower(Canvas& c) {
  c.fill(white());
  grass(c, 124);
  c.line({80, 70}, {80, 130}, 5, darkGreen());
  c.ellipse(66, 104, 14, 6, green());
  c.ellipse(94, 96, 14, 6, green());
  for (int i = 0; i < 8; ++i) {
    const double a = i * kPi / 4;
    c.circle(80 + 20 * std::cos(a), 50 + 20 * std::sin(a), 12, pink());
  }
  c.circle(80, 50, 13, yellow());
  c.circle(140, 20, 4, black());  // a ladybird visiting
}

void rainbow(Canvas& c) {
  c.fill(sky());
  const uint8_t bands[] = {red(), orange(), yellow(), green(), blue(), purple()};
  for (int i = 0; i < 6; ++i) c.arch(80, 120, 62 - 8 * i - 8, 62 - 8 * i, bands[i]);
  grass(c, 120);
  c.ellipse(30, 30, 20, 10, white());
  c.ellipse(128, 24, 22, 11, white());
}

void fish(Canvas& c) {
  c.fill(blue());
  c.rect(0, 126, 160, 140, sand());
  c.ellipse(72, 66, 42, 26, orange());
  c.triangle({108, 66}, {144, 40}, {144, 92}, orange());
  c.triangle({60, 42}, {84, 26}, {90, 44}, red());
  c.line({56, 44}, {56, 88}, 3, white());
  c.line({76, 42}, {76, 90}, 3, white());
  c.circle(44, 58, 6, white());
  c.circle(43, 58, 3, black());
  for (Point p : {Point{26, 34}, Point{20, 20}, Point{28, 8}}) c.circle(p.x, p.y, 3, sky());
  c.line({130, 126}, {126, 96}, 3, darkGreen());
  c.line({144, 126}, {150, 104}, 3, darkGreen());
}

void car(Canvas& c) {
  c.fill(sky());
  c.rect(0, 110, 160, 140, grey());
  c.rect(8, 122, 30, 125, white());
  c.rect(60, 122, 82, 125, white());
  c.rect(112, 122, 134, 125, white());
  c.rect(18, 76, 142, 106, red());
  c.triangle({42, 76}, {58, 48}, {58, 76}, red());
  c.rect(58, 48, 108, 76, red());
  c.triangle({108, 48}, {108, 76}, {126, 76}, red());
  c.rect(62, 54, 81, 74, sky());
  c.rect(86, 54, 104, 74, sky());
  c.circle(48, 106, 14, black());
  c.circle(114, 106, 14, black());
  c.circle(48, 106, 6, lightGrey());
  c.circle(114, 106, 6, lightGrey());
  c.rect(134, 82, 142, 90, yellow());
}

void rocket(Canvas& c) {
  c.fill(navy());
  for (Point p : {Point{20, 20}, Point{130, 30}, Point{40, 110}, Point{140, 100}, Point{110, 12}, Point{22, 70}})
    c.circle(p.x, p.y, 1.5, yellow());
  c.circle(134, 64, 10, lightGrey());
  c.triangle({64, 88}, {52, 116}, {68, 108}, red());
  c.triangle({96, 88}, {108, 116}, {92, 108}, red());
  c.triangle({70, 112}, {90, 112}, {80, 136}, orange());
  c.triangle({74, 112}, {86, 112}, {80, 128}, yellow());
  c.rect(66, 40, 94, 112, lightGrey());
  c.triangle({66, 40}, {94, 40}, {80, 10}, red());
  c.circle(80, 60, 8, blue());
  c.circle(80, 60, 5, sky());
}

void snowman(Canvas& c) {
  c.fill(sky());
  c.rect(0, 116, 160, 140, white());
  c.circle(80, 100, 28, white());
  c.circle(80, 58, 20, white());
  c.rect(62, 32, 98, 36, black());
  c.rect(68, 12, 92, 34, black());
  c.circle(73, 54, 2.5, black());
  c.circle(87, 54, 2.5, black());
  c.triangle({80, 60}, {80, 64}, {96, 63}, orange());
  for (double y : {88.0, 100.0, 112.0}) c.circle(80, y, 2.5, black());
  c.line({60, 92}, {30, 74}, 2.5, brown());
  c.line({100, 92}, {130, 74}, 2.5, brown());
  c.rect(64, 74, 96, 79, red());
  for (Point p : {Point{20, 20}, Point{44, 40}, Point{120, 16}, Point{144, 48}, Point{30, 96}, Point{136, 100}})
    c.circle(p.x, p.y, 2, white());
}

void butterfly(Canvas& c) {
  c.fill(white());
  grass(c, 126);
  c.ellipse(54, 50, 26, 22, purple());
  c.ellipse(106, 50, 26, 22, purple());
  c.ellipse(58, 88, 18, 16, pink());
  c.ellipse(102, 88, 18, 16, pink());
  c.circle(52, 48, 8, yellow());
  c.circle(108, 48, 8, yellow());
  c.ellipse(80, 70, 5, 34, black());
  c.line({78, 38}, {66, 16}, 1.5, black());
  c.line({82, 38}, {94, 16}, 1.5, black());
  c.circle(66, 16, 3, black());
  c.circle(94, 16, 3, black());
}

void swing(Canvas& c) {  // a swing set in the garden
  c.fill(sky());
  grass(c, 112);
  c.line({30, 120}, {50, 30}, 4, brown());
  c.line({70, 120}, {50, 30}, 4, brown());
  c.line({90, 120}, {110, 30}, 4, brown());
  c.line({130, 120}, {110, 30}, 4, brown());
  c.rect(48, 28, 112, 33, brown());
  c.line({70, 33}, {70, 92}, 1.5, black());
  c.line({90, 33}, {90, 92}, 1.5, black());
  c.rect(64, 92, 96, 97, red());
  c.circle(80, 76, 7, sand());
  c.rect(74, 84, 86, 92, blue());
}

}  // namespace

const std::vector<DemoDrawing>& demoDrawings() {
  static const std::vector<DemoDrawing> drawings = {
      {"Sun", sun},         {"House", house},   {"Cat", cat},   {"Tree", tree},     {"Boat", boat},
      {"Flower", flower},   {"Rainbow", rainbow}, {"Fish", fish}, {"Car", car},     {"Rocket", rocket},
      {"Snowman", snowman}, {"Butterfly", butterfly}, {"Swing", swing},
  };
  return drawings;
}

}  // namespace demo
