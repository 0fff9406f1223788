#pragma once

#include "bookrecords.h"

#include <QStringList>

#include <functional>
#include <optional>

namespace kvb {

enum class CollectProblem {
    BookUnreadable, // a .kvb that is not a well-formed book
    BadSize,        // a picture that cannot be opened, is empty or is 4 GiB or more
};

using CollectReport = std::function<void(CollectProblem, const QString &path)>;

// The pages of a path whose kind the book library does not read itself (an
// archive), in their order; nothing leaves the path out. It reports its own
// problems.
using PathExpander = std::function<std::optional<PageList>(const QString &path)>;

// Turns paths into page entries, in the order the book editor adds them:
// paths of unknown kind are ignored silently (or handed to `expand`), books
// give all their pages, pictures give one page each (content not looked at).
// Problems are reported per file and the walk goes on. The result is sorted
// as sortNewPages sorts, the pages `expand` gives kept together, in their
// order, at the place of the path they came from.
PageList collectPages(const QStringList &paths, const CollectReport &report = {}, const PathExpander &expand = {});

// Stable sort by source path in ordinal UTF-16 order (case-sensitive), then
// by offset, so a book's pages keep their order and a folder's files come in
// name order.
void sortNewPages(PageList &pages);

// The entries of a folder (not its subfolders' contents) that are files with
// an accepted kind: pictures and books.
QStringList folderPictureEntries(const QString &folder);

// The files of a folder that folderPictureEntries takes whose names are not
// valid UTF-8, their paths with the name's bytes escaped: for the tools that
// refuse such names.
QStringList unusablePictureEntries(const QString &folder);

} // namespace kvb
