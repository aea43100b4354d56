#ifndef BARSONSCREEN_H
#define BARSONSCREEN_H

#include <QRect>
#include <QString>

class QImage;

// The simulated camera's colour bars (pattern smpte100: seven full-height bars, white on
// the left, blue on the right) found in a grab of the screen, and the grey bands of the
// board (rgb 105,105,105) around them.
struct BarsOnScreen
{
    bool found = false;
    // The visible picture, in screen pixels.
    QRect picture;
    // Board grey beside each edge of the picture, along lines across it.
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    // Width of the first, second and last bar: each a seventh of a whole picture.
    int firstBar = 0;
    int secondBar = 0;
    int lastBar = 0;

    // How far the picture's centre is from the board's, in pixels (the larger axis).
    int centreOffset() const;
    // Grey left beside the picture on the axis where it should fill the board.
    int fitSlack() const;
    // Empty when the whole picture shows, with aspect ratio aspect (width / height),
    // fitted into the board and centred within tolerance pixels; else what is wrong.
    QString problem(double aspect, int tolerance) const;
    QString describe() const;
};

BarsOnScreen findBarsOnScreen(const QImage& screen);

#endif
