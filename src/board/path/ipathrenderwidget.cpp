#include "board/path/ipathrenderwidget.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include "board/iboard.h"
#include "board/iimageutils.h"
#include "board/islide.h"
#include "board/model/ideviceargs.h"

namespace {

// Margin on each side of the ink that the covered region keeps.
constexpr double CoverMargin = 10.0;

} // namespace

IPathRenderWidget::IPathRenderWidget(IBoard* board, QGraphicsItem* parent)
    : QGraphicsRectItem(parent), m_board(board)
{
    // exposedRect lets paint() copy only the part of the image that changed.
    setFlag(QGraphicsItem::ItemUsesExtendedStyleOption, true);
}

IPathRenderWidget::~IPathRenderWidget()
{
    if (m_onDestroyed)
        m_onDestroyed();
}

QPointF IPathRenderWidget::scenePoint(const IDeviceEventArgs* args) const
{
    return m_board->convertToScenePointFromSlidePoint(args->position());
}

void IPathRenderWidget::setFrameVisible(const bool& visible)
{
    if (visible) {
        if (m_firstShow) {
            ISlide* slide = m_board->currentSlide();
            if (!slide)
                return;
            m_firstShow = false;
            // Premultiplied: the antialiased fill of every segment is the hot path.
            m_image = QImage(m_board->size(), QImage::Format_ARGB32_Premultiplied);
            m_image.fill(Qt::transparent);
            slide->addItem(this);
            setRect(0, 0, m_image.width(), m_image.height());
        }
        m_covered = QRegion();
        setOpacity(m_board->boardState()->inkOpacity / 255.0);
    } else if (!m_image.isNull()) {
        m_image.fill(Qt::transparent);
    }
    update();
    setVisible(visible);
}

void IPathRenderWidget::addMousePressed(const IDeviceEventArgs* args)
{
    m_lastPoint = scenePoint(args);
    drawPolygon(m_lastPoint, m_lastPoint);
}

void IPathRenderWidget::addMouseMove(const IDeviceEventArgs* args)
{
    const QPointF p = scenePoint(args);
    drawPolygon(m_lastPoint, p);
    m_lastPoint = p;
}

void IPathRenderWidget::addMouseRelease(const IDeviceEventArgs* args)
{
    addMouseMove(args);
}

void IPathRenderWidget::drawPolygon(QPointF p1, QPointF p2)
{
    const IBoardState* state = m_board->boardState();
    const double w = state->inkThickness;
    const QLineF segment(p1, p2);
    const QPolygonF capsule = Q_LINE_TO_POLYGON(segment, w);
    if (!m_image.isNull()) {
        QPainter painter(&m_image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QBrush(state->inkColor, Qt::SolidPattern));
        painter.drawPolygon(capsule, Qt::OddEvenFill);
    }
    // Only the new segment's area is repainted.
    update(capsule.boundingRect());
    m_covered += QRegion(Q_LINE_TO_POLYGON(segment, w + CoverMargin).toPolygon(), Qt::OddEvenFill);
}

void IPathRenderWidget::paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
                              QWidget*)
{
    painter->setRenderHint(QPainter::Antialiasing, true);
    // Whole pixels, so the copied area lines up with the rest of the image.
    const QRect exposed = option ? option->exposedRect.toAlignedRect().intersected(m_image.rect())
                                 : m_image.rect();
    if (!exposed.isEmpty())
        painter->drawImage(exposed.topLeft(), m_image, exposed);
}
