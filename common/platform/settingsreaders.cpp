#include "settingsreaders.h"

#include "filenames.h"

#include <QSettings>

#include <algorithm>

namespace platform {

namespace {

// The stored value as text. Values written in this run come back as the type
// they were written with (an int, say); values read from the file as text.
QString storedText(const QSettings &store, QAnyStringView name)
{
    return store.value(name).toString();
}

} // namespace

std::optional<int> parseInt(QStringView text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<std::vector<int>> parseNumbers(QStringView text, QChar separator, int minCount,
                                             int maxCount)
{
    std::vector<int> numbers;
    for (const QStringView part : text.tokenize(separator)) {
        if (int(numbers.size()) == maxCount)
            return std::nullopt;
        const std::optional<int> number = parseInt(part);
        if (!number)
            return std::nullopt;
        numbers.push_back(*number);
    }
    if (int(numbers.size()) < minCount)
        return std::nullopt;
    return numbers;
}

std::optional<int> readInt(const QSettings &store, QAnyStringView name)
{
    return parseInt(storedText(store, name));
}

std::optional<int> readClampedInt(const QSettings &store, QAnyStringView name, int low, int high)
{
    const std::optional<int> value = readInt(store, name);
    if (!value)
        return std::nullopt;
    return std::clamp(*value, low, high);
}

std::optional<int> readIntInRange(const QSettings &store, QAnyStringView name, int low, int high)
{
    const std::optional<int> value = readInt(store, name);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return value;
}

std::optional<bool> readFlag(const QSettings &store, QAnyStringView name)
{
    const std::optional<int> value = readInt(store, name);
    if (!value)
        return std::nullopt;
    return *value != 0;
}

std::optional<std::vector<int>> readNumbers(const QSettings &store, QAnyStringView name,
                                            QChar separator, int minCount, int maxCount)
{
    return parseNumbers(storedText(store, name), separator, minCount, maxCount);
}

void writeNameText(QSettings &store, QAnyStringView name, const QString &text)
{
    if (carriesRawBytes(text))
        store.setValue(name, nameBytes(text));
    else
        store.setValue(name, text);
}

QString readNameText(const QSettings &store, QAnyStringView name, const QString &fallback)
{
    const QVariant value = store.value(name);
    if (!value.isValid())
        return fallback;
    if (value.typeId() == QMetaType::QByteArray)
        return nameFromBytes(value.toByteArray());
    return value.toString();
}

QString readExistingFolder(const QSettings &store, QAnyStringView name)
{
    const QString folder = readNameText(store, name);
    return !folder.isEmpty() && isFolder(folder) ? folder : QString();
}

std::optional<QRect> parseWindowRect(QStringView text)
{
    const auto n = parseNumbers(text, u';', 4, 4);
    if (!n)
        return std::nullopt;
    return QRect((*n)[0], (*n)[1], (*n)[2], (*n)[3]);
}

QString windowRectText(const QRect &rect)
{
    return QStringLiteral("%1;%2;%3;%4").arg(rect.left()).arg(rect.top()).arg(rect.width()).arg(rect.height());
}

std::optional<QRect> readWindowRect(const QSettings &store, QAnyStringView name)
{
    return parseWindowRect(storedText(store, name));
}

} // namespace platform
