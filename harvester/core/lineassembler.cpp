#include "lineassembler.h"

namespace harvester {

std::optional<QString> LineAssembler::feed(char byte)
{
    const auto b = static_cast<unsigned char>(byte);
    if (b == 0x0A || b == 0x0D) {
        if (m_fill == 0)
            return std::nullopt;
        QString line = QString::fromLatin1(m_buffer, m_fill);
        m_fill = 0;
        return line;
    }
    if (b >= 0x20 && b <= 0x7E && m_fill < kMaxLineChars)
        m_buffer[m_fill++] = byte;
    return std::nullopt;
}

} // namespace harvester
