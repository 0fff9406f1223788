#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace harvester {

// Turns the extractor's output, fed byte by byte, into lines: only line
// feed, carriage return and the printable ASCII bytes 0x20 to 0x7E are looked
// at; a line feed or carriage return ends a line, so a CR LF pair gives one
// line and empty lines are never reported; a line keeps its first 1023
// characters. A line still open when the output ends is not reported.
class LineAssembler {
public:
    static constexpr int kMaxLineChars = 1023;

    // The finished line when this byte ended one.
    std::optional<QString> feed(char byte);

private:
    char m_buffer[kMaxLineChars];
    int m_fill = 0;
};

} // namespace harvester
