#pragma once

#include "columnoffsets.h"

#include <QString>

#include <optional>
#include <vector>

namespace retouch {

class ColumnImage;

// A stripe profile: the corrections of a scanner's columns, kept in a small
// text file so the corrections of one page serve every page of the scanner.
//   column,all,r,g,b,curve
//   812,4,0,0,-2,4
//   813,0,0,0,0,4
//   gamma,4
// One line per column whose record is not all 0 or whose pixels were
// recomputed, with the curve they were last recomputed under (-1: the
// source's pixels), and the curve choice. Replayed, it gives the picture the
// editor had when it was saved. Files of five fields a line (no curve) are
// read too: their columns are recomputed under the profile's curve unless
// their offsets cancel.
struct OffsetProfile {
    struct Column {
        int line = 0; // where it stood in the file (1 = first line)
        int x = 0;
        ColumnOffsets offsets;
        std::optional<int> computedCurve; // absent in files of five fields
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

// Reads a profile: a header line, then column lines of five or six whole
// numbers (a column from 0, offsets -30..30, the curve -1..6, each column
// once) and at most one "gamma,N" line (N 0..6), in any order; blank lines
// and CR LF endings are taken. Any bad line refuses the whole file.
ProfileReadResult readOffsetProfile(const QString &path);
ProfileReadResult parseOffsetProfile(const QByteArray &text);

// The profile of the picture as it is now: its offsets, the curve each
// recomputed column was recomputed under, and its curve.
QByteArray offsetProfileText(const ColumnImage &image);
// Writes it through a temporary file that then replaces the target.
bool writeOffsetProfile(const QString &path, const ColumnImage &image);

// The line of the first column that lies beyond an image `width` wide, or 0.
int firstColumnBeyond(const OffsetProfile &profile, int width);

// Gives the picture the profile's corrections: the edited image starts again
// from the source, every record is replaced (columns the profile does not name
// get 0), the profile's curve (if it has one) is taken, and exactly the
// columns the profile says were recomputed are recomputed, each under its
// curve. Returns false, changing nothing, when a column lies beyond the image.
bool applyOffsetProfile(ColumnImage &image, const OffsetProfile &profile);

} // namespace retouch
