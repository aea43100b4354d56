#include "opencv/isoftwareadjust.h"

#include <opencv2/imgproc.hpp>

#include "opencv/ihsl.h"

void SoftwareAdjustments::apply(cv::Mat& frame) const
{
    if (isNeutral() || frame.empty() || frame.depth() != CV_8U || frame.channels() < 3)
        return;

    if (brightness != 50 || contrast != 50) {
        // One table for both: contrast scales around mid-grey (0..2x), brightness shifts
        // by up to half the range either way.
        const double gain = contrast / 50.0;
        const double offset = (brightness - 50) * 255.0 / 100.0;
        cv::Mat lut(1, 256, CV_8UC(frame.channels()));
        for (int i = 0; i < 256; ++i) {
            const uchar v = cv::saturate_cast<uchar>((i - 128) * gain + 128 + offset);
            uchar* cell = lut.ptr<uchar>(0) + i * frame.channels();
            cell[0] = cell[1] = cell[2] = v;
            if (frame.channels() == 4)
                cell[3] = uchar(i);
        }
        cv::LUT(frame, lut, frame);
    }

    if (saturation != 50) {
        cv::HSL hsl;
        hsl.saturation = (saturation - 50) * 2;
        hsl.adjust(frame, frame);
    }

    if (sharpness > 0) {
        // Unsharp mask: the frame plus a share of its difference from a blurred copy.
        const double amount = sharpness / 50.0;
        cv::Mat blurred;
        cv::GaussianBlur(frame, blurred, cv::Size(0, 0), 1.5);
        cv::Mat sharpened;
        cv::addWeighted(frame, 1.0 + amount, blurred, -amount, 0, sharpened);
        if (frame.channels() == 4) {
            // keep the alpha bytes of the original
            const int fromTo[] = {3, 3};
            cv::mixChannels(&frame, 1, &sharpened, 1, fromTo, 1);
        }
        sharpened.copyTo(frame);
    }
}
