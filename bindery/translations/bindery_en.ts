<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BinderyAttributes</name>
    <message>
        <source>著者</source>
        <translation>Author</translation>
    </message>
    <message>
        <source>出版社</source>
        <translation>Publisher</translation>
    </message>
    <message>
        <source>サークル</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>ユーザー定義</source>
        <translation>Custom Item</translation>
    </message>
    <message>
        <source>%1の編集</source>
        <translation>Edit %1</translation>
    </message>
    <message>
        <source>%1の追加</source>
        <translation>Add %1</translation>
    </message>
</context>
<context>
    <name>BinderyMessages</name>
    <message>
        <source>Binderyについて</source>
        <translation>About Bindery</translation>
    </message>
    <message>
        <source>現在の内容はクリアされます。
よろしいですか？</source>
        <translation>The current contents will be cleared.
Do you want to continue?</translation>
    </message>
    <message>
        <source>データが更新されています。
このまま終了しますか？</source>
        <translation>The book has unsaved changes.
Quit anyway?</translation>
    </message>
    <message>
        <source>KVBファイルの読み出しに失敗しました。</source>
        <translation>The KVB file could not be read.</translation>
    </message>
    <message>
        <source>アーカイブの読み出しに失敗しました。
%1
%2</source>
        <translation>The archive could not be read.
%1
%2</translation>
    </message>
    <message>
        <source>ComicInfo.xmlを読み飛ばしました。
%1
%2</source>
        <translation>ComicInfo.xml was skipped.
%1
%2</translation>
    </message>
    <message>
        <source>画像ファイルの読み出しに失敗しました。</source>
        <translation>The image file could not be read.</translation>
    </message>
    <message>
        <source>リスト用サムネールの作成に失敗しました。</source>
        <translation>The thumbnail for the page list could not be made.</translation>
    </message>
    <message>
        <source>サムネールの複製に失敗しました。</source>
        <translation>The thumbnail could not be copied.</translation>
    </message>
    <message>
        <source>サイズが0または4GB以上のファイルは無視されます。</source>
        <translation>Files that are empty or 4 GB or larger are ignored.</translation>
    </message>
    <message>
        <source>対象ファイルが見つかりません。
拡張子は jpg, jpeg, png, bmp, kvb のみ対応しています。</source>
        <translation>No files to add were found.
Only the extensions jpg, jpeg, png, bmp and kvb are supported.</translation>
    </message>
    <message>
        <source>保存に失敗しました。</source>
        <translation>The book could not be saved.</translation>
    </message>
    <message>
        <source>保存しました。</source>
        <translation>Saved.</translation>
    </message>
    <message>
        <source>書き出しに失敗しました。</source>
        <translation>The export failed.</translation>
    </message>
    <message>
        <source>書き出しました。</source>
        <translation>Exported.</translation>
    </message>
    <message>
        <source>日付が不正です。</source>
        <translation>The date is not valid.</translation>
    </message>
    <message>
        <source>タイトルに制御文字が含まれています。</source>
        <translation>The title contains control characters.</translation>
    </message>
    <message>
        <source>サブタイトルに制御文字が含まれています。</source>
        <translation>The subtitle contains control characters.</translation>
    </message>
    <message>
        <source>著者に制御文字が含まれています。</source>
        <translation>The author contains control characters.</translation>
    </message>
    <message>
        <source>出版社に制御文字が含まれています。</source>
        <translation>The publisher contains control characters.</translation>
    </message>
    <message>
        <source>サークルに制御文字が含まれています。</source>
        <translation>The circle contains control characters.</translation>
    </message>
    <message>
        <source>項目を入力してください。</source>
        <translation>Enter an item.</translation>
    </message>
    <message>
        <source>項目に制御文字が含まれています。</source>
        <translation>The item contains control characters.</translation>
    </message>
    <message>
        <source>内容を入力してください。</source>
        <translation>Enter a value.</translation>
    </message>
    <message>
        <source>内容に制御文字が含まれています。</source>
        <translation>The value contains control characters.</translation>
    </message>
    <message>
        <source>%1 文字以内で入力してください。</source>
        <translation>Enter no more than %1 characters.</translation>
    </message>
    <message>
        <source>画像を含むフォルダを選択</source>
        <translation>Choose a folder with images</translation>
    </message>
    <message>
        <source>画像を含むフォルダを選択（文書として）</source>
        <translation>Choose a folder with images (as a document)</translation>
    </message>
    <message>
        <source>全Page画像を書き出すフォルダを選択</source>
        <translation>Choose a folder to export all page images to</translation>
    </message>
    <message>
        <source>選択Page画像を書き出すフォルダを選択</source>
        <translation>Choose a folder to export the selected page images to</translation>
    </message>
    <message>
        <source>(新規作成)</source>
        <translation>(Untitled)</translation>
    </message>
