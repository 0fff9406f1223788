#include "csvloader.h"

#include <QIODevice>

namespace retoner {

namespace {

enum class State { FieldStart, Unquoted, Quoted, AfterPair };

constexpr qint64 kBlockBytes = 4096;

bool isDelimiter(int ch)
{
    return ch < 0 || ch == ',' || ch == '\r' || ch == '\n';
}

} // namespace

int CCSVLoader::readByte()
{
    if (m_next != -2) {
        const int ch = m_next;
        m_next = -2;
        return ch;
    }
    if (m_blockPos == m_block.size()) {
        // A read error counts as the end of the file, as a short read does.
        if (m_ended)
            return -1;
        m_block = m_device.read(kBlockBytes);
        m_blockPos = 0;
        if (m_block.isEmpty()) {
            m_ended = true;
            return -1;
        }
    }
    return static_cast<unsigned char>(m_block[m_blockPos++]);
}

int CCSVLoader::peekByte()
{
    if (m_next == -2)
        m_next = readByte();
    return m_next;
}

bool CCSVLoader::readRecord(std::vector<QByteArray> &fields)
{
    fields.clear();
    int ch = readByte();
    if (ch < 0)
        return false;

    QByteArray field;
    State state = State::FieldStart;
    for (; ch >= 0; ch = readByte()) {
        const int next = peekByte();
        switch (state) {
        case State::FieldStart:
            if (ch == '\r' && next == '\n')
                break; // the LF ends the record
            if (ch == '\r' || ch == '\n') {
                fields.push_back(field);
                return true;
            }
            if (ch == '"') {
                state = State::Quoted;
            } else if (ch == ',') {
                fields.push_back(field);
                field.clear();
            } else {
                field.append(static_cast<char>(ch));
                if (!isDelimiter(next))
                    state = State::Unquoted;
            }
            break;
        case State::Unquoted:
            field.append(static_cast<char>(ch));
            if (isDelimiter(next))
                state = State::FieldStart;
            break;
        case State::Quoted:
            if (ch != '"') {
                field.append(static_cast<char>(ch));
            } else if (isDelimiter(next)) {
                state = State::FieldStart;
            } else if (next == '"') {
                field.append('"');
                state = State::AfterPair;
            }
            // any other quote is dropped
            break;
        case State::AfterPair:
            state = State::Quoted;
            break;
        }
    }
    // End of file inside the record: the unfinished field is dropped.
    return true;
}

} // namespace retoner
