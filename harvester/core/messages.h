#pragma once

#include <QString>

// Harvester's fixed texts: messages, questions, log lines and list items.
namespace harvester::text {

inline const QString AboutCaption = QStringLiteral("Harvester について");
inline const QString AboutText = QStringLiteral("Harvester Ver.");
inline const QString AboutMenuItem = QStringLiteral("Harvesterについて(&A)...");

// Start-up.
inline const QString ModuleNameFailed = QStringLiteral("GetModuleFileName() が失敗しました。");
inline const QString ExtractorMissing = QStringLiteral("pdfimages が見つかりません。");

// The PDF runs.
inline const QString PdfFolderMissing = QStringLiteral("PDFフォルダが見つかりません。");
inline const QString WorkFolderMissing = QStringLiteral("作業フォルダが見つかりません。");
inline const QString WorkFolderFullWidth = QStringLiteral("作業フォルダに全角文字が含まれます。");
inline const QString SearchingPdf = QStringLiteral(" PDFファイルを検索中...");
inline const QString PdfSearchFailed = QStringLiteral("PDFファイルの検索に失敗しました。");
inline const QString NoPdf = QStringLiteral("PDFファイルが見つかりません。");
inline const QString CommandLineFailed = QStringLiteral("コマンドライン作成に失敗しました。");
inline const QString LaunchFailed = QStringLiteral("コマンドの起動に失敗しました。");
inline const QString ImageFolderExistsDelete =
    QStringLiteral("保存フォルダが既に存在します。\n削除して続行しますか？");
inline const QString MoveFailed = QStringLiteral("保存フォルダの移動に失敗しました。");
inline const QString MoveRetryLog = QStringLiteral("Move files Retry.");
inline const QString ExitCodeLog = QStringLiteral("Exit code = %1 (0x%2)");
inline const QString ExtractorTrouble =
    QStringLiteral("Exit code: %1\nError: %2\nWarning: %3\n"
                   "エラーが表示されても、処理は成功していることがあります。\n");
inline const QString CheckImages = QStringLiteral("画像の取り出しを確認し、問題なければ続行してください。\n");
inline const QString CheckBook = QStringLiteral("KVBファイルを確認し、問題なければ続行してください。\n");
inline const QString Continue = QStringLiteral("続行しますか？");
inline const QString Stopped = QStringLiteral("[Stop]ボタンにより停止しました。");
inline const QString Done = QStringLiteral("完了");
// How the PDF's images arrived: every listed image must come out whole.
inline const QString ListFailedLog = QStringLiteral("PDFの画像一覧を取得できませんでした。(Exit code = %1)");
inline const QString ImageMissingLog = QStringLiteral("画像 %1 が取り出されていません。");
inline const QString ImageEmptyLog = QStringLiteral("取り出した画像 %1 が空です。");
inline const QString ImageCutLog = QStringLiteral("取り出した画像 %1 が途中で切れています。");
inline const QString ImageUnusableLog = QStringLiteral("取り出した画像 %1 はページにできない形式です。");
inline const QString ImageUnlistedLog = QStringLiteral("PDFの画像一覧にないファイル %1 が取り出されました。");
inline const QString MoreProblemsLog = QStringLiteral("ほかに %1 件の問題があります。");
inline const QString ExtractorFailedLog = QStringLiteral("pdfimages が正常に終了しませんでした。(Exit code = %1)");
inline const QString ExtractorKilledLog = QStringLiteral("pdfimages を強制終了しました。");
inline const QString NoBookWrittenLog =
    QStringLiteral("PDFの画像がすべては取り出せなかったため、KVBファイルを作成しません。PDFファイルは残します。");
inline const QString NoFolderMadeLog =
    QStringLiteral("PDFの画像がすべては取り出せなかったため、画像フォルダを作成しません。PDFファイルは残します。");

// Packing and unpacking.
inline const QString BookExists = QStringLiteral("KVBファイルが既に存在します。\n上書きしますか？");
inline const QString PackCancelLog = QStringLiteral("ImageFolderToKVB - Cancel.");
inline const QString PackNoImagesLog = QStringLiteral("ImageFolderToKVB - No Image Files.");
inline const QString PackFailedLog = QStringLiteral("ImageFolderToKVB - Failed.");
inline const QString BookWriteFailed = QStringLiteral("KVBファイルの作成に失敗しました。");
inline const QString PackLog = QStringLiteral("ImageFolderToKVB %1");
inline const QString UnpackLog = QStringLiteral("KVBToImageFolder %1");
inline const QString FolderMissing = QStringLiteral("フォルダが見つかりません。");
inline const QString SearchingFolders = QStringLiteral(" 画像フォルダを検索中...");
inline const QString FolderSearchFailed = QStringLiteral("画像フォルダの検索に失敗しました。");
inline const QString NoFolders = QStringLiteral("画像フォルダが見つかりません。");
inline const QString OutputFolderExists = QStringLiteral("保存フォルダが既に存在します。\n続行しますか？");
inline const QString OutputFolderNotMade = QStringLiteral("保存フォルダが作成できませんでした。\n続行しますか？");
inline const QString BookUnreadable = QStringLiteral("KVBファイルの読み出しに失敗しました。\n続行しますか？");
inline const QString PageNotWritten = QStringLiteral("画像ファイルの保存に失敗しました。\n続行しますか？");
inline const QString BookFolderMissing = QStringLiteral("KVBフォルダが見つかりません。");
inline const QString SearchingBooks = QStringLiteral(" KVBファイルを検索中...");
inline const QString BookSearchFailed = QStringLiteral("KVBファイルの検索に失敗しました。");
inline const QString NoBooks = QStringLiteral("KVBファイルが見つかりません。");

// Archives to books.
inline const QString ArchivePackLog = QStringLiteral("ArchiveToKVB %1");
inline const QString SearchingArchives = QStringLiteral(" アーカイブを検索中...");
inline const QString ArchiveSearchFailed = QStringLiteral("アーカイブの検索に失敗しました。");
inline const QString NoArchives = QStringLiteral("アーカイブが見つかりません。");
inline const QString ArchiveFailedLog =
    QStringLiteral("アーカイブからKVBファイルを作成しません。アーカイブは残します: %1");
inline const QString ComicInfoSkippedLog = QStringLiteral("ComicInfo.xml を読み飛ばしました: %1");
inline const QString ArchiveKeptLog =
    QStringLiteral("KVBファイルに入れていないエントリ %1 があるため、アーカイブを残します: %2");
inline const QString ArchiveChangedLog =
    QStringLiteral("KVBファイルの作成後に変更されたため、アーカイブを残します: %1");

// Where the outputs of a run may go.
inline const QString OutputOutsideLog =
    QStringLiteral("保存先が対象フォルダそのもの、またはその外になるため処理しません: %1");
inline const QString OutputSharedLog = QStringLiteral("保存先 %1 がほかの項目の保存先と重なるため処理しません: %2");
inline const QString OutputIsSourceLog = QStringLiteral("保存先 %1 がほかの処理対象と重なるため処理しません: %2");
inline const QString OutputHoldsRunLog =
    QStringLiteral("保存先 %1 の中に処理対象または作業フォルダがあるため処理しません: %2");
inline const QString OutputWrittenLog =
    QStringLiteral("保存先 %1 はこの処理で作成したもの、または処理対象のため上書きしません: %2");

// Deleting or recycling the sources.
inline const QString TrashFailedLog = QStringLiteral("MoveToTrash(%1) rc=%2 (%3)");
inline const QString DeleteFailedLog = QStringLiteral("Delete(%1) rc=%2 (%3)");
inline const QString FolderKeptLog =
    QStringLiteral("KVBファイルに入れていないファイルまたはフォルダ %1 があるため、画像フォルダを残します: %2");
inline const QString FolderChangedLog =
    QStringLiteral("KVBファイルの作成後に変更されたファイル %1 があるため、画像フォルダを残します: %2");
// The last line of a run: how its items went and what became of the sources.
inline const QString SummaryLog =
    QStringLiteral("処理結果 成功: %1件 失敗: %2件 見送り: %3件 削除: %4件 ごみ箱へ移動: %5件");

// The main dialog.
inline const QString RunningStopFirst = QStringLiteral("実行中です。\n停止してから終了してください。");
inline const QString RunningForceClose = QStringLiteral("実行中です。\n強制終了して閉じますか？");
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
    switch (kind) {
    case SourceKind::Pdf:
        return {QStringLiteral(" PDFファイルを削除中..."), QStringLiteral(" PDFファイルをごみ箱に移動中..."),
                QStringLiteral("PDFファイルのごみ箱移動に失敗しました。"),
                QStringLiteral("\nPDFファイルは削除されません。"),
                QStringLiteral("\nPDFファイルはごみ箱に移動されません。")};
    case SourceKind::ImageFolder:
        return {QStringLiteral(" 画像フォルダを削除中..."), QStringLiteral(" 画像フォルダをごみ箱に移動中..."),
                QStringLiteral("画像フォルダのごみ箱移動に失敗しました。"),
                QStringLiteral("\n画像フォルダは削除されません。"),
                QStringLiteral("\n画像フォルダはごみ箱に移動されません。")};
    case SourceKind::Archive:
        return {QStringLiteral(" アーカイブを削除中..."), QStringLiteral(" アーカイブをごみ箱に移動中..."),
                QStringLiteral("アーカイブのごみ箱移動に失敗しました。"),
                QStringLiteral("\nアーカイブは削除されません。"),
                QStringLiteral("\nアーカイブはごみ箱に移動されません。")};
    case SourceKind::Book:
        break;
    }
    return {QStringLiteral(" KVBファイルを削除中..."), QStringLiteral(" KVBファイルをごみ箱に移動中..."),
            QStringLiteral("KVBファイルのごみ箱移動に失敗しました。"), QStringLiteral("\nKVBファイルは削除されません。"),
            QStringLiteral("\nKVBファイルはごみ箱に移動されません。")};
}

} // namespace harvester
