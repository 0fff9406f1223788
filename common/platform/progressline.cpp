#include "progressline.h"

#include "filenames.h"

#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Redraws closer together than this are left out: a run of many small items
// (pages copied into a book) would otherwise spend its time on the terminal.
constexpr int64_t kRedrawMs = 50;

ProgressLine *g_shownLine = nullptr;

int columnsOf(char32_t c)
{
    if (c == 0x200B || c == 0x200C || c == 0x200D || (c >= 0x0300 && c <= 0x036F) || (c >= 0x3099 && c <= 0x309A)
        || (c >= 0xFE00 && c <= 0xFE0F))
        return 0;
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF)
                      || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF)
                      || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF)
                      || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60)
                      || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F)
                      || (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
    return wide ? 2 : 1;
}

QString duration(int64_t ms)
{
    const int64_t s = ms / 1000;
    if (s >= 3600)
        return QString::asprintf("%lld:%02lld:%02lld", (long long)(s / 3600), (long long)(s / 60 % 60),
                                 (long long)(s % 60));
    return QString::asprintf("%lld:%02lld", (long long)(s / 60), (long long)(s % 60));
}

// The end of a text that fits in `columns`, led by "…" when shortened.
QString tailFitting(const QString &text, int columns)
{
    if (terminalColumns(text) <= columns)
        return text;
    if (columns < 2)
        return {};
    const QList<uint> codes = text.toUcs4();
    int used = 1;
    qsizetype first = codes.size();
    while (first > 0) {
        const int w = columnsOf(codes[first - 1]);
        if (used + w > columns)
            break;
        used += w;
        --first;
    }
    QString tail;
    for (qsizetype i = first; i < codes.size(); ++i)
        tail += QString::fromUcs4(reinterpret_cast<const char32_t *>(&codes[i]), 1);
    return QStringLiteral("…") + tail;
}

} // namespace

int terminalColumns(QStringView text)
{
    int n = 0;
    for (const uint c : text.toUcs4())
        n += columnsOf(c);
    return n;
}

QString progressLineText(const QString &title, int done, int total, const QString &name, int64_t elapsedMs,
                         int columns)
{
    QString line = title.isEmpty() ? QString() : title + u' ';
    line += QStringLiteral("%1/%2  %3 elapsed").arg(done).arg(total).arg(duration(elapsedMs));
    if (done > 0 && done < total)
        line += QStringLiteral("  %1 left").arg(duration(elapsedMs * (total - done) / done));
    // The last column stays free: writing into it makes some terminals wrap.
    const int room = columns - 1 - terminalColumns(line) - 2;
    const QString shownName = tailFitting(escapedText(name), room);
    if (!shownName.isEmpty())
        line += QStringLiteral("  ") + shownName;
    return line;
}

ProgressLine::ProgressLine(bool quiet)
{
    // A terminal that cannot erase a line (TERM=dumb) would pile the
    // redraws up side by side.
    const QByteArray term = qgetenv("TERM");
    if (!quiet && ::isatty(STDERR_FILENO) && term != "dumb")
        m_stream = stderr;
    m_timer.start();
}

ProgressLine::ProgressLine(const Terminal &terminal)
    : m_stream(terminal.stream), m_fixedColumns(terminal.columns), m_clock(terminal.clock)
{
}

ProgressLine::~ProgressLine()
{
    erase();
    if (g_shownLine == this)
        g_shownLine = nullptr;
}

int64_t ProgressLine::now() const
{
    return m_clock ? m_clock() : m_timer.elapsed();
}

int ProgressLine::columns() const
{
    if (m_fixedColumns > 0)
        return m_fixedColumns;
    winsize size{};
    if (m_stream && ::ioctl(::fileno(m_stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return 80;
}

void ProgressLine::begin(const QString &title, int range)
{
    if (m_depth++ > 0)
        return;
    m_title = title;
    m_total = range;
    m_done = 0;
    m_name.clear();
    m_started = now();
    if (shown())
        g_shownLine = this;
    draw(true);
}

void ProgressLine::setText(const QString &text)
{
    if (m_depth != 1)
        return;
    m_name = text;
    draw(false);
}

void ProgressLine::setPosition(int position)
{
    if (m_depth != 1)
        return;
    m_done = position;
    draw(position >= m_total);
}

void ProgressLine::end()
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    erase();
    if (g_shownLine == this)
        g_shownLine = nullptr;
}

void ProgressLine::put(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_stream);
    std::fflush(m_stream);
}

void ProgressLine::draw(bool always)
{
    if (!shown() || m_depth == 0 || m_total <= 0)
        return;
    const int64_t t = now();
    if (!always && m_drawn && m_lastDraw >= 0 && t - m_lastDraw < kRedrawMs)
        return;
    m_lastDraw = t;
    m_lastText = progressLineText(m_title, m_done, m_total, m_name, t - m_started, columns());
    m_drawn = true;
    put("\r" + m_lastText.toUtf8() + "\033[K");
}

void ProgressLine::erase()
{
    if (!m_drawn)
        return;
    m_drawn = false;
    put("\r\033[K");
}

bool ProgressLine::sharesTerminalWith(FILE *stream) const
{
    if (stream == m_stream)
        return true;
    struct stat a {}, b {};
    return ::isatty(::fileno(stream)) && ::fstat(::fileno(stream), &a) == 0 && ::fstat(::fileno(m_stream), &b) == 0
           && a.st_rdev == b.st_rdev;
}

void ProgressLine::writeAbove(FILE *stream, const QByteArray &bytes)
{
    ProgressLine *line = g_shownLine;
    const bool above = line && line->m_drawn && line->sharesTerminalWith(stream);
    if (above)
        line->erase();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
    if (above && bytes.endsWith('\n'))
        line->draw(true);
}

} // namespace platform
