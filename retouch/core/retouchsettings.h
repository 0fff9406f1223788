#pragma once

class QSettings;

namespace retouch {

// What Retouch keeps between runs (section "Settings" of the store
// "Retouch"): the curve choice and the JPEG quality.
struct RetouchSettings {
    int gammaSel = 4; // 0..6; a stored value outside them keeps 4
    int jq = 95;      // 0..100

    void load(const QSettings &store);
    void save(QSettings &store) const;
};

} // namespace retouch
