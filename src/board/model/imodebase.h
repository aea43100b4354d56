#ifndef IMODEBASE_H
#define IMODEBASE_H

#include <QCursor>
#include <QList>
#include <QObject>
#include <QString>

#include "board/iboardenum.h"
#include "board/model/ideviceargs.h"

class IBoard;
class IBoardState;
class ISlide;

// Announces a mode's pointer steps to whoever listens.
class IModeEventHandle : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void sgDevicePressed(IDeviceEventArgs* args);
    void sgDeviceMoved(IDeviceEventArgs* args);
    void sgDeviceReleased(IDeviceEventArgs* args);
};

// Root of the board's interaction modes.
class IModeBase
{
public:
    explicit IModeBase(IBoard* board = nullptr);
    virtual ~IModeBase();

    IModeBase(const IModeBase&) = delete;
    IModeBase& operator=(const IModeBase&) = delete;

    // The attached board's drawing state (null without a board).
    virtual IBoardState* state() const;
    virtual void setAttachBoard(IBoard* board);
    virtual void deviceDown(IDeviceEventArgs* args) = 0;
    virtual void deviceMove(IDeviceEventArgs* args) = 0;
    virtual void deviceUp(IDeviceEventArgs* args) = 0;
    virtual QCursor cursor() const;
    virtual void setCursor(const QCursor& cursor);
    // Loads the image as the mode's cursor; a missing file leaves the cursor as it was.
    virtual void setCursor(const QString& file, int hotX, int hotY);
    virtual void switchOn();
    virtual void switchOff();

    IBoard* board() const { return m_board; }
    // The attached board's current page.
    ISlide* currentSlide() const;

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }
    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    // Cleared by the modes on every press.
    bool pressFlag() const { return m_pressFlag; }
    void setPressFlag(bool on) { m_pressFlag = on; }
    IModeEventHandle* eventHandle() const { return m_eventHandle; }
    // The mode owns the handle.
    void setEventHandle(IModeEventHandle* handle);

protected:
    IBoard* m_board = nullptr;
    bool m_enabled = true;
    QCursor m_cursor;
    QString m_name = QStringLiteral("_unknonw_");
    bool m_pressFlag = false;
    IModeEventHandle* m_eventHandle = nullptr;
};

// A mode that tracks which pointer ids are down.
class IMode : public IModeBase
{
public:
    explicit IMode(IBoard* board);

    void deviceDown(IDeviceEventArgs* args) override;
    void deviceMove(IDeviceEventArgs* args) override;
    void deviceUp(IDeviceEventArgs* args) override;
    void switchOn() override;
    void switchOff() override;

    const QList<int>& deviceIds() const { return m_deviceIds; }

protected:
    QList<int> m_deviceIds;
};

// Modes that serve several figure kinds; the registry tells them the kind before
// switching them on.
class IFigureTypedMode
{
public:
    virtual ~IFigureTypedMode() = default;
    virtual void setFigureType(TX_IBOARD_ENUM::FigureType type) = 0;
};

#endif
