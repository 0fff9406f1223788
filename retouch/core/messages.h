#pragma once

#include <platform/uitext.h>

#include <QString>

// Retouch's texts: its messages are short English texts with the path in
// brackets; the few Japanese ones (captions, the display switch) are
// translated where they are shown.
namespace retouch::text {

inline const QString FileOpenFailed = QStringLiteral("File open failed.[%1]");
inline const QString FileFormatError = QStringLiteral("File format error.[%1]");
inline const QString CreateEditImageError = QStringLiteral("Create edit image error.[%1]");
inline const QString OffsetsAllocateFailed = QStringLiteral("FPN buffer allocate fail.");
inline const QString SaveImageFailed = QStringLiteral("Save image failed.[%1]");
inline const QString DiscardChanges = QStringLiteral("Discard unsaved changes?");

inline const QString OffsetsOpenFailed = QStringLiteral("Offsets file open failed.[%1]");
inline const QString OffsetsFormatError = QStringLiteral("Offsets file format error at line %1.[%2]");
inline const QString OffsetOutOfRange = QStringLiteral("Offset out of range at line %1.[%2]");
inline const QString ColumnBeyondImage = QStringLiteral("Column beyond the image at line %1.[%2]");
inline const QString SaveOffsetsFailed = QStringLiteral("Save offsets failed.[%1]");
inline const QString SaveSettingsFailed = QStringLiteral("Save settings failed.[%1]");
inline const QString OutputIsSource = QStringLiteral("Output would replace the source.[%1]");
inline const QString OutputNameTaken = QStringLiteral("Output name already written in this run.[%1]");

inline const QString ImageFilter = QStringLiteral("Image Files (*.bmp *.jpg *.jpeg *.png)");
inline const QString OffsetsFilter = QStringLiteral("Offsets (*.csv)");
inline constexpr platform::UiText OpenCaption{"RetouchMessages", QT_TRANSLATE_NOOP("RetouchMessages", "ファイルを開く")};
inline constexpr platform::UiText SaveAsCaption{"RetouchMessages", QT_TRANSLATE_NOOP("RetouchMessages", "名前を付けて保存")};
inline const QString SaveOffsetsCaption = QStringLiteral("Save offsets");
inline const QString LoadOffsetsCaption = QStringLiteral("Load offsets");
inline constexpr platform::UiText AboutCaption{"RetouchMessages", QT_TRANSLATE_NOOP("RetouchMessages", "Retouchについて")};
inline const QString AboutText = QStringLiteral("Retouch Version");

inline constexpr platform::UiText EditedLabel{"RetouchMessages", QT_TRANSLATE_NOOP("RetouchMessages", " 編集中")};
inline constexpr platform::UiText SourceLabel{"RetouchMessages", QT_TRANSLATE_NOOP("RetouchMessages", " 元画像")};

} // namespace retouch::text
