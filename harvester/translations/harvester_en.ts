<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CHarvesterDlg</name>
    <message>
        <source>PDFをKVBに変換</source>
        <translation>Convert PDFs to KVB</translation>
    </message>
    <message>
        <source>PDFから画像を取り出す</source>
        <translation>Extract images from PDFs</translation>
    </message>
    <message>
        <source>画像フォルダをKVBに変換</source>
        <translation>Convert image folders to KVB</translation>
    </message>
    <message>
        <source>KVBから画像を取り出す</source>
        <translation>Extract images from KVB files</translation>
    </message>
    <message>
        <source>アーカイブをKVBに変換</source>
        <translation>Convert archives to KVB</translation>
    </message>
    <message>
        <source>そのまま</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>ごみ箱に移動</source>
        <translation>Move to trash</translation>
    </message>
    <message>
        <source>削除（非推奨）</source>
        <translation>Delete (not recommended)</translation>
    </message>
    <message>
        <source>何もしない</source>
        <translation>Not used</translation>
    </message>
    <message>
        <source>著者とする</source>
        <translation>As author</translation>
    </message>
    <message>
        <source>出版社とする</source>
        <translation>As publisher</translation>
    </message>
    <message>
        <source>サークルとする</source>
        <translation>As circle</translation>
    </message>
    <message>
        <source>処理</source>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>サブフォルダも含む</source>
        <translation>Include subfolders</translation>
    </message>
    <message>
        <source>処理済みファイル/フォルダ</source>
        <translation>Converted files/folders</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>PDF/画像フォルダ/KVBを含む対象フォルダ</source>
        <translation>Target folder (holding the PDFs, image folders or KVB files)</translation>
    </message>
    <message>
        <source>PDF作業用フォルダ （対象フォルダと同じドライブを推奨、全角文字を含まないこと。）</source>
        <translation>Work folder for PDFs (best on the target folder&apos;s drive; no full-width characters)</translation>
    </message>
    <message>
        <source>KVB文書</source>
        <translation>KVB book</translation>
    </message>
    <message>
        <source>見開き</source>
        <translation>Two-page spread</translation>
    </message>
    <message>
        <source>表紙あり</source>
        <translation>With cover</translation>
    </message>
    <message>
        <source>右綴じ</source>
        <translation>Right-to-left binding</translation>
    </message>
    <message>
        <source>サムネール</source>
        <translation>Thumbnails</translation>
    </message>
    <message>
        <source>ファイル/フォルダ名をタイトルとする</source>
        <translation>File/folder name as title</translation>
    </message>
    <message>
        <source>頭の数値を出版日とする</source>
        <translation>Leading number as publication date</translation>
    </message>
    <message>
        <source>対象フォルダ名</source>
        <translation>Target folder name</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>HarvesterMessages</name>
    <message>
        <source>Harvester について</source>
        <translation>About Harvester</translation>
    </message>
    <message>
        <source>Harvesterについて(&amp;A)...</source>
        <translation>&amp;About Harvester...</translation>
    </message>
    <message>
        <source>GetModuleFileName() が失敗しました。</source>
        <translation>The program&apos;s own folder could not be determined.</translation>
    </message>
    <message>
        <source>pdfimages が見つかりません。</source>
        <translation>pdfimages was not found.</translation>
    </message>
    <message>
        <source>PDFフォルダが見つかりません。</source>
        <translation>The PDF folder was not found.</translation>
    </message>
    <message>
        <source>作業フォルダが見つかりません。</source>
        <translation>The work folder was not found.</translation>
    </message>
    <message>
        <source>作業フォルダに全角文字が含まれます。</source>
        <translation>The work folder&apos;s path contains full-width characters.</translation>
    </message>
    <message>
        <source> PDFファイルを検索中...</source>
        <translation> Searching for PDF files...</translation>
    </message>
    <message>
        <source>PDFファイルの検索に失敗しました。</source>
        <translation>Searching for PDF files failed.</translation>
    </message>
    <message>
        <source>PDFファイルが見つかりません。</source>
        <translation>No PDF files were found.</translation>
    </message>
    <message>
        <source>コマンドライン作成に失敗しました。</source>
        <translation>Could not build the command line.</translation>
    </message>
    <message>
        <source>コマンドの起動に失敗しました。</source>
        <translation>Could not start the command.</translation>
    </message>
    <message>
        <source>保存フォルダが既に存在します。
