#ifndef IFRAMEMAILBOX_H
#define IFRAMEMAILBOX_H

#include <QImage>
#include <QMutex>
#include <QSize>
#include <QMutexLocker>

#include "ishownframe.h"

// Hands the newest picture from a capture thread to the GUI thread: one waits at most
// and a newer one replaces it, so a GUI thread that lags skips pictures instead of
// queueing them (and their memory).
class IFrameMailbox
{
public:
    // True when the box was empty: the caller then tells the taker once. fullSize and
    // shown go with the picture (see ICameraBackend::sgCameraFrame).
    bool put(const QImage& image, const QSize& fullSize = QSize(), const IShownFrame& shown = IShownFrame())
    {
        QMutexLocker lock(&m_mutex);
        const bool wasEmpty = !m_full;
        m_image = image;
        m_fullSize = fullSize;
        m_shown = shown;
        m_full = true;
        return wasEmpty;
    }
    // False when nothing waits.
    bool take(QImage* image, QSize* fullSize = nullptr, IShownFrame* shown = nullptr)
    {
        QMutexLocker lock(&m_mutex);
        if (!m_full)
            return false;
        *image = std::move(m_image);
        m_image = QImage();
        if (fullSize)
            *fullSize = m_fullSize;
        if (shown)
            *shown = m_shown;
        m_shown = IShownFrame();
        m_full = false;
        return true;
    }

private:
    QMutex m_mutex;
    QImage m_image;
    QSize m_fullSize;
    IShownFrame m_shown;
    bool m_full = false;
};

#endif
