#pragma once

#include <cstdint>
#include <optional>

namespace platform {

// What tells one state of a file from another: which file it is (device and
// inode) and what it held (size and modification time). A file replaced by
// rename gets another inode; one written in place another time or size.
struct FileStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;

    bool operator==(const FileStamp &) const = default;
};

// The stamp of an open file; nothing when it cannot be queried.
std::optional<FileStamp> fileStampOf(int fd);

} // namespace platform
