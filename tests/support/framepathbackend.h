#ifndef FRAMEPATHBACKEND_H
#define FRAMEPATHBACKEND_H

#include "icamerabackend.h"

// The device back ends' shared frame path, without a device behind it.
class FramePathBackend : public IDeviceCameraThread
{
public:
    QList<QSizeF> supportResolution() const override { return {}; }
    void setContrast(const QVariant&) override {}
    void setSaturation(const QVariant&) override {}
    void setBrightness(const QVariant&) override {}
    bool setCaptureFalg(ImageType) override { return false; }
    void setAutoFocusFlag(const QVariant&) override {}
    void setAutoExposureFlag(const QVariant&) override {}
    using IDeviceCameraThread::publishFrame;
};

#endif
