#include "jpegbgr.h"

#include <algorithm>
#include <csetjmp>

#include <jpeglib.h>

namespace retoner {

namespace {

struct JpegReader {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    std::jmp_buf jump;
};

[[noreturn]] void stopReading(j_common_ptr cinfo)
{
    std::longjmp(static_cast<JpegReader *>(cinfo->client_data)->jump, 1);
}

// Warnings about the data change nothing in what is decoded; OpenCV prints
// them, a batch over thousands of files need not.
void keepQuiet(j_common_ptr, int) {}

bool hasApp1(const jpeg_decompress_struct &cinfo)
{
    for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next)
        if (m->marker == JPEG_APP0 + 1)
            return true;
    return false;
}

// Everything that may jump out of libjpeg; nothing here owns resources.
bool runDecode(JpegReader &r, std::FILE *file, cv::Mat &image)
{
    jpeg_create_decompress(&r.cinfo);
    // Saved one byte long, only to be seen.
    jpeg_save_markers(&r.cinfo, JPEG_APP0 + 1, 1);
    jpeg_stdio_src(&r.cinfo, file);
    if (jpeg_read_header(&r.cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    const auto &c = r.cinfo;
    const bool noTables = !c.ac_huff_tbl_ptrs[0] && !c.ac_huff_tbl_ptrs[1] && !c.dc_huff_tbl_ptrs[0]
                          && !c.dc_huff_tbl_ptrs[1];
    if (c.num_components != 3 || noTables || hasApp1(c))
        return false;
    r.cinfo.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&r.cinfo);
    if (r.cinfo.output_components != 3)
        return false;
    image.create(int(r.cinfo.output_height), int(r.cinfo.output_width), CV_8UC3);
    while (r.cinfo.output_scanline < r.cinfo.output_height) {
        JSAMPROW rows[16];
        const int first = int(r.cinfo.output_scanline);
        const int count = std::min(16, int(r.cinfo.output_height) - first);
        for (int i = 0; i < count; ++i)
            rows[i] = image.ptr<uchar>(first + i);
        jpeg_read_scanlines(&r.cinfo, rows, JDIMENSION(count));
    }
    jpeg_finish_decompress(&r.cinfo);
    // A picture in several scans may carry an APP1 segment between them.
    return !hasApp1(r.cinfo);
}

} // namespace

bool decodeJpegBgr(std::FILE *file, cv::Mat &image)
{
    JpegReader r{};
    r.cinfo.err = jpeg_std_error(&r.errors);
    r.errors.error_exit = stopReading;
    r.errors.emit_message = keepQuiet;
    r.cinfo.client_data = &r;
    volatile bool decoded = false;
    if (setjmp(r.jump) == 0)
        decoded = runDecode(r, file, image);
    jpeg_destroy_decompress(&r.cinfo);
    return decoded;
}

} // namespace retoner
