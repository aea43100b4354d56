#include "customui/iviewerhelper.h"

#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QWidget>

#include "customui/iimglistwidget.h"
#include "customui/iuihelper.h"
#include "iglobal.h"
#include "mainframe.h"

namespace {
const char* const CLOSE_BUTTON_NAME = "viewerClose";
}

namespace IViewerLayout {

QRect availableUnderCursor()
{
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
}

QSize viewerSize(const QSize& area)
{
    const double s = IGSQUARERATE;
    const int w = static_cast<int>(area.width() - 200 * s - 60 * s) / 2;
    const int h = static_cast<int>(area.height() - 40 * s - 100 * s);
    return QSize(qMax(1, w), qMax(1, h));
}

QPoint viewerPosition(const QWidget* parent)
{
    const double s = IGSQUARERATE;
    const int title = parent && !parent->isFullScreen() ? parent->style()->pixelMetric(QStyle::PM_TitleBarHeight) : 0;
    // On the main window's screen, whichever monitor the pointer is on.
    const QScreen* screen = parent ? windowScreen(parent) : nullptr;
    const QRect area = screen ? screen->availableGeometry() : availableUnderCursor();
    return QPoint(static_cast<int>(area.left() + 200 * s), static_cast<int>(area.top() + 40 * s + title));
}

QToolButton* createCloseButton(QWidget* viewer)
{
    const double s = IGSQUARERATE;
    auto* close = new QToolButton(viewer);
    close->setStyleSheet(QStringLiteral("border:none;background-color:transparent"));
    close->setToolButtonStyle(Qt::ToolButtonIconOnly);
    close->setIcon(QIcon(QStringLiteral(":/root/root/tsclose.svg")));
    const int icon = static_cast<int>(60 * s);
    close->setIconSize(QSize(icon, icon));
    const int side = static_cast<int>(62 * s);
    close->setFixedSize(side, side);
    close->setObjectName(QLatin1String(CLOSE_BUTTON_NAME));
    placeCloseButton(viewer);
    QObject::connect(close, &QToolButton::clicked, viewer, &QWidget::close, Qt::DirectConnection);
    return close;
}

void placeCloseButton(QWidget* viewer)
{
    auto* close = viewer->findChild<QToolButton*>(QLatin1String(CLOSE_BUTTON_NAME), Qt::FindDirectChildrenOnly);
    if (!close)
        return;
    const double s = IGSQUARERATE;
    close->move(static_cast<int>(viewer->width() - close->width() - 20 * s), static_cast<int>(20 * s));
}

QString lastMarkedPicture(MainFrame* frame)
{
    if (!frame || !frame->m_imgListWidget)
        return QString();
    const QStringList marked = frame->m_imgListWidget->getAllThumbnailPath(true);
    return marked.isEmpty() ? QString() : marked.last();
}

}
