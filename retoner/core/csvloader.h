#pragma once

#include <QByteArray>

#include <vector>

class QIODevice;

namespace retoner {

// Reads comma-separated records byte by byte with one byte of look-ahead.
// A field may be quoted; inside quotes a doubled quote is one quote and commas
// and line ends are data. Records end at CR LF, CR or LF. Fields come back as
// raw bytes; the caller chooses their text encoding.
class CCSVLoader {
public:
    explicit CCSVLoader(QIODevice &device) : m_device(device) {}

    // The fields of the next record; false at end of file (a read error counts
    // as end of file). At end of file inside a record, the fields ended by ","
    // form the record and the unfinished last field is dropped.
    bool readRecord(std::vector<QByteArray> &fields);

private:
    int readByte(); // -1 at end of file
    int peekByte();

    QIODevice &m_device;
    int m_next = -2; // -2: nothing looked ahead yet
    // Bytes read from the device in blocks, given out one at a time.
    QByteArray m_block;
    qsizetype m_blockPos = 0;
    bool m_ended = false;
};

} // namespace retoner