削除して続行しますか？</source>
        <translation>The output folder already exists.
Delete it and continue?</translation>
    </message>
    <message>
        <source>保存フォルダの移動に失敗しました。</source>
        <translation>Could not move the output folder.</translation>
    </message>
    <message>
        <source>Exit code: %1
Error: %2
Warning: %3
エラーが表示されても、処理は成功していることがあります。
</source>
        <translation>Exit code: %1
Errors: %2
Warnings: %3
The extraction may have succeeded even though errors were reported.
</translation>
    </message>
    <message>
        <source>画像の取り出しを確認し、問題なければ続行してください。
</source>
        <translation>Check the extracted images and continue if they are fine.
</translation>
    </message>
    <message>
        <source>KVBファイルを確認し、問題なければ続行してください。
</source>
        <translation>Check the KVB file and continue if it is fine.
</translation>
    </message>
    <message>
        <source>続行しますか？</source>
        <translation>Continue?</translation>
    </message>
    <message>
        <source>[Stop]ボタンにより停止しました。</source>
        <translation>Stopped with the [Stop] button.</translation>
    </message>
    <message>
        <source>完了</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>PDFの画像一覧を取得できませんでした。(Exit code = %1)</source>
        <translation>Could not list the images of the PDF. (Exit code = %1)</translation>
    </message>
    <message>
        <source>画像 %1 が取り出されていません。</source>
        <translation>Image %1 was not extracted.</translation>
    </message>
    <message>
        <source>取り出した画像 %1 が空です。</source>
        <translation>Extracted image %1 is empty.</translation>
    </message>
    <message>
        <source>取り出した画像 %1 が途中で切れています。</source>
        <translation>Extracted image %1 is cut short.</translation>
    </message>
    <message>
        <source>取り出した画像 %1 はページにできない形式です。</source>
        <translation>Extracted image %1 is in a format that cannot be a page.</translation>
    </message>
    <message>
        <source>PDFの画像一覧にないファイル %1 が取り出されました。</source>
        <translation>File %1 was extracted but is not in the PDF&apos;s list of images.</translation>
    </message>
    <message>
        <source>ほかに %1 件の問題があります。</source>
        <translation>Further problems not shown: %1.</translation>
    </message>
    <message>
        <source>pdfimages が正常に終了しませんでした。(Exit code = %1)</source>
        <translation>pdfimages did not end normally. (Exit code = %1)</translation>
    </message>
    <message>
        <source>pdfimages を強制終了しました。</source>
        <translation>pdfimages was forced to end.</translation>
    </message>
    <message>
        <source>PDFの画像がすべては取り出せなかったため、KVBファイルを作成しません。PDFファイルは残します。</source>
        <translation>Not every image of the PDF could be extracted, so no KVB file is made. The PDF file is kept.</translation>
    </message>
    <message>
        <source>PDFの画像がすべては取り出せなかったため、画像フォルダを作成しません。PDFファイルは残します。</source>
        <translation>Not every image of the PDF could be extracted, so no image folder is made. The PDF file is kept.</translation>
    </message>
    <message>
        <source>KVBファイルが既に存在します。
上書きしますか？</source>
        <translation>The KVB file already exists.
