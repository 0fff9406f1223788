#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>
#include <vector>

namespace pdfwriter {

// One picture of a PDF page: a JPEG kept byte for byte as a DCT stream,
// uncompressed 8-bit RGB samples, or uncompressed bilevel samples (1 bit a
// pixel, rows padded to whole bytes, 1 white), drawn as a grey image or, as
// a stencil, painting black where the sample is 0.
struct PdfPicture {
    enum class Encoding { Dct, RawRgb, Bilevel };
    Encoding encoding = Encoding::Dct;
    QByteArray data;
    int width = 0;
    int height = 0;
    int components = 3; // 1 grey, 3 RGB (YCbCr in a JPEG), 4 CMYK
    bool stencil = false; // bilevel only
    // 8-bit grey samples of a soft mask of the same size; empty for none.
    QByteArray softMask;
};

// A JPEG as a picture, its size and components read from its frame header;
// nothing when the bytes hold no baseline or progressive frame.
std::optional<PdfPicture> jpegPicture(const QByteArray &jpeg);
// A picture whose samples are stored uncompressed.
PdfPicture rawPicture(const QImage &image);
// A picture reduced to black and white (grey below 128 is black).
PdfPicture bilevelPicture(const QImage &image, bool stencil = false);
// The picture with the image's alpha channel as its soft mask.
PdfPicture withSoftMask(PdfPicture picture, const QImage &alpha);

// A PDF with one page per picture, each picture filling its page (150 pixels
// to the inch). False when the file cannot be written.
bool writePdf(const QString &path, const std::vector<PdfPicture> &pages);

} // namespace pdfwriter
