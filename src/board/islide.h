#ifndef ISLIDE_H
#define ISLIDE_H

#include <functional>

#include <QGraphicsScene>
#include <QList>
#include <QMatrix>

class IBoard;
class IElement;
class ISceneElementFrame;

// A board page: a scene with its list of elements. The page owns what is added to it.
class ISlide : public QGraphicsScene
{
    Q_OBJECT
public:
    // Builds a page's scene frame (the text frame) for a board, which may be null.
    using SceneFrameFactory = std::function<ISceneElementFrame*(IBoard*)>;
    // Set once by the code that provides the text frame. Without it pages have no
    // scene frame and sceneElementFrame() answers null.
    static void setSceneFrameFactory(SceneFrameFactory factory);
    static ISceneElementFrame* createSceneFrame(IBoard* board);

    explicit ISlide(QObject* parent = nullptr);
    ~ISlide() override;

    QString id() const { return m_id; }
    const QList<IElement*>& elements() const { return m_elements; }
    double currentLayer() const { return m_currentLayer; }
    double scaleFactor() const { return m_scaleFactor; }
    void setScaleFactor(double factor) { m_scaleFactor = factor; }
    QMatrix matrix() const { return m_matrix; }
    void setMatrix(const QMatrix& matrix) { m_matrix = matrix; }

    // Stacks the element 0.01 above its own layer, in insertion order, and takes it over.
    virtual void add(IElement* element, bool quiet);
    // Takes an unlocked element off the page without deleting it: the caller owns it again.
    virtual void remove(IElement* element, bool quiet);
    // Deletes the page's path and text elements.
    virtual void clearPathItems();

    // Created on first use while the page is shown by a view; null otherwise.
    ISceneElementFrame* sceneElementFrame();
    // The frame as it is, never creating one.
    ISceneElementFrame* existingSceneElementFrame() const { return m_sceneFrame; }
    void setSceneElementFrame(ISceneElementFrame* frame);

signals:
    void sgElementsAddedEvent(const QString& slideId, const QList<IElement*>& elements);
    void sgElementsRemovedEvent(const QString& slideId, const QList<IElement*>& elements);
    void sgSlideChangedEvent();
    // Every time elements leave the page, quiet or not, before anyone may delete them.
    void sgElementsTakenOff(const QList<IElement*>& elements);

private:
    void recomputeLayer();

    QString m_id;
    QList<IElement*> m_elements;
    double m_currentLayer = 0.0;
    double m_scaleFactor = 1.0;
    QMatrix m_matrix;
    ISceneElementFrame* m_sceneFrame = nullptr;
};

#endif
