#include "offsetprofile.h"

#include "columnimage.h"
#include "messages.h"
#include "curvechoices.h"

#include <platform/safefile.h>
#include <platform/settingsreaders.h>

#include <QFile>

#include <set>

namespace retouch {

namespace {

// No real profile comes near this: 20 bytes for each of 100,000 columns.
constexpr qint64 kMaxProfileBytes = 4 << 20;

const QByteArray kHeader = QByteArrayLiteral("column,all,r,g,b");
const QByteArray kGamma = QByteArrayLiteral("gamma");

std::optional<int> number(const QByteArray &field)
{
    return platform::parseInt(QString::fromLatin1(field));
}

} // namespace

QString ProfileReadResult::message(const QString &path) const
{
    switch (status) {
    case Ok: return {};
    case OpenFailed: return text::OffsetsOpenFailed.arg(path);
    case FormatError: return text::OffsetsFormatError.arg(line).arg(path);
    case OutOfRange: return text::OffsetOutOfRange.arg(line).arg(path);
    }
    return {};
}

ProfileReadResult parseOffsetProfile(const QByteArray &text)
{
    ProfileReadResult result;
    auto fail = [&result](ProfileReadResult::Status status, int line) {
        result.status = status;
        result.line = line;
        result.profile = {};
        return result;
    };

    QByteArray body = text;
    if (body.startsWith("\xEF\xBB\xBF"))
        body.remove(0, 3);
    const QList<QByteArray> lines = body.split('\n');
    bool headerSeen = false;
    std::set<int> columns;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNumber = int(i) + 1;
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        if (!headerSeen) {
            if (QByteArray(line).replace(" ", "").toLower() != kHeader)
                return fail(ProfileReadResult::FormatError, lineNumber);
            headerSeen = true;
            continue;
        }
        const QList<QByteArray> fields = line.split(',');
        if (fields.first().trimmed().toLower() == kGamma) {
            const std::optional<int> curve = fields.size() == 2 ? number(fields[1]) : std::nullopt;
            if (!curve || *curve < 0 || *curve >= kCurveCount || result.profile.curve)
                return fail(ProfileReadResult::FormatError, lineNumber);
            result.profile.curve = *curve;
            continue;
        }
        if (fields.size() != 5)
            return fail(ProfileReadResult::FormatError, lineNumber);
        int values[5];
        for (int f = 0; f < 5; ++f) {
            const std::optional<int> value = number(fields[f]);
            if (!value)
                return fail(ProfileReadResult::FormatError, lineNumber);
            values[f] = *value;
        }
        if (values[0] < 0 || !columns.insert(values[0]).second)
            return fail(ProfileReadResult::FormatError, lineNumber);
        OffsetProfile::Column column{lineNumber, values[0], {}};
        const Channel channels[4] = {Channel::All, Channel::R, Channel::G, Channel::B};
        for (int c = 0; c < 4; ++c) {
            if (values[c + 1] < kOffsetMin || values[c + 1] > kOffsetMax)
                return fail(ProfileReadResult::OutOfRange, lineNumber);
            column.offsets.setValue(channels[c], values[c + 1]);
        }
        result.profile.columns.push_back(column);
    }
    if (!headerSeen)
        return fail(ProfileReadResult::FormatError, 1);
    return result;
}

ProfileReadResult readOffsetProfile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxProfileBytes) {
        ProfileReadResult result;
        result.status = ProfileReadResult::OpenFailed;
        return result;
    }
    return parseOffsetProfile(file.readAll());
}

QByteArray offsetProfileText(const std::vector<ColumnOffsets> &offsets, int curve)
{
    QByteArray text = kHeader + '\n';
    for (size_t x = 0; x < offsets.size(); ++x) {
        const ColumnOffsets &o = offsets[x];
        if (o.isZero())
            continue;
        text += QByteArray::number(qulonglong(x)) + ',' + QByteArray::number(o.all) + ','
                + QByteArray::number(o.r) + ',' + QByteArray::number(o.g) + ','
                + QByteArray::number(o.b) + '\n';
    }
    text += kGamma + ',' + QByteArray::number(curve) + '\n';
    return text;
}

bool writeOffsetProfile(const QString &path, const std::vector<ColumnOffsets> &offsets, int curve)
{
    const QByteArray text = offsetProfileText(offsets, curve);
    // A profile the user names is a document: a link there stands for its file.
    platform::AtomicFile file(path, platform::FileRole::Document);
    return file.open() && file.write(text) && file.commit();
}

int firstColumnBeyond(const OffsetProfile &profile, int width)
{
    for (const OffsetProfile::Column &column : profile.columns)
        if (column.x >= width)
            return column.line;
    return 0;
}

bool applyOffsetProfile(ColumnImage &image, const OffsetProfile &profile)
{
    if (!image.isOpen() || firstColumnBeyond(profile, image.width()) != 0)
        return false;
    std::vector<ColumnOffsets> offsets(size_t(image.width()));
    for (const OffsetProfile::Column &column : profile.columns)
        offsets[size_t(column.x)] = column.offsets;
    if (profile.curve)
        image.setCurve(*profile.curve);
    image.replaceOffsets(std::move(offsets));
    image.restoreSource();
    image.correctAllColumns();
    return true;
}

} // namespace retouch
