#include "testimages.h"

#include <platform/filenames.h>

#include <opencv2/imgcodecs.hpp>

namespace retouchtest {

cv::Mat gradient(int width, int height, int channels)
{
    cv::Mat picture(height, width, CV_8UC(channels));
    for (int y = 0; y < height; ++y) {
        uchar *row = picture.ptr<uchar>(y);
        for (int x = 0; x < width; ++x) {
            uchar *p = row + x * channels;
            p[0] = uchar(x);
            p[1] = uchar(y);
            p[2] = uchar(x + y);
            if (channels == 4)
                p[3] = uchar(255 - x);
        }
    }
    return picture;
}

bool writePicture(const QString &path, const cv::Mat &picture)
{
    return cv::imwrite(platform::nameBytes(path).toStdString(), picture);
}

cv::Mat readPicture(const QString &path, int flags)
{
    return cv::imread(platform::nameBytes(path).toStdString(), flags);
}

} // namespace retouchtest
