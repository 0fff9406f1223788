#include "core/jpegbgr.h"

#include "testsupport.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

using namespace retoner;

namespace {

// A JPEG of `image` (blue-green-red) with the first component sampled
// h x v against the others.
QByteArray encodeJpeg(const cv::Mat &image, int h, int v, bool progressive, int restartRows)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(image.cols);
    cinfo.image_height = JDIMENSION(image.rows);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    cinfo.comp_info[0].h_samp_factor = h;
    cinfo.comp_info[0].v_samp_factor = v;
    cinfo.restart_in_rows = restartRows;
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<uchar *>(image.ptr<uchar>(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char *>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

} // namespace

// The batch decodes JPEGs itself; any pixel that came out otherwise than
// through cv::imread would change every converted page.
TEST(JpegBgr, DecodesAsOpenCvReadsOrLeavesThePictureToIt)
{
    QTemporaryDir dir;
    cv::Mat picture(251, 333, CV_8UC3);
    cv::RNG(5).fill(picture, cv::RNG::UNIFORM, 0, 256);
    cv::GaussianBlur(picture, picture, cv::Size(9, 9), 0);
    const std::string path = QFile::encodeName(dir.filePath(QStringLiteral("probe.jpg"))).toStdString();
    const auto decode = [&](const QByteArray &bytes, cv::Mat &image) {
        EXPECT_TRUE(testsupport::writeFile(QFile::decodeName(path.c_str()), bytes));
        std::FILE *file = std::fopen(path.c_str(), "rb");
        const bool decoded = decodeJpegBgr(file, image);
        std::fclose(file);
        return decoded;
    };
    std::vector<QByteArray> taken;
    for (const auto &[h, v] : {std::pair{2, 2}, {2, 1}, {1, 2}, {1, 1}})
        for (const bool progressive : {false, true})
            taken.push_back(encodeJpeg(picture, h, v, progressive, progressive ? 0 : 2));
    // Cut short: libjpeg makes up the rest, and so must this.
    const QByteArray whole = taken.front();
    taken.push_back(whole.left(whole.size() * 3 / 4));
    for (size_t i = 0; i < taken.size(); ++i) {
        cv::Mat image;
        ASSERT_TRUE(decode(taken[i], image)) << i;
        const cv::Mat expected = cv::imread(path, cv::IMREAD_ANYDEPTH | cv::IMREAD_ANYCOLOR);
        ASSERT_EQ(image.size(), expected.size()) << i;
        EXPECT_EQ(cv::norm(image, expected, cv::NORM_INF), 0) << i;
        // Decoded again into the same memory.
        const uchar *memory = image.data;
        ASSERT_TRUE(decode(taken[i], image));
        EXPECT_EQ(image.data, memory);
    }

    // OpenCV turns a picture by its Exif orientation and reads grey ones as
    // one channel: those are left to it.
    const QImage upright(QSize(40, 30), QImage::Format_RGB32);
    cv::Mat image;
    EXPECT_FALSE(decode(testsupport::jpegWithOrientation(upright, 6), image));
    EXPECT_FALSE(decode(testsupport::jpegWithOrientation(upright, 1), image));
    QImage grey(40, 30, QImage::Format_Grayscale8);
    grey.fill(90);
    QByteArray greyBytes;
    {
        QBuffer buffer(&greyBytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(grey.save(&buffer, "JPEG"));
    }
    EXPECT_FALSE(decode(greyBytes, image));
    EXPECT_FALSE(decode(QByteArray("\xFF\xD8\xFF\xE0 not a picture"), image));
}
