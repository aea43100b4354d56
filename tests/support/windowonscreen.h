#ifndef WINDOWONSCREEN_H
#define WINDOWONSCREEN_H

#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QWidget>
#include <QWindow>

// Empty when window, a top-level window, stands wholly on screen and Qt draws it there
// at that screen's scale; else what is wrong, window named what.
inline QString offScreenOrScale(const QString& what, QWidget& window, const QScreen* screen)
{
    const QRect r = window.frameGeometry();
    const QWindow* handle = window.windowHandle();
    const QScreen* drawnOn = handle ? handle->screen() : nullptr;
    const QString said = QStringLiteral("%1 at %2,%3 %4x%5 on screen %6 at ratio %7")
                             .arg(what)
                             .arg(r.x())
                             .arg(r.y())
                             .arg(r.width())
                             .arg(r.height())
                             .arg(QGuiApplication::screens().indexOf(const_cast<QScreen*>(drawnOn)) + 1)
                             .arg(drawnOn ? drawnOn->devicePixelRatio() : 0.0);
    if (!screen->geometry().contains(r))
        return said + QStringLiteral(": not wholly on screen %1").arg(QGuiApplication::screens().indexOf(const_cast<QScreen*>(screen)) + 1);
    if (drawnOn != screen)
        return said + QStringLiteral(": taken for one on another screen");
    const QSize device = window.grab().size();
    if (device != window.size() * screen->devicePixelRatio())
        return said + QStringLiteral(": drawn %1x%2 on a screen of ratio %3")
                          .arg(device.width())
                          .arg(device.height())
                          .arg(screen->devicePixelRatio());
    return QString();
}

#endif
