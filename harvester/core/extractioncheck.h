#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace harvester {

// One image of a PDF as the extractor lists it ("pdfimages -list"): its
// number, which names the file it is extracted to, and its type.
struct ListedImage {
    int number = 0;
    QString type; // "image", "mask", "smask" or "stencil"

    // A mask or soft mask belongs to the image before it (its transparency)
    // and is no page of its own. A stencil paints the page with a colour
    // through its shape, as bilevel scans often do: it is a page.
    bool isMask() const { return type == QLatin1String("mask") || type == QLatin1String("smask"); }
};

// The images of the extractor's list output: the rows after the line of
// dashes under the header. Nothing when the output holds no such table or a
// row that cannot be read.
std::optional<QList<ListedImage>> parseImageList(const QByteArray &output);

// What an extraction brought, checked against the list of the PDF's images:
// every listed image must have arrived as exactly one whole JPEG or PNG file
// named root + "-" + its number in at least three digits, and nothing else
// may be in the folder.
struct ExtractionCheck {
    // The files of the images that are pages, in the order of their numbers.
    QStringList pageFiles;
    // What was missing or wrong, one log line each (at most kMaxProblemLines
    // and then one line for the rest).
    QStringList problems;
    int listed = 0;

    bool complete() const { return problems.isEmpty(); }
};

constexpr int kMaxProblemLines = 10;

ExtractionCheck checkExtraction(const QString &folder, const QString &root, const QList<ListedImage> &listed);

// Whether the picture file is whole: a JPEG or PNG whose structure runs to
// its end, or, where the structure breaks off, one that still decodes without
// damage (a JPEG that lacks only its end marker shows whole; one cut in its
// scan does not).
enum class PictureFileState { Whole, Empty, Cut, NotAPicture, Unreadable };
PictureFileState pictureFileState(const QString &path);

} // namespace harvester
