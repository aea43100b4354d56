#ifndef ICAMERAPARAMETER_H
#define ICAMERAPARAMETER_H

#include <QByteArray>
#include <QMetaType>
#include <QVariant>

// One picture control's range and value. Every field starts as the double 0.0.
struct ParameterData
{
    QVariant minimum = 0.0;
    QVariant maximum = 0.0;
    QVariant defaultValue = 0.0;
    QVariant currentValue = 0.0;
};

// The five picture controls of a camera, in the order the panels use them.
struct CameraParameterData
{
    ParameterData contrast;
    ParameterData saturation;
    ParameterData brightness;
    ParameterData exposure;
    ParameterData focus;
};
Q_DECLARE_METATYPE(CameraParameterData)

// The Wi-Fi camera's image-quality settings as the bytes sent on the control link;
// the command's payload is the fields joined in this order.
struct ImageQualityBlock
{
    QByteArray brightness;
    QByteArray saturation;
    QByteArray contrast;
    QByteArray definition;
    QByteArray antiflash;
    QByteArray exposure;
    QByteArray focus;
    QByteArray reserve;

    QByteArray payload() const
    {
        return brightness + saturation + contrast + definition + antiflash + exposure + focus + reserve;
    }
};

// The Wi-Fi camera's encoder settings, joined in this order into the encode payload.
struct EncodeParamBlock
{
    QByteArray RateCtrl;
    QByteArray IDR;
    QByteArray FrameRate;
    QByteArray ResIndex;
    QByteArray BitRate;

    QByteArray payload() const { return RateCtrl + IDR + FrameRate + ResIndex + BitRate; }
};

#endif
