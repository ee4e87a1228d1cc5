<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>CCanvasCommands</name>
    <message>
        <source>スマートガイド</source>
        <translation>Smart Guides</translation>
    </message>
    <message>
        <source>グリッド</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>グリッドにスナップ</source>
        <translation>Snap to Grid</translation>
    </message>
    <message>
        <source>ここに貼り付け</source>
        <translation>Paste Here</translation>
    </message>
    <message>
        <source>整列と配置</source>
        <translation>Align and Distribute</translation>
    </message>
    <message>
        <source>プロパティ</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>グループ化 / グループ解除</source>
        <translation>Group / Ungroup</translation>
    </message>
    <message>
        <source>「%1」は PNG か GIF の画像として読めませんでした。</source>
        <translation>&quot;%1&quot; could not be read as a PNG or GIF picture.</translation>
    </message>
</context>
<context>
    <name>CCheckResultsDock</name>
    <message>
        <source>検査結果</source>
        <translation>Check Results</translation>
    </message>
    <message>
        <source>プロジェクトの検査</source>
        <translation>Check Project</translation>
    </message>
    <message>
        <source>問題はありません。</source>
        <translation>No problems found.</translation>
    </message>
    <message>
        <source>エラー %1 件、警告 %2 件</source>
        <translation>Errors: %1, warnings: %2.</translation>
    </message>
    <message>
        <source>行番号は、プロジェクトが保存したファイルと同じ内容のときにだけ表示されます。</source>
        <translation>Line numbers are shown only while the project is the same as the file it was saved to.</translation>
    </message>
    <message>
        <source>検査の後にプロジェクトが変更されました (F7 で再検査)。</source>
        <translation>The project has changed since the check (F7 checks again).</translation>
    </message>
    <message>
        <source>選んだ項目はもうプロジェクトにないため、検査をやり直しました。</source>
        <translation>The chosen item is no longer in the project, so the project was checked again.</translation>
    </message>
</context>
<context>
    <name>CCheckResultsModel</name>
    <message>
        <source>%1 / %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>ダイアログ %1</source>
        <translation>Dialog %1</translation>
    </message>
    <message>
        <source>フォント %1</source>
        <translation>Font %1</translation>
    </message>
    <message>
        <source>イメージ %1</source>
        <translation>Image %1</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>種別</source>
        <translation>Severity</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>対象</source>
        <translation>Concerns</translation>
    </message>
    <message>
        <source>内容</source>
        <translation>Message</translation>
    </message>
</context>
<context>
    <name>CColourComboBox</name>
    <message>
        <source>Custom</source>
        <translation>Custom</translation>
    </message>
</context>
<context>
    <name>CEditCommands</name>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>すべて選択</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>整列左</source>
        <translation>Align Left Edges</translation>
    </message>
    <message>
        <source>整列右</source>
        <translation>Align Right Edges</translation>
    </message>
    <message>
        <source>整列上</source>
        <translation>Align Top Edges</translation>
    </message>
    <message>
        <source>整列下</source>
        <translation>Align Bottom Edges</translation>
    </message>
    <message>
        <source>整列幅</source>
        <translation>Make Same Width</translation>
    </message>
    <message>
        <source>整列高</source>
        <translation>Make Same Height</translation>
    </message>
    <message>
        <source>%1 を元に戻す(&amp;U)</source>
        <translation>&amp;Undo %1</translation>
    </message>
    <message>
        <source>%1 をやり直し(&amp;R)</source>
        <translation>&amp;Redo %1</translation>
    </message>
    <message>
        <source>左右に整列（間隔を均等に）</source>
        <translation>Distribute Horizontally</translation>
    </message>
    <message>
        <source>上下に整列（間隔を均等に）</source>
        <translation>Distribute Vertically</translation>
    </message>
    <message>
        <source>幅を最初の選択に揃える</source>
        <translation>Make Same Width as First Selected</translation>
    </message>
    <message>
        <source>高さを最初の選択に揃える</source>
        <translation>Make Same Height as First Selected</translation>
    </message>
    <message>
        <source>サイズを最初の選択に揃える</source>
        <translation>Make Same Size as First Selected</translation>
    </message>
    <message>
        <source>最前面へ移動</source>
        <translation>Bring to Front</translation>
    </message>
    <message>
        <source>最背面へ移動</source>
        <translation>Send to Back</translation>
    </message>
    <message>
        <source>クリップボードにオブジェクトがありません</source>
        <translation>The clipboard holds no objects</translation>
    </message>
