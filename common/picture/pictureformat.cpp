#include "pictureformat.h"

#include "book/bookrecords.h"

#include <QtEndian>

#include <climits>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kvb {

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Segments moved over before a JPEG's frame header; real files have a few
// dozen at most (ICC profiles split over many APP2 segments included).
constexpr int kMaxJpegSegments = 1024;
// Fill bytes (0xFF) allowed before a marker code.
constexpr int kMaxFillBytes = 1024;

// JPEG markers that stand alone, without a length: SOI, RST0..7, TEM.
bool jpegMarkerWithoutLength(uint8_t code)
{
    return code == 0xD8 || (code >= 0xD0 && code <= 0xD7) || code == 0x01;
}

// JPEG frame headers: SOF0..SOF15, except DHT (C4), JPG (C8) and DAC (CC).
bool jpegFrameMarker(uint8_t code)
{
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

bool readExact(QIODevice &d, void *out, qint64 n)
{
    return d.read(static_cast<char *>(out), n) == n;
}

// A size from header fields that may be out of range for a picture.
QSize sizeFrom(qint64 width, qint64 height)
{
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX)
        return {};
    return QSize(int(width), int(height));
}

QSize jpegSize(QIODevice &d)
{
    uint8_t two[2];
    if (!readExact(d, two, 2) || two[0] != 0xFF || two[1] != 0xD8)
        return {};
    for (int segment = 0; segment < kMaxJpegSegments; ++segment) {
        uint8_t code = 0;
        if (!readExact(d, &code, 1) || code != 0xFF)
            return {};
        int fill = 0;
        do {
            if (++fill > kMaxFillBytes || !readExact(d, &code, 1))
                return {};
        } while (code == 0xFF);
        if (jpegMarkerWithoutLength(code))
            continue;
        // End of image or start of scan before any frame header.
        if (code == 0xD9 || code == 0xDA)
            return {};
        uint8_t len[2];
        if (!readExact(d, len, 2))
            return {};
        const int n = qFromBigEndian<uint16_t>(len);
        if (n < 2)
            return {};
        if (jpegFrameMarker(code)) {
            uint8_t frame[5]; // precision, height, width
            if (n < 7 || !readExact(d, frame, 5))
                return {};
            return sizeFrom(qFromBigEndian<uint16_t>(frame + 3), qFromBigEndian<uint16_t>(frame + 1));
        }
        const qint64 next = d.pos() + n - 2;
        if (next > d.size() || !d.seek(next))
            return {};
    }
    return {};
}

void readPngHeader(QIODevice &d, PictureHeader &header)
{
    // Signature, then the IHDR chunk: length 13, type, width, height, depth.
    uint8_t head[25];
    if (!readExact(d, head, 25) || std::memcmp(head, kPngSignature, 8) != 0
        || std::memcmp(head + 12, "IHDR", 4) != 0)
        return;
    header.size = sizeFrom(qFromBigEndian<uint32_t>(head + 16), qFromBigEndian<uint32_t>(head + 20));
    header.bitsPerSample = head[24] == 16 ? 16 : 8;
}

QSize bmpSize(QIODevice &d)
{
    // File header (14 bytes), then the size of the information header that
    // follows: 12 for the old core header with 16-bit dimensions, 40 or more
    // for the others with signed 32-bit ones (a negative height is top-down).
    uint8_t head[26];
    if (!readExact(d, head, 22) || head[0] != 'B' || head[1] != 'M')
        return {};
    const uint32_t infoSize = qFromLittleEndian<uint32_t>(head + 14);
    if (infoSize == 12)
        return sizeFrom(qFromLittleEndian<uint16_t>(head + 18), qFromLittleEndian<uint16_t>(head + 20));
    if (infoSize < 40 || !readExact(d, head + 22, 4))
        return {};
    const qint64 height = qFromLittleEndian<int32_t>(head + 22);
    return sizeFrom(qFromLittleEndian<int32_t>(head + 18), height < 0 ? -height : height);
}

