<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CommandMenu</name>
    <message>
        <source>ファイルを開く</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Full Screen 切替</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>表示終了</source>
        <translation>Close preview</translation>
    </message>
    <message>
        <source>ファイル名表示</source>
        <translation>Show file names</translation>
    </message>
    <message>
        <source>単一ページ</source>
        <translation>Single page</translation>
    </message>
    <message>
        <source>表紙あり見開き</source>
        <translation>Two-page spread with cover</translation>
    </message>
    <message>
        <source>表紙なし見開き</source>
        <translation>Two-page spread without cover</translation>
    </message>
    <message>
        <source>右綴じ</source>
        <translation>Right-to-left binding</translation>
    </message>
    <message>
        <source>左綴じ</source>
        <translation>Left-to-right binding</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Glancerについて ...</source>
        <translation>About Glancer...</translation>
    </message>
    <message>
        <source>レイアウト</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>画像の見開きモード</source>
        <translation>Spread binding</translation>
    </message>
    <message>
        <source>拡大表示</source>
        <translation>Zoom</translation>
    </message>
</context>
<context>
    <name>GlancerPad</name>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>全画面</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>レイアウト</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>名前</source>
        <translation>Names</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>綴じ</source>
        <translation>Binding</translation>
    </message>
</context>
<context>
    <name>glancer::CGlancerView</name>
    <message>
        <source>ファイルを開けません。</source>
        <translation>The file cannot be opened.</translation>
    </message>
    <message>
        <source>Glancer について</source>
        <translation>About Glancer</translation>
    </message>
</context>
<context>
    <name>glancer::CSettingDlg</name>
    <message>
        <source>最小</source>
        <translation>Smallest</translation>
    </message>
    <message>
        <source>小さめ</source>
        <translation>Small</translation>
    </message>
    <message>
        <source>中</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>大きめ</source>
        <translation>Large</translation>
    </message>
    <message>
        <source>最大</source>
        <translation>Largest</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>ノーマル画面のフォントサイズ</source>
        <translation>Window font size</translation>
    </message>
    <message>
        <source>フルスクリーンのフォントサイズ</source>
        <translation>Full screen font size</translation>
    </message>
    <message>
        <source>小</source>
        <translation>Small</translation>
    </message>
    <message>
        <source>大</source>
        <translation>Large</translation>
    </message>
    <message>
        <source>リモコンパッドのサイズ</source>
        <translation>Control pad size</translation>
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
        <source>コンテンツ表示中はマウスカーソルを消す</source>
        <translation>Hide the mouse pointer while images are shown</translation>
    </message>
    <message>
        <source>（マウスを動かせば表示されます）</source>
        <translation>(It comes back when the mouse moves.)</translation>
    </message>
    <message>
        <source>画像の表示</source>
        <translation>Image types shown</translation>
    </message>
    <message>
        <source>単一ページ</source>
        <translation>Single page</translation>
    </message>
    <message>
        <source>表紙あり見開き</source>
        <translation>Two-page spread with cover</translation>
    </message>
    <message>
        <source>表紙なし見開き</source>
        <translation>Two-page spread without cover</translation>
    </message>
    <message>
        <source>右綴じ</source>
        <translation>Right-to-left binding</translation>
    </message>
    <message>
        <source>左綴じ</source>
        <translation>Left-to-right binding</translation>
    </message>
    <message>
        <source>初期レイアウト</source>
        <translation>Initial layout</translation>
    </message>
    <message>
        <source>見開き表示の初期状態</source>
        <translation>Initial binding of spreads</translation>
    </message>
    <message>
        <source>見開き表示の隙間</source>
        <translation>Gap between spread pages</translation>
    </message>
    <message>
        <source>小さい画像も画面にフィット</source>
        <translation>Fit small images to the screen too</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
