// The program icon's shapes: a framed picture of a house under the sun, drawn
// in a 32 x 32 square. resources/icons/quillory-album.svg draws the same shapes.
#pragma once

class QPainter;

namespace tools {

// Paints the icon into the square (0,0)-(32,32) of the painter's coordinates;
// scale the painter for other sizes.
void paintProgramIcon(QPainter& p);

}  // namespace tools
