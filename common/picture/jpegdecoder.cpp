// JPEG pages, decoded straight by libjpeg-turbo into 32-bit pixels.
//
// Damaged data. libjpeg fills whatever it cannot decode with flat grey and
// carries on, so a few hundred bytes that claim 20000 x 20000 pixels would be
// "decoded" into 1.6 GB of grey over many seconds. What counts here:
// - The decoder needed more scan data and met a marker that ends the scan
//   instead (libjpeg's warning "premature end of data segment" with any
//   marker but a restart marker: the end of the image, real or the one
//   inserted where the bytes run out, or the tables of some other part): the
//   page was cut short. Decoding stops at once. A picture stored in one scan
//   keeps the rows already decoded when they are at least half of it, the
//   rest shown grey as before (a download cut off near its end still reads);
//   with fewer rows the load fails. A picture stored in several scans (progressive)
//   exists only after its last scan: it is finished, with the missing detail
//   left out, when at least its first scan was complete, and fails otherwise
//   (as it does when the cut falls inside the tables between two scans,
//   where libjpeg gives up).
// - Only the end marker missing ("premature end of JPEG file" alone): every
//   row was decoded; the page is whole and shows as it is. A progressive
//   picture whose data ends between two scans is missing its last scans:
//   it shows without their detail and counts as cut short.
// - Other corrupt data (bad codes, data lost before a restart marker):
//   decoded as libjpeg recovers it, as before.
// Every case but the missing end marker reports the page as damaged.

#include "decoders.h"

#include "pictureformat.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace kvb {

namespace {

// Rows decoded before they are turned into place.
constexpr int kStripRows = 16;
// What libjpeg makes of absent data: flat mid-grey.
constexpr uint32_t kMissingGrey = 0xFF808080;

// Where pixel (x, y) of the decoded (stored) picture lands in the upright
// one: at origin + x * stepX + y * stepY, counted in 32-bit pixels.
struct Placement {
    qsizetype origin = 0;
    qsizetype stepX = 1;
    qsizetype stepY = 0;
};

// The Exif orientation table for a stored picture w x h and an upright one
// whose rows are `stride` pixels apart.
Placement placementFor(int orientation, int w, int h, qsizetype stride)
{
    const qsizetype right = w - 1, bottom = h - 1;
    switch (orientation) {
    case 2: return {right, -1, stride};                   // mirrored left to right
    case 3: return {bottom * stride + right, -1, -stride}; // turned by 180 degrees
    case 4: return {bottom * stride, 1, -stride};          // mirrored top to bottom
    case 5: return {0, stride, 1};                         // mirrored along the main diagonal
    case 6: return {bottom, stride, -1};                   // a quarter clockwise
    case 7: return {right * stride + bottom, -stride, -1}; // mirrored along the other diagonal
    case 8: return {right * stride, -stride, 1};           // a quarter counter-clockwise
    default: return {0, 1, stride};
    }
}

struct JpegDecode {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    std::jmp_buf jump;
    bool headerRead = false;
    bool refused = false; // too large to decode: not damaged, just not decoded
    bool multiScan = false;
    bool cmyk = false;
    bool truncated = false;
    bool corrupt = false;
    bool endMissing = false; // the data ended before the end marker
    int endRow = 0;          // rows given out when the data ended
    QImage image;
    Placement place;
    // Turned pictures decode through a strip of rows; upright ones straight
    // into the picture.
    bool direct = true;
    std::vector<uint32_t> strip;
    int stripFirstRow = 0;
    int stripRows = 0;
};

JpegDecode &decodeOf(j_common_ptr cinfo)
{
    return *static_cast<JpegDecode *>(cinfo->client_data);
}

[[noreturn]] void jpegError(j_common_ptr cinfo)
{
    std::longjmp(decodeOf(cinfo).jump, 1);
}

void jpegMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return; // trace messages
    JpegDecode &d = decodeOf(cinfo);
    ++d.errors.num_warnings;
    switch (d.errors.msg_code) {
    case JWRN_HIT_MARKER:
        // After a restart marker libjpeg finds its place again and the data
        // goes on; after any other marker, or a restart marker in a picture
        // without restart intervals (never looked at again), this scan has no
        // more data.
        if (d.cinfo.unread_marker < JPEG_RST0 || d.cinfo.unread_marker > JPEG_RST0 + 7
            || d.cinfo.restart_interval == 0) {
            d.truncated = true;
            if (!d.multiScan || d.cinfo.input_scan_number <= 1)
                std::longjmp(d.jump, 1);
            return;
        }
        d.corrupt = true;
        return;
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_EXTRANEOUS_DATA:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
        d.corrupt = true;
        return;
    case JWRN_JPEG_EOF:
        if (!d.endMissing)
            d.endRow = int(d.cinfo.output_scanline);
        d.endMissing = true;
        return;
    default:
        return; // a missing end marker, an unknown Adobe transform, a newer JFIF version
    }
}

