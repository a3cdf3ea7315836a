<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>AnalysisPanel</name>
    <message>
        <source>検討パネル</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>%1手で勝ち</source>
        <translation>wins in %1</translation>
    </message>
    <message>
        <source>%1手で負け</source>
        <translation>loses in %1</translation>
    </message>
    <message>
        <source>評価 %1%2</source>
        <translation>score %1%2</translation>
    </message>
    <message>
        <source>勝ち確定</source>
        <translation>Proven win</translation>
    </message>
    <message>
        <source>負け確定</source>
        <translation>Proven loss</translation>
    </message>
    <message>
        <source>深さ %1</source>
        <translation>Depth %1</translation>
    </message>
    <message>
        <source>%1 局面  %2 局面/秒  %3 秒</source>
        <translation>%1 nodes  %2 nodes/s  %3 s</translation>
    </message>
</context>
<context>
    <name>Caption</name>
    <message>
        <source>終局</source>
        <translation>Game over</translation>
    </message>
    <message>
        <source>Sorell ヘルプ</source>
        <translation>Sorell Help</translation>
    </message>
    <message>
        <source>定石エディタ</source>
        <translation>Openings Editor</translation>
    </message>
    <message>
        <source>珠型から新規</source>
        <translation>New Game from an Opening</translation>
    </message>
    <message>
        <source>Sorell Version %1  連珠対局プログラム (Linux 版, Qt %2)</source>
        <translation>Sorell Version %1  Renju game (Linux edition, Qt %2)</translation>
    </message>
</context>
<context>
    <name>ForbiddenMarks</name>
    <message>
        <source>一つ</source>
        <translation>one</translation>
    </message>
    <message>
        <source>二つ</source>
        <translation>two</translation>
    </message>
    <message>
        <source>三つ</source>
        <translation>three</translation>
    </message>
    <message>
        <source>四つ</source>
        <translation>four</translation>
    </message>
    <message>
        <source>六つ以上並ぶ</source>
        <translation>six or more in a row</translation>
    </message>
    <message>
        <source>三</source>
        <translation>threes</translation>
    </message>
    <message>
        <source>四</source>
        <translation>fours</translation>
    </message>
    <message>
        <source>%1が%2</source>
        <translation>%2 %1</translation>
    </message>
    <message>
        <source>一列に%1</source>
        <translation>%1 on one line</translation>
    </message>
    <message>
        <source>%1: %2 で%3 (%4)</source>
        <translation>%1: %2 makes %3 (%4)</translation>
    </message>
    <message>
        <source> と </source>
        <translation> and </translation>
    </message>
</context>
<context>
    <name>GameInfoDialog</name>
    <message>
        <source>黒</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>白</source>
        <translation>White</translation>
    </message>
    <message>
        <source>日付</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>大会</source>
        <translation>Event</translation>
    </message>
    <message>
        <source>珠型</source>
        <translation>Opening</translation>
    </message>
    <message>
        <source>対局情報</source>
        <translation>Game information</translation>
    </message>
    <message>
        <source>%1 対 %2</source>
        <translation>%1 vs %2</translation>
    </message>
</context>
<context>
    <name>HelpViewer</name>
    <message>
        <source>srl.hlp</source>
        <translation>srl-en.hlp</translation>
    </message>
</context>
<context>
    <name>MoveCode</name>
    <message>
        <source>長連</source>
        <translation>overline</translation>
    </message>
    <message>
        <source>五</source>
        <translation>five</translation>
    </message>
    <message>
        <source>達四</source>
        <translation>straight four</translation>
    </message>
    <message>
        <source>四四</source>
        <translation>4x4</translation>
    </message>
    <message>
        <source>四三</source>
        <translation>4x3</translation>
    </message>
    <message>
        <source>四</source>
        <translation>four</translation>
    </message>
    <message>
        <source>三三</source>
        <translation>3x3</translation>
    </message>
    <message>
        <source>三</source>
        <translation>three</translation>
    </message>
    <message>
        <source>三三禁</source>
        <translation>forbidden 3x3</translation>
    </message>
    <message>
        <source>四四禁</source>
        <translation>forbidden 4x4</translation>
    </message>
    <message>
        <source>長連禁</source>
        <translation>forbidden overline</translation>
    </message>
</context>
<context>
    <name>OpeningDialog</name>
    <message>
        <source>対局しない</source>
        <translation>Do not play</translation>
    </message>
    <message>
        <source>白 (あなたは黒)</source>
        <translation>White (you play black)</translation>
    </message>
    <message>
        <source>黒 (あなたは白)</source>
        <translation>Black (you play white)</translation>
    </message>
    <message>
        <source>コンピュータ</source>
        <translation>Computer</translation>
    </message>
