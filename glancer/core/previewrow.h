#pragma once

#include <QString>

#include <cstdint>

namespace glancer {

// One row of the list, and the view's copy of the row that was opened.
struct PreviewRow {
    enum Kind : int { Drive = 0, Folder = 1, Image = 2, None = 3 };

    int kind = None;
    // Drives: root, '|', display name. Folders and images: the full path.
    QString path;
    uint64_t size = 0;  // an image's file size, else 0
    int position = -1;  // 1-based page position, -1 after a reset
    int count = 0;      // number of pages
    int layout = 0;     // 0 not chosen, 1 single page, 2 spread with cover, 3 without
    int binding = -1;   // -1 not chosen, 0 right, 1 left
    int zoom = 0;       // zoom region 0..9

    void reset() { *this = PreviewRow(); }
};

} // namespace glancer
