#ifndef IDEVICEARGS_H
#define IDEVICEARGS_H

#include <memory>

#include <QInputEvent>
#include <QMetaType>
#include <QPoint>
#include <QPointF>

// A point of the board view, in doubles.
struct ISlidePoint
{
    double x = 0.0;
    double y = 0.0;

    ISlidePoint() = default;
    ISlidePoint(double px, double py) : x(px), y(py) {}
    explicit ISlidePoint(const QPointF& p) : x(p.x()), y(p.y()) {}

    QPoint toPoint() const { return QPoint(qRound(x), qRound(y)); }
    QPointF toPointF(double dx = 0.0, double dy = 0.0) const { return QPointF(x + dx, y + dy); }
};

// Where and by which device a pointer acted.
class IDeviceArgs
{
public:
    // Mouse input (and touch that Qt turns into mouse events) carries this one id.
    static constexpr int MouseDeviceId = 0;

    IDeviceArgs(const ISlidePoint& pos, bool touch, int id) : m_pos(pos), m_touch(touch), m_id(id) {}
    virtual ~IDeviceArgs() = default;

    const ISlidePoint& position() const { return m_pos; }
    bool isTouch() const { return m_touch; }
    int id() const { return m_id; }

private:
    ISlidePoint m_pos;
    bool m_touch;
    int m_id;
};

// One input event handed to a mode, with its own copy of the Qt event.
class IDeviceEventArgs : public IDeviceArgs
{
public:
    IDeviceEventArgs(const QMouseEvent& event, const ISlidePoint& pos, bool touch, int id)
        : IDeviceArgs(pos, touch, id), m_event(new QMouseEvent(event))
    {
    }

    const QInputEvent* event() const { return m_event.get(); }
    const QMouseEvent* mouseEvent() const { return static_cast<const QMouseEvent*>(m_event.get()); }

private:
    std::unique_ptr<QInputEvent> m_event;
};

Q_DECLARE_METATYPE(IDeviceEventArgs*)

#endif
