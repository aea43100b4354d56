#include "ilivepicturewatch.h"

#include <QApplication>
#include <QDebug>
#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include "ffmpeg/iffmpegapi.h"

IWindowCoverThread::IWindowCoverThread()
    : m_wakeFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

IWindowCoverThread::~IWindowCoverThread()
{
    m_stop = true;
    wake();
    wait();
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

void IWindowCoverThread::watch(quintptr window)
{
    m_window = window;
    wake();
}

void IWindowCoverThread::wake()
{
    const quint64 one = 1;
    if (m_wakeFd >= 0 && ::write(m_wakeFd, &one, sizeof one) < 0)
        qDebug() << Q_FUNC_INFO << "cannot wake the cover watch";
}

void IWindowCoverThread::run()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        qDebug() << Q_FUNC_INFO << "no X connection: covered windows are not noticed";
        xcb_disconnect(connection);
        return;
    }
    quintptr selected = 0;
    while (!m_stop) {
        const quintptr window = m_window;
        if (window != selected) {
            const quint32 mask = XCB_EVENT_MASK_VISIBILITY_CHANGE;
            xcb_change_window_attributes(connection, xcb_window_t(window), XCB_CW_EVENT_MASK, &mask);
            xcb_flush(connection);
            selected = window;
        }
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7f) == XCB_VISIBILITY_NOTIFY) {
                const auto* notice = reinterpret_cast<const xcb_visibility_notify_event_t*>(event);
                emit coveredChanged(notice->window, notice->state == XCB_VISIBILITY_FULLY_OBSCURED);
            }
            free(event);
        }
        if (xcb_connection_has_error(connection))
            break;
        pollfd fds[2] = {{xcb_get_file_descriptor(connection), POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR)
            break;
        quint64 count = 0;
        if ((fds[1].revents & POLLIN) && ::read(m_wakeFd, &count, sizeof count) < 0)
            break;
    }
    xcb_disconnect(connection);
}

ILivePictureWatch::ILivePictureWatch(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    window->installEventFilter(this);
    IFFmpegApi* recorder = IFFmpegApi::instance();
    connect(recorder, &IFFmpegApi::recordMessage, this, &ILivePictureWatch::update);
    connect(recorder, &IFFmpegApi::sgRecordVideo, this, &ILivePictureWatch::update);
}

ILivePictureWatch::~ILivePictureWatch()
{
    delete m_cover;
}

bool ILivePictureWatch::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Show:
        if (watched == m_window && m_window->windowHandle() != m_native) {
            if (m_native)
                m_native->removeEventFilter(this);
            m_native = m_window->windowHandle();
            if (m_native) {
                m_native->installEventFilter(this);
                m_obscured = false;
                watchCover();
            }
        }
        Q_FALLTHROUGH();
    case QEvent::Hide:
    case QEvent::WindowStateChange:
    case QEvent::Expose:
        // After the event is handled: the window's state is then the new one.
        QMetaObject::invokeMethod(this, &ILivePictureWatch::update, Qt::QueuedConnection);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void ILivePictureWatch::watchCover()
{
    // Only an X server without a compositor tells a window it is covered.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    if (!m_cover) {
        m_cover = new IWindowCoverThread;
        connect(m_cover, &IWindowCoverThread::coveredChanged, this, [this](uint window, bool covered) {
            if (m_native && window == m_native->winId()) {
                m_obscured = covered;
                update();
            }
        });
        m_cover->start();
    }
    m_cover->watch(m_native->winId());
}

// The program's own panels and the recording frame lie over the window too; the server
// does not say who covers it, so a window of ours over it keeps the picture going.
bool ILivePictureWatch::coveredByOwnWindow() const
{
    const QRect area = m_window->frameGeometry();
    for (QWidget* other : QApplication::topLevelWidgets()) {
        if (other != m_window && other->isVisible() && other->frameGeometry().intersects(area))
            return true;
    }
    return false;
}

void ILivePictureWatch::update()
{
    const bool exposed = m_native && m_native->isExposed();
    if (exposed)
        m_shown = true;
    const bool looked = !m_shown
        || (m_window->isVisible() && !m_window->isMinimized() && exposed
            && (!m_obscured || coveredByOwnWindow()));
    const IFFmpegApi* recorder = IFFmpegApi::instance();
    const bool seen = looked || recorder->isRecording() || recorder->isStarting();
    if (seen == m_seen)
        return;
    m_seen = seen;
    qDebug() << "camera picture" << (seen ? "seen: decoding" : "not seen: not decoding");
    emit seenChanged(seen);
}
