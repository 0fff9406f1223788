#pragma once

#include <platform/uitext.h>

#include <QCoreApplication>
#include <QString>

// Harvester's fixed texts: messages, questions, log lines and list items.
// The Japanese ones are translated where they are used; the English log
// lines stay as they are.
namespace harvester::text {

inline constexpr platform::UiText AboutCaption{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "Harvester について")};
inline const QString AboutText = QStringLiteral("Harvester Ver.");
inline constexpr platform::UiText AboutMenuItem{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "Harvesterについて(&A)...")};

// Start-up.
inline constexpr platform::UiText ModuleNameFailed{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "GetModuleFileName() が失敗しました。")};
inline constexpr platform::UiText ExtractorMissing{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "pdfimages が見つかりません。")};

// The PDF runs.
inline constexpr platform::UiText PdfFolderMissing{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "PDFフォルダが見つかりません。")};
inline constexpr platform::UiText WorkFolderMissing{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "作業フォルダが見つかりません。")};
inline constexpr platform::UiText WorkFolderFullWidth{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "作業フォルダに全角文字が含まれます。")};
inline constexpr platform::UiText SearchingPdf{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", " PDFファイルを検索中...")};
inline constexpr platform::UiText PdfSearchFailed{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "PDFファイルの検索に失敗しました。")};
inline constexpr platform::UiText NoPdf{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "PDFファイルが見つかりません。")};
inline constexpr platform::UiText CommandLineFailed{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "コマンドライン作成に失敗しました。")};
inline constexpr platform::UiText LaunchFailed{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "コマンドの起動に失敗しました。")};
inline constexpr platform::UiText ImageFolderExistsDelete{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "保存フォルダが既に存在します。\n削除して続行しますか？")};
inline constexpr platform::UiText MoveFailed{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "保存フォルダの移動に失敗しました。")};
inline const QString MoveRetryLog = QStringLiteral("Move files Retry.");
inline const QString ExitCodeLog = QStringLiteral("Exit code = %1 (0x%2)");
inline constexpr platform::UiText ExtractorTrouble{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "Exit code: %1\nError: %2\nWarning: %3\nエラーが表示されても、処理は成功していることがあります。\n")};
inline constexpr platform::UiText CheckImages{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "画像の取り出しを確認し、問題なければ続行してください。\n")};
inline constexpr platform::UiText CheckBook{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "KVBファイルを確認し、問題なければ続行してください。\n")};
inline constexpr platform::UiText Continue{"HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "続行しますか？")};
inline constexpr platform::UiText Stopped{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "[Stop]ボタンにより停止しました。")};
inline constexpr platform::UiText Done{"HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "完了")};
// How the PDF's images arrived: every listed image must come out whole.
inline constexpr platform::UiText ListFailedLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "PDFの画像一覧を取得できませんでした。(Exit code = %1)")};
inline constexpr platform::UiText ImageMissingLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "画像 %1 が取り出されていません。")};
inline constexpr platform::UiText ImageEmptyLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "取り出した画像 %1 が空です。")};
inline constexpr platform::UiText ImageCutLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "取り出した画像 %1 が途中で切れています。")};
inline constexpr platform::UiText ImageUnusableLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "取り出した画像 %1 はページにできない形式です。")};
inline constexpr platform::UiText ImageUnlistedLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "PDFの画像一覧にないファイル %1 が取り出されました。")};
inline constexpr platform::UiText MoreProblemsLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "ほかに %1 件の問題があります。")};
inline constexpr platform::UiText ExtractorFailedLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "pdfimages が正常に終了しませんでした。(Exit code = %1)")};
inline constexpr platform::UiText ExtractorKilledLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "pdfimages を強制終了しました。")};
inline constexpr platform::UiText NoBookWrittenLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "PDFの画像がすべては取り出せなかったため、KVBファイルを作成しません。PDFファイルは残します。")};
inline constexpr platform::UiText NoFolderMadeLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "PDFの画像がすべては取り出せなかったため、画像フォルダを作成しません。PDFファイルは残します。")};

