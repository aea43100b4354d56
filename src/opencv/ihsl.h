#ifndef IHSL_H
#define IHSL_H

#include <opencv2/core.hpp>

namespace cv {

// Hue, saturation and lightness adjuster for 3- or 4-channel BGR(A) pictures.
// hue in degrees (-180..180), saturation and lightness in percent (-100..100);
// all zero leaves the picture unchanged.
class HSL
{
public:
    int hue = 0;
    int saturation = 0;
    int lightness = 0;

    bool isNeutral() const { return hue == 0 && saturation == 0 && lightness == 0; }
    // Adjusts src into dst (they may be the same matrix). Returns 0, or -1 for a
    // picture of another type.
    int adjust(const Mat& src, Mat& dst) const;
};

} // namespace cv

#endif
