#pragma once

#include <QString>

#include <cstdint>

namespace bindery {

struct BookDocument;

// The file name the save dialog proposes for a new book under the
// "AutoFileName" rule 0 to 4 (title and the ticked date's parts). A '/' in the
// title becomes U+FF0F so that the proposal stays one file name.
QString proposedFileName(int autoFileName, const QString &title, bool dateTicked, int year,
                         int month, int day);

// Folder and name for Save As: those of the document's own path, or the
// remembered book folder and the proposed name for a new book.
QString proposedSavePath(const BookDocument &document, int autoFileName, const QString &bookFolder);

// folder / prefix + number ("%04d") + the kind's extension.
QString exportFileName(const QString &folder, const QString &prefix, int number, uint8_t kind);

} // namespace bindery
