#pragma once

#include "columnoffsets.h"
#include "curvechoices.h"

#include <opencv2/core.hpp>

#include <vector>

namespace retouch {

// The picture being retouched: the source as decoded (never changed), the
// edited copy, the offsets of every column and the curve they are applied
// under. Pixels are 8-bit blue-green-red (CV_8UC3) or blue-green-red-alpha
// (CV_8UC4), rows top first.
class ColumnImage {
public:
    enum class ResetResult { Ok, EditImageFailed, OffsetsFailed };

    // Takes the source; the edited image becomes its copy and every offset 0.
    // On failure nothing is kept.
    ResetResult reset(cv::Mat source);
    void clear();

    bool isOpen() const { return !m_source.empty(); }
    int width() const { return m_source.cols; }
    int height() const { return m_source.rows; }
    int bitsPerPixel() const { return m_source.channels() * 8; }
    const cv::Mat &source() const { return m_source; }
    const cv::Mat &edited() const { return m_edited; }

    int curve() const { return m_curve; }
    // Only stores the choice (limited to the known ones); correctAllColumns
    // brings the picture to it.
    void setCurve(int choice);

    const ColumnOffsets &offsets(int x) const { return m_offsets[size_t(x)]; }
    const std::vector<ColumnOffsets> &allOffsets() const { return m_offsets; }
    // Stores the record of column x and recomputes that column.
    void setOffsets(int x, const ColumnOffsets &offsets);
    // Replaces every record (one per column) without touching a pixel.
    void replaceOffsets(std::vector<ColumnOffsets> offsets);

    // Column x of the edited image from the source: every channel decoded,
    // shifted by All plus its own offset, limited to 0..255 and encoded with
    // the current curve. Offsets never add up, since it starts from the source.
    void correctColumn(int x);
    // correctColumn for every column whose offsets do not cancel; the others
    // keep their pixels. Returns how many columns were recomputed.
    int correctAllColumns();
    // correctColumn for each of `columns`, under `curve` instead of the
    // current one (which stays), so a column recomputed under an earlier
    // curve can be made again as it was.
    void correctColumnsUnder(const std::vector<int> &columns, int curve);
    // The edited image becomes the source's copy again (offsets unchanged).
    void restoreSource();

    // The curve column x was last recomputed under, -1 while it holds the
    // source's pixels. A column recomputed with offsets that cancel is not
    // the source: it comes out as encode[decode[v]].
    int computedCurve(int x) const { return m_computedCurves[size_t(x)]; }
    const std::vector<int8_t> &computedCurves() const { return m_computedCurves; }

private:
    struct ColumnJob {
        int x;
        uint16_t base[3]; // start of the shift table of blue, green and red
    };
    const uint8_t *shiftTables();
    void correctColumns(const std::vector<ColumnJob> &jobs);
    ColumnJob jobFor(int x) const;

    cv::Mat m_source;
    cv::Mat m_edited;
    std::vector<ColumnOffsets> m_offsets;
    std::vector<int8_t> m_computedCurves;
    int m_curve = kDefaultCurve;
    // No column has been recomputed since the edited image was last made a
    // copy of the source, so making it one again can be skipped.
    bool m_editedIsCopy = false;
    // encode[limit(decode[v] + shift)] for every shift -60..60, 256 entries
    // each, for the curve m_shiftCurve.
    std::vector<uint8_t> m_shiftTables;
    int m_shiftCurve = -1;
};

} // namespace retouch
