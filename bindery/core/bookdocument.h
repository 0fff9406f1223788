#pragma once

#include <book/bookrecords.h>

#include <QString>

#include <vector>

namespace bindery {

// The book as the editor holds it: the pages with their list thumbnails, the
// attribute fields, the layout flags and the page list's selection.
struct BookDocument {
    kvb::PageList pages;
    // One flag per page, in page order: set while the page's list thumbnail
    // is still to be made (a large import makes those out of view later).
    std::vector<char> thumbnailPending;
    QString documentPath; // empty for a new book
    bool modified = false;

    // The principal texts.
    QString title;
    QString subtitle;
    QString author;
    QString publisher;
    QString circle;

    bool datePresent = false;
    int year = 0; // 0 to 9999, 0 leaves it open
    int month = 0; // 0 to 12
    int day = 0; // 0 to 31

    // Further authors, publishers, circles and user-defined items.
    kvb::AttributeList otherAttributes;

    bool cover = true;
    bool bindRight = true;
    bool pageSpread = true;
    bool withThumbnail = true;

    // 1-based page shown in the preview; 0 when there are no pages.
    int currentPosition = 0;
    // Indices of the selected pages of the page list, ascending.
    std::vector<int> selection;

    // The principal text of a type from kvb::Title to kvb::Circle.
    QString &principalText(uint8_t type);
    const QString &principalText(uint8_t type) const;

    int pageCount() const { return int(pages.size()); }
    bool isSelected(int index) const;
    uint8_t layoutFlags() const;
};

// The attribute list a save writes: the principal texts, the date when
// ticked, then the further attributes.
kvb::AttributeList bookAttributes(const BookDocument &document);

// Fields whose check can fail before a save; the dialog moves the focus there.
enum class Field { None, Title, Subtitle, Author, Publisher, Circle, Year, Month, Day };

struct Validation {
    bool ok = true;
    QString message;
    Field focus = Field::None;
};

// The checks before a save: lengths and ranges, control characters in the
// principal texts, and the day against the month's last allowed day (made
// whether or not the date box is ticked). With `rangesOnly` only the lengths
// and ranges, as taking the fields over from the window checks them.
Validation validateDocument(const BookDocument &document, bool rangesOnly = false);

} // namespace bindery
