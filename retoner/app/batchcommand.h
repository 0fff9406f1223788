#pragma once

namespace retoner {

struct RetonerOptions;

// The modes without a window. Each returns the exit status.
int runBatch(const RetonerOptions &options);
int writeDefaultSettings(const RetonerOptions &options);

} // namespace retoner
