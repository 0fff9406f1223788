<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BatchCommand</name>
    <message>
        <source>拡張子は jpg, jpeg, png, bmp のみ対応しています。</source>
        <translation>Only the extensions jpg, jpeg, png and bmp are supported.</translation>
    </message>
</context>
<context>
    <name>CColorEditDlg</name>
    <message>
        <source>色調整</source>
        <translation>Adjust color</translation>
    </message>
    <message>
        <source>元の色</source>
        <translation>Original color</translation>
    </message>
    <message>
        <source>変更色</source>
        <translation>New color</translation>
    </message>
    <message>
        <source>色相</source>
        <translation>Hue</translation>
    </message>
    <message>
        <source>彩度</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>明度</source>
        <translation>Brightness</translation>
    </message>
</context>
<context>
    <name>CLoadSettingDlg</name>
    <message>
        <source>登録設定</source>
        <translation>Adding images</translation>
    </message>
    <message>
        <source>自動判別、彩度のある単色はカラー</source>
        <translation>Detect automatically; one saturated hue counts as color</translation>
    </message>
    <message>
        <source>自動判別、彩度のある単色はモノクロ</source>
        <translation>Detect automatically; one saturated hue counts as monochrome</translation>
    </message>
    <message>
        <source>全てカラーとする</source>
        <translation>Treat all as color</translation>
    </message>
    <message>
        <source>全てモノクロとする</source>
        <translation>Treat all as monochrome</translation>
    </message>
    <message>
        <source>自動判別は完璧ではありません。</source>
        <translation>Automatic detection is not perfect.</translation>
    </message>
    <message>
        <source>必ず画像リストで結果を確認してください。</source>
        <translation>Always check the result in the image list.</translation>
    </message>
</context>
<context>
    <name>CProgressDlg</name>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>CRetonerDlg</name>
    <message>
        <source>Retonerについて(&amp;A)...</source>
        <translation>&amp;About Retoner...</translation>
    </message>
    <message>
        <source>画像リスト (Drag&amp;Drop可)</source>
        <translation>Image list (drag &amp; drop)</translation>
    </message>
    <message>
        <source>画像数</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>登録...</source>
        <translation>Add...</translation>
    </message>
    <message>
        <source>カラーに設定</source>
        <translation>Set to color</translation>
    </message>
    <message>
        <source>モノクロに設定</source>
        <translation>Set to monochrome</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>全選択</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>表示 &gt;</source>
        <translation>Show &gt;</translation>
    </message>
    <message>
        <source>設定ファイル</source>
        <translation>Settings file</translation>
    </message>
    <message>
        <source>設定を開く...</source>
        <translation>Open settings...</translation>
    </message>
    <message>
        <source>設定ファイルを開く</source>
        <translation>Open a settings file</translation>
    </message>
    <message>
        <source>設定の保存...</source>
        <translation>Save settings...</translation>
    </message>
    <message>
        <source>名前を付けて設定を保存</source>
        <translation>Save settings as</translation>
    </message>
    <message>
        <source>カラー設定...</source>
        <translation>Color settings...</translation>
    </message>
    <message>
        <source>モノクロ設定...</source>
        <translation>Monochrome settings...</translation>
    </message>
    <message>
        <source>出力設定...</source>
        <translation>Output settings...</translation>
    </message>
    <message>
        <source>変換の実行</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>元画像</source>
        <translation>Original</translation>
    </message>
    <message>
        <source>変換画像</source>
        <translation>Converted</translation>
    </message>
    <message>
        <source>画像の登録</source>
        <translation>Add images</translation>
    </message>
    <message>
        <source>Retonerについて</source>
        <translation>About Retoner</translation>
    </message>
</context>
<context>
    <name>CSettingColorDlg</name>
    <message>
        <source>カラー設定</source>
        <translation>Color settings</translation>
    </message>
    <message>
        <source>ガウスぼかし</source>
        <translation>Gaussian blur</translation>
    </message>
    <message>
        <source>シャープ化</source>
        <translation>Sharpen</translation>
    </message>
    <message>
        <source>強度</source>
        <translation>Strength</translation>
    </message>
    <message>
        <source>色補正</source>
        <translation>Color correction</translation>
    </message>
    <message>
        <source>元の色</source>
        <translation>Original color</translation>
    </message>
    <message>
        <source>変更色</source>
        <translation>New color</translation>
    </message>
    <message>
        <source>調整...</source>
        <translation>Adjust...</translation>
    </message>
    <message>
        <source>リセット</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>全ての調整をリセットします。
よろしいですか？</source>
        <translation>This resets all adjustments.
Are you sure?</translation>
    </message>
