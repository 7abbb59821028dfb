#pragma once
// A colour matrix of the filter chain as OpenCV applies it: one 4 x 5 transform of a BGRA picture
// (cv::transform), for the benchmarks whose peer is OpenCV.
#include <opencv2/core.hpp>

#include "filters/FilterStages.h"

inline cv::Matx<float, 4, 5> openCvColourTransform(const ColourMatrix& colour)
{
    // OpenCV's channel order is b, g, r, a; the matrix's offsets are fractions of full scale.
    cv::Matx<float, 4, 5> m = cv::Matx<float, 4, 5>::zeros();
    const int order[3] = {2, 1, 0};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            m(order[r], order[c]) = colour.rows[r][c];
        m(order[r], 4) = colour.rows[r][3] * 255;
    }
    m(3, 3) = 1;
    return m;
}
