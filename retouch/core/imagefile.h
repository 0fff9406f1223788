#pragma once

#include <platform/safefile.h>

#include <QByteArrayView>
#include <QImage>
#include <QString>
#include <QStringView>

#include <opencv2/core.hpp>

namespace retouch {

enum class ImageReadResult { Ok, OpenFailed, FormatError };

// Decodes a picture file through the platform's decoder into 8-bit
// blue-green-red (24 bits per pixel) or blue-green-red-alpha (32 bits), the
// depth the picture is held at (heldBitDepth). Pixels stay as stored: no
// Exif turn, so columns are the scanner's columns. A depth other than 24 or
// 32 (palette and grey pictures) is a FormatError; a file that does not decode
// is OpenFailed.
ImageReadResult readImageFile(const QString &path, cv::Mat &image);

// The bits per pixel a decoded picture is held at: pictures with alpha take
// 32; palette and grey pictures their own depth (1, 8); a BMP its stored
// depth (16, 24, 32); pictures beyond 8 bits per channel 32; all others 24.
// bmpBitCount is the BMP header's bit count (0 when unknown).
int heldBitDepth(QImage::Format decoded, QByteArrayView decoder, int bmpBitCount);

// The text after the target's last '.' is "jpg" or "jpeg", in any case.
bool isJpegName(QStringView path);

// Encodes the picture in the format its name's extension names (JPEG with
// the given quality) and puts it in place through the platform's atomic file,
// so a failing encoder or a full disk leaves the old file as it was. `role`
// says what a link in that place stands for: a picture the user opened or
// named (the file it points to) or a new output file (the link is replaced).
bool writeImageFile(const QString &path, const cv::Mat &image, int jpegQuality,
                    platform::FileRole role = platform::FileRole::Document);

} // namespace retouch