</context>
<context>
    <name>CFontListCtrl</name>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Shadow</source>
        <translation>Shadow</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Outline</translation>
    </message>
    <message>
        <source>Sha.+Out.</source>
        <translation>Sha.+Out.</translation>
    </message>
    <message>
        <source>Stroke</source>
        <translation>Stroke</translation>
    </message>
</context>
<context>
    <name>CHelpCommands</name>
    <message>
        <source>ユーザーガイド(&amp;U)</source>
        <translation>&amp;User Guide</translation>
    </message>
    <message>
        <source>キーボードショートカット(&amp;K)</source>
        <translation>&amp;Keyboard Shortcuts</translation>
    </message>
    <message>
        <source>ユーザーガイド</source>
        <translation>User Guide</translation>
    </message>
    <message>
        <source>キーボードショートカット</source>
        <translation>Keyboard Shortcuts</translation>
    </message>
    <message>
        <source>コマンド</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>キー</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>ユーザーガイドが見つかりません。インストールでは %1 にあります。</source>
        <translation>The user guide was not found. An installation keeps it in %1.</translation>
    </message>
    <message>
        <source>メインウィンドウ</source>
        <translation>Main window</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New Dialog</translation>
    </message>
    <message>
        <source>このダイアログを閉じる(&amp;C)</source>
        <translation>&amp;Close This Dialog</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings...</translation>
    </message>
    <message>
        <source>スケルトンの作成(&amp;M)</source>
        <translation>&amp;Make Skeleton...</translation>
    </message>
    <message>
        <source>アプリケーションの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>再描画</source>
        <translation>Redraw</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About KXDialogEditor</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>等倍 (100%)</source>
        <translation>Actual Size (100%)</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>ツール(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>ウィンドウ(&amp;W)</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ツールバー</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>レディ</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>Resource</source>
        <translation>Resource</translation>
    </message>
    <message>
        <source>リソースダイアログ</source>
        <translation>Resource Panel</translation>
    </message>
    <message>
        <source>バージョン情報 KXDialogEditor</source>
        <translation>About KXDialogEditor</translation>
    </message>
    <message>
        <source>KXDialogEditor
Version %1</source>
        <translation>KXDialogEditor
Version %1</translation>
    </message>
</context>
<context>
    <name>CMessageBoxSink</name>
    <message>
        <source>RESOURCE EDITOR</source>
        <translation>RESOURCE EDITOR</translation>
    </message>
</context>
<context>
    <name>CPlayCommands</name>
    <message>
        <source>プレイ</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>プレイ (F5): ダイアログを実機のように試します。F5 か Esc で編集に戻ります。</source>
        <translation>Play (F5): try the dialog as the device runs it. F5 or Esc returns to editing.</translation>
    </message>
    <message>
        <source>初期状態で表示</source>
        <translation>Initial States</translation>
    </message>
</context>
<context>
    <name>CPlayEventsDock</name>
    <message>
        <source>イベント</source>
        <translation>Events</translation>
    </message>
</context>
<context>
    <name>CPlayEventsModel</name>
    <message>
        <source>ポインタ</source>
        <translation>Pointer</translation>
    </message>
    <message>
        <source>なし（文字列はエディットボックスが保持します）</source>
        <translation>none (the edit box keeps the text)</translation>
    </message>
    <message>
        <source>%1（case %2）</source>
        <translation>%1 (case %2)</translation>
    </message>
    <message>
        <source>対象</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>引数</source>
        <translation>Arguments</translation>
    </message>
    <message>
        <source>ハンドラ</source>
        <translation>Handler</translation>
    </message>
</context>
<context>
    <name>CProjectFileCommands</name>
    <message>
        <source>新規プロジェクト</source>
        <translation>New Project</translation>
    </message>
    <message>
        <source>リソースの読込み(&amp;O)</source>
        <translation>&amp;Open Resources...</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>全てのリソースの保存(&amp;S)</source>
        <translation>&amp;Save All Resources...</translation>
    </message>
    <message>
        <source>このダイアログのみの保存</source>
        <translation>Save This Dialog Only...</translation>
    </message>
    <message>
        <source>イメージとフォント情報のみの保存</source>
        <translation>Save Images and Fonts Only...</translation>
    </message>
    <message>
        <source>全てのリソースを破棄</source>
        <translation>Discard All Resources</translation>
    </message>
    <message>
        <source>最近使ったファイル</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>ファイルを保存しました。</source>
        <translation>The file was saved.</translation>
    </message>
    <message>
        <source>次のファイルをプロジェクトのフォルダにコピーしました。</source>
        <translation>These files were copied into the project&apos;s folder:</translation>
    </message>
    <message>
        <source>リソースの読込み</source>
        <translation>Open Resources</translation>
    </message>
    <message>
        <source>KXDialogEditor Files (*.xml *.ini);;All Files (*)</source>
        <translation>KXDialogEditor Files (*.xml *.ini);;All Files (*)</translation>
    </message>
    <message>
        <source>リソースファイル (*.xml)</source>
        <translation>Resource files (*.xml)</translation>
    </message>
    <message>
        <source>(*.xml)</source>
        <translation>(*.xml)</translation>
    </message>
    <message>
        <source>「%1」はプロジェクトファイルとして読み込めませんでした。</source>
        <translation>&quot;%1&quot; could not be read as a project file.</translation>
    </message>
    <message>
        <source>「%1」を開けませんでした。
%2</source>
        <translation>&quot;%1&quot; could not be opened.
%2</translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした。</source>
        <translation>The file could not be saved.</translation>
    </message>
    <message>
        <source>次の画像ファイルが resources フォルダにありません。</source>
        <translation>These picture files are missing from the resources folder:</translation>
    </message>
    <message>
        <source>… ほか %1 件</source>
        <translation>… and %1 more</translation>
    </message>
</context>
<context>
    <name>CPropertyPanel</name>
    <message>
        <source>エラー: ダイアログの幅と高さは %1 から %2 ピクセルまでです(これより大きなダイアログはキャンバスに描けません).</source>
        <translation>Error: the width and height of a dialog must be from %1 to %2 pixels (the canvas cannot draw a larger dialog).</translation>
    </message>
    <message>
        <source>エラー: %1 から %2 までの整数を入力してください.</source>
        <translation>Error: enter a whole number from %1 to %2.</translation>
    </message>
    <message>
        <source>エラー: ファイル名だけを入力してください(フォルダは含められません).</source>
        <translation>Error: enter a file name only (it cannot include a folder).</translation>
    </message>
    <message>
        <source>タイプ:</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>名前:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>位置:</source>
        <translation>Position:</translation>
    </message>
    <message>
        <source>サイズ:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>改行幅</source>
        <translation>Line spacing</translation>
    </message>
    <message>
        <source>テキスト:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>ファイル:</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>イメージ:</source>
        <translation>Image:</translation>
    </message>
    <message>
        <source>フォント:</source>
        <translation>Font:</translation>
    </message>
    <message>
        <source>配置:</source>
        <translation>Alignment:</translation>
    </message>
    <message>
        <source>マージン:</source>
        <translation>Margin:</translation>
    </message>
    <message>
        <source>Nomal:</source>
        <translation>Normal:</translation>
    </message>
    <message>
        <source>Disable:</source>
        <translation>Disable:</translation>
    </message>
    <message>
        <source>Active:</source>
        <translation>Active:</translation>
    </message>
    <message>
        <source>Focus:</source>
        <translation>Focus:</translation>
    </message>
    <message>
        <source>Push:</source>
        <translation>Push:</translation>
    </message>
    <message>
        <source>ActPush:</source>
        <translation>ActPush:</translation>
    </message>
    <message>
        <source>Click</source>
        <translation>Click</translation>
    </message>
    <message>
        <source>PushClick</source>
        <translation>PushClick</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>Radio</source>
        <translation>Radio</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Lock</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>BoldEffect</source>
        <translation>BoldEffect</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>GetText</source>
        <translation>GetText</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>サイズ一覧</source>
        <translation>Size presets</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>G</source>
        <translation>G</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>色:</source>
        <translation>Colour:</translation>
    </message>
    <message>
        <source>X: キャンバス上の位置（絶対位置）</source>
        <translation>X: place on the canvas (absolute position)</translation>
    </message>
    <message>
        <source>Y: キャンバス上の位置（絶対位置）</source>
        <translation>Y: place on the canvas (absolute position)</translation>
    </message>
    <message>
        <source>親グループの X: 相対位置の原点（キャンバス上）</source>
        <translation>X of the parent group: the origin of the relative position (on the canvas)</translation>
    </message>
    <message>
        <source>親グループの Y: 相対位置の原点（キャンバス上）</source>
        <translation>Y of the parent group: the origin of the relative position (on the canvas)</translation>
    </message>
    <message>
        <source>文字色</source>
        <translation>Text colour</translation>
    </message>
    <message>
        <source>エフェクト色</source>
        <translation>Effect colour</translation>
    </message>
    <message numerus="yes">
        <source>%n 個のオブジェクト</source>
        <translation>
            <numerusform>%n object</numerusform>
            <numerusform>%n objects</numerusform>
        </translation>
    </message>
    <message>
        <source>背景色:</source>
        <translation>Background colour:</translation>
    </message>
    <message>
        <source>背景色</source>
        <translation>Background colour</translation>
    </message>
</context>
<context>
    <name>CResourceDlg</name>
    <message>
        <source>▲</source>
        <translation>▲</translation>
    </message>
    <message>
        <source>▼</source>
        <translation>▼</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>グループ</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Resource</source>
        <translation>Resource</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Object</source>
        <translation>Object</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation>New</translation>
    </message>
    <message>
        <source>エラー: リソースタイプを識別できませんでした.</source>
        <translation>Error: the kind of resource could not be identified.</translation>
    </message>
    <message>
        <source>エラー: リソースの取得に失敗しました.</source>
        <translation>Error: the resource could not be found.</translation>
    </message>
    <message>
        <source>全てのダイアログを削除することは出来ません。</source>
        <translation>The last dialog cannot be deleted.</translation>
    </message>
    <message>
        <source>デフォルトグループオブジェクトは削除できません</source>
        <translation>The default group object cannot be deleted.</translation>
    </message>
    <message>
        <source>エラー: デフォルトグループはグループ解除できません.</source>
        <translation>Error: the default group cannot be ungrouped.</translation>
    </message>
    <message>
        <source>イメージ情報が登録されていません</source>
        <translation>No image definition of this kind is registered.</translation>
    </message>
    <message>
        <source>フォント情報が１つも登録されていません</source>
        <translation>No font definition is registered.</translation>
    </message>
    <message>
        <source>エラー: リソースデータの取得に失敗しました.</source>
        <translation>Error: the resource data could not be found.</translation>
    </message>
    <message>
        <source>エラー: 重複する名前です.</source>
        <translation>Error: the name is taken.</translation>
    </message>
</context>
<context>
    <name>CResourceListModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Effect</source>
        <translation>Effect</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>BoldEffect</source>
        <translation>BoldEffect</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>Disable</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Focus</translation>
    </message>
    <message>
        <source>Push</source>
        <translation>Push</translation>
    </message>
    <message>
        <source>ActPush</source>
        <translation>ActPush</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Height</translation>
    </message>
</context>
<context>
    <name>CSkeletonDlg</name>
    <message>
        <source>スケルトン生成</source>
        <translation>Generate Skeleton</translation>
    </message>
    <message>
        <source>参照</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>出力フォルダ</source>
        <translation>Output folder</translation>
    </message>
    <message>
        <source>resourceid.h</source>
        <translation>resourceid.h</translation>
    </message>
    <message>
        <source>main.cpp</source>
        <translation>main.cpp</translation>
    </message>
    <message>
        <source>アプリケーション</source>
        <translation>Application</translation>
    </message>
    <message>
        <source>ダイアログ</source>
        <translation>Dialogs</translation>
    </message>
    <message>
        <source>プロジェクト</source>
        <translation>Project file</translation>
    </message>
    <message>
        <source>GetText対応する</source>
        <translation>GetText support</translation>
    </message>
    <message>
        <source>このダイアログのみ</source>
        <translation>This dialog only</translation>
    </message>
    <message>
        <source>すべてのダイアログ</source>
        <translation>All dialogs</translation>
    </message>
</context>
<context>
    <name>CStatusIndicators</name>
    <message>
        <source>CAP</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>SCRL</translation>
    </message>
</context>
<context>
    <name>CWindowLayout</name>
    <message>
        <source>レイアウトを元に戻す</source>
        <translation>Reset Layout</translation>
    </message>
</context>
<context>
    <name>CWindowMenu</name>
    <message>
        <source>重ねて表示</source>
        <translation>Cascade</translation>
    </message>
    <message>
        <source>並べて表示</source>
        <translation>Tile</translation>
    </message>
</context>
<context>
    <name>CoreTexts</name>
    <message>
        <source>エラー: XMLパーサーの作成に失敗しました.</source>
        <translation>Error: the XML parser could not be created.</translation>
    </message>
    <message>
        <source>ボタン オブジェクト[%1]のイメージ[%2]の
指定のフォント[%3]が見つかりませんでした。
[%4]で代用します。正しく指定して下さい。</source>
        <translation>The font [%3] named by image [%2] of button object [%1]
was not found.
[%4] stands in for it. Please name an existing font.</translation>
    </message>
    <message>
        <source>エディット ボックス オブジェクト[%1]のイメージ[%2]の
指定のフォント[%3]が見つかりませんでした。
[%4]で代用します。正しく指定して下さい。</source>
        <translation>The font [%3] named by image [%2] of edit box object [%1]
was not found.
[%4] stands in for it. Please name an existing font.</translation>
    </message>
    <message>
        <source>フレーム オブジェクト[%1]のイメージ[%2]の
指定のフォント[%3]が見つかりませんでした。
[%4]で代用します。正しく指定して下さい。</source>
        <translation>The font [%3] named by image [%2] of frame object [%1]
was not found.
[%4] stands in for it. Please name an existing font.</translation>
    </message>
    <message>
        <source>テキストオブジェクト[%1]の
指定のフォント[%2]が見つかりませんでした。
[%3]で代用します。正しく指定して下さい。</source>
        <translation>The font [%2] named by text object [%1]
was not found.
[%3] stands in for it. Please name an existing font.</translation>
    </message>
    <message>
        <source>エラー：フォント[%1]が使用できません。</source>
        <translation>Error: the font [%1] cannot be used.</translation>
    </message>
    <message>
        <source>ファイルのオープンに失敗しました.
%1</source>
        <translation>The file could not be opened.
%1</translation>
    </message>
    <message>
        <source>○ %1 を更新しました。</source>
        <translation>○ %1 was updated.</translation>
    </message>
    <message>
        <source>× %1 キャンセルしました。 %2</source>
        <translation>× %1 was cancelled: %2</translation>
    </message>
    <message>
        <source>× %1 キャンセルしました。</source>
        <translation>× %1 was cancelled.</translation>
    </message>
    <message>
        <source>XML sErrMsg : %1 at sLine %2 (%3)
</source>
        <comment>no file</comment>
        <translation>The text is not well-formed: %1 at line %2.</translation>
    </message>
    <message>
        <source>XML sErrMsg : %1 at sLine %2 (%3)
</source>
        <comment>file without column</comment>
        <translation>The project file &quot;%4&quot; is not well-formed: %1 at line %2.</translation>
    </message>
    <message>
        <source>XML sErrMsg : %1 at sLine %2 (%3)
</source>
        <comment>file and column</comment>
        <translation>The project file &quot;%4&quot; is not well-formed: %1 at line %2, column %5.</translation>
    </message>
</context>
<context>
    <name>DlgSetting</name>
    <message>
        <source>KXApplication クラスファイル</source>
        <translation>KXApplication class files</translation>
    </message>
    <message>
        <source>KXDialog クラスファイル</source>
        <translation>KXDialog class files</translation>
    </message>
    <message>
        <source>ダイアログ</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>オブジェクト</source>
        <translation>Objects</translation>
    </message>
    <message>
        <source>ボタン</source>
        <translation>Button</translation>
    </message>
    <message>
        <source>エディットボックス</source>
        <translation>Edit box</translation>
    </message>
    <message>
        <source>フレーム</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>ピクチャー</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>アイコン</source>
        <translation>Icon</translation>
    </message>
    <message>
        <source>ムービー</source>
        <translation>Movie</translation>
    </message>
    <message>
        <source>キャンバス</source>
        <translation>Canvas</translation>
    </message>
    <message>
        <source>テキスト</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>リソース イメージ</source>
        <translation>Resource images</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>プレフィックス</source>
        <translation>Prefixes</translation>
    </message>
    <message>
        <source>「%1」（%2）</source>
        <translation>&quot;%1&quot; (%2)</translation>
    </message>
    <message>
        <source>「%1」</source>
        <translation>&quot;%1&quot;</translation>
    </message>
    <message>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>自動</source>
        <translation>Automatic (system language)</translation>
    </message>
    <message>
        <source>日本語</source>
        <translation>Japanese</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1のプレフィックスが空です。入力してください。</source>
        <translation>The prefix of %1 is empty. Please enter one.</translation>
    </message>
    <message>
        <source>グリッドの間隔</source>
        <translation>Grid spacing</translation>
    </message>
    <message>
        <source> ピクセル</source>
        <translation> pixels</translation>
    </message>
    <message>
        <source>%1のプレフィックス: %2</source>
        <translation>The prefix of %1: %2</translation>
    </message>
</context>
<context>
    <name>EditorQuestions</name>
    <message>
        <source>プロジェクト「%1」には保存されていない変更があります。
変更を保存しますか？</source>
        <translation>The project &quot;%1&quot; has unsaved changes.
Do you want to save them?</translation>
    </message>
    <message>
        <source>保存する(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>保存しない(&amp;N)</source>
        <translation>Do&amp;n&apos;t Save</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>全てのリソースの保存</source>
        <translation>Save All Resources</translation>
    </message>
    <message>
        <source>リソースファイル (*.xml)</source>
        <translation>Resource files (*.xml)</translation>
    </message>
    <message>
        <source>(未保存)</source>
        <translation>(not saved)</translation>
    </message>
    <message>
        <source>前回の終了時に保存されていなかった変更の復元用コピーがあります。

プロジェクト: %1
ファイル: %2
記録日時: %3

復元しますか？（復元しないとコピーは削除されます）</source>
        <translation>There is a recovery copy of changes that were not saved when the editor last ended.

Project: %1
File: %2
Written: %3

Restore it? (A copy that is not restored is deleted.)</translation>
    </message>
    <message>
        <source>復元する(&amp;R)</source>
        <translation>&amp;Restore</translation>
    </message>
    <message>
        <source>削除する(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>「%1」はプロジェクトのフォルダ
%2
の外にあります。

このフォルダにコピーして使いますか？</source>
        <translation>&quot;%1&quot; is outside the project&apos;s folder
%2

Copy it into that folder and use the copy?</translation>
    </message>
    <message>
        <source>コピーする(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>「%1」は既にあります。
選んだファイルで置き換えますか？</source>
        <translation>&quot;%1&quot; exists already.
Replace it with the chosen file?</translation>
    </message>
    <message>
        <source>置き換える(&amp;R)</source>
        <translation>&amp;Replace</translation>
    </message>
    <message>
        <source>… ほか %1 件</source>
        <translation>… and %1 more</translation>
    </message>
    <message>
        <source>次の %1 個のファイルはプロジェクトのフォルダ
%2
の外にあります。
%3

すべてこのフォルダにコピーして使いますか？</source>
        <translation>These %1 files lie outside the project&apos;s folder
%2
%3

Copy all of them into this folder and use them?</translation>
    </message>
    <message>
        <source>すべてコピー</source>
        <translation>copy all</translation>
    </message>
</context>
<context>
    <name>FolderChooser</name>
    <message>
        <source>フォルダを選択してください</source>
        <translation>Choose a folder</translation>
    </message>
</context>
<context>
    <name>NameMessages</name>
    <message>
        <source>エラー: 名前を入力してください.</source>
        <translation>Error: a name cannot be empty.</translation>
    </message>
    <message>
        <source>エラー: 名前を数字で始めることはできません.</source>
        <translation>Error: a name cannot begin with a digit.</translation>
    </message>
    <message>
        <source>エラー: 名前は半角英数字またはアンダースコア(_)で入力してください.</source>
        <translation>Error: a name consists of ASCII letters, digits and underscores (_).</translation>
    </message>
    <message>
        <source>エラー: C++の予約語は名前にできません.</source>
        <translation>Error: a name cannot be a C++ keyword.</translation>
    </message>
</context>
<context>
    <name>ProjectFiles</name>
    <message>
        <source>ファイルを開く</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>すべてのファイル(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>TrueTypeフォントファイル(*.ttf)</source>
        <translation>TrueType font files (*.ttf)</translation>
    </message>
    <message>
        <source>イメージファイル(*.png|*.gif)</source>
        <translation>Image files (*.png|*.gif)</translation>
    </message>
    <message>
        <source>「%1」はファイルではありません。</source>
        <translation>&quot;%1&quot; is not a file.</translation>
    </message>
    <message>
        <source>フォルダ「%1」を作れませんでした。</source>
        <translation>The folder &quot;%1&quot; could not be created.</translation>
    </message>
    <message>
        <source>「%1」を「%2」にコピーできませんでした。
%3</source>
        <translation>&quot;%1&quot; could not be copied to &quot;%2&quot;.
%3</translation>
    </message>
    <message>
        <source>%1 → %2</source>
        <translation>%1 → %2</translation>
    </message>
</context>
<context>
    <name>ResourceUsers</name>
    <message numerus="yes">
        <source>%n 個のオブジェクト (ダイアログ %1)</source>
        <translation>
            <numerusform>%n object (in %1)</numerusform>
            <numerusform>%n objects (in %1)</numerusform>
        </translation>
    </message>
    <message>
        <source>フォント定義「%1」は %2 で使われています。
削除しますか？</source>
        <translation>The font definition &quot;%1&quot; is used by %2.
Delete it?</translation>
    </message>
    <message>
        <source>と</source>
        <translation> and </translation>
    </message>
    <message>
        <source>イメージ定義「%1」は %2 で使われています。
削除しますか？</source>
        <translation>The image definition &quot;%1&quot; is used by %2.
Delete it?</translation>
    </message>
    <message numerus="yes">
        <source>ダイアログ「%1」には %n 個のオブジェクトがあります。
オブジェクトごと削除しますか？</source>
        <translation>
            <numerusform>The dialog &quot;%1&quot; holds %n object.
Delete it with its object?</numerusform>
            <numerusform>The dialog &quot;%1&quot; holds %n objects.
Delete it with its objects?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 個のイメージ定義 (%1)</source>
        <translation>
            <numerusform>%n image definition (%1)</numerusform>
            <numerusform>%n image definitions (%1)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StepTexts</name>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>切り取り</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>名前の変更</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>変更</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>グループ化</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>グループ解除</source>
        <translation>Ungroup</translation>
    </message>
    <message>
        <source>整列</source>
        <translation>Align</translation>
    </message>
    <message>
        <source>プロジェクト</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>ダイアログ</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>イメージ</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>オブジェクト</source>
        <translation>Objects</translation>
    </message>
    <message>
        <source>%1 %2 の%3</source>
        <translation>%3 %1 %2</translation>
    </message>
    <message>
        <source>%1 の%2</source>
        <translation>%2 %1</translation>
    </message>
    <message>
        <source>%1の%2</source>
        <translation>%2 %1</translation>
    </message>
</context>
<context>
    <name>Vocabulary</name>
    <message>
        <source>BLACK</source>
        <translation>BLACK</translation>
    </message>
    <message>
        <source>BLUE</source>
        <translation>BLUE</translation>
    </message>
    <message>
        <source>GREEN</source>
        <translation>GREEN</translation>
    </message>
    <message>
        <source>RED</source>
        <translation>RED</translation>
    </message>
    <message>
        <source>CYAN</source>
        <translation>CYAN</translation>
    </message>
    <message>
        <source>MAGENTA</source>
        <translation>MAGENTA</translation>
    </message>
    <message>
        <source>YELLOW</source>
        <translation>YELLOW</translation>
    </message>
    <message>
        <source>WHITE</source>
        <translation>WHITE</translation>
    </message>
    <message>
        <source>ORANGE</source>
        <translation>ORANGE</translation>
    </message>
    <message>
        <source>PINK</source>
        <translation>PINK</translation>
    </message>
    <message>
        <source>PURPLE</source>
        <translation>PURPLE</translation>
    </message>
    <message>
        <source>SKYBLUE</source>
        <translation>SKYBLUE</translation>
    </message>
    <message>
        <source>VIRIDIAN</source>
        <translation>VIRIDIAN</translation>
    </message>
    <message>
        <source>GRAY</source>
        <translation>GRAY</translation>
    </message>
    <message>
        <source>SILVER</source>
        <translation>SILVER</translation>
    </message>
    <message>
        <source>TRANSPARENT</source>
        <translation>TRANSPARENT</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Disable</source>
        <translation>Disable</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Active</translation>
    </message>
    <message>
        <source>Focus</source>
        <translation>Focus</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>ActDown</source>
        <translation>ActDown</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Center</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>Middle</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>X-Stretch</source>
        <translation>X-Stretch</translation>
    </message>
    <message>
        <source>Y-Stretch</source>
        <translation>Y-Stretch</translation>
    </message>
    <message>
        <source>XY-Stretch</source>
        <translation>XY-Stretch</translation>
    </message>
    <message>
        <source>NoClip</source>
        <translation>NoClip</translation>
    </message>
    <message>
        <source>Button</source>
        <translation>Button</translation>
    </message>
    <message>
        <source>Editbox</source>
        <translation>Editbox</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Icon</translation>
    </message>
    <message>
        <source>Movie</source>
        <translation>Movie</translation>
    </message>
    <message>
        <source>Canvas</source>
        <translation>Canvas</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>BUTTON</source>
        <translation>BUTTON</translation>
    </message>
    <message>
        <source>EDITBOX</source>
        <translation>EDITBOX</translation>
    </message>
    <message>
        <source>FRAME</source>
        <translation>FRAME</translation>
    </message>
    <message>
        <source>PICTURE</source>
        <translation>PICTURE</translation>
    </message>
    <message>
        <source>ICON</source>
        <translation>ICON</translation>
    </message>
    <message>
        <source>MOVIE</source>
        <translation>MOVIE</translation>
    </message>
    <message>
        <source>CANVAS</source>
        <translation>CANVAS</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>TEXT</translation>
    </message>
    <message>
        <source>GROUP</source>
        <translation>GROUP</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
</context>
</TS>
