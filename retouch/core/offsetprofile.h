#pragma once

#include "columnoffsets.h"

#include <QString>

#include <optional>
#include <vector>

namespace retouch {

class ColumnImage;

// A stripe profile: the corrections of a scanner's columns, kept in a small
// text file so the corrections of one page serve every page of the scanner.
//   column,all,r,g,b
//   812,4,0,0,-2
//   gamma,4
// One line per column whose record is not all 0, and the curve choice.
struct OffsetProfile {
    struct Column {
        int line = 0; // where it stood in the file (1 = first line)
        int x = 0;
        ColumnOffsets offsets;
    };
    std::vector<Column> columns; // in file order
    std::optional<int> curve;    // absent: the curve in use stays
};

struct ProfileReadResult {
    enum Status { Ok, OpenFailed, FormatError, OutOfRange };
    Status status = Ok;
    int line = 0; // the line at fault
    OffsetProfile profile;

    // The message for the user, naming the file and the line.
    QString message(const QString &path) const;
};

// Reads a profile: a header line, then column lines of five whole numbers
// (a column from 0, offsets -30..30, each column once) and at most one
// "gamma,N" line (N 0..6), in any order; blank lines and CR LF endings are
// taken. Any bad line refuses the whole file.
ProfileReadResult readOffsetProfile(const QString &path);
ProfileReadResult parseOffsetProfile(const QByteArray &text);

// The profile's text: the non-zero records of `offsets` and the curve.
QByteArray offsetProfileText(const std::vector<ColumnOffsets> &offsets, int curve);
// Writes it through a temporary file that then replaces the target.
bool writeOffsetProfile(const QString &path, const std::vector<ColumnOffsets> &offsets, int curve);

// The line of the first column that lies beyond an image `width` wide, or 0.
int firstColumnBeyond(const OffsetProfile &profile, int width);

// Gives the picture the profile's corrections: the edited image starts again
// from the source, every record is replaced (columns the profile does not name
// get 0), the profile's curve (if it has one) is taken and correctAllColumns
// runs. Returns false, changing nothing, when a column lies beyond the image.
bool applyOffsetProfile(ColumnImage &image, const OffsetProfile &profile);

} // namespace retouch
