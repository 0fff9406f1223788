#pragma once

#include "glancersettings.h"
#include "previewrow.h"

#include "platform/drives.h"
#include "platform/prompt.h"

#include <QString>

#include <functional>
#include <vector>

namespace glancer {

// List mode without a window: the current folder (kept in the settings'
// CurrentFolder), its rows and the selected row. The list widget shows
// `rows()` and forwards the user's actions here.
class FolderList {
public:
    struct OpenRequest {
        enum Kind {
            Nothing,   // a folder or drive was entered, or the list was rebuilt
            OpenImage, // the caller opens `row`
            Beep,      // nothing to open
        } kind = Nothing;
        PreviewRow row;
    };

    FolderList(GlancerSettings &settings, platform::Prompt &prompt);

    // Where the drive list comes from (tests hand in their own).
    void setDriveSource(std::function<std::vector<platform::Drive>()> source);

    const QString &currentFolder() const { return m_settings.currentFolder; }
    void setCurrentFolder(const QString &folder) { m_settings.currentFolder = folder; }
    bool inDriveList() const { return currentFolder().isEmpty(); }
    // The header's second line: the folder, or "<Drive Select>".
    QString folderLine() const;

    const std::vector<PreviewRow> &rows() const { return m_rows; }
    int selected() const { return m_selected; }
    void select(int row);
    const PreviewRow *selectedRow() const;

    // Lists the current folder (the drive list when it is empty) and selects
    // the row named `selectName`, else the first whose name differs from it
    // only in case, else the first row. A folder that has gone asks to retry;
    // cancelling goes to the drive list.
    void refresh(const QString &selectName = {});
    // The row of an image path, else of the first image path that differs
    // from it only in case (-1 = none).
    int findPath(const QString &path) const;

    OpenRequest openSelected();
    // False (nothing done) in the drive list.
    bool upOneFolder();
    bool toDriveList();

    // Whether a list-mode menu command can act now.
    bool commandEnabled(int id) const;

private:
    std::vector<platform::Drive> drives() const;
    // The first row that matches exactly, else the first that matches
    // without regard to case (-1 = none).
    int findRow(const std::function<bool(const PreviewRow &, Qt::CaseSensitivity)> &matches) const;

    GlancerSettings &m_settings;
    platform::Prompt &m_prompt;
    std::function<std::vector<platform::Drive>()> m_driveSource;
    std::vector<PreviewRow> m_rows;
    int m_selected = -1;
};

} // namespace glancer
