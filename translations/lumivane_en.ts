<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CanvasGUI</name>
    <message>
        <source>キャンバスのプロパティ</source>
        <translation>Canvas Properties</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
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
        <source>画質</source>
        <translation>Quality</translation>
    </message>
    <message>
        <source>低</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>中</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>高</source>
        <translation>High</translation>
    </message>
    <message>
        <source>最高</source>
        <translation>Best</translation>
    </message>
    <message>
        <source>背景色</source>
        <translation>Background Color</translation>
    </message>
    <message>
        <source>パスの最適化</source>
        <translation>Path Optimization</translation>
    </message>
    <message>
        <source>自動で最適化を行う</source>
        <translation>Optimize automatically</translation>
    </message>
    <message>
        <source>既定値</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>弱い最適化</source>
        <translation>Light Optimization</translation>
    </message>
    <message>
        <source>強い最適化</source>
        <translation>Strong Optimization</translation>
    </message>
    <message>
        <source>下絵を表示する</source>
        <translation>Show underlay</translation>
    </message>
    <message>
        <source>下絵</source>
        <translation>Underlay</translation>
    </message>
    <message>
        <source>画像ﾌｧｲﾙ</source>
        <translation>Image file</translation>
    </message>
    <message>
        <source>X：</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y：</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>不透明度</source>
        <translation>Opacity</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>画像ﾌｧｲﾙ (*.lvd;*.jpg;*.bmp)</source>
        <translation>Image files (*.lvd;*.jpg;*.bmp)</translation>
    </message>
