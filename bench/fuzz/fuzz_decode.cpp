// Walks arbitrary bytes as a picture's structure, and decodes them as a page
// of each kind, reduced and at full size, with the decode limit in force.
// A picture whose header claims more than 512 x 512 pixels but fits the limit
// is not decoded: decoding it is real work in proportion to its size (a
// progressive JPEG's coefficients are set up and cleared whole, seconds for
// the largest, as in any decoder), and the decoders take no other path for
// it. Claims beyond the limit are decoded, to see them refused at once.
#include "picture/picture.h"

#include <QBuffer>

#include <csetjmp>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct HeaderRead {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    std::jmp_buf jump;
};

// The stored size of a JPEG as libjpeg reads it (it passes over bytes a
// plain walk of the segments stops at); invalid when it finds none.
QSize jpegSizeAsDecoded(const QByteArray &bytes)
{
    HeaderRead r{};
    r.cinfo.err = jpeg_std_error(&r.errors);
    r.errors.error_exit = [](j_common_ptr cinfo) {
        std::longjmp(static_cast<HeaderRead *>(cinfo->client_data)->jump, 1);
    };
    r.errors.emit_message = [](j_common_ptr, int) {};
    r.cinfo.client_data = &r;
    QSize size;
    jpeg_create_decompress(&r.cinfo);
    if (setjmp(r.jump) == 0) {
        jpeg_mem_src(&r.cinfo, reinterpret_cast<const unsigned char *>(bytes.constData()),
                     static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&r.cinfo, TRUE);
        size = QSize(int(r.cinfo.image_width), int(r.cinfo.image_height));
    }
    jpeg_destroy_decompress(&r.cinfo);
    return size;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    // The structure walk verify makes of every page, on the same bytes.
    if (kvb::pictureStructureOf(input) == kvb::PictureStructure::Unknown
        && kvb::pictureFormatOf(input) != kvb::PictureFormat::Unknown)
        __builtin_trap();
    QBuffer buffer(&input);
    buffer.open(QIODevice::ReadOnly);
    // libjpeg takes data a JPEG signature check would not (a page of kind
    // JPEG is given to it whatever its first bytes), so it is asked first.
    QSize claimed = jpegSizeAsDecoded(input);
    if (!claimed.isValid())
        claimed = kvb::readPictureHeader(buffer).size;
    constexpr qint64 kDecodedPixels = qint64(512) * 512;
    if (claimed.isValid() && qint64(claimed.width()) * claimed.height() > kDecodedPixels
        && kvb::fitsDecodeLimit(claimed))
        return 0;
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