</context>
<context>
    <name>CAttrAddDlg</name>
    <message>
        <source>項目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>内容</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CAttrEditDlg</name>
    <message>
        <source>その他の付加情報の編集</source>
        <translation>Edit Other Details</translation>
    </message>
    <message>
        <source>著者の追加...</source>
        <translation>Add author...</translation>
    </message>
    <message>
        <source>出版社の追加...</source>
        <translation>Add publisher...</translation>
    </message>
    <message>
        <source>サークルの追加...</source>
        <translation>Add circle...</translation>
    </message>
    <message>
        <source>ユーザー定義の追加...</source>
        <translation>Add custom item...</translation>
    </message>
    <message>
        <source>編集...</source>
        <translation>Edit...</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>上へ</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>下へ</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CBinderyDlg</name>
    <message>
        <source>Binderyについて(&amp;A)...</source>
        <translation>&amp;About Bindery...</translation>
    </message>
    <message>
        <source>ページリスト (Drag&amp;Drop可)</source>
        <translation>Pages (Drag&amp;Drop)</translation>
    </message>
    <message>
        <source>ページ数</source>
        <translation>Page count</translation>
    </message>
    <message>
        <source>先頭へ</source>
        <translation>Move to top</translation>
    </message>
    <message>
        <source>上へ</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>下へ</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>末尾へ</source>
        <translation>Move to bottom</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>複製</source>
        <translation>Duplicate</translation>
    </message>
    <message>
        <source>全選択</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>ファイル メニュー ▼</source>
        <translation>File menu ▼</translation>
    </message>
    <message>
        <source>設定...</source>
        <translation>Settings...</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>単一</source>
        <translation>Single page</translation>
    </message>
    <message>
        <source>見開き</source>
        <translation>Two-page spread</translation>
    </message>
    <message>
        <source>表紙</source>
        <translation>Cover</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>No</translation>
    </message>
    <message>
        <source>あり</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>綴じ方</source>
        <translation>Binding</translation>
    </message>
    <message>
        <source>左綴じ</source>
        <translation>Left-to-right</translation>
    </message>
    <message>
        <source>右綴じ</source>
        <translation>Right-to-left</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>サムネールを付ける</source>
        <translation>Include a thumbnail</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>サブタイトル</source>
        <translation>Subtitle</translation>
    </message>
    <message>
        <source>著者(一人目)</source>
        <translation>Author (first)</translation>
    </message>
    <message>
        <source>出版社(一社目)</source>
        <translation>Publisher (first)</translation>
    </message>
    <message>
        <source>サークル(一つ目)</source>
        <translation>Circle (first)</translation>
    </message>
    <message>
        <source>出版日</source>
        <translation>Publication date</translation>
    </message>
    <message>
        <source>年</source>
        <translation>year</translation>
    </message>
    <message>
        <source>月</source>
        <translation>month</translation>
    </message>
    <message>
        <source>日</source>
        <translation>day</translation>
    </message>
    <message>
        <source>（不明：0）</source>
        <translation>(0 = unknown)</translation>
    </message>
    <message>
        <source>その他の付加情報の編集...</source>
        <translation>Edit other details...</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>KVBファイルを開く(&amp;O)...</source>
        <translation>&amp;Open KVB file...</translation>
    </message>
    <message>
        <source>画像を追加(&amp;P)...</source>
        <translation>Add &amp;images...</translation>
    </message>
    <message>
        <source>フォルダ内画像を追加(&amp;F)...</source>
        <translation>Add images from &amp;folder...</translation>
    </message>
    <message>
        <source>フォルダ内画像を文書として開く(&amp;D)...</source>
        <translation>Open folder as &amp;document...</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>全Page画像の書き出し(&amp;E)...</source>
        <translation>&amp;Export all page images...</translation>
    </message>
    <message>
        <source>選択Page画像の書き出し(&amp;W)...</source>
        <translation>Export se&amp;lected page images...</translation>
    </message>
    <message>
        <source>CBZの書き出し(&amp;Z)...</source>
        <translation>Export as CB&amp;Z...</translation>
    </message>
</context>
<context>
    <name>CColorListCtrl</name>
    <message>
        <source>項目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>内容</source>
        <translation>Value</translation>
    </message>
</context>
<context>
    <name>CSettingDlg</name>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>元のファイル名(新規は空白)</source>
        <translation>Original file name (blank for a new book)</translation>
    </message>
    <message>
        <source>タイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>年 タイトル</source>
        <translation>YYYY Title</translation>
    </message>
    <message>
        <source>年月 タイトル</source>
        <translation>YYYYMM Title</translation>
    </message>
    <message>
        <source>年月日 タイトル</source>
        <translation>YYYYMMDD Title</translation>
    </message>
    <message>
        <source>ファイル保存ダイアログの初期ファイル名</source>
        <translation>File name proposed when saving</translation>
    </message>
    <message>
        <source>フォルダ内画像を文書として開く</source>
        <translation>Opening a folder of images as a document</translation>
    </message>
    <message>
        <source>フォルダ名をタイトルとする</source>
        <translation>Use the folder name as the title</translation>
    </message>
    <message>
        <source>頭の数値を出版日とする</source>
        <translation>Take a leading number as the publication date</translation>
    </message>
    <message>
        <source>何もしない</source>
        <translation>Do nothing</translation>
    </message>
    <message>
        <source>著者とする</source>
        <translation>Use as the author</translation>
    </message>
    <message>
        <source>出版社とする</source>
        <translation>Use as the publisher</translation>
    </message>
    <message>
        <source>サークルとする</source>
        <translation>Use as the circle</translation>
    </message>
    <message>
        <source>親フォルダ名</source>
        <translation>Parent folder name</translation>
    </message>
    <message>
        <source>Page画像の書き出し</source>
        <translation>Exporting page images</translation>
    </message>
    <message>
        <source>ファイル名のプレフィックス</source>
        <translation>File name prefix</translation>
    </message>
    <message>
        <source>開始番号</source>
        <translation>First number</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
