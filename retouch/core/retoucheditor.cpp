#include "retoucheditor.h"

#include "messages.h"

#include <platform/paths.h>
#include <platform/settings.h>
#include <platform/version.h>

#include <algorithm>

namespace retouch {

RetouchEditor::RetouchEditor(platform::Prompt &prompt) : m_prompt(prompt)
{
    m_image.setCurve(m_settings.gammaSel);
}

void RetouchEditor::loadSettings(const QSettings &store)
{
    m_settings.load(store);
    m_image.setCurve(m_settings.gammaSel);
}

bool RetouchEditor::saveSettings(QSettings &store) const
{
    m_settings.save(store);
    if (platform::syncSettings(store))
        return true;
    m_prompt.message(text::SaveSettingsFailed.arg(store.fileName()), platform::PromptIcon::Stop);
    return false;
}

bool RetouchEditor::runCommand(int id)
{
    switch (id) {
    case CmdOpen: return openCommand();
    case CmdSave: return save() == SaveResult::Saved;
    case CmdSaveAs: return saveAs() == SaveResult::Saved;
    case CmdLeft:
    case CmdRight:
        if (!hasImage()) {
            m_prompt.beep();
            return false;
        }
        id == CmdLeft ? moveLeft() : moveRight();
        return true;
    case CmdDisplaySwitch: m_showSource = !m_showSource; return true;
    case CmdSaveOffsets: return saveOffsetsCommand();
    case CmdLoadOffsets: return loadOffsetsCommand();
    case CmdAbout: showAbout(); return true;
    default: return false;
    }
}

void RetouchEditor::closeImage()
{
    m_image.clear();
    m_path.clear();
    m_cursor = {};
    m_modified = false;
}

OpenResult RetouchEditor::openImage(const QString &path)
{
    closeImage();
    platform::ProgressScope busy(*m_progress);
    cv::Mat source;
    switch (readImageFile(path, source)) {
    case ImageReadResult::Ok: break;
    case ImageReadResult::OpenFailed:
        m_prompt.message(text::FileOpenFailed.arg(path));
        return OpenResult::OpenFailed;
    case ImageReadResult::FormatError:
        m_prompt.message(text::FileFormatError.arg(path));
        return OpenResult::FormatError;
    }
    switch (m_image.reset(std::move(source))) {
    case ColumnImage::ResetResult::Ok: break;
    case ColumnImage::ResetResult::EditImageFailed:
        m_prompt.message(text::CreateEditImageError.arg(path));
        return OpenResult::EditImageFailed;
    case ColumnImage::ResetResult::OffsetsFailed:
        m_prompt.message(text::OffsetsAllocateFailed);
        return OpenResult::OffsetsFailed;
    }
    m_image.setCurve(m_settings.gammaSel);
    m_path = path;
    m_cursor = QPoint(m_image.width() / 2, m_image.height() / 2);
    return OpenResult::Opened;
}

bool RetouchEditor::confirmDiscard()
{
    if (!hasImage() || !m_modified)
        return true;
    return m_prompt.message(text::DiscardChanges, platform::PromptIcon::Question,
                            platform::PromptButtons::YesNoDefaultNo)
           == platform::PromptAnswer::Yes;
}

bool RetouchEditor::openCommand()
{
    if (!confirmDiscard())
        return false;
    const QString path = m_prompt.openFile(text::OpenCaption, platform::folderOf(m_path), text::ImageFilter);
    if (path.isEmpty())
        return false;
    return openImage(path) == OpenResult::Opened;
}

SaveResult RetouchEditor::save()
{
    if (!hasImage()) {
        m_prompt.beep();
        return SaveResult::Failed;
    }
    return saveTo(m_path);
}

SaveResult RetouchEditor::saveAs()
{
    if (!hasImage()) {
        m_prompt.beep();
        return SaveResult::Failed;
    }
    const QString path = m_prompt.saveFile(text::SaveAsCaption, m_path, text::ImageFilter);
    if (path.isEmpty())
        return SaveResult::Cancelled;
    return saveTo(path);
}

SaveResult RetouchEditor::saveTo(const QString &path, platform::FileRole role)
{
    if (!hasImage())
        return SaveResult::Failed;
    if (isJpegName(path) && m_askQuality) {
        const std::optional<int> quality = m_askQuality(m_settings.jq);
        if (!quality)
            return SaveResult::Cancelled;
        m_settings.jq = std::clamp(*quality, 0, 100);
    }
    bool written;
    {
        platform::ProgressScope busy(*m_progress);
        written = writeImageFile(path, m_image.edited(), m_settings.jq, role);
    }
    if (!written) {
        m_prompt.message(text::SaveImageFailed.arg(path));
        return SaveResult::Failed;
    }
    m_path = path;
    m_modified = false;
    return SaveResult::Saved;
}

void RetouchEditor::moveCursorTo(int x, int y)
{
    if (!hasImage())
        return;
    m_cursor = QPoint(std::clamp(x, 0, m_image.width() - 1), std::clamp(y, 0, m_image.height() - 1));
}

void RetouchEditor::drag(QPoint lastMouse, QPoint mouse)
{
    const QPoint moved = lastMouse - mouse;
    moveCursorTo(m_cursor.x() + moved.x(), m_cursor.y() + moved.y());
}

ColumnOffsets RetouchEditor::currentOffsets() const
{
    return hasImage() ? m_image.offsets(m_cursor.x()) : ColumnOffsets{};
}

void RetouchEditor::setOffset(Channel channel, int value)
{
    if (!hasImage()) {
        m_prompt.beep();
        return;
    }
    ColumnOffsets offsets = currentOffsets();
    offsets.setValue(channel, value);
    platform::ProgressScope busy(*m_progress);
    m_image.setOffsets(m_cursor.x(), offsets);
    m_modified = true;
}

void RetouchEditor::stepOffset(Channel channel, SpinStep step, int position)
{
    setOffset(channel, steppedOffset(currentOffsets().value(channel), step, position));
}

void RetouchEditor::setCurve(int choice)
{
    m_settings.gammaSel = std::clamp(choice, 0, kCurveCount - 1);
    m_image.setCurve(m_settings.gammaSel);
    if (!hasImage())
        return;
    platform::ProgressScope busy(*m_progress);
    if (m_image.correctAllColumns() > 0)
        m_modified = true;
}

bool RetouchEditor::saveOffsetsCommand()
{
    if (!hasImage()) {
        m_prompt.beep();
        return false;
    }
    const QString proposed =
        platform::joinPath(platform::folderOf(m_path), platform::baseNameOf(m_path) + QStringLiteral(".csv"));
    const QString path = m_prompt.saveFile(text::SaveOffsetsCaption, proposed, text::OffsetsFilter);
    return !path.isEmpty() && saveOffsets(path);
}

bool RetouchEditor::loadOffsetsCommand()
{
    if (!hasImage()) {
        m_prompt.beep();
        return false;
    }
    const QString path =
        m_prompt.openFile(text::LoadOffsetsCaption, platform::folderOf(m_path), text::OffsetsFilter);
    return !path.isEmpty() && loadOffsets(path);
}

bool RetouchEditor::saveOffsets(const QString &path)
{
    if (!writeOffsetProfile(path, m_image)) {
        m_prompt.message(text::SaveOffsetsFailed.arg(path));
        return false;
    }
    return true;
}

bool RetouchEditor::loadOffsets(const QString &path)
{
    if (!hasImage())
        return false;
    const ProfileReadResult read = readOffsetProfile(path);
    if (read.status != ProfileReadResult::Ok) {
        m_prompt.message(read.message(path));
        return false;
    }
    if (const int line = firstColumnBeyond(read.profile, m_image.width())) {
        m_prompt.message(text::ColumnBeyondImage.arg(line).arg(path));
        return false;
    }
    if (!confirmDiscard())
        return false;
    return applyProfile(read.profile, path);
}

bool RetouchEditor::applyProfile(const OffsetProfile &profile, const QString &profilePath)
{
    if (!hasImage())
        return false;
    if (const int line = firstColumnBeyond(profile, m_image.width())) {
        m_prompt.message(text::ColumnBeyondImage.arg(line).arg(profilePath));
        return false;
    }
    {
        platform::ProgressScope busy(*m_progress);
        applyOffsetProfile(m_image, profile);
    }
    m_settings.gammaSel = m_image.curve();
    m_modified = true;
    return true;
}

void RetouchEditor::showAbout()
{
    m_prompt.message(text::AboutText + platform::versionText(), platform::PromptIcon::None,
                     platform::PromptButtons::Ok, text::AboutCaption);
}

} // namespace retouch
