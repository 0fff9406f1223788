#pragma once

#include <QString>

#include <opencv2/core.hpp>

namespace retouchtest {

// A picture whose every pixel differs from its neighbours: blue x, green y,
// red x + y (all modulo 256), plus alpha 255 - x for 4 channels.
cv::Mat gradient(int width, int height, int channels = 3);

// Writes a picture with OpenCV (format from the extension); false on failure.
bool writePicture(const QString &path, const cv::Mat &picture);
cv::Mat readPicture(const QString &path, int flags);

} // namespace retouchtest