Overwrite it?</translation>
    </message>
    <message>
        <source>KVBファイルの作成に失敗しました。</source>
        <translation>Could not create the KVB file.</translation>
    </message>
    <message>
        <source>フォルダが見つかりません。</source>
        <translation>The folder was not found.</translation>
    </message>
    <message>
        <source> 画像フォルダを検索中...</source>
        <translation> Searching for image folders...</translation>
    </message>
    <message>
        <source>画像フォルダの検索に失敗しました。</source>
        <translation>Searching for image folders failed.</translation>
    </message>
    <message>
        <source>画像フォルダが見つかりません。</source>
        <translation>No image folders were found.</translation>
    </message>
    <message>
        <source>保存フォルダが既に存在します。
続行しますか？</source>
        <translation>The output folder already exists.
Continue?</translation>
    </message>
    <message>
        <source>保存フォルダが作成できませんでした。
続行しますか？</source>
        <translation>Could not create the output folder.
Continue?</translation>
    </message>
    <message>
        <source>KVBファイルの読み出しに失敗しました。
続行しますか？</source>
        <translation>Could not read the KVB file.
Continue?</translation>
    </message>
    <message>
        <source>画像ファイルの保存に失敗しました。
続行しますか？</source>
        <translation>Could not save an image file.
Continue?</translation>
    </message>
    <message>
        <source>KVBフォルダが見つかりません。</source>
        <translation>The KVB folder was not found.</translation>
    </message>
    <message>
        <source> KVBファイルを検索中...</source>
        <translation> Searching for KVB files...</translation>
    </message>
    <message>
        <source>KVBファイルの検索に失敗しました。</source>
        <translation>Searching for KVB files failed.</translation>
    </message>
    <message>
        <source>KVBファイルが見つかりません。</source>
        <translation>No KVB files were found.</translation>
    </message>
    <message>
        <source> アーカイブを検索中...</source>
        <translation> Searching for archives...</translation>
    </message>
    <message>
        <source>アーカイブの検索に失敗しました。</source>
        <translation>Searching for archives failed.</translation>
    </message>
    <message>
        <source>アーカイブが見つかりません。</source>
        <translation>No archives were found.</translation>
    </message>
    <message>
        <source>アーカイブからKVBファイルを作成しません。アーカイブは残します: %1</source>
        <translation>No KVB file is made from the archive, and the archive is kept: %1</translation>
    </message>
    <message>
        <source>ComicInfo.xml を読み飛ばしました: %1</source>
        <translation>ComicInfo.xml was skipped: %1</translation>
    </message>
    <message>
        <source>KVBファイルに入れていないエントリ %1 があるため、アーカイブを残します: %2</source>
        <translation>The archive is kept because its entry %1 is not in the KVB file: %2</translation>
    </message>
    <message>
        <source>KVBファイルの作成後に変更されたため、アーカイブを残します: %1</source>
        <translation>The archive is kept because it changed after the KVB file was made: %1</translation>
    </message>
    <message>
        <source>保存先が対象フォルダそのもの、またはその外になるため処理しません: %1</source>
        <translation>Not converted because the output would be the target folder itself or lie outside it: %1</translation>
    </message>
    <message>
        <source>保存先 %1 がほかの項目の保存先と重なるため処理しません: %2</source>
        <translation>Not converted because the output %1 overlaps the output of another item: %2</translation>
    </message>
    <message>
        <source>保存先 %1 がほかの処理対象と重なるため処理しません: %2</source>
        <translation>Not converted because the output %1 overlaps another item to convert: %2</translation>
    </message>
    <message>
        <source>保存先 %1 の中に処理対象または作業フォルダがあるため処理しません: %2</source>
        <translation>Not converted because the output %1 holds an item to convert or the work folder: %2</translation>
    </message>
    <message>
        <source>保存先 %1 はこの処理で作成したもの、または処理対象のため上書きしません: %2</source>
        <translation>Not overwritten because the output %1 was made by this run or is an item to convert: %2</translation>
    </message>
    <message>
        <source>KVBファイルに入れていないファイルまたはフォルダ %1 があるため、画像フォルダを残します: %2</source>
        <translation>The image folder is kept because the file or folder %1 is not in the KVB file: %2</translation>
    </message>
    <message>
        <source>KVBファイルの作成後に変更されたファイル %1 があるため、画像フォルダを残します: %2</source>
        <translation>The image folder is kept because the file %1 changed after the KVB file was made: %2</translation>
    </message>
    <message>
        <source>処理結果 成功: %1件 失敗: %2件 見送り: %3件 削除: %4件 ごみ箱へ移動: %5件</source>
        <translation>Results: %1 succeeded, %2 failed, %3 skipped, %4 deleted, %5 moved to trash</translation>
    </message>
    <message>
        <source>実行中です。
