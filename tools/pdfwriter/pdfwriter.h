#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>
#include <vector>

namespace pdfwriter {

// One picture of a PDF page: a JPEG kept byte for byte as a DCT stream, or
// uncompressed 8-bit RGB samples.
struct PdfPicture {
    enum class Encoding { Dct, RawRgb };
    Encoding encoding = Encoding::Dct;
    QByteArray data;
    int width = 0;
    int height = 0;
    int components = 3; // 1 grey, 3 RGB (YCbCr in a JPEG), 4 CMYK
};

// A JPEG as a picture, its size and components read from its frame header;
// nothing when the bytes hold no baseline or progressive frame.
std::optional<PdfPicture> jpegPicture(const QByteArray &jpeg);
// A picture whose samples are stored uncompressed.
PdfPicture rawPicture(const QImage &image);

// A PDF with one page per picture, each picture filling its page (150 pixels
// to the inch). False when the file cannot be written.
bool writePdf(const QString &path, const std::vector<PdfPicture> &pages);

} // namespace pdfwriter