</context>
<context>
    <name>OpeningRuleController</name>
    <message>
        <source>自由</source>
        <translation>Free</translation>
    </message>
    <message>
        <source>珠型...</source>
        <translation>From an Opening...</translation>
    </message>
    <message>
        <source>開局規則(&amp;R)</source>
        <translation>Opening &amp;Rule</translation>
    </message>
    <message>
        <source>仮先手(黒)で打ちますか?
「いいえ」で仮後手(白)になります。</source>
        <translation>Do you play as tentative black?
&quot;No&quot; makes you tentative white.</translation>
    </message>
    <message>
        <source>盤面が変わったため開局規則の手順を終えました</source>
        <translation>The board changed, so the opening rule was left</translation>
    </message>
    <message>
        <source>黒</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>白</source>
        <translation>White</translation>
    </message>
    <message>
        <source>あなた(%1)</source>
        <translation>You (%1)</translation>
    </message>
    <message>
        <source>コンピュータ(%1)</source>
        <translation>Computer (%1)</translation>
    </message>
    <message>
        <source>%1手目を中央 %2×%2 の中に打ってください</source>
        <translation>Place stone %1 within the central %2×%2</translation>
    </message>
    <message>
        <source>%1手目を打ってください</source>
        <translation>Place stone %1</translation>
    </message>
    <message>
        <source>交換しますか</source>
        <translation>Swap colours?</translation>
    </message>
    <message>
        <source>5手目の数を宣言してください (1〜%1)</source>
        <translation>Declare the number of fifth moves (1 to %1)</translation>
    </message>
    <message>
        <source>5手目を %1 個打ってください</source>
        <translation>Place %1 fifth moves</translation>
    </message>
    <message>
        <source>5手目を中央 %1×%1 の中に1個打つか、%2 個打ってください</source>
        <translation>Place one fifth move within the central %1×%1, or %2 fifth moves</translation>
    </message>
    <message>
        <source>5手目を選んでください</source>
        <translation>Choose the fifth move</translation>
    </message>
    <message>
        <source>コンピュータが考えています</source>
        <translation>The computer is thinking</translation>
    </message>
    <message>
        <source>開局が終わりました。あなたは%1です</source>
        <translation>The opening is settled. You play %1</translation>
    </message>
    <message>
        <source>開局が終わりました</source>
        <translation>The opening is settled</translation>
    </message>
    <message>
        <source>そこは範囲の外です</source>
        <translation>That point is outside the area</translation>
    </message>
    <message>
        <source>禁手です</source>
        <translation>That is a forbidden move</translation>
    </message>
    <message>
        <source>対称な5手目です</source>
        <translation>That fifth move is symmetric to another one</translation>
    </message>
    <message>
        <source>打たれた5手目から選んでください</source>
        <translation>Choose one of the offered fifth moves</translation>
    </message>
    <message>
        <source>5手目の数が違います</source>
        <translation>Wrong number of fifth moves</translation>
    </message>
    <message>
        <source>そこには打てません</source>
        <translation>You cannot play there</translation>
    </message>
    <message>
        <source>コンピュータ: 珠型 %1 を選びました (黒の評価 %2)</source>
        <translation>Computer: chose the opening %1 (black&apos;s evaluation %2)</translation>
    </message>
    <message>
        <source>コンピュータ: %1 に打ちました (黒の評価 %2)</source>
        <translation>Computer: played %1 (black&apos;s evaluation %2)</translation>
    </message>
    <message>
        <source>コンピュータ: 交換します (%1の有利さ %2、%3の有利さ %4)</source>
        <translation>Computer: swaps (%1 advantage %2, %3 advantage %4)</translation>
    </message>
    <message>
        <source>コンピュータ: 交換しません (%1の有利さ %2、%3の有利さ %4)</source>
        <translation>Computer: does not swap (%1 advantage %2, %3 advantage %4)</translation>
    </message>
    <message>
        <source>コンピュータ: 5手目を %1 個と宣言しました (黒の評価 %2)</source>
        <translation>Computer: declared %1 fifth moves (black&apos;s evaluation %2)</translation>
    </message>
    <message>
        <source>コンピュータ: 5手目を1個 %1 に打ちました (黒の評価 %2)</source>
        <translation>Computer: played one fifth move at %1 (black&apos;s evaluation %2)</translation>
    </message>
    <message>
        <source>コンピュータ: 5手目を %1 個打ちました (白が選ぶと黒の評価 %2)</source>
        <translation>Computer: offered %1 fifth moves (after white&apos;s choice black&apos;s evaluation %2)</translation>
    </message>
    <message>
        <source>コンピュータ: %1 を選びました (黒の評価 %2)</source>
        <translation>Computer: chose %1 (black&apos;s evaluation %2)</translation>
    </message>
    <message>
        <source>コンピュータの判断が規則に合いませんでした</source>
        <translation>The computer&apos;s decision did not fit the rule</translation>
    </message>
    <message>
        <source>%1 は既に存在します。
