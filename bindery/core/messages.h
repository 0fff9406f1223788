#pragma once

#include <QString>

// The editor's fixed texts, shared by the logic and the dialogs.
namespace bindery::text {

// The about box: the text is followed by the version (" 1.2.3.4").
inline const QString AboutCaption = QStringLiteral("Binderyについて");
inline const QString AboutText = QStringLiteral("Bindery Version");
inline const QString ClearQuestion = QStringLiteral("現在の内容はクリアされます。\nよろしいですか？");
inline const QString CloseQuestion = QStringLiteral("データが更新されています。\nこのまま終了しますか？");
inline const QString BookUnreadable = QStringLiteral("KVBファイルの読み出しに失敗しました。");
// Followed by the archive's path and the reason.
inline const QString ArchiveUnreadable = QStringLiteral("アーカイブの読み出しに失敗しました。\n%1\n%2");
// Followed by the archive's path and the reason; the pages are still taken.
inline const QString ComicInfoSkipped = QStringLiteral("ComicInfo.xmlを読み飛ばしました。\n%1\n%2");
inline const QString PictureUnreadable = QStringLiteral("画像ファイルの読み出しに失敗しました。");
inline const QString ThumbnailFailed = QStringLiteral("リスト用サムネールの作成に失敗しました。");
inline const QString ThumbnailCopyFailed = QStringLiteral("サムネールの複製に失敗しました。");
inline const QString BadSize = QStringLiteral("サイズが0または4GB以上のファイルは無視されます。");
inline const QString NothingFound = QStringLiteral(
    "対象ファイルが見つかりません。\n拡張子は jpg, jpeg, png, bmp, kvb のみ対応しています。");
// Followed by the file's path, its name's bytes escaped.
inline const QString SaveFailed = QStringLiteral("保存に失敗しました。");
inline const QString Saved = QStringLiteral("保存しました。");
inline const QString ExportFailed = QStringLiteral("書き出しに失敗しました。");
inline const QString Exported = QStringLiteral("書き出しました。");
inline const QString BadDate = QStringLiteral("日付が不正です。");
inline const QString TitleControl = QStringLiteral("タイトルに制御文字が含まれています。");
inline const QString SubtitleControl = QStringLiteral("サブタイトルに制御文字が含まれています。");
inline const QString AuthorControl = QStringLiteral("著者に制御文字が含まれています。");
inline const QString PublisherControl = QStringLiteral("出版社に制御文字が含まれています。");
inline const QString CircleControl = QStringLiteral("サークルに制御文字が含まれています。");
inline const QString ItemEmpty = QStringLiteral("項目を入力してください。");
inline const QString ItemControl = QStringLiteral("項目に制御文字が含まれています。");
inline const QString ContentEmpty = QStringLiteral("内容を入力してください。");
inline const QString ContentControl = QStringLiteral("内容に制御文字が含まれています。");
// The data exchange's range words.
inline const QString TooLongFormat = QStringLiteral("%1 文字以内で入力してください。");
inline const QString RangeFormat = QStringLiteral("%1 から %2 までの整数を入力してください。");

inline const QString FolderCaption = QStringLiteral("画像を含むフォルダを選択");
inline const QString FolderAsDocCaption = QStringLiteral("画像を含むフォルダを選択（文書として）");
inline const QString ExportAllCaption = QStringLiteral("全Page画像を書き出すフォルダを選択");
inline const QString ExportSelectedCaption = QStringLiteral("選択Page画像を書き出すフォルダを選択");
inline const QString ImageFilter = QStringLiteral("Image Files (*.jpg *.jpeg *.png *.bmp *.kvb)");
inline const QString BookFilter = QStringLiteral("KVB Files (*.kvb)");
// Offered beside the filters above: archives whose pictures become pages.
inline const QString ArchiveFilter = QStringLiteral("Archive Files (*.cbz *.zip *.cb7 *.7z *.cbr *.rar *.cbt *.tar)");
inline const QString CbzFilter = QStringLiteral("CBZ Files (*.cbz)");
inline const QString NewBookName = QStringLiteral("(新規作成)");

} // namespace bindery::text
