#include "customui/ifullscreencamera.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTransform>

IFullScreenCamera::IFullScreenCamera(QWidget* parent)
    : QLabel(parent)
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
}

void IFullScreenCamera::setBoardRenderImg(const QImage& image)
{
    m_boardRender = image;
}

void IFullScreenCamera::setPixmapx(const QImage& picture, const double& angle)
{
    QTransform turn;
    turn.rotate(angle, Qt::ZAxis);
    QImage shown = picture.transformed(turn, Qt::FastTransformation);
    if (!m_boardRender.isNull() && !shown.isNull()) {
        // Filtered pictures come as grey or one-bit pictures, which cannot be painted on.
        switch (shown.format()) {
        case QImage::Format_Indexed8:
        case QImage::Format_Mono:
        case QImage::Format_MonoLSB:
            shown = shown.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            break;
        default:
            break;
        }
        QPainter painter(&shown);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawImage(0, 0, m_boardRender);
    }
    setPixmap(QPixmap::fromImage(shown));
}

void IFullScreenCamera::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setVisible(false);
    emit sgShutDown();
}
