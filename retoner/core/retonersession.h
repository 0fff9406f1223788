#pragma once

#include "imagebatch.h"
#include "retonerprofile.h"
#include "tonesettings.h"

#include <QRect>
#include <QStringList>

#include <optional>

class QSettings;

namespace platform {
class Prompt;
}

namespace retoner {

// The main dialog's commands: buttons, keys, menus and tests all go through
// the dialog's onCommand(id) with these.
enum MainCommand : int {
    CmdRegister = 1001,
    CmdColor,
    CmdMono,
    CmdDelete,
    CmdSelectAll,
    CmdShow,
    CmdOpenSettings,
    CmdSaveSettings,
    CmdColorSettings,
    CmdMonoSettings,
    CmdOutputSettings,
    CmdConvert,
    CmdShowSource,
    CmdShowConverted,
    CmdFitToWindow,
    CmdDotByDot,
    CmdClose,
    CmdAbout,
};

// Which controls of the main dialog take input.
struct MainControlStates {
    bool registerFiles = true; // "登録..."
    bool settings = true;      // the three settings dialogs, the settings buttons and combo box
    bool close = true;         // "閉じる" and the window's close
    bool list = true;
    bool view = true;          // the preview's switches and scroll bars
    bool colorMono = false;    // "Color", "Mono"
    bool remove = false;       // "削除"
    bool selectAll = false;    // "全選択"
    bool show = false;         // "表示 >"
    bool convert = false;      // "変換の実行"
    bool operator==(const MainControlStates &) const = default;
};

// The enabling rules: while a registration or conversion runs nothing takes
// input (so neither can be started again); else by the list and selection.
MainControlStates mainControlStates(int count, int selectedCount, bool busy);

// Everything the main dialog does, without the dialog: the registered images,
// the conversion settings, the settings files with the recent list, and the
// values kept between runs.
class RetonerSession {
public:
    explicit RetonerSession(platform::Prompt &prompt);

    platform::Prompt &prompt() { return m_prompt; }
    ImageBatch &batch() { return m_batch; }
    const ImageBatch &batch() const { return m_batch; }
    const ToneSettings &settings() const { return m_settings; }
    RetonerProfile &profile() { return m_profile; }
    const RetonerProfile &profile() const { return m_profile; }

    // Start of the main dialog: the stored folders and recent files,
    // "$LastSetting.tnp" (its messages may appear) and the combo selection.
    void start(QSettings &store);
    // Exit: "$LastSetting.tnp", then the stored values. False, after its
    // message, when either could not be written.
    bool finish(QSettings &store, const std::optional<QRect> &windowRect);

    // The settings combo box: short names of the recent files and the
    // selected one (-1 for none).
    QStringList recentNames() const { return m_profile.recent.shortNames(); }
    int recentSelection() const { return m_recentSelection; }
    QString comboText() const;

    // "設定を開く...": reads the chosen file; on success it heads the recent list.
    bool openSettings(const QString &path);
    // "設定の保存...": writes the file; on success "保存しました。" and it heads the list.
    bool saveSettings(const QString &path);
    // A choice in the settings combo box.
    bool selectRecent(int index);
    // OK in a settings dialog: the parameters no longer match a file, so the
    // combo box loses its selection.
    void applySettings(const ToneSettings &settings);

    // "登録..." remembers the folder of the first chosen picture.
    void rememberImageFolder(const QStringList &paths);

    // The preview of the current image (none without one).
    std::optional<PreviewJob> previewJob() const { return m_batch.previewJob(m_settings); }

private:
    void selectHead();

    platform::Prompt &m_prompt;
    ImageBatch m_batch;
    ToneSettings m_settings;
    RetonerProfile m_profile;
    int m_recentSelection = -1;
};

} // namespace retoner
