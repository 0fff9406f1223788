#include "settingsfile.h"

#include "csvloader.h"

#include <platform/cp932.h>
#include <platform/paths.h>
#include <platform/prompt.h>
#include <platform/safefile.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <unistd.h>

namespace retoner {

namespace {

constexpr float HueLimit = 2.0943952f; // 120 degrees
constexpr float ShiftLimit = 0.5f;

void appendLine(QByteArray &out, const QString &line)
{
    out += line.toUtf8();
    out += "\r\n"; // CR LF on every platform, as the files always had
}

QString shiftsText(const ControlPoint &p)
{
    QString text;
    for (const float shift : {p.hueShift, p.saturationShift, p.valueShift}) {
        // QString::asprintf formats numbers in the C locale whatever the
        // user's locale. A tiny negative value shows as zero without its
        // sign: "-0.000000" would read back as a zero that is written
        // "0.000000", and a file saved twice would differ.
        QString number = QString::asprintf("%.6f", static_cast<double>(shift));
        if (number == u"-0.000000")
            number.remove(0, 1);
        text += u',' + number;
    }
    return text;
}

bool isSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || (u >= '\t' && u <= '\r');
}

// The whole file in one pass, so a pipe or a terminal (which cannot be read
// twice) gives its bytes like any file. False when it cannot be opened or a
// read fails.
bool readWholeFile(const QString &path, QByteArray &bytes)
{
    QFile file(path);
    if (path.isEmpty() || QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    bytes.clear();
    char buffer[65536];
    for (;;) {
        const qint64 n = file.read(buffer, sizeof buffer);
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        bytes.append(buffer, n);
    }
}

locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

// Reads the digits of a decimal number at pos with saturation; false when
// there are none.
bool scanDecimal(const QString &text, qsizetype &pos, long long &value)
{
    const qsizetype start = pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
        negative = text[pos++] == u'-';
    value = 0;
    const qsizetype digits = pos;
    for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) {
        if (value <= (LLONG_MAX - 9) / 10)
            value = value * 10 + (text[pos].unicode() - u'0');
        else
            value = LLONG_MAX;
    }
    if (pos == digits) {
        pos = start;
        return false;
    }
    if (negative)
        value = -value;
    return true;
}

template<typename T>
void storeInRange(T &target, T value, T low, T high, int &errors)
{
    if (value >= low && value <= high)
        target = value;
    else
        ++errors;
}

void storeHue(float &target, float value, bool neutralPoint, int &errors)
{
    const bool accepted = neutralPoint ? value >= 0.0f && value < TwoPi
                                       : value >= -HueLimit && value <= HueLimit;
    if (accepted)
        target = value;
    else
        ++errors;
}

} // namespace

int32_t settingsInt(const QString &field, bool &overflow)
{
    qsizetype pos = 0;
    while (pos < field.size() && isSpace(field[pos]))
        ++pos;
    long long value;
    if (!scanDecimal(field, pos, value))
        return 0;
    if (value > INT32_MAX) {
        overflow = true;
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        overflow = true;
        return INT32_MIN;
    }
    return static_cast<int32_t>(value);
}

double settingsDouble(const QString &field, bool &overflow)
{
    const QByteArray bytes = field.toUtf8();
    errno = 0;
    char *end = nullptr;
    const double value = strtod_l(bytes.constData(), &end, cLocale());
    if (errno == ERANGE)
        overflow = true;
    return value;
}

int scanColorKey(const QString &key, int numbers[3])
{
    static const QString prefix = QStringLiteral("ColorCC:v");
    if (!key.startsWith(prefix))
        return 0;
    qsizetype pos = prefix.size();
    const char16_t separators[2] = {u's', u'h'};
    for (int count = 0; count < 3; ++count) {
        if (count > 0) {
            if (pos >= key.size() || key[pos] != QChar(separators[count - 1]))
                return count;
            ++pos;
        }
        while (pos < key.size() && isSpace(key[pos]))
            ++pos;
        long long value;
        if (!scanDecimal(key, pos, value))
            return count;
        numbers[count] = static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
    }
    return 3;
}

