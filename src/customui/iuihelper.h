#ifndef IUIHELPER_H
#define IUIHELPER_H

#include <QFont>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QPoint;
class QScreen;
class QWidget;

// Button backgrounds pasted into style sheets as they stand (trailing semicolon included).
// Opaque from end to end: some bars float over the live picture, and white or orange
// text must stay readable on whatever the camera shows.
inline const QString BUTTON_GRADIENT = QStringLiteral(
    "qlineargradient(spread:pad, x1:0, y1:0, x2:0, y2:1, stop:0 rgba(80, 80, 80, 255), stop:1 rgba(40,40,40,255));");
inline const QString BUTTON_HOVER_GRADIENT = QStringLiteral(
    "qlineargradient(spread:pad, x1:0, y1:0, x2:0, y2:1, stop:0 rgba(40, 40, 40, 255), stop:0.5 rgba(30,30,30,255),stop:1 rgba(40,40,40,255));");

// The same two texts under the names the panels use.
inline const QString g_gradient_normal = BUTTON_GRADIENT;
inline const QString g_gradient_hover = BUTTON_HOVER_GRADIENT;

// Point size for a design size at the given DPI and factor; never below 1, so that
// tiny factors (or the factors before start-up) still give a usable font.
int uiPointSize(int size, int dpi, double factor);

// The application's UI font, scaled by IGSQUARERATE: the pixel size of uiPointSize at
// the desktop's DPI, the same on every screen.
QFont createFont(int size, int weight);
QLabel* createLabel(const QString& text, QWidget* parent);
// Moves dialog to the centre of owner's window, on that window's screen and wholly on
// it; without a shown window, to the centre of the screen under the cursor. Every
// dialog that places itself in the middle goes through here.
void centreOnWindow(QWidget* dialog, const QWidget* owner);

// The screen holding the middle of owner's window; the primary screen without one.
QScreen* windowScreen(const QWidget* owner);
// Moves window to topLeft (global), shifted as little as needed to stand wholly on the
// screen of owner's window (the primary screen without owner): a pop-up placed by a
// button near the screen's edge would otherwise hang over it, or onto the next monitor.
void placeOnWindowScreen(QWidget* window, const QPoint& topLeft, const QWidget* owner);

QComboBox* createComboBox(const QStringList& items, const int& height, const QFont& font, const int& itemHeight,
                          const QFont& itemFont, QWidget* parent);

#endif
