#include "board/islide.h"

#include <QGraphicsView>
#include <QSet>

#include "board/iboard.h"
#include "board/item/iabstractframe.h"
#include "board/item/ielement.h"

namespace {

ISlide::SceneFrameFactory& sceneFrameFactory()
{
    static ISlide::SceneFrameFactory factory;
    return factory;
}

constexpr int TextElementType = QGraphicsItem::UserType + 11;
constexpr int PathElementType = QGraphicsItem::UserType + 15;

} // namespace

void ISlide::setSceneFrameFactory(SceneFrameFactory factory)
{
    sceneFrameFactory() = std::move(factory);
}

ISceneElementFrame* ISlide::createSceneFrame(IBoard* board)
{
    const SceneFrameFactory& factory = sceneFrameFactory();
    return factory ? factory(board) : nullptr;
}

ISlide::ISlide(QObject* parent) : QGraphicsScene(parent), m_id(createUuidString())
{
    static const int listType = qRegisterMetaType<QList<IElement*>>("QList<IElement*>");
    Q_UNUSED(listType)
}

ISlide::~ISlide() = default;

void ISlide::add(IElement* element, bool quiet)
{
    QGraphicsItem* item = elementItem(element);
    if (!item)
        return;
    // Each element stacks just above its own layer; equal layers keep insertion order.
    const double layer = element->getLayer() + 0.01;
    element->setLayer(layer);
    item->setZValue(layer);
    m_currentLayer = layer;
    // Adding twice must not list the element twice: it would be deleted twice.
    if (!m_elements.contains(element))
        m_elements.append(element);
    if (item->scene() != this) {
        if (item->scene())
            item->scene()->removeItem(item);
        addItem(item);
    }
    if (!quiet)
        emit sgElementsAddedEvent(m_id, {element});
    emit sgSlideChangedEvent();
}

void ISlide::remove(IElement* element, bool quiet)
{
    QGraphicsItem* item = elementItem(element);
    if (!item || element->isLocked())
        return;
    m_elements.removeAll(element);
    if (item->scene() == this)
        removeItem(item);
    recomputeLayer();
    emit sgElementsTakenOff({element});
    if (!quiet)
        emit sgElementsRemovedEvent(m_id, {element});
    emit sgSlideChangedEvent();
}

void ISlide::clearPathItems()
{
    QList<IElement*> taken;
    for (IElement* element : qAsConst(m_elements)) {
        QGraphicsItem* item = elementItem(element);
        if (item && (item->type() == PathElementType || item->type() == TextElementType))
            taken.append(element);
    }
    if (taken.isEmpty())
        return;
    for (IElement* element : qAsConst(taken)) {
        m_elements.removeAll(element);
        QGraphicsItem* item = elementItem(element);
        if (item->scene() == this)
            removeItem(item);
    }
    recomputeLayer();
    // Listeners drop their pointers before the elements go.
    emit sgElementsTakenOff(taken);
    emit sgElementsRemovedEvent(m_id, taken);
    emit sgSlideChangedEvent();
    qDeleteAll(taken);
}

void ISlide::recomputeLayer()
{
    if (m_elements.isEmpty()) {
        m_currentLayer = 0.0;
        return;
    }
    double highest = m_elements.first()->getLayer();
    for (IElement* element : qAsConst(m_elements))
        highest = qMax(highest, element->getLayer());
    m_currentLayer = static_cast<double>(static_cast<long long>(highest));
}

ISceneElementFrame* ISlide::sceneElementFrame()
{
    if (m_sceneFrame)
        return m_sceneFrame;
    const QList<QGraphicsView*> shownBy = views();
    if (shownBy.isEmpty())
        return nullptr;
    ISceneElementFrame* frame = createSceneFrame(qobject_cast<IBoard*>(shownBy.first()));
    if (frame)
        setSceneElementFrame(frame);
    return m_sceneFrame;
}

void ISlide::setSceneElementFrame(ISceneElementFrame* frame)
{
    if (frame == m_sceneFrame)
        return;
    m_sceneFrame = frame;
    if (!frame)
        return;
    QGraphicsItem* item = dynamic_cast<QGraphicsItem*>(frame);
    if (item && item->scene() != this)
        addItem(item);
    frame->showFrame(false);
}