QByteArray settingsFileText(const ToneSettings &s)
{
    QByteArray out;
    out.reserve(201 * 48);
    const ColorCorrectionTable &table = s.correction;
    appendLine(out, QString::asprintf("ColorParam,%d,%d,%d,%d", s.color.blurIndex,
                                      s.color.sharpenIndex, s.color.sharpenStrength,
                                      s.color.correctionEnabled));
    appendLine(out, QStringLiteral("ColorCC:v0") + shiftsText(table[ColorCorrectionTable::blackIndex()]));
    for (int level = 1; level <= ColorCorrectionTable::Levels; ++level) {
        appendLine(out, QString::asprintf("ColorCC:v%ds0", level)
                            + shiftsText(table[ColorCorrectionTable::greyIndex(level)]));
        for (int sat = 1; sat <= ColorCorrectionTable::Saturations; ++sat)
            for (int hue = 0; hue < ColorCorrectionTable::Hues; ++hue)
                appendLine(out, QString::asprintf("ColorCC:v%ds%dh%d", level, sat, hue)
                                    + shiftsText(table[ColorCorrectionTable::colouredIndex(level, sat, hue)]));
    }
    const MonoParams &m = s.mono;
    appendLine(out, QString::asprintf("MonoParam,%d,%d,%d,%d,%d,%d,%d", m.grayscale, m.blackLevel,
                                      m.whiteLevel, m.curve, m.blurIndex, m.sharpenIndex,
                                      m.sharpenStrength));
    QString folder = s.outputFolder;
    folder.replace(u'"', QStringLiteral("\"\""));
    appendLine(out, QStringLiteral("OutputFolder,\"") + folder + u'"');
    const OutputParams &o = s.output;
    appendLine(out, QString::asprintf("OutputParam,%d,%d,%d,%d,%d,%d,%d", o.resizeMode,
                                      o.ratioPercent, o.uniformSize, o.width, o.height, o.format,
                                      o.jpegQuality));
    return out;
}

SettingsWriteResult writeSettingsFile(const ToneSettings &settings, const QString &path)
{
    platform::AtomicFile file(path, platform::FileRole::Document, QStringLiteral("$TN"));
    if (!file.open())
        return SettingsWriteResult::OpenFailed;
    if (!file.write(settingsFileText(settings)) || !file.commit())
        return SettingsWriteResult::WriteFailed;
    return SettingsWriteResult::Written;
}

QString writeMessage(SettingsWriteResult result)
{
    switch (result) {
    case SettingsWriteResult::OpenFailed: return QCoreApplication::translate("SettingsFile", "設定の保存に失敗しました。(Open)");
    case SettingsWriteResult::WriteFailed: return QCoreApplication::translate("SettingsFile", "保存に失敗しました。(Write)");
    case SettingsWriteResult::Written: break;
    }
    return {};
}

bool writeSettings(const ToneSettings &settings, const QString &path, platform::Prompt &prompt)
{
    const SettingsWriteResult result = writeSettingsFile(settings, path);
    if (result != SettingsWriteResult::Written)
        prompt.message(writeMessage(result), platform::PromptIcon::Stop);
    return result == SettingsWriteResult::Written;
}

SettingsReadReport readSettingsFile(ToneSettings &s, const QString &path)
{
    QByteArray bytes;
    if (!readWholeFile(path, bytes))
        return SettingsReadReport{};
    return readSettingsBytes(s, std::move(bytes));
}

