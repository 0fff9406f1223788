#include "columnimage.h"

#include <algorithm>
#include <new>

namespace retouch {

namespace {

constexpr int kMaxShift = 2 * kOffsetMax; // All plus a channel's own offset
constexpr int kShiftCount = 2 * kMaxShift + 1;

// An opaque alpha in every pixel: saving writes 32-bit pictures with alpha
// 255, and the views show the colour alone, so the edited copy carries it
// from the start and no save has to copy the picture to set it.
void makeOpaque(cv::Mat &image)
{
    if (image.channels() != 4)
        return;
    for (int y = 0; y < image.rows; ++y) {
        uint8_t *row = image.ptr<uint8_t>(y);
        for (int x = 0; x < image.cols; ++x)
            row[4 * x + 3] = 255;
    }
}

} // namespace

ColumnImage::ResetResult ColumnImage::reset(cv::Mat source)
{
    clear();
    try {
        m_edited = source.clone();
    } catch (const std::bad_alloc &) {
        return ResetResult::EditImageFailed;
    } catch (const cv::Exception &) {
        return ResetResult::EditImageFailed;
    }
    try {
        m_offsets.assign(size_t(source.cols), ColumnOffsets{});
        m_computedCurves.assign(size_t(source.cols), int8_t(-1));
    } catch (const std::bad_alloc &) {
        m_edited.release();
        m_offsets.clear();
        return ResetResult::OffsetsFailed;
    }
    makeOpaque(m_edited);
    m_source = std::move(source);
    m_editedIsCopy = true;
    return ResetResult::Ok;
}

void ColumnImage::clear()
{
    m_source.release();
    m_edited.release();
    m_offsets.clear();
    m_offsets.shrink_to_fit();
    m_computedCurves.clear();
    m_computedCurves.shrink_to_fit();
}

void ColumnImage::setCurve(int choice)
{
    m_curve = std::clamp(choice, 0, kCurveCount - 1);
}

void ColumnImage::setOffsets(int x, const ColumnOffsets &offsets)
{
    if (x < 0 || x >= width())
        return;
    m_offsets[size_t(x)] = offsets;
    correctColumn(x);
}

void ColumnImage::replaceOffsets(std::vector<ColumnOffsets> offsets)
{
    offsets.resize(size_t(width()));
    m_offsets = std::move(offsets);
}

const uint8_t *ColumnImage::shiftTables()
{
    if (m_shiftCurve != m_curve) {
        const TransferTables &t = transferTables(m_curve);
        m_shiftTables.resize(size_t(kShiftCount) * 256);
        for (int s = 0; s < kShiftCount; ++s) {
            uint8_t *table = &m_shiftTables[size_t(s) * 256];
            for (int v = 0; v < 256; ++v)
                table[v] = t.encode[std::clamp(t.decode[v] + s - kMaxShift, 0, 255)];
        }
        m_shiftCurve = m_curve;
    }
    return m_shiftTables.data();
}

ColumnImage::ColumnJob ColumnImage::jobFor(int x) const
{
    const ColumnOffsets &o = m_offsets[size_t(x)];
    auto base = [](int shift) { return static_cast<uint16_t>((shift + kMaxShift) * 256); };
    return {x, {base(o.all + o.b), base(o.all + o.g), base(o.all + o.r)}};
}

void ColumnImage::correctColumns(const std::vector<ColumnJob> &jobs)
{
    if (jobs.empty())
        return;
    m_editedIsCopy = false;
    for (const ColumnJob &job : jobs)
        m_computedCurves[size_t(job.x)] = int8_t(m_curve);
    const uint8_t *tables = shiftTables();
    const int channels = m_source.channels();
    const int rows = m_source.rows;
    const cv::Mat &source = m_source;
    cv::Mat &edited = m_edited;
    // Rows are independent; a handful of columns is not worth the threads.
    const bool parallel = double(jobs.size()) * rows > 1 << 18;
#pragma omp parallel for schedule(static) if (parallel)
    for (int y = 0; y < rows; ++y) {
        const uint8_t *s = source.ptr<uint8_t>(y);
        uint8_t *d = edited.ptr<uint8_t>(y);
        for (const ColumnJob &job : jobs) {
            const size_t i = size_t(job.x) * size_t(channels);
            d[i] = tables[job.base[0] + s[i]];
            d[i + 1] = tables[job.base[1] + s[i + 1]];
            d[i + 2] = tables[job.base[2] + s[i + 2]];
        }
    }
}

void ColumnImage::correctColumn(int x)
{
    if (x < 0 || x >= width())
        return;
    correctColumns({jobFor(x)});
}

int ColumnImage::correctAllColumns()
{
    std::vector<ColumnJob> jobs;
    for (int x = 0; x < width(); ++x)
        if (!m_offsets[size_t(x)].cancels())
            jobs.push_back(jobFor(x));
    correctColumns(jobs);
    return int(jobs.size());
}

void ColumnImage::correctColumnsUnder(const std::vector<int> &columns, int curve)
{
    const int current = m_curve;
    setCurve(curve);
    std::vector<ColumnJob> jobs;
    for (int x : columns)
        if (x >= 0 && x < width())
            jobs.push_back(jobFor(x));
    correctColumns(jobs);
    m_curve = current;
}

void ColumnImage::restoreSource()
{
    if (!isOpen() || m_editedIsCopy)
        return;
    m_source.copyTo(m_edited);
    makeOpaque(m_edited);
    std::fill(m_computedCurves.begin(), m_computedCurves.end(), int8_t(-1));
    m_editedIsCopy = true;
}

} // namespace retouch