// Packing and unpacking.
inline constexpr platform::UiText BookExists{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "KVBファイルが既に存在します。\n上書きしますか？")};
inline const QString PackCancelLog = QStringLiteral("ImageFolderToKVB - Cancel.");
inline const QString PackNoImagesLog = QStringLiteral("ImageFolderToKVB - No Image Files.");
inline const QString PackFailedLog = QStringLiteral("ImageFolderToKVB - Failed.");
inline constexpr platform::UiText BookWriteFailed{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "KVBファイルの作成に失敗しました。")};
inline const QString PackLog = QStringLiteral("ImageFolderToKVB %1");
inline const QString UnpackLog = QStringLiteral("KVBToImageFolder %1");
inline constexpr platform::UiText FolderMissing{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "フォルダが見つかりません。")};
inline constexpr platform::UiText SearchingFolders{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", " 画像フォルダを検索中...")};
inline constexpr platform::UiText FolderSearchFailed{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "画像フォルダの検索に失敗しました。")};
inline constexpr platform::UiText NoFolders{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "画像フォルダが見つかりません。")};
inline constexpr platform::UiText OutputFolderExists{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "保存フォルダが既に存在します。\n続行しますか？")};
inline constexpr platform::UiText OutputFolderNotMade{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "保存フォルダが作成できませんでした。\n続行しますか？")};
inline constexpr platform::UiText BookUnreadable{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "KVBファイルの読み出しに失敗しました。\n続行しますか？")};
inline constexpr platform::UiText PageNotWritten{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "画像ファイルの保存に失敗しました。\n続行しますか？")};
inline constexpr platform::UiText BookFolderMissing{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "KVBフォルダが見つかりません。")};
inline constexpr platform::UiText SearchingBooks{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", " KVBファイルを検索中...")};
inline constexpr platform::UiText BookSearchFailed{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "KVBファイルの検索に失敗しました。")};
inline constexpr platform::UiText NoBooks{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "KVBファイルが見つかりません。")};

// Archives to books.
inline const QString ArchivePackLog = QStringLiteral("ArchiveToKVB %1");
inline constexpr platform::UiText SearchingArchives{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", " アーカイブを検索中...")};
inline constexpr platform::UiText ArchiveSearchFailed{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "アーカイブの検索に失敗しました。")};
inline constexpr platform::UiText NoArchives{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "アーカイブが見つかりません。")};
inline constexpr platform::UiText ArchiveFailedLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "アーカイブからKVBファイルを作成しません。アーカイブは残します: %1")};
inline constexpr platform::UiText ComicInfoSkippedLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "ComicInfo.xml を読み飛ばしました: %1")};
inline constexpr platform::UiText ArchiveKeptLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "KVBファイルに入れていないエントリ %1 があるため、アーカイブを残します: %2")};
inline constexpr platform::UiText ArchiveChangedLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "KVBファイルの作成後に変更されたため、アーカイブを残します: %1")};

// Where the outputs of a run may go.
inline constexpr platform::UiText OutputOutsideLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "保存先が対象フォルダそのもの、またはその外になるため処理しません: %1")};
inline constexpr platform::UiText OutputSharedLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "保存先 %1 がほかの項目の保存先と重なるため処理しません: %2")};
inline constexpr platform::UiText OutputIsSourceLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "保存先 %1 がほかの処理対象と重なるため処理しません: %2")};
inline constexpr platform::UiText OutputHoldsRunLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "保存先 %1 の中に処理対象または作業フォルダがあるため処理しません: %2")};
inline constexpr platform::UiText OutputWrittenLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "保存先 %1 はこの処理で作成したもの、または処理対象のため上書きしません: %2")};

// Deleting or recycling the sources.
inline const QString TrashFailedLog = QStringLiteral("MoveToTrash(%1) rc=%2 (%3)");
inline const QString DeleteFailedLog = QStringLiteral("Delete(%1) rc=%2 (%3)");
inline constexpr platform::UiText FolderKeptLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "KVBファイルに入れていないファイルまたはフォルダ %1 があるため、画像フォルダを残します: %2")};
inline constexpr platform::UiText FolderChangedLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "KVBファイルの作成後に変更されたファイル %1 があるため、画像フォルダを残します: %2")};
// The last line of a run: how its items went and what became of the sources.
inline constexpr platform::UiText SummaryLog{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "処理結果 成功: %1件 失敗: %2件 見送り: %3件 削除: %4件 ごみ箱へ移動: %5件")};

