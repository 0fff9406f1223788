#pragma once

#include "book/bookrecords.h"
#include "picture/pictureformat.h"

#include <QFile>
#include <QImage>
#include <QIODevice>
#include <QSize>

#include <functional>

namespace kvb {

struct LoadOptions {
    // When valid, the page may be decoded at a reduced size that still covers
    // this box (in upright pixels, aspect kept); JPEG decoders do this in the
    // DCT domain at a fraction of the cost. The result is never smaller than
    // needed to fill the box and never larger than the stored picture.
    QSize fitWithin;
    // Receives the page's upright size as stored, whatever size was decoded.
    QSize *naturalSize = nullptr;
    // Receives whether the page's data is damaged: its header is sound but the
    // data is cut short or corrupt. A damaged page may still load (a JPEG cut
    // off in its lower half shows the missing rows grey).
    bool *damaged = nullptr;
};

// Loads one page (a picture file or a page inside a book) as an upright
// picture: JPEG pages are turned by their Exif orientation. A page is decoded
// by its kind and, when that fails, by what its bytes hold (a PNG saved as
// .jpg). Pages larger than kMaxPageBytes are refused without being read.
bool loadPagePicture(const QString &sourcePath, uint64_t offset, uint32_t size, uint8_t kind,
                     QImage &picture, const LoadOptions &options = {});
inline bool loadPagePicture(const PageEntry &page, QImage &picture, const LoadOptions &options = {})
{
    return loadPagePicture(page.sourcePath, page.offset, page.size, page.kind, picture, options);
}

// The reading half of loadPagePicture, for a file the caller keeps open:
// reads the page's `size` bytes from `offset`. False, without reading, for a
// page larger than kMaxPageBytes or than what the file holds from `offset`.
bool readPageBytes(QIODevice &file, uint64_t offset, uint32_t size, QByteArray &bytes);

// The decoding half of loadPagePicture, for page bytes the caller has already
// read (for example through a book file it keeps open). Safe to call from
// several threads at once.
bool decodePagePicture(QByteArray &bytes, uint8_t kind, QImage &picture,
                       const LoadOptions &options = {});

// For programs that decode picture files through another codec (OpenCV's,
// Qt's image readers), asked before decoding. False when the picture in
// `file`, whose header says `header`, is not to be decoded:
// - its header gives no size (those codecs also take a JPEG whose signature
//   is broken and search its bytes for a frame) or one beyond the decode
//   limit;
// - its data falls far short of that size. Those codecs make up whatever
//   data is missing, so a few hundred bytes claiming 20000 x 20000 pixels
//   would cost gigabytes of grey and seconds and then pass as a picture.
//   Such a picture is judged as a page is (decodePagePicture stops where the
//   data ends, keeps a picture with at least half its rows and fails the
//   others). Judged are pictures whose structure breaks off and JPEGs too
//   small for the pixels they claim; others, nearly all real pictures, cost
//   a walk over their bytes, mapped where the file system allows it.
// The file's position is left where it was.
bool pictureWorthDecoding(QFile &file, const PictureHeader &header);

// How a walk over a JPEG's marker segments ended.
enum class JpegWalk {
    NotJpeg,     // no start-of-image marker
    ReachedScan, // the first start-of-scan or end-of-image marker
    Stopped,     // the visitor asked to stop
    Ended,       // malformed or cut data, or the segment limit
};

// Walks the marker segments of the JPEG that starts at the device's current
// position, from the start-of-image marker up to the first start-of-scan or
// end-of-image marker, at most 128 segments, never past the device's end.
// `visit` gets each segment's marker byte (the one after 0xFF), the device
// position of its payload and the payload's length, and may read it; it
// returns false to stop the walk.
JpegWalk walkJpegSegments(QIODevice &device,
                          const std::function<bool(uint8_t marker, qint64 payload, int length)> &visit);

// True when the JPEG at the device's position has a start-of-frame segment
// (marker 0xC0 to 0xC3) before its first scan, within its first 128 segments.
bool jpegHasFrame(QIODevice &device);

// The Exif orientation (1 to 8 when valid, any stored value otherwise) of the
// JPEG that starts at the device's current position, or 0 when it has none.
// Positions are taken relative to the device, so a page inside a book works.
// Stops on any malformed structure without reading outside the device.
int readExifOrientation(QIODevice &device);

// The list thumbnail: the picture scaled, aspect kept, to fit the box. No
// side is scaled below 1 pixel, however long and thin the picture.
QSize listThumbnailSize(QSize picture, QSize box);
QImage makeListThumbnail(const QImage &picture, QSize box);
QImage copyThumbnail(const QImage &thumbnail);

// Placement of the picture inside the 160 x 200 book thumbnail frame.
QRect bookThumbnailRect(QSize picture);
// Fills the 96000-byte book thumbnail (blue-green-red, top row first). For a
// picture decoded at reduced size, `storedSize` (the size as stored) places
// it, so it lands where the full picture would.
bool makeBookThumbnail(const QImage &picture, uint8_t *thumbnail96000, QSize storedSize = {});
// The stored thumbnail as a picture.
QImage bookThumbnailImage(const uint8_t *thumbnail96000);

// Encodes `picture` as PNG in memory and puts the file in place whole
// (platform::writeNewFile): a failed write leaves no file behind, and a link
// at the path is replaced.
bool writePngFile(const QImage &picture, const QString &path);

} // namespace kvb
