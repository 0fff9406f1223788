#include "pagemoves.h"

#include <algorithm>

namespace glancer {

int nextPosition(int p, int n, int layout)
{
    int next = p + 1;
    if (layout == 2)
        next = p == 1 ? 3 : p % 2 == 0 ? p + 3 : p + 2;
    else if (layout == 3)
        next = p % 2 == 0 ? p + 2 : p + 3;
    return std::min(n, next);
}

int previousPosition(int p, int layout)
{
    int previous = p - 1;
    if (layout == 2)
        previous = p % 2 == 0 ? p - 1 : p >= 3 ? p - 2 : p;
    else if (layout == 3)
        previous = p % 2 == 0 ? p - 2 : p - 1;
    return std::max(1, previous);
}

int openingLayout(int pageCount, int layout2)
{
    if (pageCount == 1)
        return 1;
    if (pageCount == 2 && layout2 != 1)
        return 3;
    return layout2;
}

} // namespace glancer