// Adobe's (inverted) CMYK to 32-bit pixels, in place.
void cmykToRgb(uint8_t *row, int width)
{
    for (int x = 0; x < width; ++x, row += 4) {
        const int c = row[0], m = row[1], y = row[2], k = row[3];
        row[0] = uint8_t(y * k / 255);
        row[1] = uint8_t(m * k / 255);
        row[2] = uint8_t(c * k / 255);
        row[3] = 0xFF;
    }
}

// Moves the rows gathered in the strip to their upright places.
void placeStrip(JpegDecode &d)
{
    auto *base = reinterpret_cast<uint32_t *>(d.image.bits());
    const int width = int(d.cinfo.output_width);
    const Placement &p = d.place;
    if (p.stepX == 1 || p.stepX == -1) {
        for (int r = 0; r < d.stripRows; ++r) {
            const uint32_t *src = d.strip.data() + qsizetype(r) * width;
            uint32_t *dst = base + (p.origin + qsizetype(d.stripFirstRow + r) * p.stepY);
            if (p.stepX == 1)
                std::memcpy(dst, src, size_t(width) * 4);
            else
                for (int x = 0; x < width; ++x)
                    dst[-x] = src[x];
        }
    } else {
        // A quarter turn: each column of the strip becomes a run of
        // neighbouring pixels in one row of the picture.
        for (int x = 0; x < width; ++x) {
            uint32_t *dst = base + (p.origin + x * p.stepX + qsizetype(d.stripFirstRow) * p.stepY);
            const uint32_t *src = d.strip.data() + x;
            for (int r = 0; r < d.stripRows; ++r)
                dst[r * p.stepY] = src[qsizetype(r) * width];
        }
    }
    d.stripFirstRow += d.stripRows;
    d.stripRows = 0;
}

// Shows the rows from `first` on, which the data did not reach, as grey.
void fillMissingRows(JpegDecode &d, int first)
{
    const int width = int(d.cinfo.output_width), height = int(d.cinfo.output_height);
    if (d.direct) {
        for (int y = first; y < height; ++y)
            std::fill_n(reinterpret_cast<uint32_t *>(d.image.scanLine(y)), width, kMissingGrey);
        return;
    }
    placeStrip(d);
    std::fill(d.strip.begin(), d.strip.end(), kMissingGrey);
    while (d.stripFirstRow < height) {
        d.stripRows = std::min(kStripRows, height - d.stripFirstRow);
        placeStrip(d);
    }
}

