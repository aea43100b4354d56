#ifndef IOPENCVAPI_H
#define IOPENCVAPI_H

#include <QImage>
#include <opencv2/core.hpp>

#include "icameratypes.h"

// Conversions between QImage and cv::Mat, the capture filters and the document-outline
// detection. Everything is static and keeps no state, so any thread may call it.
class IOpencvApi
{
public:
    // RGB32/ARGB32 pictures give a 4-channel matrix over the picture's own pixels (no
    // copy; the caller keeps the picture alive), Indexed8 a 1-channel one, RGB888 a
    // converted 3-channel copy; anything else an empty matrix.
    static cv::Mat cvImage2Mat(const QImage& image);
    // 4 channels: an RGB32 picture over the matrix's data (no copy); 3 channels: an
    // RGB888 copy with red and blue swapped; 1 channel: an Indexed8 grey copy.
    static QImage cvMat2Image(const cv::Mat& mat);

    // Finds the document's outline, draws it red 4 px wide into the frame's pixels and
    // returns it; angle -1.0 and an empty polygon when nothing was found.
    static AutoEdgeData cvAutoEdge(cv::Mat frame);
    // Outline detection alone, without drawing.
    static AutoEdgeData findDocumentOutline(const cv::Mat& frame);
    static void drawOutline(cv::Mat& frame, const QPolygonF& outline);

    static cv::Mat cvGrayscaleImage(const cv::Mat& mat);
    static cv::Mat cvBlackWhiteImage(const cv::Mat& mat);
    static cv::Mat cvSharpenImage(const cv::Mat& mat);
    static cv::Mat cvSketchImage(const cv::Mat& mat);
    static cv::Mat cvEmbossImage(const cv::Mat& mat);

    // The capture filter: 1 a deep copy, 2..6 the filter's result, anything else null.
    // The result always owns its pixels.
    static QImage filterImage(ImageType type, cv::Mat mat);
};

#endif
