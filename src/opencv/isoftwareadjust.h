#ifndef ISOFTWAREADJUST_H
#define ISOFTWAREADJUST_H

#include <opencv2/core.hpp>

// The picture adjustments made in software on the platform capture path, for cameras
// without the matching hardware control. Values are 0..100; brightness, contrast and
// saturation are neutral at 50, sharpness at 0.
struct SoftwareAdjustments
{
    int brightness = 50;
    int contrast = 50;
    int saturation = 50;
    int sharpness = 0;

    bool isNeutral() const { return brightness == 50 && contrast == 50 && saturation == 50 && sharpness == 0; }
    // Adjusts an 8-bit BGR or BGRA frame in place; alpha is left alone.
    void apply(cv::Mat& frame) const;
};

#endif
