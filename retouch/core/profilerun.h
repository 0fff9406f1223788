#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace platform {
class Progress;
}

namespace retouch {

// A stripe profile applied to many pictures without a window.
struct ProfileRun {
    QString profilePath;
    QString outputFolder;
    int quality = 95; // JPEG results
    QStringList images;
};

// Reads the profile, then for each picture: open, apply the profile, write the
// result under the picture's own name into the output folder (never over the
// picture itself, never through a link found there). `report` receives the
// picture's path and an empty text on success or its message. A profile that
// does not read reports against the profile's path and stops. Returns how
// many failed (the profile counts as one). `progress`, when given, sees the
// pictures done and the one in work.
int runProfile(const ProfileRun &run,
               const std::function<void(const QString &path, const QString &message)> &report,
               platform::Progress *progress = nullptr);

} // namespace retouch