// The first marker in coded scan data [p, end): a 0xFF whose next byte is
// neither 0x00 (a coded 0xFF) nor a restart code 0xD0..0xD7, or end when
// there is none before the last byte. Coded 0xFF bytes are about one in 256,
// so they are passed over 16 bytes at a time rather than one by one.
const uint8_t *nextScanMarker(const uint8_t *p, const uint8_t *end)
{
#if defined(__SSE2__)
    const __m128i ff = _mm_set1_epi8(char(0xFF));
    const __m128i zero = _mm_setzero_si128();
    const __m128i restartMask = _mm_set1_epi8(char(0xF8));
    const __m128i restart = _mm_set1_epi8(char(0xD0));
    // Each step looks at 16 bytes and the byte after each.
    for (; end - p >= 17; p += 16) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const __m128i isFF = _mm_cmpeq_epi8(here, ff);
        if (_mm_movemask_epi8(isFF) == 0)
            continue;
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 1));
        const __m128i passed = _mm_or_si128(_mm_cmpeq_epi8(next, zero),
                                            _mm_cmpeq_epi8(_mm_and_si128(next, restartMask), restart));
        const int mask = _mm_movemask_epi8(_mm_andnot_si128(passed, isFF));
        if (mask != 0)
            return p + __builtin_ctz(unsigned(mask));
    }
#endif
    for (; end - p >= 2; ++p) {
        if (p[0] == 0xFF && p[1] != 0x00 && (p[1] < 0xD0 || p[1] > 0xD7))
            return p;
    }
    return end;
}

PictureStructure jpegStructure(const uint8_t *b, qsizetype n)
{
    qsizetype pos = 2; // after SOI
    bool frame = false, scan = false;
    for (;;) {
        // A marker: 0xFF, fill bytes, its code. Anything else between
        // segments is data libjpeg has to skip (it reports that as corrupt).
        if (pos >= n || b[pos] != 0xFF)
            return PictureStructure::Incomplete;
        while (pos < n && b[pos] == 0xFF)
            ++pos;
        if (pos >= n)
            return PictureStructure::Incomplete;
        const uint8_t code = b[pos++];
        if (code == 0xD9)
            return frame && scan ? PictureStructure::Complete : PictureStructure::Incomplete;
        if (jpegMarkerWithoutLength(code))
            continue;
        if (code == 0x00 || pos + 2 > n)
            return PictureStructure::Incomplete;
        const qsizetype length = qFromBigEndian<uint16_t>(b + pos);
        if (length < 2 || pos + length > n)
            return PictureStructure::Incomplete;
        pos += length;
        if (jpegFrameMarker(code))
            frame = true;
        if (code != 0xDA)
            continue;
        scan = true;
        // The scan's coded data runs to the next marker; 0xFF 0x00 is a coded
        // 0xFF and restart markers belong to the scan.
        for (;;) {
            const uint8_t *marker = nextScanMarker(b + pos, b + n);
            if (marker + 1 >= b + n)
                return PictureStructure::Incomplete;
            pos = marker - b;
            if (marker[1] == 0xFF)
                pos += 1; // a fill byte before the marker's own 0xFF
            else
                break;
        }
    }
}

PictureStructure pngStructure(const uint8_t *b, qsizetype n)
{
    // Chunks: length, type, data, CRC (the CRC is checked by decoding).
    qsizetype pos = 8;
    bool header = false, data = false;
    while (pos + 12 <= n) {
        const quint64 length = qFromBigEndian<uint32_t>(b + pos);
        if (length > 0x7FFFFFFFu || quint64(n - pos - 12) < length)
            return PictureStructure::Incomplete;
        const uint8_t *type = b + pos + 4;
        if (std::memcmp(type, "IHDR", 4) == 0)
            header = pos == 8;
        else if (std::memcmp(type, "IDAT", 4) == 0)
            data = true;
        else if (std::memcmp(type, "IEND", 4) == 0)
            return header && data ? PictureStructure::Complete : PictureStructure::Incomplete;
        pos += 12 + qsizetype(length);
    }
    return PictureStructure::Incomplete;
}

