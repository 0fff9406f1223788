#include "offsetprofile.h"

#include "columnimage.h"
#include "messages.h"
#include "curvechoices.h"

#include <platform/filenames.h>
#include <platform/safefile.h>
#include <platform/settingsreaders.h>

#include <QFile>

#include <set>

namespace retouch {

namespace {

// No real profile comes near this: 20 bytes for each of 100,000 columns.
constexpr qint64 kMaxProfileBytes = 4 << 20;

const QByteArray kHeader = QByteArrayLiteral("column,all,r,g,b,curve");
// Files written before the curve of each column was kept.
const QByteArray kHeaderWithoutCurves = QByteArrayLiteral("column,all,r,g,b");
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
            const QByteArray header = QByteArray(line).replace(" ", "").toLower();
            if (header != kHeader && header != kHeaderWithoutCurves)
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
        if (fields.size() != 5 && fields.size() != 6)
            return fail(ProfileReadResult::FormatError, lineNumber);
        int values[6];
        for (int f = 0; f < fields.size(); ++f) {
            const std::optional<int> value = number(fields[f]);
            if (!value)
                return fail(ProfileReadResult::FormatError, lineNumber);
            values[f] = *value;
        }
        if (values[0] < 0 || !columns.insert(values[0]).second)
            return fail(ProfileReadResult::FormatError, lineNumber);
        OffsetProfile::Column column{lineNumber, values[0], {}, std::nullopt};
        const Channel channels[4] = {Channel::All, Channel::R, Channel::G, Channel::B};
        for (int c = 0; c < 4; ++c) {
            if (values[c + 1] < kOffsetMin || values[c + 1] > kOffsetMax)
                return fail(ProfileReadResult::OutOfRange, lineNumber);
            column.offsets.setValue(channels[c], values[c + 1]);
        }
        if (fields.size() == 6) {
            if (values[5] < -1 || values[5] >= kCurveCount)
                return fail(ProfileReadResult::FormatError, lineNumber);
            column.computedCurve = values[5];
        }
        result.profile.columns.push_back(column);
    }
    if (!headerSeen)
        return fail(ProfileReadResult::FormatError, 1);
    return result;
}

ProfileReadResult readOffsetProfile(const QString &path)
{
    QFile file;
    if (!platform::openFile(file, path, QIODevice::ReadOnly) || file.size() > kMaxProfileBytes) {
        ProfileReadResult result;
        result.status = ProfileReadResult::OpenFailed;
        return result;
    }
    return parseOffsetProfile(file.readAll());
}

QByteArray offsetProfileText(const ColumnImage &image)
{
    QByteArray text = kHeader + '\n';
    for (int x = 0; x < image.width(); ++x) {
        const ColumnOffsets &o = image.offsets(x);
        const int computed = image.computedCurve(x);
        if (o.isZero() && computed < 0)
            continue;
        text += QByteArray::number(x) + ',' + QByteArray::number(o.all) + ',' + QByteArray::number(o.r) + ','
                + QByteArray::number(o.g) + ',' + QByteArray::number(o.b) + ',' + QByteArray::number(computed)
                + '\n';
    }
    text += kGamma + ',' + QByteArray::number(image.curve()) + '\n';
    return text;
}

bool writeOffsetProfile(const QString &path, const ColumnImage &image)
{
    const QByteArray text = offsetProfileText(image);
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
    // The columns to recompute, by curve: a column without its curve is
    // recomputed under the profile's unless its offsets cancel.
    std::vector<int> byCurve[kCurveCount];
    for (const OffsetProfile::Column &column : profile.columns) {
        const int curve = column.computedCurve.value_or(column.offsets.cancels() ? -1 : image.curve());
        if (curve >= 0)
            byCurve[curve].push_back(column.x);
    }
    for (int curve = 0; curve < kCurveCount; ++curve)
        image.correctColumnsUnder(byCurve[curve], curve);
    return true;
}

} // namespace retouch
