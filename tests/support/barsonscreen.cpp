#include "barsonscreen.h"

#include <QImage>
#include <QtGlobal>

#include <cstdlib>

namespace {
bool isYellow(QRgb c)
{
    return qRed(c) > 160 && qGreen(c) > 160 && qBlue(c) < 100;
}

bool isBoardGrey(QRgb c);

// Every bar has one channel near full, and the blend between two bars at least half of
// one; the board and the bars around it are darker.
bool isBar(QRgb c)
{
    return qMax(qRed(c), qMax(qGreen(c), qBlue(c))) > 110 && !isBoardGrey(c);
}

bool isBoardGrey(QRgb c)
{
    return std::abs(qRed(c) - 105) <= 3 && std::abs(qGreen(c) - 105) <= 3 && std::abs(qBlue(c) - 105) <= 3;
}

// Pixels of board grey from (x, y) on, one step (dx, dy) at a time.
int greyRun(const QImage& image, int x, int y, int dx, int dy)
{
    int n = 0;
    while (image.rect().contains(x, y) && isBoardGrey(image.pixel(x, y))) {
        ++n;
        x += dx;
        y += dy;
    }
    return n;
}
}

int BarsOnScreen::centreOffset() const
{
    return qMax(std::abs(left - right), std::abs(top - bottom)) / 2;
}

int BarsOnScreen::fitSlack() const
{
    return qMin(left + right, top + bottom);
}

QString BarsOnScreen::problem(double aspect, int tolerance) const
{
    if (!found)
        return QStringLiteral("no colour bars on the screen");
    const double seventh = picture.width() / 7.0;
    for (int bar : {firstBar, secondBar, lastBar}) {
        if (std::abs(bar - seventh) > tolerance)
            return QStringLiteral("picture cut off (bars %1, %2, %3 px; %4 expected): %5")
                .arg(firstBar).arg(secondBar).arg(lastBar).arg(seventh, 0, 'f', 1).arg(describe());
    }
    if (std::abs(picture.width() - aspect * picture.height()) > tolerance * 2)
        return QStringLiteral("picture cut off (aspect): %1").arg(describe());
    if (centreOffset() > tolerance)
        return QStringLiteral("picture off centre by %1 px: %2").arg(centreOffset()).arg(describe());
    if (fitSlack() > tolerance)
        return QStringLiteral("picture not fitted (%1 px to spare): %2").arg(fitSlack()).arg(describe());
    return QString();
}

QString BarsOnScreen::describe() const
{
    return QStringLiteral("picture %1,%2 %3x%4, grey left %5 right %6 top %7 bottom %8")
        .arg(picture.x()).arg(picture.y()).arg(picture.width()).arg(picture.height())
        .arg(left).arg(right).arg(top).arg(bottom);
}

BarsOnScreen findBarsOnScreen(const QImage& screen)
{
    BarsOnScreen r;
    const QImage image = screen.convertToFormat(QImage::Format_RGB32);
    // The second bar, yellow: its box gives the rows and the inner edge of the first bar.
    // Runs shorter than kRun (an icon's yellow) do not count.
    constexpr int kRun = 16;
    QRect yellow;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int start = -1;
        for (int x = 0; x <= image.width(); ++x) {
            const bool in = x < image.width() && isYellow(line[x]);
            if (in && start < 0)
                start = x;
            if (!in && start >= 0) {
                if (x - start >= kRun)
                    yellow |= QRect(start, y, x - start, 1);
                start = -1;
            }
        }
    }
    if (yellow.width() < 8 || yellow.height() < 8)
        return r;
    // A quarter down: the zoom notice shows in the middle for a second after a change.
    const int row = yellow.top() + yellow.height() / 4;
    // The blend between two bars is a few pixels of any colour, the board's grey too.
    auto barWithin = [&](int x, int step) {
        for (int i = 1; i <= 4; ++i) {
            const int at = x + i * step;
            if (at < 0 || at >= image.width())
                return 0;
            if (isBar(image.pixel(at, row)))
                return i;
        }
        return 0;
    };
    int leftEdge = yellow.left();
    while (const int n = barWithin(leftEdge, -1))
        leftEdge -= n;
    int rightEdge = yellow.right();
    while (const int n = barWithin(rightEdge, 1))
        rightEdge += n;
    // The last bar is blue: where its blue starts on the middle row.
    int blueStart = rightEdge;
    while (blueStart > yellow.right() && qBlue(image.pixel(blueStart - 1, row)) > 150 &&
           qRed(image.pixel(blueStart - 1, row)) < 100 && qGreen(image.pixel(blueStart - 1, row)) < 100)
        --blueStart;

    r.found = true;
    r.picture = QRect(QPoint(leftEdge, yellow.top()), QPoint(rightEdge, yellow.bottom()));
    r.firstBar = yellow.left() - leftEdge;
    r.secondBar = yellow.width();
    r.lastBar = rightEdge - blueStart + 1;
    const QPoint c = r.picture.center();
    r.left = greyRun(image, leftEdge - 1, row, -1, 0);
    r.right = greyRun(image, rightEdge + 1, row, 1, 0);
    r.top = greyRun(image, c.x(), r.picture.top() - 1, 0, -1);
    r.bottom = greyRun(image, c.x(), r.picture.bottom() + 1, 0, 1);
    return r;
}
