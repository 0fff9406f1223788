// Reads arbitrary bytes as a Retoner settings file. Whatever was taken from
// them is written as a file the program reads back without a complaint, and
// writing that reading gives the same file again. Most inputs come to
// settings already seen (a whole file is about 8 KB of table whatever the
// input changed), so each written file is read back once per run.
#include "core/settingsfile.h"

#include <QHash>

#include <cstdint>
#include <unordered_set>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static std::unordered_set<size_t> readBack;
    retoner::ToneSettings settings;
    retoner::readSettingsBytes(settings, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QByteArray written = retoner::settingsFileText(settings);
    if (!readBack.insert(qHash(written)).second)
        return 0;
    retoner::ToneSettings again;
    if (!retoner::readSettingsBytes(again, written).ok() || retoner::settingsFileText(again) != written)
        __builtin_trap();
    return 0;
}
