#include "readersettings.h"

#include "platform/settings.h"

#include <algorithm>
#include <cstdio>

namespace leafreader {

namespace {

// Reads an integer value; false when it is missing or not a number.
bool readInt(QSettings &store, const QString &name, int &out)
{
    const QVariant value = store.value(name);
    if (!value.isValid())
        return false;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    if (!ok)
        return false;
    out = number;
    return true;
}

void readClamped(QSettings &store, const QString &name, int &field, int low, int high)
{
    int number = 0;
    if (readInt(store, name, number))
        field = std::clamp(number, low, high);
}

void readBool(QSettings &store, const QString &name, bool &field)
{
    int number = 0;
    if (readInt(store, name, number))
        field = number != 0;
}

// Sort modes outside 0..2 are ignored: the value held stays.
void readMode(QSettings &store, const QString &name, int &field)
{
    int number = 0;
    if (readInt(store, name, number) && number >= 0 && number <= 2)
        field = number;
}

QString resumeName(int slot)
{
    return QStringLiteral("Resume%1").arg(slot);
}

} // namespace

QString WindowPlacement::toText() const
{
    return QString::asprintf("%d:%d:%d:%d:%d:%d:%d:%d:%d:%d", flags, showCommand, minX, minY, maxX,
                             maxY, left, top, right, bottom);
}

bool WindowPlacement::fromText(const QString &text, WindowPlacement &out)
{
    const QByteArray bytes = text.toLatin1();
    WindowPlacement p;
    const int parsed = std::sscanf(bytes.constData(), "%d:%d:%d:%d:%d:%d:%d:%d:%d:%d", &p.flags,
                                   &p.showCommand, &p.minX, &p.minY, &p.maxX, &p.maxY, &p.left,
                                   &p.top, &p.right, &p.bottom);
    if (parsed != 10)
        return false;
    out = p;
    return true;
}

int ReaderSettings::clampSkip(int pages) { return std::clamp(pages, 1, kSkipMax); }
int ReaderSettings::clampSpace(int pixels) { return std::clamp(pixels, 0, kSpaceMax); }
int ReaderSettings::clampInterval(int seconds) { return std::clamp(seconds, 1, kIntervalMax); }
int ReaderSettings::clampScale(int scale) { return std::clamp(scale, -kScaleLimit, kScaleLimit); }

QString ReaderSettings::scaleText() const
{
    return QString::asprintf("%d:%d:%d:%d", scaleNormal, scaleFullScreen, scalePad,
                             scaleListColumn);
}

void ReaderSettings::setScaleText(const QString &text)
{
    const QByteArray bytes = text.toLatin1();
    int n[4] = {0, 0, 0, 0};
    const int parsed = std::sscanf(bytes.constData(), "%d:%d:%d:%d", &n[0], &n[1], &n[2], &n[3]);
    if (parsed < 3) {
        scaleNormal = 0;
        scaleFullScreen = 2;
        scalePad = 0;
        scaleListColumn = 0;
        return;
    }
    if (parsed < 4)
        n[3] = 0;
    scaleNormal = clampScale(n[0]);
    scaleFullScreen = clampScale(n[1]);
    scalePad = clampScale(n[2]);
    scaleListColumn = clampScale(n[3]);
}

std::unique_ptr<QSettings> ReaderSettings::openStore()
{
    return platform::openSettings(QStringLiteral("Leafreader"));
}

void ReaderSettings::load(QSettings &store)
{
    hasWindowPos = false;
    const QVariant pos = store.value(QStringLiteral("WindowPos"));
    if (pos.isValid() && WindowPlacement::fromText(pos.toString(), windowPos))
        hasWindowPos = true;
    readBool(store, QStringLiteral("FullScreen"), fullScreen);
    setScaleText(store.value(QStringLiteral("Scale")).toString());
    currentFolder = store.value(QStringLiteral("CurrentFolder"), currentFolder).toString();
    for (int i = 0; i < kResumeSlots; ++i)
        resume[i] = store.value(resumeName(i)).toString();
    readClamped(store, QStringLiteral("SkipForward"), skipForward, 1, kSkipMax);
    readClamped(store, QStringLiteral("SkipBack"), skipBack, 1, kSkipMax);
    readBool(store, QStringLiteral("PicEnlarge"), picEnlarge);
    readClamped(store, QStringLiteral("Space"), space, 0, kSpaceMax);
    readBool(store, QStringLiteral("HideCursor"), hideCursor);
    readMode(store, QStringLiteral("SortModeF"), sortModeF);
    readMode(store, QStringLiteral("SortModeR"), sortModeR);
    readClamped(store, QStringLiteral("APCPriority"), apcPriority, 0, 5);
    readClamped(store, QStringLiteral("Interval"), interval, 1, kIntervalMax);
    readBool(store, QStringLiteral("Loop"), loop);
}

void ReaderSettings::saveDialogValues(QSettings &store) const
{
    store.setValue(QStringLiteral("Scale"), scaleText());
    store.setValue(QStringLiteral("SortModeF"), sortModeF);
    store.setValue(QStringLiteral("SortModeR"), sortModeR);
    store.setValue(QStringLiteral("APCPriority"), apcPriority);
    store.setValue(QStringLiteral("SkipForward"), skipForward);
    store.setValue(QStringLiteral("SkipBack"), skipBack);
    store.setValue(QStringLiteral("PicEnlarge"), picEnlarge ? 1 : 0);
    store.setValue(QStringLiteral("Space"), space);
    store.setValue(QStringLiteral("HideCursor"), hideCursor ? 1 : 0);
    store.setValue(QStringLiteral("Interval"), interval);
    store.setValue(QStringLiteral("Loop"), loop ? 1 : 0);
}

void ReaderSettings::takeDialogValues(const ReaderSettings &from)
{
    scaleNormal = from.scaleNormal;
    scaleFullScreen = from.scaleFullScreen;
    scalePad = from.scalePad;
    scaleListColumn = from.scaleListColumn;
    sortModeF = from.sortModeF;
    sortModeR = from.sortModeR;
    apcPriority = from.apcPriority;
    skipForward = from.skipForward;
    skipBack = from.skipBack;
    picEnlarge = from.picEnlarge;
    space = from.space;
    hideCursor = from.hideCursor;
    interval = from.interval;
    loop = from.loop;
}

void ReaderSettings::saveWindow(QSettings &store) const
{
    store.setValue(QStringLiteral("FullScreen"), fullScreen ? 1 : 0);
    if (hasWindowPos)
        store.setValue(QStringLiteral("WindowPos"), windowPos.toText());
}

void ReaderSettings::saveResume(QSettings &store) const
{
    store.setValue(QStringLiteral("CurrentFolder"), currentFolder);
    for (int i = 0; i < kResumeSlots; ++i)
        store.setValue(resumeName(i), resume[i]);
}

void ReaderSettings::save(QSettings &store) const
{
    saveWindow(store);
    saveDialogValues(store);
    saveResume(store);
}

} // namespace leafreader
