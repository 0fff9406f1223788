#pragma once

#include <opencv2/core.hpp>

#include <cstdio>

namespace retoner {

// Decodes the JPEG file read from `file` straight into blue-green-red rows,
// as cv::imread decodes it (libjpeg's defaults, read through a small buffer,
// corrupt data recovered the way libjpeg recovers it) but without OpenCV's
// copy of every row out of red-green-blue. `image`
// keeps its buffer when it already has the picture's size, so a worker
// decodes one picture after another into the same memory.
// Only the pictures cv::imread would take as they are: three components,
// no APP1 segment (where OpenCV looks for the Exif orientation and turns the
// picture by it), Huffman tables present (OpenCV supplies its own for
// motion-JPEG frames). False for the others and on any error, with `image`
// in no defined state: the caller then goes to cv::imread.
bool decodeJpegBgr(std::FILE *file, cv::Mat &image);

} // namespace retoner
