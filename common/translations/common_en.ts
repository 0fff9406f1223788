<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
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