</context>
<context>
    <name>CanvasMenus</name>
    <message>
        <source>変形モード</source>
        <translation>Edit Anchors</translation>
    </message>
    <message>
        <source>アンカーを追加(&amp;A)</source>
        <translation>&amp;Add Anchor</translation>
    </message>
    <message>
        <source>アンカーを削除(&amp;D)</source>
        <translation>&amp;Delete Anchor</translation>
    </message>
    <message>
        <source>直線にする(&amp;I)</source>
        <translation>Stra&amp;ighten</translation>
    </message>
    <message>
        <source>曲線にする(&amp;C)</source>
        <translation>&amp;Curve</translation>
    </message>
    <message>
        <source>尖らせる(&amp;K)</source>
        <translation>&amp;Sharp Corner</translation>
    </message>
    <message>
        <source>角を丸める(&amp;R)</source>
        <translation>&amp;Round Corner</translation>
    </message>
    <message>
        <source>パスを最適化(&amp;O)</source>
        <translation>&amp;Optimize Path...</translation>
    </message>
    <message>
        <source>パスを開く(&amp;P)</source>
        <translation>O&amp;pen Path</translation>
    </message>
    <message>
        <source>パスを閉じる(&amp;L)</source>
        <translation>C&amp;lose Path</translation>
    </message>
    <message>
        <source>パスを分割(&amp;V)</source>
        <translation>Di&amp;vide Path</translation>
    </message>
    <message>
        <source>パスを結合(&amp;J)</source>
        <translation>&amp;Join Paths</translation>
    </message>
    <message>
        <source>セレクトモード(パス)</source>
        <translation>Select (Paths)</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>パスを閉じない(&amp;O)</source>
        <translation>&amp;Open Path</translation>
    </message>
    <message>
        <source>最前面へ移動(&amp;F)</source>
        <translation>Bring to &amp;Front</translation>
    </message>
    <message>
        <source>最背面へ移動(&amp;B)</source>
        <translation>Send to &amp;Back</translation>
    </message>
    <message>
        <source>グループ化する(&amp;G)</source>
        <translation>&amp;Group</translation>
    </message>
    <message>
        <source>グループ化解除(&amp;U)</source>
        <translation>&amp;Ungroup</translation>
    </message>
    <message>
        <source>再グループ化(&amp;R)</source>
        <translation>&amp;Regroup</translation>
    </message>
    <message>
        <source>セレクトモード(キャンバス)</source>
        <translation>Select (Canvas)</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>全て選択(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>キャンバスのプロパティ(&amp;C)</source>
        <translation>&amp;Canvas Properties...</translation>
    </message>
</context>
<context>
    <name>ColorPicker</name>
    <message>
        <source>色情報</source>
        <translation>Color Info</translation>
    </message>
    <message>
        <source>色情報（ユーザー）</source>
        <translation>Color Info (Custom)</translation>
    </message>
</context>
<context>
    <name>ColorRow</name>
    <message>
        <source>不透明度</source>
        <translation>Opacity</translation>
    </message>
    <message>
        <source>線</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>塗潰し</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>グラデ</source>
        <translation>Grad.</translation>
    </message>
</context>
<context>
    <name>DrawGUI</name>
    <message>
        <source>プレビューを表示できません（%1）</source>
        <translation>Cannot show the preview (%1)</translation>
    </message>
    <message>
        <source>プレビューファイル [%1] を書き込めませんでした。</source>
        <translation>Could not write the preview file [%1].</translation>
    </message>
    <message>
        <source>(新規) - Lumivane</source>
        <translation>Untitled - Lumivane</translation>
    </message>
    <message>
        <source>SVG ファイル (*.svg);;PNG 画像 (*.png);;SWF ムービー (*.swf)</source>
        <translation>SVG files (*.svg);;PNG images (*.png);;SWF movies (*.swf)</translation>
    </message>
    <message>
        <source>ファイル [%1] を書き出せませんでした。</source>
        <translation>Could not export the file [%1].</translation>
    </message>
    <message>
        <source>Lumivane ﾌｧｲﾙ (*.lvd)</source>
        <translation>Lumivane files (*.lvd)</translation>
    </message>
    <message>
        <source>Lumivane ﾌﾟﾛｼﾞｪｸﾄﾌｧｲﾙ (*.lvd)</source>
        <translation>Lumivane project files (*.lvd)</translation>
    </message>
    <message>
        <source>Lumivane ｸﾘｯﾌﾟﾌｧｲﾙ (*.lvclip)</source>
        <translation>Lumivane clip files (*.lvclip)</translation>
    </message>
    <message>
        <source>ファイルは更新されています。上書き保存しますか？</source>
        <translation>The file has been modified. Save the changes?</translation>
    </message>
    <message>
        <source>ファイル保存エラー</source>
        <translation>Save Error</translation>
    </message>
    <message>
        <source>ファイル [%1] を保存できませんでした。</source>
        <translation>Could not save the file [%1].</translation>
    </message>
    <message>
        <source>ファイルを保存しました。</source>
        <translation>File saved.</translation>
    </message>
    <message>
        <source>ファイルオープンエラー</source>
        <translation>Open Error</translation>
    </message>
    <message>
        <source>ファイル [%1] は不正なLumivaneファイルです。</source>
        <translation>The file [%1] is not a valid Lumivane file.</translation>
    </message>
    <message>
        <source>クリップを保存できません。</source>
        <translation>Cannot save the clip.</translation>
    </message>
    <message>
        <source>クリップを [ %1] に保存できませんでした。</source>
        <translation>Could not save the clip to [%1].</translation>
    </message>
    <message>
        <source>クリップを [ %1] に保存しました。</source>
        <translation>Clip saved to [%1].</translation>
    </message>
    <message>
        <source>ファイル [%1] は不正なLumivaneクリップファイルです。</source>
        <translation>The file [%1] is not a valid Lumivane clip file.</translation>
    </message>
    <message>
        <source>ファイル [%1] をクリップボードに読み込みました。</source>
        <translation>Loaded the file [%1] into the clipboard.</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>ファイルを開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>クリップを書き出す(&amp;C)...</source>
        <translation>Save &amp;Clip...</translation>
    </message>
    <message>
        <source>クリップを読み込む(&amp;R)...</source>
        <translation>&amp;Load Clip...</translation>
    </message>
    <message>
        <source>書き出し(&amp;E)...</source>
        <translation>&amp;Export...</translation>
    </message>
    <message>
        <source>キャンバスのプロパティ(&amp;P)...</source>
        <translation>Canvas &amp;Properties...</translation>
    </message>
    <message>
        <source>終了(&amp;Q)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直す(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>全て選択(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;V)...</source>
        <translation>&amp;About Lumivane...</translation>
    </message>
    <message>
        <source>前回保存されずに終了した図形があります。復元しますか？</source>
        <translation>A drawing was left unsaved when Lumivane last ended. Restore it?</translation>
    </message>
    <message>
        <source>ﾘｱﾙﾀｲﾑ</source>
        <translation>Realtime</translation>
    </message>
    <message>
        <source>下絵</source>
        <translation>Underlay</translation>
    </message>
    <message>
        <source>前</source>
        <translation>Front</translation>
    </message>
    <message>
        <source>不透明度</source>
        <translation>Opacity</translation>
    </message>
    <message>
        <source>読み込み(&amp;I)...</source>
        <translation>&amp;Import...</translation>
    </message>
    <message>
        <source>SVG ファイル (*.svg *.svgz)</source>
        <translation>SVG files (*.svg *.svgz)</translation>
    </message>
    <message>
        <source>%1 を読み込みました。</source>
        <translation>%1 imported.</translation>
    </message>
    <message>
        <source>SWF ムービー (*.swf)</source>
        <translation>SWF movies (*.swf)</translation>
    </message>
    <message>
        <source>フレームの選択</source>
        <translation>Choose Frame</translation>
    </message>
    <message>
        <source>このムービーには %1 フレームあります。読み込むフレーム (1〜%1):</source>
        <translation>This movie has %1 frames. Frame to import (1 to %1):</translation>
    </message>
</context>
<context>
    <name>OptimizeGUI</name>
    <message>
        <source>パスの最適化</source>
        <translation>Optimize Path</translation>
    </message>
    <message>
        <source>弱</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>強</source>
        <translation>Strong</translation>
    </message>
    <message>
        <source>適用(&amp;A)</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>PolygonGUI</name>
    <message>
        <source>多角形の描画</source>
        <translation>Draw Polygon</translation>
    </message>
    <message>
        <source>角の数</source>
        <translation>Corners</translation>
    </message>
    <message>
        <source>星型にする</source>
        <translation>Star</translation>
    </message>
    <message>
        <source>深さ</source>
        <translation>Depth</translation>
    </message>
    <message>
        <source>内側を丸める</source>
        <translation>Round inner corners</translation>
    </message>
    <message>
        <source>外側を丸める</source>
        <translation>Round outer corners</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1角形(星型)</source>
        <translation>%1-point star</translation>
    </message>
    <message>
        <source>%1角形</source>
        <translation>%1 corners</translation>
    </message>
</context>
<context>
    <name>Readouts</name>
    <message>
        <source>ﾟ]</source>
        <translation>°]</translation>
    </message>
    <message>
        <source>ﾟ </source>
        <translation>° </translation>
    </message>
