// Timings of Retoner's colour chain, colour table, preview and background
// pictures.
//   retoner_bench [benchmark flags]
//   retoner_bench --write-test-image FILE [WIDTH HEIGHT]   the test picture (4000 x 3000)
//   retoner_bench --preview-time FILE REPEATS   best time in ms from a settings
//       change to the converted preview of FILE (its decode already kept)
#include "core/backgroundpictures.h"
#include "core/previewrenderer.h"
#include "core/tonepipeline.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <benchmark/benchmark.h>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A scanned-page-like picture: soft colour gradients, text-like strokes and
// grain, the same on every run.
cv::Mat testPicture(int width = 4000, int height = 3000)
{
    cv::Mat image(height, width, CV_8UC3);
    for (int y = 0; y < height; ++y) {
        auto *row = image.ptr<cv::Vec3b>(y);
        for (int x = 0; x < width; ++x)
            row[x] = cv::Vec3b(static_cast<uchar>(x * 255 / width), static_cast<uchar>(y * 255 / height),
                               static_cast<uchar>((x + y) * 255 / (width + height)));
    }
    for (int i = 0; i < 400; ++i)
        cv::line(image, cv::Point((i * 97) % width, (i * 61) % height),
                 cv::Point((i * 131) % width, (i * 43) % height),
                 cv::Scalar((i * 37) % 256, (i * 71) % 256, (i * 13) % 256), 1 + i % 5);
    cv::Mat grain(height, width, CV_8UC3);
    cv::theRNG().state = 12345;
    cv::randn(grain, cv::Scalar::all(0), cv::Scalar::all(6));
    cv::add(image, grain, image);
    return image;
}

retoner::ColorCorrectionTable tintedTable()
{
    retoner::ColorCorrectionTable table;
    for (int i = 1; i < retoner::ColorCorrectionTable::PointCount; ++i) {
        table[i].saturationShift = 0.05f * ((i % 5) - 2);
        table[i].valueShift = 0.02f * ((i % 3) - 1);
    }
    table[retoner::ColorCorrectionTable::greyIndex(2)].saturationShift = 0.1f;
    return table;
}

void BM_ColorChain(benchmark::State &state)
{
    const cv::Mat source = testPicture();
    retoner::ToneSettings settings;
    settings.color = {3, 3, 40, 1}; // blur 7 x 7, sharpen 7 x 7, correction on
    settings.output.resizeMode = retoner::ScaleByRatio;
    settings.output.ratioPercent = 36;
    settings.correction = tintedTable();
    retoner::ColorLut lut;
    retoner::buildColorLut(settings.correction, lut);
    cv::Mat result;
    for (auto _ : state) {
        retoner::toneConvert(settings, lut, source, result, true, 0, 0);
        benchmark::DoNotOptimize(result.data);
    }
    state.SetItemsProcessed(state.iterations() * source.total());
}
BENCHMARK(BM_ColorChain)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BuildColorLut(benchmark::State &state)
{
    const retoner::ColorCorrectionTable table = tintedTable();
    retoner::ColorLut lut;
    for (auto _ : state) {
        retoner::buildColorLut(table, lut);
        benchmark::DoNotOptimize(lut.entry(0));
    }
}
BENCHMARK(BM_BuildColorLut)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ApplyColorLut(benchmark::State &state)
{
    const cv::Mat source = testPicture();
    retoner::ColorLut lut;
    retoner::buildColorLut(tintedTable(), lut);
    cv::Mat result;
    for (auto _ : state) {
        retoner::applyColorLut(lut, source, result);
        benchmark::DoNotOptimize(result.data);
    }
    state.SetItemsProcessed(state.iterations() * source.total());
}
BENCHMARK(BM_ApplyColorLut)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BackgroundPictures(benchmark::State &state)
{
    for (auto _ : state) {
        const retoner::BackgroundPictures pictures;
        benchmark::DoNotOptimize(pictures.disc(1).constBits());
    }
}
BENCHMARK(BM_BackgroundPictures)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the window does after OK in a settings dialog: a new request to the
// preview renderer, whose last decode is kept, until the converted preview
// arrives. Every repetition changes the colour table and the sharpen amount.
int previewTime(int argc, char **argv, const char *path, int repeats)
{
    QCoreApplication app(argc, argv);
    retoner::PreviewRenderer renderer;
    retoner::PreviewJob job;
    job.path = QString::fromLocal8Bit(path);
    job.settings.color = {3, 3, 40, 1};
    job.settings.correction = tintedTable();
    bool converted = false;
    QObject::connect(&renderer, &retoner::PreviewRenderer::previewReady,
                     [&](const QImage &, const QImage &result, bool) { converted = !result.isNull(); });
    renderer.request(job);
    if (!renderer.waitForIdle(120000) || !converted)
        return 1;
    double best = 1e9;
    for (int i = 0; i < repeats; ++i) {
        job.settings.color.sharpenStrength = 40 + i % 2;
        job.settings.correction[retoner::ColorCorrectionTable::greyIndex(3)].saturationShift = 0.01f * (i + 1);
        QElapsedTimer timer;
        timer.start();
        renderer.request(job);
        if (!renderer.waitForIdle(120000) || !converted)
            return 1;
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    std::printf("%.1f\n", best);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if ((argc == 3 || argc == 5) && std::strcmp(argv[1], "--write-test-image") == 0) {
        const int width = argc == 5 ? std::atoi(argv[3]) : 4000;
        const int height = argc == 5 ? std::atoi(argv[4]) : 3000;
        return cv::imwrite(argv[2], testPicture(width, height), {cv::IMWRITE_JPEG_QUALITY, 95}) ? 0 : 1;
    }
    if (argc == 4 && std::strcmp(argv[1], "--preview-time") == 0)
        return previewTime(argc, argv, argv[2], std::atoi(argv[3]));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
