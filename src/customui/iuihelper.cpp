#include "iuihelper.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDesktopWidget>
#include <QLabel>
#include <QLayout>
#include <QListView>
#include <QScreen>

#include "customui/iwindowplace.h"
#include "iglobal.h"

namespace {
int desktopDpi()
{
    const int dpi = QApplication::desktop()->logicalDpiX();
    return dpi > 0 ? dpi : 96;
}

// Top-left of a box of size at topLeft, shifted to stand wholly inside area as far as it
// fits (all global, logical pixels).
QPoint keptInside(const QPoint& topLeft, const QSize& size, const QRect& area)
{
    if (area.isEmpty())
        return topLeft;
    // A box larger than the area keeps its top-left corner (title, close button) on it.
    const int x = qMax(area.left(), qMin(topLeft.x(), area.left() + area.width() - size.width()));
    const int y = qMax(area.top(), qMin(topLeft.y(), area.top() + area.height() - size.height()));
    return QPoint(x, y);
}

// Top-left of a box of size centred on window and kept wholly inside area.
QPoint centredIn(const QRect& window, const QSize& size, const QRect& area)
{
    return keptInside(QPoint(window.x() + (window.width() - size.width()) / 2,
                             window.y() + (window.height() - size.height()) / 2),
                      size, area);
}
}

int uiPointSize(int size, int dpi, double factor)
{
    if (dpi <= 0)
        dpi = 96;
    const int points = int(size * 96.0 / dpi * factor);
    return qMax(1, points);
}

QFont createFont(int size, int weight)
{
    QFont font(QStringLiteral("微软雅黑"));
    // Given in pixels: Qt 5 lowers the DPI of a screen scaled on its own, so a point size
    // would keep its unscaled size there.
    const int dpi = desktopDpi();
    font.setPixelSize(qMax(1, qRound(uiPointSize(size, dpi, IGSQUARERATE) * dpi / 72.0)));
    font.setWeight(weight);
    font.setItalic(false);
    return font;
}

QLabel* createLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color:white;background-color:transparent;"));
    label->setFont(createFont(12, 75));
    return label;
}

QComboBox* createComboBox(const QStringList& items, const int& height, const QFont& font, const int& itemHeight,
                          const QFont& itemFont, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->addItems(items);
    auto* view = new QListView(box);
    view->setFont(itemFont);
    box->setView(view);
    box->setFont(font);

    const double s = IGSQUARERATE;
    const QString qss = QStringLiteral(
        "QComboBox{color: white; background-color:rgb(50,50,50); border: %1px solid black; border-radius: %3px;"
        " padding: %1px %2px %1px %2px; height: %5px;}"
        "QComboBox QAbstractItemView{border:none;}"
        "QComboBox QAbstractItemView::item{border:none; height: %6px; color:white; background-color:rgb(50,50,50);}"
        "QComboBox::drop-down{subcontrol-origin: padding; subcontrol-position: top right; width: %4px;"
        " border-left-width: %1px; border-left-color: darkgray; border-left-style: solid;"
        " border-top-right-radius: %3px; border-bottom-right-radius: %3px;}"
        "QComboBox::down-arrow{width: %7px; height: %7px; image: url(:/ui/ui/downArrow.svg);}");
    box->setStyleSheet(qss.arg(s).arg(2 * s).arg(3 * s).arg(30 * s).arg(height * s).arg(itemHeight * s).arg(20 * s));
    return box;
}

QScreen* windowScreen(const QWidget* owner)
{
    const QWidget* window = owner ? owner->window() : nullptr;
    QScreen* screen = window ? QGuiApplication::screenAt(window->frameGeometry().center()) : nullptr;
    if (!screen && window)
        screen = window->screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

void placeOnWindowScreen(QWidget* window, const QPoint& topLeft, const QWidget* owner)
{
    const QScreen* screen = windowScreen(owner);
    window->move(keptInside(topLeft, window->frameGeometry().size(), screen ? screen->availableGeometry() : QRect()));
}

void centreOnWindow(QWidget* dialog, const QWidget* owner)
{
    if (!dialog)
        return;
    // The size the dialog will show with: Qt may have left it at another screen's scale,
    // and its layout may still have to grow it.
    restoreOwnSize(dialog);
    dialog->ensurePolished();
    if (QLayout* layout = dialog->layout())
        layout->activate();
    const QWidget* window = owner ? owner->window() : nullptr;
    if (window && !window->isVisible())
        window = nullptr;
    const QRect outer = window ? window->frameGeometry() : QRect();
    QScreen* screen = window ? windowScreen(window) : QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    dialog->move(centredIn(window ? outer : area, dialog->frameGeometry().size(), area));
}
