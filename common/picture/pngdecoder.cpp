// PNG pages, decoded straight by libpng into 32-bit pixels: every colour type
// and depth becomes blue-green-red with alpha (Format_ARGB32, not
// premultiplied) when the picture has an alpha channel or a transparent
// colour, else the same without alpha (Format_RGB32). Palettes and grey
// levels below 8 bits are expanded, 16-bit samples scaled to 8 bits (rounded),
// a transparent colour becomes alpha. The samples are taken as stored: no
// gamma or colour-space correction, as pages have always been shown.
// Transparent parts are left to whoever draws the page (the reader paints
// them white).

#include "decoders.h"

#include "pictureformat.h"

#include <csetjmp>
#include <cstring>
#include <vector>

#include <png.h>

namespace kvb {

namespace {

struct PngDecode {
    const QByteArray *bytes = nullptr;
    qsizetype position = 0;
    png_structp png = nullptr;
    png_infop info = nullptr;
    bool headerRead = false;
    bool refused = false; // too large to decode: not damaged, just not decoded
    QImage image;
    std::vector<png_bytep> rows;
};

[[noreturn]] void pngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}
void pngWarning(png_structp, png_const_charp) {}

void pngRead(png_structp png, png_bytep out, size_t n)
{
    auto *d = static_cast<PngDecode *>(png_get_io_ptr(png));
    if (n > size_t(d->bytes->size() - d->position))
        png_error(png, "data ends early");
    std::memcpy(out, d->bytes->constData() + d->position, n);
    d->position += qsizetype(n);
}

// Everything that may end in a jump out of libpng; nothing here may own
// resources of its own.
bool runDecode(PngDecode &d, DecodedPicture &out)
{
    png_set_read_fn(d.png, &d, pngRead);
    png_read_info(d.png, d.info);
    png_uint_32 width = 0, height = 0;
    int depth = 0, colour = 0;
    png_get_IHDR(d.png, d.info, &width, &height, &depth, &colour, nullptr, nullptr, nullptr);
    // libpng has checked the header: both sides are at most 2^31 - 1.
    const QSize size(static_cast<int>(width), static_cast<int>(height));
    out.naturalSize = size;
    d.headerRead = true;
    if (!fitsDecodeLimit(size)) {
        d.refused = true;
        return false;
    }

    const bool alpha = (colour & PNG_COLOR_MASK_ALPHA) || png_get_valid(d.png, d.info, PNG_INFO_tRNS);
    png_set_expand(d.png);
    if (depth == 16)
        png_set_scale_16(d.png);
    if (!(colour & PNG_COLOR_MASK_COLOR))
        png_set_gray_to_rgb(d.png);
    png_set_bgr(d.png);
    if (!alpha)
        png_set_filler(d.png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(d.png);
    png_read_update_info(d.png, d.info);
    if (png_get_rowbytes(d.png, d.info) != size_t(width) * 4)
        return false;

    d.image = allocatePicture(size, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (d.image.isNull()) {
        d.refused = true;
        return false;
    }
    d.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        d.rows[y] = d.image.scanLine(int(y));
    // The chunks after the image data are not read: a picture whose last
    // rows are in is whole, whatever follows them.
    png_read_image(d.png, d.rows.data());
    return true;
}

} // namespace

DecodedPicture decodePng(const QByteArray &bytes, QSize box)
{
    DecodedPicture out;
    if (pictureFormatOf(bytes) != PictureFormat::Png)
        return out;
    PngDecode d;
    d.bytes = &bytes;
    d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
    if (!d.png)
        return out;
    d.info = png_create_info_struct(d.png);
    volatile bool decoded = false;
    if (d.info && setjmp(png_jmpbuf(d.png)) == 0)
        decoded = runDecode(d, out);
    png_destroy_read_struct(&d.png, &d.info, nullptr);

    out.damaged = d.headerRead && !d.refused && !decoded;
    if (!decoded)
        return out;
    // PNG has no reduced decoding; a picture only drawn smaller is kept
    // smaller.
    if (box.isValid() && !box.isEmpty()) {
        const QSize wanted = d.image.size().scaled(box, Qt::KeepAspectRatio);
        if (wanted.width() < d.image.width() && wanted.height() < d.image.height() && !wanted.isEmpty()) {
            out.picture = d.image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            return out;
        }
    }
    out.picture = std::move(d.image);
    return out;
}

} // namespace kvb
