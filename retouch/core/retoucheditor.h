#pragma once

#include "columnimage.h"
#include "imagefile.h"
#include "offsetprofile.h"
#include "retouchsettings.h"

#include <platform/progress.h>
#include <platform/prompt.h>

#include <QPoint>
#include <QString>

#include <functional>
#include <optional>

namespace retouch {

// Command ids of the dialog's buttons and its right-click menu.
enum Command : int {
    CmdOpen = 1001,
    CmdSave = 1002,
    CmdSaveAs = 1003,
    CmdLeft = 1004,
    CmdRight = 1005,
    CmdDisplaySwitch = 1006,
    CmdSaveOffsets = 1007,
    CmdLoadOffsets = 1008,
    CmdAbout = 57664,
};

// Scroll steps of the cursor's scroll bars.
constexpr int kScrollLine = 1;
constexpr int kScrollPage = 15;

enum class OpenResult { Opened, OpenFailed, FormatError, EditImageFailed, OffsetsFailed };
enum class SaveResult { Saved, Cancelled, Failed };

// Retouch without its window: the picture, the column cursor, the current
// path, the display switch and the settings, with the commands that change
// them. Messages and file dialogs go through the prompt; the JPEG quality is
// asked through the quality asker (the quality dialog in the program).
class RetouchEditor {
public:
    // Receives the current quality, returns the chosen one or nothing when
    // the user cancels.
    using QualityAsker = std::function<std::optional<int>(int current)>;

    explicit RetouchEditor(platform::Prompt &prompt);

    platform::Prompt &prompt() { return m_prompt; }
    void setQualityAsker(QualityAsker asker) { m_askQuality = std::move(asker); }
    // Decoding, encoding and correcting begin and end on it, so the window can
    // show the wait cursor for the work alone, not for its questions.
    void setProgress(platform::Progress &progress) { m_progress = &progress; }
    RetouchSettings &settings() { return m_settings; }
    // Start-up: the curve choice and the quality from the store.
    void loadSettings(const QSettings &store);
    // Exit: the curve choice and the quality; false, after the message, when
    // they could not be written.
    bool saveSettings(QSettings &store) const;

    // Runs a command id; false when it could not act or was cancelled.
    bool runCommand(int id);

    const ColumnImage &image() const { return m_image; }
    bool hasImage() const { return m_image.isOpen(); }
    const QString &path() const { return m_path; }
    // Columns were corrected since the picture was opened or last saved.
    bool isModified() const { return m_modified; }

    // Display switch: the edited picture (the default) or the source.
    bool showsSource() const { return m_showSource; }
    void setShowSource(bool source) { m_showSource = source; }
    const cv::Mat &shownImage() const { return m_showSource ? m_image.source() : m_image.edited(); }

    // Opening: the current picture, offsets and path are dropped first; a
    // failure shows its message and leaves no picture.
    OpenResult openImage(const QString &path);
    // "ファイルを開く...": asks before dropping corrections, then the file dialog.
    bool openCommand();
    // "上書き保存" and "名前を付けて保存...".
    SaveResult save();
    SaveResult saveAs();
    // Writes the edited picture to `path`, asking for the JPEG quality when
    // the name is a JPEG's. A save under a new name makes it the current path.
    SaveResult saveTo(const QString &path, platform::FileRole role = platform::FileRole::Document);
    // Asks whether corrections not yet saved may go; true when there are none.
    bool confirmDiscard();

    // The cursor: the column being edited and the centre of both views.
    QPoint cursor() const { return m_cursor; }
    void moveCursorTo(int x, int y); // limited to the picture
    void moveLeft() { moveCursorTo(m_cursor.x() - 1, m_cursor.y()); }
    void moveRight() { moveCursorTo(m_cursor.x() + 1, m_cursor.y()); }
    // Dragging: the picture follows the mouse, so the cursor moves against it.
    void drag(QPoint lastMouse, QPoint mouse);

    // Offsets of the column under the cursor.
    ColumnOffsets currentOffsets() const;
    void setOffset(Channel channel, int value);
    void stepOffset(Channel channel, SpinStep step, int position = 0);

    // The curve choice; every column whose offsets do not cancel is corrected
    // again.
    void setCurve(int choice);
    int curve() const { return m_settings.gammaSel; }

    // Stripe profiles ("Save offsets...", "Load offsets...").
    bool saveOffsetsCommand();
    bool loadOffsetsCommand();
    bool saveOffsets(const QString &path);
    // Reads and applies a profile; false after its message.
    bool loadOffsets(const QString &path);
    // Applies a profile already read; false after the message naming the
    // column beyond the picture.
    bool applyProfile(const OffsetProfile &profile, const QString &profilePath);

    void showAbout();

private:
    void closeImage();

    platform::Prompt &m_prompt;
    QualityAsker m_askQuality;
    platform::Progress m_noProgress;
    platform::Progress *m_progress = &m_noProgress;
    RetouchSettings m_settings;
    ColumnImage m_image;
    QString m_path;
    QPoint m_cursor;
    bool m_modified = false;
    bool m_showSource = false;
};

} // namespace retouch