停止してから終了してください。</source>
        <translation>A conversion is running.
Stop it before closing.</translation>
    </message>
    <message>
        <source>実行中です。
強制終了して閉じますか？</source>
        <translation>A conversion is running.
Abort it and close?</translation>
    </message>
    <message>
        <source> PDFファイルを削除中...</source>
        <translation> Deleting the PDF files...</translation>
    </message>
    <message>
        <source> PDFファイルをごみ箱に移動中...</source>
        <translation> Moving the PDF files to the trash...</translation>
    </message>
    <message>
        <source>PDFファイルのごみ箱移動に失敗しました。</source>
        <translation>Could not move a PDF file to the trash.</translation>
    </message>
    <message>
        <source>
PDFファイルは削除されません。</source>
        <translation>
The PDF files will not be deleted.</translation>
    </message>
    <message>
        <source>
PDFファイルはごみ箱に移動されません。</source>
        <translation>
The PDF files will not be moved to the trash.</translation>
    </message>
    <message>
        <source> 画像フォルダを削除中...</source>
        <translation> Deleting the image folders...</translation>
    </message>
    <message>
        <source> 画像フォルダをごみ箱に移動中...</source>
        <translation> Moving the image folders to the trash...</translation>
    </message>
    <message>
        <source>画像フォルダのごみ箱移動に失敗しました。</source>
        <translation>Could not move an image folder to the trash.</translation>
    </message>
    <message>
        <source>
画像フォルダは削除されません。</source>
        <translation>
The image folders will not be deleted.</translation>
    </message>
    <message>
        <source>
画像フォルダはごみ箱に移動されません。</source>
        <translation>
The image folders will not be moved to the trash.</translation>
    </message>
    <message>
        <source> アーカイブを削除中...</source>
        <translation> Deleting the archives...</translation>
    </message>
    <message>
        <source> アーカイブをごみ箱に移動中...</source>
        <translation> Moving the archives to the trash...</translation>
    </message>
    <message>
        <source>アーカイブのごみ箱移動に失敗しました。</source>
        <translation>Could not move an archive to the trash.</translation>
    </message>
    <message>
        <source>
アーカイブは削除されません。</source>
        <translation>
The archives will not be deleted.</translation>
    </message>
    <message>
        <source>
アーカイブはごみ箱に移動されません。</source>
        <translation>
The archives will not be moved to the trash.</translation>
    </message>
    <message>
        <source> KVBファイルを削除中...</source>
        <translation> Deleting the KVB files...</translation>
    </message>
    <message>
        <source> KVBファイルをごみ箱に移動中...</source>
        <translation> Moving the KVB files to the trash...</translation>
    </message>
    <message>
        <source>KVBファイルのごみ箱移動に失敗しました。</source>
        <translation>Could not move a KVB file to the trash.</translation>
    </message>
    <message>
        <source>
KVBファイルは削除されません。</source>
        <translation>
The KVB files will not be deleted.</translation>
    </message>
    <message>
        <source>
KVBファイルはごみ箱に移動されません。</source>
        <translation>
The KVB files will not be moved to the trash.</translation>
    </message>
</context>
</TS>
