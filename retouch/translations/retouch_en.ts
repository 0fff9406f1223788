<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CJPEG_Q_Dlg</name>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>高</source>
        <translation>High</translation>
    </message>
</context>
<context>
    <name>CRetouchDlg</name>
    <message>
        <source>ファイルを開く...</source>
        <translation>Open file...</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>名前を付けて保存...</source>
        <translation>Save as...</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>想定ガンマ</source>
        <translation>Assumed gamma</translation>
    </message>
    <message>
        <source>Retouchについて(&amp;A)...</source>
        <translation>&amp;About Retouch...</translation>
    </message>
</context>
<context>
    <name>RetouchCurves</name>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>標準</source>
        <translation>Standard</translation>
    </message>
</context>
<context>
    <name>RetouchMessages</name>
    <message>
        <source>ファイルを開く</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Retouchについて</source>
        <translation>About Retouch</translation>
    </message>
    <message>
        <source> 編集中</source>
        <translation> Edited</translation>
    </message>
    <message>
        <source> 元画像</source>
        <translation> Original</translation>
    </message>
</context>
</TS>
