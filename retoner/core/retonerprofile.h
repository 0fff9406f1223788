#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

class QSettings;

namespace platform {
class Prompt;
}

namespace retoner {

struct ToneSettings;

// "$LastSetting.tnp" in Retoner's local data folder (the folder is created);
// empty when the folder cannot be made.
QString lastSettingPath();

// At start: reads "$LastSetting.tnp" when it exists as a file (its messages
// may appear). False when there was none or it did not read cleanly.
bool readLastSettings(ToneSettings &settings, platform::Prompt &prompt);
// At exit: writes "$LastSetting.tnp" when its path can be computed.
bool writeLastSettings(const ToneSettings &settings, platform::Prompt &prompt);

// The ten most recently used settings files, most recent first. Paths are
// compared without regard to case, as they always were.
class RecentSettings {
public:
    static constexpr int MaxEntries = 10;

    // Moves or inserts the path at the head, dropping entries past ten.
    void add(const QString &path);
    const QStringList &paths() const { return m_paths; }
    bool isEmpty() const { return m_paths.isEmpty(); }
    // What the settings combo box shows: the file name without folder and
    // without the part from the last ".".
    QStringList shortNames() const;
    static QString shortName(const QString &path);
    // The entry whose short name equals text exactly, -1 if none.
    int indexOfShortName(const QString &text) const;

    // Setting0..Setting9: each taken if it names an existing file and is not
    // in the list yet; on save, values past the list's length are removed.
    void load(QSettings &store);
    void save(QSettings &store) const;

private:
    QStringList m_paths;
};

// Retoner's values in the settings store (group "Settings").
struct RetonerProfile {
    std::optional<QRect> windowRect; // WinPos "left;top;width;height"
    QString imageFolder;             // only an existing folder is taken
    QString tnpFolder;               // only an existing folder is taken
    RecentSettings recent;
    QString lastSetting;             // the text of the settings combo box

    void load(QSettings &store);
    void save(QSettings &store) const;
};

} // namespace retoner