// Everything that may end in a jump out of libjpeg; nothing here may own
// resources of its own.
bool runDecode(JpegDecode &d, const QByteArray &bytes, QSize box, int orientation, DecodedPicture &out)
{
    jpeg_create_decompress(&d.cinfo);
    jpeg_mem_src(&d.cinfo, reinterpret_cast<const unsigned char *>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&d.cinfo, TRUE);
    d.headerRead = true;

    const bool turned = orientation >= 5 && orientation <= 8;
    const QSize stored(int(d.cinfo.image_width), int(d.cinfo.image_height));
    out.naturalSize = turned ? stored.transposed() : stored;
    // Reduced decoding still reads every coefficient of the stored picture:
    // its time grows with the stored size, so a picture beyond the limit is
    // refused at any size (65535 x 65535 would take seconds for nothing).
    if (!fitsDecodeLimit(stored)) {
        d.refused = true;
        return false;
    }
    d.multiScan = jpeg_has_multiple_scans(&d.cinfo);
    d.cmyk = d.cinfo.jpeg_color_space == JCS_CMYK || d.cinfo.jpeg_color_space == JCS_YCCK;
    // JCS_EXT_BGRX is the byte order of Format_RGB32 in memory; CMYK comes
    // out four bytes a pixel too and is turned into it row by row.
    d.cinfo.out_color_space = d.cmyk ? JCS_CMYK : JCS_EXT_BGRX;

    // Scaled by n/8 in the DCT domain when a smaller picture covers the box.
    d.cinfo.scale_num = 8;
    d.cinfo.scale_denom = 8;
    if (box.isValid() && !box.isEmpty()) {
        const QSize wanted = stored.scaled(turned ? box.transposed() : box, Qt::KeepAspectRatio);
        for (unsigned n = 1; n < 8; ++n) {
            if (d.cinfo.image_width * n >= unsigned(wanted.width()) * 8
                && d.cinfo.image_height * n >= unsigned(wanted.height()) * 8) {
                d.cinfo.scale_num = n;
                break;
            }
        }
    }
    jpeg_calc_output_dimensions(&d.cinfo);
    const int width = int(d.cinfo.output_width), height = int(d.cinfo.output_height);
    // A picture in several scans is held whole as coefficients (two bytes
    // each) until its last scan is read, however small it is decoded.
    qint64 coefficientBytes = 0;
    if (d.multiScan)
        for (int c = 0; c < d.cinfo.num_components; ++c)
            coefficientBytes += qint64(d.cinfo.comp_info[c].width_in_blocks)
                                * d.cinfo.comp_info[c].height_in_blocks * DCTSIZE2 * qint64(sizeof(JCOEF));
    if (!fitsDecodeLimit(QSize(width, height), coefficientBytes)) {
        d.refused = true;
        return false;
    }
    d.image = allocatePicture(turned ? QSize(height, width) : QSize(width, height), QImage::Format_RGB32);
    if (d.image.isNull()) {
        d.refused = true;
        return false;
    }
    d.direct = orientation < 2 || orientation > 8;
    d.place = placementFor(orientation, width, height, d.image.bytesPerLine() / 4);
    if (!d.direct)
        d.strip.resize(size_t(kStripRows) * size_t(width));

    jpeg_start_decompress(&d.cinfo);
    // A progressive picture has been read whole by now. Its last scans bring
    // every coefficient down to its lowest bit; when the data ended before
    // that, whole scans are missing even though none was cut.
    if (d.endMissing && d.cinfo.progressive_mode && d.cinfo.coef_bits) {
        for (int c = 0; c < d.cinfo.num_components; ++c)
            for (int k = 0; k < DCTSIZE2; ++k)
                if (d.cinfo.coef_bits[c][k] != 0)
                    d.truncated = true;
    }
    // A picture in one scan is decoded as its data arrives. When the data
    // ends, libjpeg makes up the rest (grey), quietly once it has already
    // complained about the data; the rows made up are only worth decoding
    // when the data ended in the last rows (only the end marker missing).
    const int lastRows = 3 * d.cinfo.max_v_samp_factor * d.cinfo.min_DCT_scaled_size + kStripRows;
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        if (d.endMissing && !d.multiScan && int(d.cinfo.output_height) - d.endRow > lastRows) {
            d.truncated = true;
            return false;
        }
        if (d.direct) {
            JSAMPROW row = d.image.scanLine(int(d.cinfo.output_scanline));
            if (jpeg_read_scanlines(&d.cinfo, &row, 1) == 1 && d.cmyk)
                cmykToRgb(row, width);
            continue;
        }
        JSAMPROW rows[kStripRows];
        const int wanted = kStripRows - d.stripRows;
        for (int i = 0; i < wanted; ++i)
            rows[i] = reinterpret_cast<JSAMPROW>(d.strip.data() + qsizetype(d.stripRows + i) * width);
        const int got = int(jpeg_read_scanlines(&d.cinfo, rows, JDIMENSION(wanted)));
        if (d.cmyk)
            for (int i = 0; i < got; ++i)
                cmykToRgb(rows[i], width);
        d.stripRows += got;
        if (d.stripRows == kStripRows || d.cinfo.output_scanline == d.cinfo.output_height)
            placeStrip(d);
    }
    jpeg_finish_decompress(&d.cinfo);
    return true;
}

} // namespace

DecodedPicture decodeJpeg(const QByteArray &bytes, QSize box, int orientation)
{
    DecodedPicture out;
    JpegDecode d{};
    d.cinfo.err = jpeg_std_error(&d.errors);
    d.errors.error_exit = jpegError;
    d.errors.emit_message = jpegMessage;
    d.cinfo.client_data = &d;
    volatile bool decoded = false;
    if (setjmp(d.jump) == 0)
        decoded = runDecode(d, bytes, box, orientation, out);
    const int rowsDone = int(d.cinfo.output_scanline);
    const int height = int(d.cinfo.output_height);
    const bool keepRows = d.truncated && !d.multiScan && !d.image.isNull() && rowsDone * 2 >= height;
    if (keepRows)
        fillMissingRows(d, rowsDone);
    jpeg_destroy_decompress(&d.cinfo);

    out.damaged = d.headerRead && !d.refused && (!decoded || d.truncated || d.corrupt);
    if (decoded || keepRows)
        out.picture = std::move(d.image);
    return out;
}

} // namespace kvb
