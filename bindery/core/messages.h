#pragma once

#include <platform/uitext.h>

#include <QString>

// The editor's fixed texts, shared by the logic and the dialogs. The
// Japanese ones become the language in use where they are shown; the
// English ones (the about text, the file filters) stay as they are.
namespace bindery::text {

// The about box: the text is followed by the version (" 1.2.3.4").
inline constexpr platform::UiText AboutCaption{"BinderyMessages", QT_TRANSLATE_NOOP("BinderyMessages", "Binderyについて")};
inline const QString AboutText = QStringLiteral("Bindery Version");
inline constexpr platform::UiText ClearQuestion{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "現在の内容はクリアされます。\nよろしいですか？")};
inline constexpr platform::UiText CloseQuestion{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "データが更新されています。\nこのまま終了しますか？")};
inline constexpr platform::UiText BookUnreadable{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "KVBファイルの読み出しに失敗しました。")};
// Followed by the archive's path and the reason.
inline constexpr platform::UiText ArchiveUnreadable{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "アーカイブの読み出しに失敗しました。\n%1\n%2")};
// Followed by the archive's path and the reason; the pages are still taken.
inline constexpr platform::UiText ComicInfoSkipped{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "ComicInfo.xmlを読み飛ばしました。\n%1\n%2")};
inline constexpr platform::UiText PictureUnreadable{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "画像ファイルの読み出しに失敗しました。")};
inline constexpr platform::UiText ThumbnailFailed{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "リスト用サムネールの作成に失敗しました。")};
inline constexpr platform::UiText ThumbnailCopyFailed{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "サムネールの複製に失敗しました。")};
inline constexpr platform::UiText BadSize{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "サイズが0または4GB以上のファイルは無視されます。")};
inline constexpr platform::UiText NothingFound{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages",
                      "対象ファイルが見つかりません。\n拡張子は jpg, jpeg, png, bmp, kvb のみ対応しています。")};
// Followed by the file's path, its name's bytes escaped.
inline constexpr platform::UiText SaveFailed{"BinderyMessages", QT_TRANSLATE_NOOP("BinderyMessages", "保存に失敗しました。")};
inline constexpr platform::UiText Saved{"BinderyMessages", QT_TRANSLATE_NOOP("BinderyMessages", "保存しました。")};
inline constexpr platform::UiText ExportFailed{"BinderyMessages", QT_TRANSLATE_NOOP("BinderyMessages", "書き出しに失敗しました。")};
inline constexpr platform::UiText Exported{"BinderyMessages", QT_TRANSLATE_NOOP("BinderyMessages", "書き出しました。")};
inline constexpr platform::UiText BadDate{"BinderyMessages", QT_TRANSLATE_NOOP("BinderyMessages", "日付が不正です。")};
inline constexpr platform::UiText TitleControl{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "タイトルに制御文字が含まれています。")};
inline constexpr platform::UiText SubtitleControl{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "サブタイトルに制御文字が含まれています。")};
inline constexpr platform::UiText AuthorControl{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "著者に制御文字が含まれています。")};
inline constexpr platform::UiText PublisherControl{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "出版社に制御文字が含まれています。")};
inline constexpr platform::UiText CircleControl{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "サークルに制御文字が含まれています。")};
inline constexpr platform::UiText ItemEmpty{"BinderyMessages", QT_TRANSLATE_NOOP("BinderyMessages", "項目を入力してください。")};
inline constexpr platform::UiText ItemControl{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "項目に制御文字が含まれています。")};
inline constexpr platform::UiText ContentEmpty{"BinderyMessages", QT_TRANSLATE_NOOP("BinderyMessages", "内容を入力してください。")};
inline constexpr platform::UiText ContentControl{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "内容に制御文字が含まれています。")};
// The data exchange's range words.
inline constexpr platform::UiText TooLongFormat{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "%1 文字以内で入力してください。")};

inline constexpr platform::UiText FolderCaption{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "画像を含むフォルダを選択")};
inline constexpr platform::UiText FolderAsDocCaption{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "画像を含むフォルダを選択（文書として）")};
inline constexpr platform::UiText ExportAllCaption{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "全Page画像を書き出すフォルダを選択")};
inline constexpr platform::UiText ExportSelectedCaption{"BinderyMessages",
    QT_TRANSLATE_NOOP("BinderyMessages", "選択Page画像を書き出すフォルダを選択")};
inline const QString ImageFilter = QStringLiteral("Image Files (*.jpg *.jpeg *.png *.bmp *.kvb)");
inline const QString BookFilter = QStringLiteral("KVB Files (*.kvb)");
// Offered beside the filters above: archives whose pictures become pages.
inline const QString ArchiveFilter = QStringLiteral("Archive Files (*.cbz *.zip *.cb7 *.7z *.cbr *.rar *.cbt *.tar)");
inline const QString CbzFilter = QStringLiteral("CBZ Files (*.cbz)");
inline constexpr platform::UiText NewBookName{"BinderyMessages", QT_TRANSLATE_NOOP("BinderyMessages", "(新規作成)")};

} // namespace bindery::text
