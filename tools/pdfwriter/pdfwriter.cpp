#include "pdfwriter.h"

#include <QFile>

namespace pdfwriter {

namespace {

// Writes the objects one after the other and keeps their offsets for the
// cross-reference table.
class PdfFile {
public:
    explicit PdfFile(QFile &file) : m_file(file) {}

    bool write(const QByteArray &bytes)
    {
        m_position += bytes.size();
        return m_file.write(bytes) == bytes.size();
    }
    bool beginObject(int number)
    {
        if (int(m_offsets.size()) < number)
            m_offsets.resize(size_t(number), 0);
        m_offsets[size_t(number - 1)] = m_position;
        return write(QByteArray::number(number) + " 0 obj\n");
    }
    bool object(int number, const QByteArray &body) { return beginObject(number) && write(body + "\nendobj\n"); }
    bool stream(int number, const QByteArray &dictionary, const QByteArray &data)
    {
        return beginObject(number) && write("<< " + dictionary + " /Length " + QByteArray::number(data.size()) + " >>\nstream\n")
               && write(data) && write("\nendstream\nendobj\n");
    }
    bool finish(int root)
    {
        const qint64 xref = m_position;
        QByteArray table = "xref\n0 " + QByteArray::number(qsizetype(m_offsets.size()) + 1) + "\n0000000000 65535 f \n";
        for (const qint64 offset : m_offsets)
            table += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
        table += "trailer\n<< /Size " + QByteArray::number(qsizetype(m_offsets.size()) + 1) + " /Root "
                 + QByteArray::number(root) + " 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
        return write(table);
    }

private:
    QFile &m_file;
    qint64 m_position = 0;
    std::vector<qint64> m_offsets;
};

QByteArray colourSpace(int components)
{
    switch (components) {
    case 1: return "/DeviceGray";
    case 4: return "/DeviceCMYK";
    default: return "/DeviceRGB";
    }
}

} // namespace

std::optional<PdfPicture> jpegPicture(const QByteArray &jpeg)
{
    const auto byte = [&jpeg](qsizetype i) { return int(uint8_t(jpeg[i])); };
    if (jpeg.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8)
        return std::nullopt;
    qsizetype at = 2;
    while (at + 4 <= jpeg.size()) {
        if (byte(at) != 0xFF)
            return std::nullopt;
        const int marker = byte(at + 1);
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        const int length = (byte(at + 2) << 8) | byte(at + 3);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame && at + 10 <= jpeg.size()) {
            PdfPicture picture;
            picture.data = jpeg;
            picture.height = (byte(at + 5) << 8) | byte(at + 6);
            picture.width = (byte(at + 7) << 8) | byte(at + 8);
            picture.components = byte(at + 9);
            return picture;
        }
        at += 2 + length;
    }
    return std::nullopt;
}

PdfPicture rawPicture(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    PdfPicture picture;
    picture.encoding = PdfPicture::Encoding::RawRgb;
    picture.width = rgb.width();
    picture.height = rgb.height();
    for (int y = 0; y < rgb.height(); ++y)
        picture.data.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 3);
    return picture;
}

PdfPicture bilevelPicture(const QImage &image, bool stencil)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    PdfPicture picture;
    picture.encoding = PdfPicture::Encoding::Bilevel;
    picture.width = grey.width();
    picture.height = grey.height();
    picture.components = 1;
    picture.stencil = stencil;
    const int rowBytes = (grey.width() + 7) / 8;
    for (int y = 0; y < grey.height(); ++y) {
        QByteArray row(rowBytes, '\0');
        const uchar *line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x) {
            if (line[x] >= 128)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        picture.data += row;
    }
    return picture;
}

PdfPicture withSoftMask(PdfPicture picture, const QImage &alpha)
{
    const QImage mask = alpha.convertToFormat(QImage::Format_Alpha8);
    picture.softMask.clear();
    for (int y = 0; y < mask.height(); ++y)
        picture.softMask.append(reinterpret_cast<const char *>(mask.constScanLine(y)), mask.width());
    return picture;
}

bool writePdf(const QString &path, const std::vector<PdfPicture> &pages)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    PdfFile pdf(file);
    bool ok = pdf.write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    // Objects 1 and 2 are the catalogue and the page tree; each page takes
    // its page, contents and image objects and one more for a soft mask.
    std::vector<int> first;
    int next = 3;
    QByteArray kids;
    for (const PdfPicture &picture : pages) {
        first.push_back(next);
        kids += QByteArray::number(next) + " 0 R ";
        next += picture.softMask.isEmpty() ? 3 : 4;
    }
    ok = ok && pdf.object(1, "<< /Type /Catalog /Pages 2 0 R >>");
    ok = ok && pdf.object(2, "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(qsizetype(pages.size())) + " >>");
    for (size_t i = 0; i < pages.size() && ok; ++i) {
        const PdfPicture &picture = pages[i];
        const int page = first[i];
        // 150 pixels to the inch, in points.
        const QByteArray w = QByteArray::number(picture.width * 72.0 / 150.0, 'f', 2);
        const QByteArray h = QByteArray::number(picture.height * 72.0 / 150.0, 'f', 2);
        ok = pdf.object(page, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + w + " " + h
                                  + "] /Resources << /XObject << /Im0 " + QByteArray::number(page + 2)
                                  + " 0 R >> >> /Contents " + QByteArray::number(page + 1) + " 0 R >>")
             && pdf.stream(page + 1, QByteArray(), "q " + w + " 0 0 " + h + " 0 0 cm /Im0 Do Q");
        const QByteArray size = " /Width " + QByteArray::number(picture.width) + " /Height "
                                + QByteArray::number(picture.height);
        QByteArray image = "/Type /XObject /Subtype /Image" + size;
        if (picture.encoding == PdfPicture::Encoding::Bilevel)
            image += picture.stencil ? " /ImageMask true /BitsPerComponent 1" : " /ColorSpace /DeviceGray /BitsPerComponent 1";
        else
            image += " /ColorSpace " + colourSpace(picture.components) + " /BitsPerComponent 8";
        if (picture.encoding == PdfPicture::Encoding::Dct)
            image += " /Filter /DCTDecode";
        if (!picture.softMask.isEmpty())
            image += " /SMask " + QByteArray::number(page + 3) + " 0 R";
        ok = ok && pdf.stream(page + 2, image, picture.data);
        if (!picture.softMask.isEmpty())
            ok = ok && pdf.stream(page + 3, "/Type /XObject /Subtype /Image" + size + " /ColorSpace /DeviceGray /BitsPerComponent 8",
                                  picture.softMask);
    }
    ok = ok && pdf.finish(1);
    return file.flush() && ok;
}

} // namespace pdfwriter
