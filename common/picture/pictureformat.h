#pragma once

#include <QByteArrayView>
#include <QIODevice>
#include <QSize>

#include <cstdint>

namespace kvb {

// Decoding never allocates more than this many megabytes for one picture: real
// scans (20000 x 20000 pixels at 32 bits) pass, a header that claims absurd
// dimensions is a failed load instead of an exhausted machine.
constexpr int kDecodeLimitMiB = 1600;
constexpr qint64 kDecodeLimitBytes = qint64(kDecodeLimitMiB) * 1024 * 1024;

// The most bytes one page may hold to be read for decoding. A compressed page
// is never larger than the largest picture it could decode to (an uncompressed
// 32-bit BMP at the decode limit), so a larger record is not a real page and is
// refused before its bytes are read.
constexpr uint32_t kMaxPageBytes = uint32_t(kDecodeLimitBytes);

// True when a picture of this size, decoded at 32 bits a pixel, stays within
// the decode limit, together with `otherBytes` the decoder holds while it
// works. Every decoder of the suite asks this before allocating.
bool fitsDecodeLimit(QSize size, qint64 otherBytes = 0);

enum class PictureFormat { Unknown, Jpeg, Png, Bmp };

// The format the bytes hold, by their signature.
PictureFormat pictureFormatOf(QByteArrayView bytes);
// The format a page kind names (Jpeg, Png, Bmp); Unknown for other kinds.
PictureFormat pictureFormatForKind(uint8_t kind);

struct PictureHeader {
    PictureFormat format = PictureFormat::Unknown;
    // Invalid when the header could not be read or gives no usable size.
    QSize size;
    // Bits of each colour sample as stored: 16 for a 16-bit PNG, else 8 (the
    // decoders of the book library bring every picture to 8).
    int bitsPerSample = 8;
};

// What a walk over a picture's structure, without decoding it, tells.
enum class PictureStructure {
    // Every part is there: a JPEG's segments and scans up to its end marker,
    // a PNG's chunks up to IEND, a BMP's pixel rows.
    Complete,
    // The data ends, or breaks off, before the picture does. Only decoding
    // tells what shows: a JPEG that lacks just its end marker shows whole,
    // one cut in its scan is damaged.
    Incomplete,
    // Not a JPEG, PNG or BMP.
    Unknown,
};

// Walks the picture in `bytes` at about the speed of reading them; corrupt
// data inside a complete structure is found by decoding only.
PictureStructure pictureStructureOf(QByteArrayView bytes);

// Reads only the header of the JPEG, PNG or BMP picture that starts at the
// device's current position: its format and its size in pixels, as stored.
// Nothing is decoded; a JPEG's segments are moved over up to its frame header.
PictureHeader readPictureHeader(QIODevice &device);

} // namespace kvb
