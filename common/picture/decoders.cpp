#include "decoders.h"

#include "pictureformat.h"

#include <QBuffer>
#include <QImageReader>

#include <utility>

#include <sys/mman.h>

namespace kvb {

namespace {

// Decoding a scan touches every byte of its picture once, and with 4 KiB
// pages the page faults cost nearly as much as the decoding itself.
constexpr size_t kHugePageThreshold = size_t(8) << 20;

void unmapPicture(void *info)
{
    auto *mapping = static_cast<std::pair<void *, size_t> *>(info);
    ::munmap(mapping->first, mapping->second);
    delete mapping;
}

} // namespace

QImage allocatePicture(QSize size, QImage::Format format)
{
    const auto bytesPerLine = qsizetype(size.width()) * 4;
    const size_t bytes = size_t(bytesPerLine) * size_t(size.height());
    if (bytes >= kHugePageThreshold) {
        void *memory = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory != MAP_FAILED) {
#ifdef MADV_HUGEPAGE
            ::madvise(memory, bytes, MADV_HUGEPAGE);
#endif
            return QImage(static_cast<uchar *>(memory), size.width(), size.height(), bytesPerLine, format,
                          unmapPicture, new std::pair<void *, size_t>(memory, bytes));
        }
    }
    return QImage(size, format);
}

DecodedPicture decodeBmp(QByteArray &bytes)
{
    DecodedPicture out;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const PictureHeader header = readPictureHeader(buffer);
    if (header.format != PictureFormat::Bmp || !header.size.isValid())
        return out;
    out.naturalSize = header.size;
    if (!fitsDecodeLimit(header.size) || !buffer.seek(0))
        return out;
    // Qt's own limit (128 MiB unless raised) would refuse large scans; ours
    // above is the one that counts.
    static const bool limitRaised = [] {
        QImageReader::setAllocationLimit(kDecodeLimitMiB);
        return true;
    }();
    (void)limitRaised;
    QImageReader reader(&buffer, "bmp");
    reader.setAutoTransform(false);
    reader.setDecideFormatFromContent(false);
    out.picture = reader.read();
    out.damaged = out.picture.isNull();
    return out;
}

} // namespace kvb
