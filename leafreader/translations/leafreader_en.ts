<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CommandMenu</name>
    <message>
        <source>Full Screen 切替</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>Resume登録せずに閉じる</source>
        <translation>Close without a Resume entry</translation>
    </message>
    <message>
        <source>Resume上書きして閉じる</source>
        <translation>Close and update the Resume entry</translation>
    </message>
    <message>
        <source>Resume追加して閉じる</source>
        <translation>Close and add a Resume entry</translation>
    </message>
    <message>
        <source>自動送り</source>
        <translation>Auto page turn</translation>
    </message>
    <message>
        <source>単ページ</source>
        <translation>Single page</translation>
    </message>
    <message>
        <source>見開き</source>
        <translation>Two-page spread</translation>
    </message>
    <message>
        <source>回転なし</source>
        <translation>No rotation</translation>
    </message>
    <message>
        <source>右90°</source>
        <translation>90° right</translation>
    </message>
    <message>
        <source>左90°</source>
        <translation>90° left</translation>
    </message>
    <message>
        <source>180°</source>
        <translation>180°</translation>
    </message>
    <message>
        <source>ファイル情報</source>
        <translation>File information</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>レイアウト</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>拡大表示</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>回転表示</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>ファイルを開く</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Resume画面へ(選択継承)</source>
        <translation>To Resume list (keep selection)</translation>
    </message>
    <message>
        <source>Resume画面へ(選択無視)</source>
        <translation>To Resume list (ignore selection)</translation>
    </message>
    <message>
        <source>Resume登録削除</source>
        <translation>Delete Resume entry</translation>
    </message>
    <message>
        <source>Folder画面へ(選択継承)</source>
        <translation>To Folder list (keep selection)</translation>
    </message>
    <message>
        <source>Folder画面へ(選択無視)</source>
        <translation>To Folder list (ignore selection)</translation>
    </message>
    <message>
        <source>Leafreaderについて ...</source>
        <translation>About Leafreader...</translation>
    </message>
</context>
<context>
    <name>ListTexts</name>
    <message>
        <source>著者 &gt; サークル &gt; 出版社</source>
        <translation>Author &gt; Circle &gt; Publisher</translation>
    </message>
    <message>
        <source>著者 &gt; 出版社 &gt; サークル</source>
        <translation>Author &gt; Publisher &gt; Circle</translation>
    </message>
    <message>
        <source>サークル &gt; 著者 &gt; 出版社</source>
        <translation>Circle &gt; Author &gt; Publisher</translation>
    </message>
    <message>
        <source>サークル &gt; 出版社 &gt; 著者</source>
        <translation>Circle &gt; Publisher &gt; Author</translation>
    </message>
    <message>
        <source>出版社 &gt; 著者 &gt; サークル</source>
        <translation>Publisher &gt; Author &gt; Circle</translation>
    </message>
    <message>
        <source>出版社 &gt; サークル &gt; 著者</source>
        <translation>Publisher &gt; Circle &gt; Author</translation>
    </message>
    <message>
        <source> 単ページ</source>
        <translation> Single page</translation>
    </message>
    <message>
        <source> 表紙あり見開き、右綴じ</source>
        <translation> Two-page spread with cover, right-to-left binding</translation>
    </message>
    <message>
        <source> 表紙あり見開き、左閉じ</source>
        <translation> Two-page spread with cover, left-to-right binding</translation>
    </message>
    <message>
        <source> 表紙なし見開き、右綴じ</source>
        <translation> Two-page spread without cover, right-to-left binding</translation>
    </message>
    <message>
        <source> 表紙なし見開き、左閉じ</source>
        <translation> Two-page spread without cover, left-to-right binding</translation>
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
        <source>出版日</source>
        <translation>Publication date</translation>
    </message>
</context>
<context>
    <name>ShelfModel</name>
    <message>
        <source>ファイル情報の取得に失敗しました。
%1</source>
        <translation>The file information could not be read.
%1</translation>
    </message>
    <message>
        <source>登録最大数を超えるため、登録できません。</source>
        <translation>The Resume list is full; no entry can be added.</translation>
    </message>
</context>
<context>
    <name>leafreader::CInqResumeDeleteDlg</name>
    <message>
        <source>Resume登録を削除しますか？</source>
        <translation>Delete the Resume entry?</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>leafreader::CLeafreaderView</name>
    <message>
        <source>ファイルを開けません。</source>
        <translation>The file cannot be opened.</translation>
    </message>
    <message>
        <source>Page画像のロードに失敗しました。</source>
        <translation>The page images could not be loaded.</translation>
    </message>
    <message>
        <source>Leafreaderについて</source>
        <translation>About Leafreader</translation>
    </message>
</context>
<context>
    <name>leafreader::FileInfoDlg</name>
    <message>
        <source>ファイル情報</source>
        <translation>File information</translation>
    </message>
    <message>
        <source>パス</source>
        <translation>Path</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>ページ数</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>レイアウト</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>項目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>内容</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>leafreader::SettingDlg</name>
    <message>
        <source>タイトル順</source>
        <translation>By title</translation>
    </message>
    <message>
        <source>発行日の古い方から</source>
        <translation>Oldest publication first</translation>
    </message>
    <message>
        <source>発行日の新しい方から</source>
        <translation>Newest publication first</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>ノーマル画面のスケール</source>
        <translation>Window scale</translation>
    </message>
    <message>
        <source>フルスクリーンのスケール</source>
        <translation>Full screen scale</translation>
    </message>
    <message>
        <source>リストのカラム幅</source>
        <translation>List column width</translation>
    </message>
    <message>
        <source>リモコンパッドのスケール</source>
        <translation>Control pad scale</translation>
    </message>
    <message>
        <source>Folder表示順</source>
        <translation>Folder list order</translation>
    </message>
    <message>
        <source>Resume表示順</source>
        <translation>Resume list order</translation>
    </message>
    <message>
        <source>３項目の優先順位</source>
        <translation>Name priority</translation>
    </message>
    <message>
        <source>コンテンツ表示中はマウスカーソルを消す</source>
        <translation>Hide the mouse pointer while pages are shown</translation>
    </message>
    <message>
        <source>小さい画像も画面にフィット</source>
        <translation>Fit small images to the screen too</translation>
    </message>
    <message>
        <source>自動送りをループする</source>
        <translation>Loop the auto page turn</translation>
    </message>
    <message>
        <source>スキップ送りのページ数</source>
        <translation>Pages to skip forward</translation>
    </message>
    <message>
        <source>スキップ戻りのページ数</source>
        <translation>Pages to skip back</translation>
    </message>
    <message>
        <source>見開き表示の隙間（pixel）</source>
        <translation>Gap between spread pages (pixels)</translation>
    </message>
    <message>
        <source>自動送りの間隔（秒）</source>
        <translation>Auto page turn interval (seconds)</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
