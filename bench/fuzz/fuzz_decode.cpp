// Decodes arbitrary bytes as a page of each kind, at full size and reduced,
// with the decode limit in force.
#include "picture/picture.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const uint8_t kind : {kvb::Jpeg, kvb::Png, kvb::Bmp}) {
        for (const QSize box : {QSize(), QSize(48, 64)}) {
            QByteArray bytes = input;
            QImage picture;
            QSize natural;
            bool damaged = false;
            kvb::LoadOptions options;
            options.fitWithin = box;
            options.naturalSize = &natural;
            options.damaged = &damaged;
            if (!kvb::decodePagePicture(bytes, kind, picture, options))
                continue;
            // A picture that decodes is within the limit and never larger
            // than it says it is.
            if (!kvb::fitsDecodeLimit(picture.size()) || picture.width() > natural.width()
                || picture.height() > natural.height())
                __builtin_trap();
        }
    }
    return 0;
}
