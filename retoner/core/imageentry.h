#pragma once

#include <QImage>
#include <QString>

#include <opencv2/core.hpp>

#include <cstdint>
#include <vector>

namespace retoner {

enum ImageKind : uint8_t { KindJpeg = 0x80, KindPng = 0x81, KindBmp = 0x82 };

// How registration decides between the colour and the monochrome chain.
enum class RegistrationMode : int {
    AutoSaturatedIsColor = 0, // an image in one saturated hue counts as colour
    AutoSaturatedIsMono = 1,  // an image in one saturated hue counts as monochrome
    AllColor = 2,
    AllMono = 3,
};

// One registered file.
struct ImageEntry {
    uint8_t kind = KindJpeg;
    QString path;
    QString outputName; // file name without folder and extension
    // The size as read; 0 until the file was read. Kept as int so that pictures
    // wider or taller than 65535 pixels still count right in the average size.
    int width = 0;
    int height = 0;
    int isColor = 1;
    QImage thumbnail; // the reduced image used for the decision; null if unread
};

// The kind for a file extension (jpg, jpeg, png, bmp in any letter case); 0 if none.
uint8_t imageKindForPath(const QString &path);

// Reads a picture the way registration and conversion do (any depth, any
// colour count) and accepts it only as 8-bit, three channels.
// With `reuseBuffer` a JPEG is decoded into image's memory when that has the
// picture's size already; nothing else may hold that memory then.
bool readPicture(const QString &path, cv::Mat &image, bool reuseBuffer = false);
// Writing a converted picture, in two halves so that encoding may run on
// another thread than writing: the file's bytes in the format of the
// extension (".jpg", ".png", ".bmp"), false when the codec refuses them; the
// file put in place, false when the path is too long or the write fails.
bool encodePicture(const QString &extension, const cv::Mat &image, const std::vector<int> &params,
                   std::vector<uchar> &encoded);
bool writePictureFile(const QString &path, const std::vector<uchar> &encoded);

// The detection tables (1 x 256 CV_8U each).
cv::Mat makeLinearizeLut(); // undoes a 0.45-power transfer curve
void makeHueSpreadLuts(cv::Mat &sin2, cv::Mat &cos2);

// Reads the file, stores its size, reduces it (smaller side 256), decides the
// chain by the mode and keeps the reduced image as thumbnail (unless told
// not to). False when the file does not read as an 8-bit three-channel picture.
bool classifyImage(ImageEntry &entry, RegistrationMode mode, bool keepThumbnail = true);
// The same for a picture already read from the entry's file.
bool classifyPicture(ImageEntry &entry, const cv::Mat &image, RegistrationMode mode, bool keepThumbnail);

// The decision on an already reduced CV_8UC3 image (automatic modes only
// look at the pixels; modes 2 and 3 fix the answer).
bool isColorPicture(const cv::Mat &reduced, RegistrationMode mode);

// The reduction used for the decision and the thumbnail.
cv::Mat reduceForAnalysis(const cv::Mat &image);

} // namespace retoner
