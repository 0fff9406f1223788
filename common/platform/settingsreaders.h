#pragma once

#include <QAnyStringView>
#include <QChar>
#include <QRect>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

class QSettings;

namespace platform {

// Typed readers of the values a program keeps in its settings store (the
// group the store is in). They refuse alike: a missing or empty value, text
// that is not a whole decimal number, a number followed by anything but white
// space, and a number beyond int. A refused value reads as std::nullopt (an
// empty string for folders), so the caller keeps its default or the value it
// held: `skip = readClampedInt(store, "SkipForward", 1, 600).value_or(skip);`.

// The whole text as one decimal number with an optional sign; white space
// around it is allowed.
std::optional<int> parseInt(QStringView text);
// Numbers separated by `separator`, each read as parseInt; refused unless
// there are minCount to maxCount of them and every one reads.
std::optional<std::vector<int>> parseNumbers(QStringView text, QChar separator, int minCount,
                                             int maxCount);

std::optional<int> readInt(const QSettings &store, QAnyStringView name);
// A number outside low..high is brought to the nearer end.
std::optional<int> readClampedInt(const QSettings &store, QAnyStringView name, int low, int high);
// A number outside low..high is refused like a malformed one.
std::optional<int> readIntInRange(const QSettings &store, QAnyStringView name, int low, int high);
// Any number; not 0 means on.
std::optional<bool> readFlag(const QSettings &store, QAnyStringView name);
// A list of numbers as parseNumbers reads it.
std::optional<std::vector<int>> readNumbers(const QSettings &store, QAnyStringView name,
                                            QChar separator, int minCount, int maxCount);
// The stored folder while it names an existing folder; empty otherwise.
QString readExistingFolder(const QSettings &store, QAnyStringView name);

// Text that holds file names (a folder, a list entry with a path). A name's
// bytes that are not UTF-8 (see filenames.h) cannot be written as the file's
// text, so such text is stored as its bytes and read back to the same names;
// other text is stored as text.
void writeNameText(QSettings &store, QAnyStringView name, const QString &text);
// The stored text, or `fallback` when there is none.
QString readNameText(const QSettings &store, QAnyStringView name, const QString &fallback = {});

// A window rectangle stored as "left;top;width;height".
std::optional<QRect> parseWindowRect(QStringView text);
QString windowRectText(const QRect &rect);
std::optional<QRect> readWindowRect(const QSettings &store, QAnyStringView name);

} // namespace platform
