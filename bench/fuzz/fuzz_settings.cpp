// Reads arbitrary bytes as a Retoner settings file. Whatever was taken from
// them is written as a file the program reads back without a complaint, and
// writing that reading gives the same file again.
#include "core/settingsfile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    retoner::ToneSettings settings;
    retoner::readSettingsBytes(settings, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QByteArray written = retoner::settingsFileText(settings);
    retoner::ToneSettings again;
    if (!retoner::readSettingsBytes(again, written).ok() || retoner::settingsFileText(again) != written)
        __builtin_trap();
    return 0;
}
