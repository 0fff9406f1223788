#include "rowsort.h"

#include "platform/textcompare.h"

#include <algorithm>

namespace leafreader {

bool rowLess(const BookEntry &a, const BookEntry &b, int mode)
{
    const uint32_t da = static_cast<uint32_t>(a.date);
    const uint32_t db = static_cast<uint32_t>(b.date);
    switch (mode) {
    case SortByDateOldest:
        if (da != db)
            return da < db;
        if (const int c = platform::logicalCompare(a.title, b.title))
            return c < 0;
        return a.page < b.page;
    case SortByDateNewest: {
        const bool ha = a.date != -1, hb = b.date != -1;
        if (ha != hb)
            return ha; // rows with a date first
        if (da != db)
            return da > db;
        if (const int c = platform::logicalCompare(a.title, b.title))
            return c > 0;
        return a.page < b.page;
    }
    default:
        if (const int c = platform::logicalCompare(a.title, b.title))
            return c < 0;
        return a.page < b.page;
    }
}

void sortRows(std::vector<BookEntry> &rows, int mode)
{
    std::stable_sort(rows.begin(), rows.end(),
                     [mode](const BookEntry &a, const BookEntry &b) { return rowLess(a, b, mode); });
}

void sortRowIndices(const std::vector<BookEntry> &rows, std::vector<int> &indices, int mode)
{
    std::stable_sort(indices.begin(), indices.end(), [&rows, mode](int a, int b) {
        return rowLess(rows[size_t(a)], rows[size_t(b)], mode);
    });
}

} // namespace leafreader
