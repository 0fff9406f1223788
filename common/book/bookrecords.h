#pragma once

#include "platform/filestamp.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace kvb {

// Kinds of page records; BookKind is what pageKindFromExtension gives a book
// file, whose pages are to be taken over.
enum PageKind : uint8_t {
    NotAccepted = 0x00,
    Jpeg = 0x80,
    Png = 0x81,
    Bmp = 0x82,
    BookKind = 0xFF,
};

enum AttributeType : uint8_t {
    Title = 1,
    Subtitle = 2,
    Author = 3,
    Publisher = 4,
    Circle = 5,
    PublicationDate = 6,
    UserDefined = 7,
};

// Bits of BookHeader::layoutFlags.
enum LayoutFlag : uint8_t {
    Cover = 0x01,      // the first page is a cover
    BindR = 0x02,      // bound on the right: pages advance right to left
    PageSpread = 0x04, // two pages side by side
};

constexpr int kThumbnailWidth = 160;
constexpr int kThumbnailHeight = 200;
constexpr int kThumbnailBytes = kThumbnailWidth * kThumbnailHeight * 3; // 96000
constexpr int kMaxTextChars = 127;
constexpr int kMaxItemNameChars = 16;
constexpr int kMaxPages = 65535;

struct BookHeader {
    uint8_t magic[4] = {0x05, 'K', 'V', 'B'};
    uint16_t pageCount = 0;
    uint8_t layoutFlags = 0;
    uint8_t thumbnailFlag = 0;
};

struct AttributeEntry {
    uint8_t type = 0;
    uint16_t year = 0;
    uint8_t month = 0;
    uint8_t day = 0;
    QString name; // UserDefined only
    QString text; // types 1 to 5; the value of UserDefined

    bool operator==(const AttributeEntry &) const = default;
};

// A reference to one page's bytes: a plain picture file (offset 0) or a page
// inside a book. The editor keeps the page's list thumbnail with it.
struct PageEntry {
    uint8_t kind = 0;
    QString sourcePath;
    uint64_t offset = 0;
    uint32_t size = 0;
    // The source file as it was when the page was found; a copy fails when
    // the file there is no longer that one. Unknown for hand-made entries.
    std::optional<platform::FileStamp> sourceStamp;
    QImage thumbnail;
};

using AttributeList = std::vector<AttributeEntry>;
using PageList = std::vector<PageEntry>;

// The kind a file's extension stands for: "jpg"/"jpeg" Jpeg, "png" Png,
// "bmp" Bmp, "kvb" BookKind, anything else NotAccepted. Case-insensitive.
uint8_t pageKindFromExtension(QStringView path);

// ".jpg", ".png" or ".bmp" for a page kind; empty for any other value.
QString extensionForKind(uint8_t kind);

} // namespace kvb

namespace kvb {

// A publication date's parts; 0 leaves a part open.
struct BookDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const BookDate &) const = default;
};

// The last day a month may have: February has 29 in leap years of the
// Gregorian calendar (year 0 counts as leap), months 4, 6, 9 and 11 have 30,
// and every other month (including the open month 0) allows 31.
constexpr int lastAllowedDay(int year, int month)
{
    if (month == 2) {
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        return leap ? 29 : 28;
    }
    if (month == 4 || month == 6 || month == 9 || month == 11)
        return 30;
    return 31;
}

// A publication date as a book may carry it: each part in range, 0 leaving it
// open, and the day within the month's limit.
constexpr bool isValidBookDate(int year, int month, int day)
{
    return year >= 0 && year <= 9999 && month >= 0 && month <= 12 && day >= 0 && day <= 31
           && day <= lastAllowedDay(year, month);
}

} // namespace kvb
