#include "board/path/ipencilpathmode.h"

#include <QGraphicsScene>
#include <QImage>
#include <QPixmap>

#include "board/iboard.h"
#include "board/iimageutils.h"
#include "board/islide.h"
#include "board/path/ipathrenderwidget.h"
#include "board/path/ipencilpathelement.h"

IPencilPathMode::IPencilPathMode(IBoard* board) : IInkBaseMode(board)
{
    ensureOverlay()->setFrameVisible(false);
}

IPencilPathMode::~IPencilPathMode()
{
    // The overlay sits on a page once shown, but the mode is its one owner.
    if (!m_overlay)
        return;
    m_overlay->setDestroyedHandler(nullptr);
    if (QGraphicsScene* scene = m_overlay->scene())
        scene->removeItem(m_overlay);
    delete m_overlay;
}

IPathRenderWidget* IPencilPathMode::ensureOverlay()
{
    if (!m_overlay) {
        m_overlay = new IPathRenderWidget(m_board, nullptr);
        // A page deletes its items when it goes; then the mode builds a new overlay.
        m_overlay->setDestroyedHandler([this] { m_overlay = nullptr; });
    }
    return m_overlay;
}

QPointF IPencilPathMode::scenePoint(const IDeviceEventArgs* args) const
{
    return m_board->convertToScenePointFromSlidePoint(args->position());
}

void IPencilPathMode::deviceDown(IDeviceEventArgs* args)
{
    if (!args || !m_board)
        return;
    IMode::deviceDown(args);
    setPressFlag(false);
    m_board->boardState()->setTouchingBoard(true);
    const QPointF p = scenePoint(args);
    if (m_strokes.contains(args->id()))
        return;
    m_strokes.insert(args->id(), QVector<QPointF>{p});
    IPathRenderWidget* overlay = ensureOverlay();
    overlay->setFrameVisible(true);
    overlay->addMousePressed(args);
}

void IPencilPathMode::deviceMove(IDeviceEventArgs* args)
{
    if (!args || !m_strokes.contains(args->id()))
        return;
    IMode::deviceMove(args);
    m_board->boardState()->setTouchingBoard(true);
    m_strokes[args->id()].append(scenePoint(args));
    ensureOverlay()->addMouseMove(args);
}

void IPencilPathMode::deviceUp(IDeviceEventArgs* args)
{
    if (!args || !m_strokes.contains(args->id()))
        return;
    IMode::deviceUp(args);
    m_board->boardState()->setTouchingBoard(true);
    m_strokes[args->id()].append(scenePoint(args));
    IPathRenderWidget* overlay = ensureOverlay();
    overlay->addMouseRelease(args);
    overlay->setFrameVisible(false);
    finishStroke(args->id());
}

void IPencilPathMode::finishStroke(int id)
{
    const QVector<QPointF> points = m_strokes.take(id);
    IPencilPathElement* element = createElement();
    if (!element)
        return;
    element->setSourceRegion(ensureOverlay()->dirtyRegion());
    element->addDrawPoints(points);
}

IPencilPathElement* IPencilPathMode::createElement()
{
    ISlide* slide = currentSlide();
    if (!slide)
        return nullptr;
    const IBoardState* ink = m_board->boardState();
    auto* element = new IPencilPathElement(nullptr);
    element->setVisible(true);
    element->setAlpha(ink->inkOpacity);
    element->setColor(ink->inkColor);
    element->setThickness(static_cast<int>(ink->inkThickness));
    slide->add(element, false);
    return element;
}

void IPencilPathMode::switchOn()
{
    IInkBaseMode::switchOn();
    if (!m_board)
        return;
    QImage pencil;
    if (!pencil.load(QStringLiteral(":/cursors/cursors/pencil_red.png")))
        return;
    const QImage tinted =
        IImageUtils::adjustHue(pencil, QColor(Qt::red), m_board->boardState()->inkColor, 40);
    m_cursor = QCursor(QPixmap::fromImage(tinted), 4, 16);
    m_board->setCursor(m_cursor);
}

void IPencilPathMode::switchOff()
{
    // A switch in the middle of a stroke ends it: the overlay goes, the ink stays.
    if (!m_strokes.isEmpty()) {
        if (m_overlay)
            m_overlay->setFrameVisible(false);
        const QList<int> ids = m_strokes.keys();
        for (int id : ids)
            finishStroke(id);
    }
    IInkBaseMode::switchOff();
}
