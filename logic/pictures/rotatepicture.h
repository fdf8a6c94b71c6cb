#pragma once

#include <QImage>

namespace vellumark {

// Turns the content of source into destination by angle radians,
// counter-clockwise as seen on screen, about the centres of the two
// pictures. Each destination pixel takes the nearest source pixel; those
// whose source point lies outside the source keep their colour. The caller
// makes and sizes the destination; the source is converted to the
// destination's format when they differ. Whole quarter turns move pixels
// without resampling, so a turn by 3π/2 into a picture of swapped size
// loses nothing.
void RotatePicture(const QImage &source, QImage &destination, double angle);

// The picture turned a quarter turn clockwise (the top comes to the right
// side), in the same format and with every pixel kept. A null picture gives
// a null picture.
QImage QuarterTurnClockwise(const QImage &picture);

// The picture turned by a number of quarter turns clockwise (negative ones
// turn the other way), every pixel kept; four turns give it back.
QImage QuarterTurnsClockwise(const QImage &picture, int turns);

} // namespace vellumark
