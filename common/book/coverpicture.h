#pragma once

#include <QImage>
#include <QString>

namespace kvb {

// The largest box a cover picture may be asked for; file managers ask for at
// most 1024.
constexpr int kMaxCoverPictureSize = 4096;

// The picture that stands for a book outside the suite (a file manager's
// thumbnail): the stored 160 x 200 thumbnail when the book has one, else its
// first page decoded at reduced size; either scaled down, aspect kept, to
// fit a size x size box (a smaller picture is kept as it is). False, with
// `picture` untouched, for a size outside 1..kMaxCoverPictureSize, a book
// that is not well formed, and a book without thumbnail whose first page is
// missing or does not decode.
bool bookCoverPicture(const QString &bookPath, int size, QImage &picture);

} // namespace kvb
