#pragma once

#include <QString>

#include <cstdio>

namespace platform {

// Writes text as UTF-8 and a line end to stream (stdout or stderr) and
// flushes it, so the lines of a long run reach a pipe as they are written.
void printLine(FILE *stream, const QString &text);

} // namespace platform