</context>
<context>
    <name>ShapeTools</name>
    <message>
        <source>フォントを読み込めません：%1</source>
        <translation>Cannot load the font: %1</translation>
    </message>
</context>
<context>
    <name>TextFontGUI</name>
    <message>
        <source>テキストの描画</source>
        <translation>Draw Text</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>テキスト</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>太字</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ToolHints</name>
    <message>
        <source>自動適用：</source>
        <translation>Auto-optimize: </translation>
    </message>
    <message>
        <source>弱い最適化(%1) </source>
        <translation>light (%1) </translation>
    </message>
    <message>
        <source>強い最適化(%1) </source>
        <translation>strong (%1) </translation>
    </message>
    <message>
        <source>[自由曲線の描画]&#x3000;</source>
        <translation>[Pencil]  </translation>
    </message>
    <message>
        <source>[パスの変形]&#x3000;SHIFT：エッジを直線にする&#x3000;CTRL：エッジを曲線にする</source>
        <translation>[Edit Anchors]  Shift: straighten a segment   Ctrl: curve a segment</translation>
    </message>
    <message>
        <source>[パスの選択]&#x3000;SHIFT：制御点ドラッグで回転&#x3000;CTRL：複数選択</source>
        <translation>[Select]                           Shift: drag a handle to rotate   Ctrl: select several</translation>
    </message>
    <message>
        <source>[グラデーションの変形]</source>
        <translation>[Gradient]                                </translation>
    </message>
    <message>
        <source>[矩形の描画]</source>
        <translation>[Rectangle]</translation>
    </message>
    <message>
        <source>[楕円の描画]</source>
        <translation>[Ellipse]</translation>
    </message>
    <message>
        <source>[直線の描画]&#x3000;</source>
        <translation>[Line]  </translation>
    </message>
    <message>
        <source>[多角形の描画]&#x3000;</source>
        <translation>[Polygon]  </translation>
    </message>
    <message>
        <source>[テキストの描画]&#x3000;</source>
        <translation>[Text]  </translation>
    </message>
</context>
<context>
    <name>ToolPanel</name>
    <message>
        <source>選択</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>変形</source>
        <translation>Anchors</translation>
    </message>
    <message>
        <source>グラデ</source>
        <translation>Gradient</translation>
    </message>
    <message>
        <source>鉛筆</source>
        <translation>Pencil</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>Text</translation>
    </message>
</context>
<context>
    <name>VersionInfo</name>
    <message>
        <source>Lumivane バージョン情報</source>
        <translation>About Lumivane</translation>
    </message>
    <message>
        <source>バージョン</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>ビルド</source>
        <translation>Build</translation>
    </message>
</context>
</TS>
