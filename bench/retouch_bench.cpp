// Timings of Retouch's column corrections.
//   retouch_bench [benchmark flags]
//   retouch_bench --write-scan FILE          a 4960 x 7016 scan-like JPEG (quality 95)
//   retouch_bench --write-profile FILE       a profile correcting every 8th column
#include "core/columnimage.h"
#include "core/offsetprofile.h"

#include <benchmark/benchmark.h>

#include <QFile>

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <cstring>

namespace {

constexpr int kWidth = 4960; // A4 at 600 dpi
constexpr int kHeight = 7016;

// Paper with grain, lines of dark "text" and the stripes of a dirty sensor.
cv::Mat scan()
{
    cv::Mat page(kHeight, kWidth, CV_8UC3, cv::Scalar(226, 236, 240));
    for (int line = 0; line < 120; ++line) {
        const int y = 400 + line * 54;
        const int length = 3600 - (line * 131) % 900;
        cv::rectangle(page, cv::Rect(480, y, length, 22), cv::Scalar(40, 38, 36), cv::FILLED);
    }
    cv::Mat grain(kHeight, kWidth, CV_8UC3);
    cv::theRNG().state = 4960;
    cv::randn(grain, cv::Scalar::all(0), cv::Scalar::all(5));
    cv::add(page, grain, page);
    for (int x = 37; x < kWidth; x += 211)
        page.col(x) *= 0.92;
    return page;
}

// Every column corrected, with offsets that vary from column to column.
std::vector<retouch::ColumnOffsets> everyColumn()
{
    std::vector<retouch::ColumnOffsets> offsets(kWidth);
    for (int x = 0; x < kWidth; ++x) {
        offsets[size_t(x)].setValue(retouch::Channel::All, (x % 13) - 6 == 0 ? 1 : (x % 13) - 6);
        offsets[size_t(x)].setValue(retouch::Channel::B, (x % 5) - 2);
    }
    return offsets;
}

void BM_CorrectAllColumns(benchmark::State &state)
{
    retouch::ColumnImage image;
    if (image.reset(scan()) != retouch::ColumnImage::ResetResult::Ok) {
        state.SkipWithError("no memory for the picture");
        return;
    }
    image.setCurve(retouch::kDefaultCurve);
    image.replaceOffsets(everyColumn());
    for (auto _ : state) {
        const int corrected = image.correctAllColumns();
        benchmark::DoNotOptimize(corrected);
        benchmark::DoNotOptimize(image.edited().data);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kWidth) * kHeight);
}
BENCHMARK(BM_CorrectAllColumns)->Unit(benchmark::kMillisecond)->UseRealTime();

// The peer: one table for the whole picture, source to a separate result as
// correctAllColumns writes the edited picture from the source.
void BM_Lut(benchmark::State &state)
{
    const cv::Mat source = scan();
    const retouch::TransferTables &t = retouch::transferTables(retouch::kDefaultCurve);
    cv::Mat table(1, 256, CV_8U);
    for (int v = 0; v < 256; ++v)
        table.at<uchar>(v) = t.encode[std::min(t.decode[v] + 3, 255)];
    cv::Mat result(source.size(), source.type());
    for (auto _ : state) {
        cv::LUT(source, table, result);
        benchmark::DoNotOptimize(result.data);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(kWidth) * kHeight);
}
BENCHMARK(BM_Lut)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write-scan") == 0)
        return cv::imwrite(argv[2], scan(), {cv::IMWRITE_JPEG_QUALITY, 95}) ? 0 : 1;
    if (argc == 3 && std::strcmp(argv[1], "--write-profile") == 0) {
        std::vector<retouch::ColumnOffsets> offsets = everyColumn();
        for (int x = 0; x < kWidth; ++x)
            if (x % 8 != 0)
                offsets[size_t(x)] = {};
        // The profile of the scan corrected as the window would have it.
        retouch::ColumnImage image;
        if (image.reset(scan()) != retouch::ColumnImage::ResetResult::Ok)
            return 1;
        image.replaceOffsets(std::move(offsets));
        image.correctAllColumns();
        return retouch::writeOffsetProfile(QString::fromLocal8Bit(argv[2]), image) ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