// The main dialog.
inline constexpr platform::UiText RunningStopFirst{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "実行中です。\n停止してから終了してください。")};
inline constexpr platform::UiText RunningForceClose{
    "HarvesterMessages", QT_TRANSLATE_NOOP("HarvesterMessages", "実行中です。\n強制終了して閉じますか？")};
inline const QString BrowseTargetCaption = QStringLiteral("PDF Folder / Parent Folder of Picture Folder");
inline const QString BrowseWorkCaption = QStringLiteral("Work Folder");

} // namespace harvester::text

namespace harvester {

// What a run deletes or recycles at its end.
enum class SourceKind { Pdf, ImageFolder, Book, Archive };

// The texts of deleting or recycling one kind of source.
struct SourceTexts {
    QString deleting;      // status line while deleting
    QString recycling;     // status line while recycling
    QString recycleFailed; // asked with Retry/Cancel
    QString deleteNote;    // follows the Stop message when deleting was chosen
    QString recycleNote;   // ... when recycling was chosen
};

inline SourceTexts sourceTexts(SourceKind kind)
{
    auto translated = [](const char *source) { return QCoreApplication::translate("HarvesterMessages", source); };
    switch (kind) {
    case SourceKind::Pdf:
        return {translated(QT_TRANSLATE_NOOP("HarvesterMessages", " PDFファイルを削除中...")),
                translated(QT_TRANSLATE_NOOP("HarvesterMessages", " PDFファイルをごみ箱に移動中...")),
                translated(QT_TRANSLATE_NOOP("HarvesterMessages", "PDFファイルのごみ箱移動に失敗しました。")),
                translated(QT_TRANSLATE_NOOP("HarvesterMessages", "\nPDFファイルは削除されません。")),
                translated(QT_TRANSLATE_NOOP("HarvesterMessages", "\nPDFファイルはごみ箱に移動されません。"))};
    case SourceKind::ImageFolder:
        return {translated(QT_TRANSLATE_NOOP("HarvesterMessages", " 画像フォルダを削除中...")),
                translated(QT_TRANSLATE_NOOP("HarvesterMessages", " 画像フォルダをごみ箱に移動中...")),
                translated(QT_TRANSLATE_NOOP("HarvesterMessages", "画像フォルダのごみ箱移動に失敗しました。")),
                translated(QT_TRANSLATE_NOOP("HarvesterMessages", "\n画像フォルダは削除されません。")),
                translated(QT_TRANSLATE_NOOP("HarvesterMessages", "\n画像フォルダはごみ箱に移動されません。"))};
    case SourceKind::Archive:
        return {translated(QT_TRANSLATE_NOOP("HarvesterMessages", " アーカイブを削除中...")),
                translated(QT_TRANSLATE_NOOP("HarvesterMessages", " アーカイブをごみ箱に移動中...")),
                translated(QT_TRANSLATE_NOOP("HarvesterMessages", "アーカイブのごみ箱移動に失敗しました。")),
                translated(QT_TRANSLATE_NOOP("HarvesterMessages", "\nアーカイブは削除されません。")),
                translated(QT_TRANSLATE_NOOP("HarvesterMessages", "\nアーカイブはごみ箱に移動されません。"))};
    case SourceKind::Book:
        break;
    }
    return {translated(QT_TRANSLATE_NOOP("HarvesterMessages", " KVBファイルを削除中...")),
            translated(QT_TRANSLATE_NOOP("HarvesterMessages", " KVBファイルをごみ箱に移動中...")),
            translated(QT_TRANSLATE_NOOP("HarvesterMessages", "KVBファイルのごみ箱移動に失敗しました。")),
            translated(QT_TRANSLATE_NOOP("HarvesterMessages", "\nKVBファイルは削除されません。")),
            translated(QT_TRANSLATE_NOOP("HarvesterMessages", "\nKVBファイルはごみ箱に移動されません。"))};
}

} // namespace harvester
