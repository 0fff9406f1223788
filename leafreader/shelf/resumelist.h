#pragma once

#include "bookentry.h"

#include <QString>

#include <array>
#include <vector>

namespace leafreader {

// The books to resume: at most 100 entries in insertion order; (path, page)
// identifies one. Stored as "Resume0".."Resume99" with the values
// "kind|page|count|zoom|single|path".
class ResumeList {
public:
    static constexpr int kMaxEntries = 100;
    using Slots = std::array<QString, kMaxEntries>;

    enum class CloseResult {
        Unchanged,  // mode 0: nothing registered
        Registered, // the book is the last entry now
        Full,       // 100 entries and no entry to replace: nothing changed
    };

    // Parses one stored value; false for an empty or malformed value or a
    // kind other than 2 or 3. The path is the text after the fifth '|', so a
    // path may itself contain '|'.
    static bool parseEntry(const QString &value, BookEntry &entry);
    static QString formatEntry(const BookEntry &entry);

    void load(const Slots &values);
    // Every slot: the entries in order, then empty strings.
    void store(Slots &values) const;

    const std::vector<BookEntry> &entries() const { return m_entries; }
    std::vector<BookEntry> &entries() { return m_entries; }
    int size() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    void clear() { m_entries.clear(); }

    // The first entry with that path and page, or -1.
    int find(const QString &path, int page) const;
    // The first entry with that path (any page), or -1.
    int findPath(const QString &path) const;
    void removeAt(int index);
    // Removes every entry of that path; returns how many went.
    int removePath(const QString &path);

    // Registers a closed book. mode 0: the book's page goes back to
    // `pageAtOpening`; 1: the entry it was opened from (path, pageAtOpening) is
    // replaced; 2: a new entry, or the one at the same page moved to the end.
    CloseResult closeBook(int mode, BookEntry &book, int pageAtOpening);
    // Whether closing in `mode` would register the book (false: the list is
    // full and holds no entry the closing replaces).
    bool canRegister(int mode, const BookEntry &book, int pageAtOpening) const;
    // How a book that must not lose its place is closed: overwriting the
    // entry it was opened at (it came from the list), else adding one.
    int keepingMode(const BookEntry &book, int pageAtOpening) const;

    // Reads every book entry's list information again, thumbnails left out:
    // kind 2 with the current size when the file reads, else kind 3 titled
    // with the file name.
    void refresh();

private:
    std::vector<BookEntry> m_entries;
};

// Paths name files on a case-sensitive file system: they are the same only
// when equal character for character.
bool samePath(const QString &a, const QString &b);

} // namespace leafreader
