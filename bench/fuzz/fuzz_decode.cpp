// Walks arbitrary bytes as a picture's structure, and decodes them as a page
// of each kind, reduced and at full size, with the decode limit in force.
// A picture larger than 16 million pixels is decoded once, reduced: its
// decoding is real work in proportion to its size (seconds, as for any
// decoder; the other kinds decode the same content again), and the limit is
// checked before anything is allocated, whatever the size.
#include "picture/picture.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    constexpr qint64 kFullSizePixels = qint64(16) << 20;
    // The structure walk verify makes of every page, on the same bytes.
    if (kvb::pictureStructureOf(input) == kvb::PictureStructure::Unknown
        && kvb::pictureFormatOf(input) != kvb::PictureFormat::Unknown)
        __builtin_trap();
    for (const uint8_t kind : {kvb::Jpeg, kvb::Png, kvb::Bmp}) {
        for (const QSize box : {QSize(48, 64), QSize()}) {
            QByteArray bytes = input;
            QImage picture;
            QSize natural;
            bool damaged = false;
            kvb::LoadOptions options;
            options.fitWithin = box;
            options.naturalSize = &natural;
            options.damaged = &damaged;
            if (!kvb::decodePagePicture(bytes, kind, picture, options))
                break;
            // A picture that decodes is within the limit and never larger
            // than it says it is.
            if (!kvb::fitsDecodeLimit(picture.size()) || picture.width() > natural.width()
                || picture.height() > natural.height())
                __builtin_trap();
            if (qint64(natural.width()) * natural.height() > kFullSizePixels)
                return 0;
        }
    }
    return 0;
}
