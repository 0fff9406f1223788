#pragma once

#include "pageview/foldersource.h"

namespace glancer {

// The image files of a folder as Glancer reads them: a JPEG file must begin
// with the start-of-image marker and carry a start-of-frame segment before
// its first scan within its first 128 segments, else it is not a page.
class GlancerPageSource : public leafreader::FolderSource {
public:
    using FolderSource::FolderSource;

    bool readPage(int index, QByteArray &bytes, uint8_t &kind) override;
};

} // namespace glancer
