#pragma once

#include <QString>

namespace harvester {

// The folder of one run inside the work folder: "$HVTTemp$" and random hex
// digits, made exclusively, so two runs (two copies of Harvester, or a run
// and the leftovers of one that died) never share one. The run holds an
// exclusive flock on it while it lives; opening first removes the folders of
// runs whose lock can be taken, because their run is gone. The folder goes
// when the run ends (remove(), or the destructor).
class RunWorkFolder {
public:
    static inline const QString kPrefix = QStringLiteral("$HVTTemp$");

    explicit RunWorkFolder(const QString &workFolder) : m_workFolder(workFolder) {}
    ~RunWorkFolder();
    RunWorkFolder(const RunWorkFolder &) = delete;
    RunWorkFolder &operator=(const RunWorkFolder &) = delete;

    // Makes and locks the folder (once; later calls report whether it is open).
    bool open();
    bool isOpen() const { return m_fd >= 0; }
    QString path() const { return m_path; }
    // The folder one item is extracted into, inside the run's own folder.
    QString itemFolder() const { return m_path + QStringLiteral("/pdf"); }
    // Makes itemFolder() afresh and empty. False when it cannot be.
    bool prepareItemFolder();
    // Removes the run's folder with everything in it and lets its lock go.
    void remove();

private:
    QString m_workFolder;
    QString m_path;
    int m_fd = -1;
};

} // namespace harvester