SettingsReadReport readSettingsBytes(ToneSettings &s, QByteArray bytes)
{
    SettingsReadReport report;
    report.opened = true;

    // One decision for the whole file holds for every field of it.
    const bool utf8 = platform::isValidUtf8(bytes);
    if (utf8 && bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);

    CCSVLoader loader(file);
    std::vector<QByteArray> raw;
    QStringList fields;
    bool &overflow = report.overflow;
    int &errors = report.errors;
    while (loader.readRecord(raw)) {
        if (raw.size() < 2)
            continue;
        fields.clear();
        for (const QByteArray &bytes : raw)
            fields.append(utf8 ? QString::fromUtf8(bytes) : platform::decodeCp932(bytes));
        const QString &key = fields[0];
        const qsizetype count = fields.size();

        if (key == u"ColorParam" && count >= 5) {
            int32_t v[4];
            for (int i = 0; i < 4; ++i)
                v[i] = settingsInt(fields[1 + i], overflow);
            storeInRange(s.color.blurIndex, v[0], 0, 4, errors);
            storeInRange(s.color.sharpenIndex, v[1], 0, 4, errors);
            storeInRange(s.color.sharpenStrength, v[2], 0, 100, errors);
            s.color.correctionEnabled = v[3] != 0;
        } else if (key.left(8) == u"ColorCC:" && count >= 4) {
            float v[3];
            for (int i = 0; i < 3; ++i)
                v[i] = static_cast<float>(settingsDouble(fields[1 + i], overflow));
            int n[3] = {0, 0, 0};
            const int numbers = scanColorKey(key, n);
            int index = -1;
            if (numbers == 1 && n[0] == 0)
                index = ColorCorrectionTable::blackIndex();
            else if (numbers == 2 && n[0] >= 1 && n[0] <= 4 && n[1] == 0)
                index = ColorCorrectionTable::greyIndex(n[0]);
            else if (numbers == 3 && n[0] >= 1 && n[0] <= 4 && n[1] >= 1 && n[1] <= 4
                     && n[2] >= 0 && n[2] <= 11)
                index = ColorCorrectionTable::colouredIndex(n[0], n[1], n[2]);
            if (index >= 0) {
                ControlPoint &point = s.correction[index];
                storeHue(point.hueShift, v[0], numbers < 3, errors);
                storeInRange(point.saturationShift, v[1], -ShiftLimit, ShiftLimit, errors);
                storeInRange(point.valueShift, v[2], -ShiftLimit, ShiftLimit, errors);
            }
        } else if (key == u"MonoParam" && count >= 8) {
            int32_t v[7];
            for (int i = 0; i < 7; ++i)
                v[i] = settingsInt(fields[1 + i], overflow);
            MonoParams &m = s.mono;
            m.grayscale = v[0] != 0;
            storeInRange(m.blackLevel, v[1], 0, 255, errors);
            storeInRange(m.whiteLevel, v[2], 0, 255, errors);
            storeInRange(m.curve, v[3], -100, 100, errors);
            storeInRange(m.blurIndex, v[4], 0, 4, errors);
            storeInRange(m.sharpenIndex, v[5], 0, 4, errors);
            storeInRange(m.sharpenStrength, v[6], 0, 100, errors);
        } else if (key == u"OutputFolder") {
            if (!fields[1].isEmpty() && QFileInfo(fields[1]).isDir())
                s.outputFolder = fields[1];
        } else if (key == u"OutputParam" && count >= 8) {
            int32_t v[7];
            for (int i = 0; i < 7; ++i)
                v[i] = settingsInt(fields[1 + i], overflow);
            OutputParams &o = s.output;
            storeInRange(o.resizeMode, v[0], 0, 2, errors);
            storeInRange(o.ratioPercent, v[1], 10, 200, errors);
            o.uniformSize = v[2] != 0;
            storeInRange(o.width, v[3], 10, 10000, errors);
            storeInRange(o.height, v[4], 10, 10000, errors);
            storeInRange(o.format, v[5], 0, 2, errors);
            storeInRange(o.jpegQuality, v[6], 0, 100, errors);
        }
    }
    return report;
}

QString readMessage(const SettingsReadReport &report)
{
    if (!report.opened)
        return QCoreApplication::translate("SettingsFile", "設定ファイルの読み出しに失敗しました。(Open)");
    if (report.overflow)
        return QCoreApplication::translate("SettingsFile", "設定ファイルの読み出しでエラーが発生しました。");
    if (report.errors != 0)
        return QCoreApplication::translate("SettingsFile", "設定ファイルの読み出しでエラーが発生しました。（%1 回）").arg(report.errors);
    return {};
}

bool readSettings(ToneSettings &settings, const QString &path, platform::Prompt &prompt)
{
    const SettingsReadReport report = readSettingsFile(settings, path);
    if (!report.ok())
        prompt.message(readMessage(report), platform::PromptIcon::Stop);
    return report.ok();
}

} // namespace retoner
