#include "board/model/imodebase.h"

#include <QPixmap>

#include "board/iboard.h"

IModeBase::IModeBase(IBoard* board) : m_board(board)
{
}

IModeBase::~IModeBase()
{
    delete m_eventHandle;
}

IBoardState* IModeBase::state() const
{
    return m_board ? m_board->boardState() : nullptr;
}

void IModeBase::setAttachBoard(IBoard* board)
{
    m_board = board;
}

QCursor IModeBase::cursor() const
{
    return m_cursor;
}

void IModeBase::setCursor(const QCursor& cursor)
{
    m_cursor = cursor;
}

void IModeBase::setCursor(const QString& file, int hotX, int hotY)
{
    QPixmap pixmap;
    if (pixmap.load(file))
        m_cursor = QCursor(pixmap, hotX, hotY);
}

void IModeBase::switchOn()
{
}

void IModeBase::switchOff()
{
}

ISlide* IModeBase::currentSlide() const
{
    return m_board ? m_board->currentSlide() : nullptr;
}

void IModeBase::setEventHandle(IModeEventHandle* handle)
{
    if (handle == m_eventHandle)
        return;
    delete m_eventHandle;
    m_eventHandle = handle;
}

IMode::IMode(IBoard* board) : IModeBase(board)
{
}

void IMode::deviceDown(IDeviceEventArgs* args)
{
    if (!args || m_deviceIds.contains(args->id()))
        return;
    m_deviceIds.append(args->id());
    if (m_eventHandle)
        emit m_eventHandle->sgDevicePressed(args);
}

void IMode::deviceMove(IDeviceEventArgs* args)
{
    if (!args || !m_deviceIds.contains(args->id()))
        return;
    if (m_eventHandle)
        emit m_eventHandle->sgDeviceMoved(args);
}

void IMode::deviceUp(IDeviceEventArgs* args)
{
    if (!args || !m_deviceIds.contains(args->id()))
        return;
    m_deviceIds.removeAll(args->id());
    if (m_eventHandle)
        emit m_eventHandle->sgDeviceReleased(args);
}

void IMode::switchOn()
{
}

void IMode::switchOff()
{
    m_deviceIds.clear();
}
