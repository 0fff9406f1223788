<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BookController</name>
    <message>
        <source>拡大モード: ON</source>
        <translation>Zoom mode: ON</translation>
    </message>
    <message>
        <source>拡大モード: OFF</source>
        <translation>Zoom mode: OFF</translation>
    </message>
    <message>
        <source>自動送り: ON</source>
        <translation>Auto page turn: ON</translation>
    </message>
    <message>
        <source>自動送り: OFF</source>
        <translation>Auto page turn: OFF</translation>
    </message>
</context>
<context>
    <name>CommandMenu</name>
    <message>
        <source>拡大なし</source>
        <translation>No zoom</translation>
    </message>
    <message>
        <source>２倍 - 上段左</source>
        <translation>2× - Top left</translation>
    </message>
    <message>
        <source>２倍 - 上段中</source>
        <translation>2× - Top center</translation>
    </message>
    <message>
        <source>２倍 - 上段右</source>
        <translation>2× - Top right</translation>
    </message>
    <message>
        <source>２倍 - 中段左</source>
        <translation>2× - Middle left</translation>
    </message>
    <message>
        <source>２倍 - 中段中</source>
        <translation>2× - Center</translation>
    </message>
    <message>
        <source>２倍 - 中段右</source>
        <translation>2× - Middle right</translation>
    </message>
    <message>
        <source>２倍 - 下段左</source>
        <translation>2× - Bottom left</translation>
    </message>
    <message>
        <source>２倍 - 下段中</source>
        <translation>2× - Bottom center</translation>
    </message>
    <message>
        <source>２倍 - 下段右</source>
        <translation>2× - Bottom right</translation>
    </message>
    <message>
        <source>次のページ</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>前のページ</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>スキップ送り</source>
        <translation>Skip forward</translation>
    </message>
    <message>
        <source>スキップ戻り</source>
        <translation>Skip back</translation>
    </message>
    <message>
        <source>先頭ページ</source>
        <translation>First page</translation>
    </message>
    <message>
        <source>最終ページ</source>
        <translation>Last page</translation>
    </message>
    <message>
        <source>Folderの展開</source>
        <translation>Open folder</translation>
    </message>
    <message>
        <source>上位Folderへ</source>
        <translation>Parent folder</translation>
    </message>
    <message>
        <source>最上位Folderへ</source>
        <translation>Top level</translation>
    </message>
    <message>
        <source>Full Screen 切替</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>設定 ...</source>
        <translation>Settings...</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>ControlPad</name>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>全画面</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>上書</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>単/見</source>
        <translation>1 or 2 pages</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>回転</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>FolderMove</name>
    <message>
        <source>フォルダーが見つかりません。</source>
        <translation>The folder cannot be found.</translation>
    </message>
</context>
<context>
    <name>NumberField</name>
    <message>
        <source>%1 から %2 までの整数を入力してください。</source>
        <translation>Enter a whole number from %1 to %2.</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>設定の保存に失敗しました。</source>
        <translation>The settings could not be saved.</translation>
    </message>
</context>
</TS>