PictureStructure bmpStructure(const uint8_t *b, qsizetype n)
{
    if (n < 26)
        return PictureStructure::Incomplete;
    const quint64 offset = qFromLittleEndian<uint32_t>(b + 10);
    const uint32_t infoSize = qFromLittleEndian<uint32_t>(b + 14);
    quint64 width = 0, height = 0, bits = 0, compression = 0;
    if (infoSize == 12) {
        width = qFromLittleEndian<uint16_t>(b + 18);
        height = qFromLittleEndian<uint16_t>(b + 20);
        bits = qFromLittleEndian<uint16_t>(b + 24);
    } else if (infoSize >= 40 && n >= 34) {
        const qint64 w = qFromLittleEndian<int32_t>(b + 18), h = qFromLittleEndian<int32_t>(b + 22);
        width = quint64(w < 0 ? -w : w);
        height = quint64(h < 0 ? -h : h);
        bits = qFromLittleEndian<uint16_t>(b + 28);
        compression = qFromLittleEndian<uint32_t>(b + 30);
    } else {
        return PictureStructure::Incomplete;
    }
    if (offset >= quint64(n))
        return PictureStructure::Incomplete;
    // Uncompressed rows (plain or with bit fields) have a known size; rows
    // compressed by run lengths only end where their data says.
    if (compression != 0 && compression != 3)
        return PictureStructure::Complete;
    if (width > 0xFFFFFFFFu || height > 0xFFFFFFFFu || bits > 64)
        return PictureStructure::Incomplete;
    const quint64 stride = (width * bits + 31) / 32 * 4;
    if (height != 0 && stride > (quint64(n) - offset) / height)
        return PictureStructure::Incomplete;
    return PictureStructure::Complete;
}

} // namespace

PictureStructure pictureStructureOf(QByteArrayView bytes)
{
    const auto *b = reinterpret_cast<const uint8_t *>(bytes.data());
    switch (pictureFormatOf(bytes)) {
    case PictureFormat::Jpeg: return jpegStructure(b, bytes.size());
    case PictureFormat::Png: return pngStructure(b, bytes.size());
    case PictureFormat::Bmp: return bmpStructure(b, bytes.size());
    case PictureFormat::Unknown: break;
    }
    return PictureStructure::Unknown;
}

bool fitsDecodeLimit(QSize size, qint64 otherBytes)
{
    // Width times height fits 64 bits for any two ints; times 4 may not.
    return size.width() > 0 && size.height() > 0 && otherBytes >= 0 && otherBytes <= kDecodeLimitBytes
           && qint64(size.width()) * size.height() <= (kDecodeLimitBytes - otherBytes) / 4;
}

PictureFormat pictureFormatOf(QByteArrayView bytes)
{
    const auto *b = reinterpret_cast<const uint8_t *>(bytes.data());
    if (bytes.size() >= 3 && b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF)
        return PictureFormat::Jpeg;
    if (bytes.size() >= 8 && std::memcmp(b, kPngSignature, 8) == 0)
        return PictureFormat::Png;
    if (bytes.size() >= 2 && b[0] == 'B' && b[1] == 'M')
        return PictureFormat::Bmp;
    return PictureFormat::Unknown;
}

PictureFormat pictureFormatForKind(uint8_t kind)
{
    switch (kind) {
    case Jpeg: return PictureFormat::Jpeg;
    case Png: return PictureFormat::Png;
    case Bmp: return PictureFormat::Bmp;
    default: return PictureFormat::Unknown;
    }
}

PictureHeader readPictureHeader(QIODevice &d)
{
    const qint64 start = d.pos();
    char head[8];
    const qint64 got = d.read(head, 8);
    if (got <= 0 || !d.seek(start))
        return {};
    PictureHeader header;
    header.format = pictureFormatOf(QByteArrayView(head, got));
    switch (header.format) {
    case PictureFormat::Jpeg: header.size = jpegSize(d); break;
    case PictureFormat::Png: readPngHeader(d, header); break;
    case PictureFormat::Bmp: header.size = bmpSize(d); break;
    case PictureFormat::Unknown: break;
    }
    return header;
}

} // namespace kvb
