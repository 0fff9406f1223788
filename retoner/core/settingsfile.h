#pragma once

#include "tonesettings.h"

#include <QString>

namespace platform {
class Prompt;
}

namespace retoner {

// Settings files (".tnp"): one comma-separated record per line, every line
// ended by CR LF; text in UTF-8 (files in CP932 from older installations are
// still read). 201 records: ColorParam, the 197 ColorCC points, MonoParam,
// OutputFolder (quoted) and OutputParam.

enum class SettingsWriteResult { Written, OpenFailed, WriteFailed };

// The whole file as bytes.
QByteArray settingsFileText(const ToneSettings &settings);

// Writes through a temporary file beside the target, so a failed write never
// leaves a half-written settings file behind.
SettingsWriteResult writeSettingsFile(const ToneSettings &settings, const QString &path);
QString writeMessage(SettingsWriteResult result); // empty for Written

// Shows the failure message through the prompt; true when written.
bool writeSettings(const ToneSettings &settings, const QString &path, platform::Prompt &prompt);

struct SettingsReadReport {
    bool opened = false;
    bool overflow = false; // a number did not fit its type
    int errors = 0;        // values refused by their range
    bool ok() const { return opened && !overflow && errors == 0; }
};

// Reads every known record into settings; each value is checked on its own,
// good values are stored even when others are refused.
SettingsReadReport readSettingsFile(ToneSettings &settings, const QString &path);
// The same for the file's bytes, already read.
SettingsReadReport readSettingsBytes(ToneSettings &settings, QByteArray bytes);
QString readMessage(const SettingsReadReport &report); // empty when ok

// Shows the failure message through the prompt; true only when the file was
// opened and nothing was refused.
bool readSettings(ToneSettings &settings, const QString &path, platform::Prompt &prompt);

// Number conversions with the rules of the C library's string conversions
// (leading blanks, a sign, stop at the first unfit character, no digits 0),
// always in the "C" locale. overflow is set when the value does not fit:
// integers are 32-bit and saturate, doubles report ERANGE.
int32_t settingsInt(const QString &field, bool &overflow);
double settingsDouble(const QString &field, bool &overflow);

// Scans "ColorCC:v%ds%dh%d" with scanf rules; returns the count of numbers read.
int scanColorKey(const QString &key, int numbers[3]);

} // namespace retoner