置き換えますか?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>棋譜ファイル %1 に書き込めません</source>
        <translation>Cannot write the record file %1</translation>
    </message>
</context>
<context>
    <name>OpeningRulePanel</name>
    <message>
        <source>開局規則</source>
        <translation>Opening Rule</translation>
    </message>
    <message>
        <source>交換する</source>
        <translation>Swap</translation>
    </message>
    <message>
        <source>交換しない</source>
        <translation>Keep colours</translation>
    </message>
    <message>
        <source>宣言する</source>
        <translation>Declare</translation>
    </message>
    <message>
        <source>提示する</source>
        <translation>Offer</translation>
    </message>
    <message>
        <source>この1手を打つ</source>
        <translation>Play this one</translation>
    </message>
</context>
<context>
    <name>RecordTreePanel</name>
    <message>
        <source>開始局面</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>黒%1 %2</source>
        <translation>B%1 %2</translation>
    </message>
    <message>
        <source>白%1 %2</source>
        <translation>W%1 %2</translation>
    </message>
    <message>
        <source>棋譜ツリー</source>
        <translation>Game tree</translation>
    </message>
    <message>
        <source>ここから変化を追加</source>
        <translation>Add a variation here</translation>
    </message>
    <message>
        <source>本線にする</source>
        <translation>Make main line</translation>
    </message>
    <message>
        <source>変化を上へ</source>
        <translation>Move variation up</translation>
    </message>
    <message>
        <source>変化を下へ</source>
        <translation>Move variation down</translation>
    </message>
    <message>
        <source>この手以降を削除</source>
        <translation>Delete this move and what follows</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>五目競争形式 (*.ban)</source>
        <translation>Renju-contest records (*.ban)</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新規(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>棋譜を開く(&amp;O)</source>
        <translation>&amp;Open Record...</translation>
    </message>
    <message>
        <source>棋譜を保存(&amp;S)</source>
        <translation>&amp;Save Record...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
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
        <source>画面ハードコピー(&amp;H)</source>
        <translation>Copy Board &amp;Picture</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>着手順(&amp;N)</source>
        <translation>Move &amp;Numbers</translation>
    </message>
    <message>
        <source>最新手(&amp;C)</source>
        <translation>Last &amp;Move</translation>
    </message>
    <message>
        <source>定石(&amp;S)</source>
        <translation>&amp;Openings</translation>
    </message>
    <message>
        <source>警告(&amp;W)</source>
        <translation>&amp;Warnings</translation>
    </message>
    <message>
        <source>禁手表示</source>
        <translation>Forbidden Points</translation>
    </message>
    <message>
        <source>ツールバー(&amp;B)</source>
        <translation>Tool&amp;bar</translation>
    </message>
    <message>
        <source>軸文字の表示(&amp;A)</source>
        <translation>&amp;Axis Labels</translation>
    </message>
    <message>
        <source>実行(&amp;R)</source>
        <translation>&amp;Play</translation>
    </message>
    <message>
        <source>対局(&amp;R)</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>先手(黒)を選ぶ</source>
        <translation>Play Black (First)</translation>
    </message>
    <message>
        <source>後手(白)を選ぶ</source>
        <translation>Play White (Second)</translation>
    </message>
    <message>
        <source>一手戻す(&amp;B)</source>
        <translation>Take &amp;Back</translation>
    </message>
    <message>
        <source>一手進める(&amp;F)</source>
        <translation>&amp;Forward</translation>
    </message>
    <message>
        <source>投了(&amp;G)</source>
        <translation>&amp;Resign</translation>
    </message>
    <message>
        <source>設定(&amp;O)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>入力補助(&amp;A)</source>
        <translation>Input &amp;Assist</translation>
    </message>
    <message>
        <source>サウンド(&amp;S)</source>
        <translation>&amp;Sound</translation>
    </message>
    <message>
        <source>画面カラー(&amp;C)</source>
        <translation>Board &amp;Colour...</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About Sorell</translation>
    </message>
    <message>
        <source>一手戻す</source>
        <translation>Take Back</translation>
    </message>
    <message>
        <source>投了</source>
        <translation>Resign</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>新規</source>
        <translation>New</translation>
    </message>
    <message>
        <source>棋譜を開く</source>
        <translation>Open Record</translation>
    </message>
    <message>
        <source>棋譜を保存</source>
        <translation>Save Record</translation>
    </message>
    <message>
        <source>先手で対局開始</source>
        <translation>Play First (Black)</translation>
    </message>
    <message>
        <source>後手で対局開始</source>
        <translation>Play Second (White)</translation>
    </message>
    <message>
        <source>一手進める</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>定石登録</source>
        <translation>Register Openings</translation>
    </message>
    <message>
        <source>黒</source>
        <translation>B</translation>
    </message>
    <message>
        <source>白</source>
        <translation>W</translation>
    </message>
    <message>
        <source>先手</source>
        <translation>First</translation>
    </message>
    <message>
        <source>後手</source>
        <translation>Second</translation>
    </message>
    <message>
        <source>棋譜ファイル %1 を読み込めません</source>
        <translation>Cannot read the record file %1</translation>
    </message>
    <message>
        <source>%1 は既に存在します。
置き換えますか?</source>
        <translation>%1 already exists.
Replace it?</translation>
    </message>
    <message>
        <source>棋譜ファイル %1 に書き込めません</source>
        <translation>Cannot write the record file %1</translation>
    </message>
    <message>
        <source>クリップボードへ棋譜を書き込みました</source>
        <translation>Record copied to the clipboard</translation>
    </message>
    <message>
        <source>クリップボードの棋譜データ形式は読み込みできません</source>
        <translation>The clipboard holds no record that can be read</translation>
    </message>
    <message>
        <source>クリップボードから棋譜を読み込みました</source>
        <translation>Record pasted from the clipboard</translation>
    </message>
    <message>
        <source>ヘルプファイル %1 が見つかりません</source>
        <translation>Help file %1 not found</translation>
    </message>
    <message>
        <source>あなたの番です</source>
        <translation>Your move</translation>
    </message>
    <message>
        <source>ただいま考えています</source>
        <translation>Thinking...</translation>
    </message>
    <message>
        <source>終局</source>
        <translation>Game over</translation>
    </message>
    <message>
        <source>%1で黒の勝ち</source>
        <translation>Black wins: %1</translation>
    </message>
    <message>
        <source>%1で白の勝ち</source>
        <translation>White wins: %1</translation>
    </message>
    <message>
        <source>思考ルーチンが途中で中断されました</source>
        <translation>The computer player stopped on an error</translation>
    </message>
    <message>
        <source>投了しました</source>
        <translation>You resigned</translation>
    </message>
    <message>
        <source>あなた</source>
        <translation>You</translation>
    </message>
    <message>
        <source>コンピュータ</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source> [対局モード]</source>
        <translation> [Game mode]</translation>
    </message>
    <message>
        <source>黒%1(%2):%3</source>
        <translation>B%1(%2):%3</translation>
    </message>
    <message>
        <source>白%1(%2):%3</source>
        <translation>W%1(%2):%3</translation>
    </message>
    <message>
        <source>%1手で勝ち</source>
        <translation>wins in %1</translation>
    </message>
    <message>
        <source>%1手で負け</source>
        <translation>loses in %1</translation>
    </message>
    <message>
        <source>評価 %1%2</source>
        <translation>score %1%2</translation>
    </message>
    <message>
        <source>珠型から新規(&amp;T)...</source>
        <translation>New from an Openin&amp;g...</translation>
    </message>
    <message>
        <source>定石エディタ(&amp;E)</source>
        <translation>Openings &amp;Editor</translation>
    </message>
    <message>
        <source>最初へ(&amp;H)</source>
        <translation>Go to &amp;Start</translation>
    </message>
    <message>
        <source>最後へ(&amp;E)</source>
        <translation>Go to &amp;End</translation>
    </message>
    <message>
        <source>ヒント(&amp;I)</source>
        <translation>H&amp;int</translation>
    </message>
    <message>
        <source>検討モード(&amp;A)</source>
        <translation>&amp;Analysis</translation>
    </message>
    <message>
        <source>レベル(&amp;L)</source>
        <translation>&amp;Level</translation>
    </message>
    <message>
        <source>標準</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>強い 1秒</source>
        <translation>Strong, 1 s</translation>
    </message>
    <message>
        <source>強い 3秒</source>
        <translation>Strong, 3 s</translation>
    </message>
    <message>
        <source>強い 10秒</source>
        <translation>Strong, 10 s</translation>
    </message>
    <message>
        <source>スレッド数(&amp;T)</source>
        <translation>&amp;Threads</translation>
    </message>
    <message>
        <source>自動 (%1)</source>
        <translation>Automatic (%1)</translation>
    </message>
    <message>
        <source>最初へ</source>
        <translation>Go to Start</translation>
    </message>
    <message>
        <source>最後へ</source>
        <translation>Go to End</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>検討モード</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>入力 %1_</source>
        <translation>Input %1_</translation>
    </message>
    <message>
        <source>ヒントを考えています</source>
        <translation>Thinking of a hint...</translation>
    </message>
    <message>
        <source>検討中</source>
        <translation>Analysing</translation>
    </message>
    <message>
        <source>深さ%1</source>
        <translation>depth %1</translation>
    </message>
    <message>
        <source>勝ち確定</source>
        <translation>proven win</translation>
    </message>
    <message>
        <source>負け確定</source>
        <translation>proven loss</translation>
    </message>
    <message>
        <source>%1 %2 %3 | %4</source>
        <translation>%1 %2 %3 | %4</translation>
    </message>
    <message>
        <source>ヒント: %1 (%2)</source>
        <translation>Hint: %1 (%2)</translation>
    </message>
    <message>
        <source>コンピュータが着手できないため対局を終了しました</source>
        <translation>The computer could not move; the game has ended</translation>
    </message>
</context>
<context>
    <name>TStandardForm</name>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>追加(&amp;A)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>登録</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>表示更新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>新規ID</source>
        <translation>New ID</translation>
    </message>
    <message>
        <source>登録棋譜情報</source>
        <translation>Registered record</translation>
    </message>
    <message>
        <source>登録ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>手数</source>
        <translation>Moves</translation>
    </message>
    <message>
        <source>登録総数</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>定石ファイル %1 に書き込めません</source>
        <translation>Cannot write the openings file %1</translation>
    </message>
    <message>
        <source>登録する石がありません</source>
        <translation>No stones to register</translation>
    </message>
    <message>
        <source>削除する石がありません</source>
        <translation>No stones to delete</translation>
    </message>
    <message>
        <source>禁手は登録できません</source>
        <translation>A forbidden move cannot be registered</translation>
    </message>
    <message>
        <source>定石ファイル %1 を読み込めないため書き込みません</source>
        <translation>Openings file %1 could not be read, so it is not written</translation>
    </message>
</context>
<context>
    <name>WindowPanels</name>
    <message>
        <source>検討パネル(&amp;P)</source>
        <translation>Analysis &amp;panel</translation>
    </message>
    <message>
        <source>棋譜ツリー(&amp;T)</source>
        <translation>Game &amp;tree</translation>
    </message>
    <message>
        <source>対局情報(&amp;I)...</source>
        <translation>Game &amp;information...</translation>
    </message>
    <message>
        <source>禁手の前に確認(&amp;F)</source>
        <translation>Confirm &amp;forbidden moves</translation>
    </message>
    <message>
        <source>検討中</source>
        <translation>Analysing</translation>
    </message>
    <message>
        <source>検討モードで候補手を表示します</source>
        <translation>Turn on analysis to see the candidate moves</translation>
    </message>
    <message>
        <source>盤に打った手がこの局面からの変化になります</source>
        <translation>A move played on the board now starts a variation here</translation>
    </message>
    <message>
        <source>%1手目からの変化を削除します。よろしいですか？</source>
        <translation>Delete the line from move %1?</translation>
    </message>
    <message>
        <source>%1
ここに打つと黒の負けです。打ちますか？</source>
        <translation>%1
Black loses by playing here. Play anyway?</translation>
    </message>
    <message>
        <source>SGF形式で保存(&amp;G)...</source>
        <translation>Save as S&amp;GF...</translation>
    </message>
    <message>
        <source>SGF形式 (*.sgf)</source>
        <translation>SGF records (*.sgf)</translation>
    </message>
    <message>
        <source>%1 は既に存在します。
置き換えますか?</source>
        <translation>%1 already exists.
Replace it?</translation>
    </message>
    <message>
        <source>棋譜ファイル %1 に書き込めません</source>
        <translation>Cannot write the record file %1</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Unknown error</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <source>連珠対局プログラム</source>
        <translation>Renju game</translation>
    </message>
    <message>
        <source>開く棋譜ファイル (.ban)</source>
        <translation>Record file to open (.ban)</translation>
    </message>
</context>
</TS>
