#pragma once

// The decoders behind loadPagePicture, one per format. Internal to the book
// library: programs go through picture.h.

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace kvb {

// What a decoder made of a page's bytes.
struct DecodedPicture {
    // The upright picture; null when nothing can be shown.
    QImage picture;
    // The upright size as stored, whatever size was decoded; valid once the
    // header was read.
    QSize naturalSize;
    // The header was sound but the data is cut short or corrupt.
    bool damaged = false;
};

// A picture in 32-bit pixels. Large ones live in memory mapped for them and
// marked for huge pages.
QImage allocatePicture(QSize size, QImage::Format format);

// `box`, when valid, lets the decoder deliver a smaller picture that still
// covers the box (upright pixels, aspect kept).

// Decodes a JPEG turned upright by `orientation` (Exif values 2 to 8; others
// leave it as stored). The turn happens while decoding, so the picture is held
// only once.
DecodedPicture decodeJpeg(const QByteArray &bytes, QSize box, int orientation);
DecodedPicture decodePng(const QByteArray &bytes, QSize box);
DecodedPicture decodeBmp(QByteArray &bytes);

} // namespace kvb