</context>
<context>
    <name>CSettingMonoDlg</name>
    <message>
        <source>モノクロ設定</source>
        <translation>Monochrome settings</translation>
    </message>
    <message>
        <source>グレースケール化</source>
        <translation>Convert to grayscale</translation>
    </message>
    <message>
        <source>レベル調整</source>
        <translation>Levels</translation>
    </message>
    <message>
        <source>黒レベル</source>
        <translation>Black level</translation>
    </message>
    <message>
        <source>白レベル</source>
        <translation>White level</translation>
    </message>
    <message>
        <source>カーブ</source>
        <translation>Curve</translation>
    </message>
    <message>
        <source>ガウスぼかし</source>
        <translation>Gaussian blur</translation>
    </message>
    <message>
        <source>シャープ化</source>
        <translation>Sharpen</translation>
    </message>
    <message>
        <source>強度</source>
        <translation>Strength</translation>
    </message>
</context>
<context>
    <name>CSettingOutputDlg</name>
    <message>
        <source>出力設定</source>
        <translation>Output settings</translation>
    </message>
    <message>
        <source>縦横サイズの変更</source>
        <translation>Resize</translation>
    </message>
    <message>
        <source>変更しない</source>
        <translation>Keep the size</translation>
    </message>
    <message>
        <source>倍率を指定</source>
        <translation>Scale by percentage</translation>
    </message>
    <message>
        <source>サイズを指定</source>
        <translation>Set the size</translation>
    </message>
    <message>
        <source>倍率</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>全ての画像を同じサイズに（平均値に倍率を適用）</source>
        <translation>Same size for all images (scale their average size)</translation>
    </message>
    <message>
        <source>幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>保存フォルダー</source>
        <translation>Output folder</translation>
    </message>
    <message>
        <source>保存フォーマット</source>
        <translation>Output format</translation>
    </message>
    <message>
        <source>JPEG品質</source>
        <translation>JPEG quality</translation>
    </message>
</context>
<context>
    <name>ImageBatch</name>
    <message>
        <source>サイズが0または4GB以上のファイルは無視されます。</source>
        <translation>Files that are empty or 4 GB or larger are ignored.</translation>
    </message>
    <message>
        <source>対象ファイルが見つかりません。
拡張子は jpg, jpeg, png, bmp のみ対応しています。</source>
        <translation>No image files were found.
Only the extensions jpg, jpeg, png and bmp are supported.</translation>
    </message>
    <message>
        <source>画像ファイルの読み出しに失敗しました。</source>
        <translation>The image file could not be read.</translation>
    </message>
    <message>
        <source>変換後のサイズが1ピクセル未満になります。</source>
        <translation>The converted size would be less than 1 pixel.</translation>
    </message>
    <message>
        <source>画像の変換に失敗しました。</source>
        <translation>The image could not be converted.</translation>
    </message>
    <message>
        <source>保存先が登録された元画像と同じファイルです。</source>
        <translation>The output file is the same file as an image in the list.</translation>
    </message>
    <message>
        <source>画像ファイルの保存に失敗しました。</source>
        <translation>The image file could not be saved.</translation>
    </message>
    <message>
        <source>保存フォルダーが見つかりません。</source>
        <translation>The output folder cannot be found.</translation>
    </message>
    <message>
        <source>登録中</source>
        <translation>Adding images</translation>
    </message>
    <message>
        <source>変換中</source>
        <translation>Converting</translation>
    </message>
    <message>
        <source>%1 個のファイルの保存に失敗しました。</source>
        <translation>%1 file(s) could not be saved.</translation>
    </message>
    <message>
        <source>中止しました。</source>
        <translation>Stopped.</translation>
    </message>
    <message>
        <source>完了しました。</source>
        <translation>Done.</translation>
    </message>
</context>
<context>
    <name>RetonerSession</name>
    <message>
        <source>保存しました。</source>
        <translation>The settings were saved.</translation>
    </message>
</context>
<context>
    <name>SettingWidgets</name>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>ガウスぼかしを選択してください。</source>
        <translation>Choose a Gaussian blur size.</translation>
    </message>
    <message>
        <source>シャープ化を選択してください。</source>
        <translation>Choose a sharpen size.</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>設定の保存に失敗しました。(Open)</source>
        <translation>The settings could not be saved. (Open)</translation>
    </message>
    <message>
        <source>保存に失敗しました。(Write)</source>
        <translation>The file could not be saved. (Write)</translation>
    </message>
    <message>
        <source>設定ファイルの読み出しに失敗しました。(Open)</source>
        <translation>The settings file could not be read. (Open)</translation>
    </message>
    <message>
        <source>設定ファイルの読み出しでエラーが発生しました。</source>
        <translation>An error occurred while reading the settings file.</translation>
    </message>
    <message>
        <source>設定ファイルの読み出しでエラーが発生しました。（%1 回）</source>
        <translation>Errors occurred while reading the settings file (count: %1).</translation>
    </message>
</context>
</TS>
