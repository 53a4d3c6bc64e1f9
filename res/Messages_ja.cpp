#include "res/Messages.h"

#include "res/MessageTable.h"

namespace {
constexpr MessageEntry kJapanese[] = {
    {Msg::UntitledTitle, "無題"},
    {Msg::SetWindowQuestion,
     "復元するウィンドウの位置と大きさをデフォルトの設定から現在の状態に変更します。\n"
     "キャンセルすれば、デフォルトの設定に戻ります。"},
    {Msg::WindowTooSmall,
     "ウィンドウが小さ過ぎます。もう少し、大きくして、試して下さい。デフォルトに戻します。"},
    {Msg::FileChangedQuestion, "他で編集されて、更新されています。\n新たに開き直しますか？"},
    // These two have one text in both languages.
    {Msg::NewWindowFailed, "Failed to open the another new file"},
    {Msg::OpenWindowFailed, "Failed to open the another file"},
    {Msg::LanguageNextStartEnglish, "次回の起動から、メニューとメッセージが英語になります。"},
    {Msg::LanguageNextStartJapanese, "次回の起動から、メニューとメッセージが日本語になります。"},
    {Msg::DescriptionFailed, "Failed to show the description"},
    {Msg::UpdateFound, "Velloquin の新しいバージョンが見つかりましたので、ダウンロードします。"},
    {Msg::UpdateNoBrowser, "インターネット ブラウザが起動できないので、ダウンロードできません。"},
    {Msg::UpdateNewest, "お使いの Velloquin エディタは最新版です。\nバージョン %1"},
    {Msg::UpdateUnreachable,
     "更新情報を次の場所から取得できませんでした。\n%1\n(%2)\nネットワークの接続を確かめて、"
     "後でもう一度お試しください。"},
    {Msg::UpdateNotVersion,
     "次の場所からの応答はバージョン情報ではないため、更新を確認できませんでした。\n%1"},
    {Msg::UpdateChecking, "新しいバージョンを確認しています。\n%1"},
    {Msg::BrowserOpenFailed,
     "%1 を開けませんでした。Web ブラウザが設定されていません。デスクトップの設定で既定の Web "
     "ブラウザを選ぶか、xdg-settings set default-web-browser ブラウザ.desktop で設定して下さい。"},
    {Msg::BackupFailed, "Failed to make the back up file !!"},
    {Msg::DeleteBackupAskMode,
     "%1 \nにある全てのバックアップファイルを削除します。\n1つずつ確認しながら削除しますか？\n"
     "「いいえ」を選択すると確認せずに全て消します。"},
    {Msg::DeleteBackupAskFile, "%1\nこのファイルを削除しますか？"},
    {Msg::DeleteBackupSummaryEach, "%2 \nにある %1 個のバックアップファイルを削除しました！"},
    {Msg::DeleteBackupSummaryAll,
     "%2 \nにある全てのバックアップファイル（%1 個）の削除に成功しました！"},
    {Msg::DeleteBackupFailed, "Failed to delete backup files"},
    {Msg::OpenMissing, "ファイルがありません。\n%1"},
    {Msg::OpenFolder, "これはファイルではなく、フォルダです。\n%1"},
    {Msg::OpenUnreadable, "ファイルを読み込めません。\n%1\n%2"},
    {Msg::OpenBinary,
     "テキストファイルではありません（NUL バイトを含みます）。開きませんでした。\n%1"},
    {Msg::OpenTooLarge,
     "ファイルが大きすぎて開けません（%2 MB、上限 64 MB）。\n%1"},
    {Msg::OpenUndecodable,
     "このファイルの文字コードを判別できません。開きませんでした。\n%1"},
    {Msg::SaveReadOnly,
     "ファイルまたはフォルダが読み取り専用のため、保存しませんでした。\n%1\n"
     "「名前を付けて保存」で別の場所に保存して下さい。"},
    {Msg::SaveFailed,
     "保存できませんでした。ディスク上のファイルは変更されていません。\n%1\n%2"},
    {Msg::RecoveryQuestion,
     "%1\nの保存されていない文章が、前回 Velloquin が保存せずに終了したときに残されています"
     "（%2）。\n復元しますか？\n「いいえ」を選択すると残された文章を削除します。"},
    {Msg::RecoveryUnreadable,
     "残された未保存の文章を読めなかったため、何も復元しませんでした：\n%1\n（%2）\n"
     "このファイルはそのまま残します。"},
    {Msg::SaveAsTitle, "名前を付けて保存"},
    {Msg::StatusInsert, "挿入"},
    {Msg::StatusOverwrite, "上書"},
    {Msg::StatusBytes, "%1 バイト"},
    {Msg::StatusKiloBytes, "%1.%2 KB"},
    {Msg::StatusLine, "%1 行, %2 列 [ %3 文字]"},
    {Msg::StatusPreview, "プレビューモード"},
    {Msg::AskToSave, "%1 への変更を保存しますか?"},
    {Msg::AllFilesFilter, "すべてのﾌｧｲﾙ (*.*)|*.*||"},
    {Msg::WinTpicMissing, "TeX 用描画ソフト WinTpic がありません！\n %1 にインストールして下さい。"},
    {Msg::TerminalMissing,
     "コマンドプロンプトを起動できません。端末ソフトが見つかりません。\n端末ソフト（例えば xterm）をインストールするか、環境変数 TERMINAL で指定して下さい。"},
    {Msg::Usage,
     "使い方: velloquin [-w0] [-w1] [-m0] [--line N] [ファイル]\n"
     "\n"
     "  ファイル    開く文書（作業フォルダからの相対パス可）\n"
     "  -w0         閲覧用ウィンドウ（メニュー・ツールバー・ステータスバーなし）\n"
     "  -w1         別窓（保存されたウィンドウ位置を使わない）\n"
     "  -m0         このウィンドウでは行番号を表示しない\n"
     "  --line N    ファイルの N 行目にキャレットを置く\n"
     "  --merge-commands 一覧 文書...\n"
     "              各文書の TeX コマンドを数えて入力支援ファイル（input_tex.mme）「一覧」に\n"
     "              加え、保存する（ウィンドウは開かない）\n"
     "  --eval 行 [--eval 行...] [--round N]\n"
     "              各「行」を、本文に入力して Enter を押したときの結果にして表示する\n"
     "              （\"=\" で終わる式は値を付け、x1, x2, ... を含む式は続く\n"
     "              \"x1=3, x2=4\" の行で計算する。N は小数の桁数で、既定は四捨五入の設定。\n"
     "              メッセージは標準エラー出力へ。ウィンドウは開かない）\n"
     "  --html ファイル [--calc]\n"
     "              ファイルを HTML に変換し、同じフォルダに拡張子 .html で保存する\n"
     "              （--calc か .zel ファイルなら表計算モードで表を作る。ウィンドウは開かない）\n"
     "  --tex ファイル\n"
     "              ファイル（.tex）を「TeX-PDF (make)」と同じ手順で、保存された設定で\n"
     "              コンパイルする。各プログラムの出力とメッセージは標準エラー出力へ、\n"
     "              問い合わせはすべて既定の答え、TeX は最初のエラーで止まる。PDF が\n"
     "              できれば終了コード 0、できなければ 1（ウィンドウは開かない）\n"
     "  --help      この説明を表示して終了\n"
     "  --version   バージョンを表示して終了\n"},
    {Msg::WindowLibraryFailed,
     "エディタのウィンドウを開けません: %1 を読み込めませんでした。\n%2\n"
     "ウィンドウを使わないスイッチ（velloquin --help）は使えます。インストールし直してください。"},
    {Msg::CompilerCannotRun,
     "TeX のコンパイラー \"%1\" が実行できません。\nパスが通ってないか、インストールされていない"
     "可能性があります。\nもし TeX をインストールしているなら、自分で選択してください。\n"
     "キャンセルすれば、デフォルトに戻ります。（パス名無しの \"platex\" のみ）"},
    {Msg::CompilerHint,
     "TeX のコンパイラーは\nメニューの「ﾍﾙﾌﾟ」→「設定」→「TeX の変更」からも選択できます。"},
    {Msg::CompilerFailedAfterChoice,
     "TeX のコンパイラー \"%1\" が実行できません。\nTeX のコンパイラーは\nメニューの「ﾍﾙﾌﾟ」→"
     "「設定」→「TeX の変更」からも選択できます。"},
    {Msg::LaTeXWarnings,
     "コンパイルは成功しました！！\nしかし \"LaTeX Warning\" があります。\n(\"Font Warning\" "
     "ではありません。) \nログファイルで確認して下さい。"},
    {Msg::WarningCaption, "Warning!!"},
    {Msg::BibTeXError,
     "何かエラーがあります。実行ファイル \"jbibtex.exe\" を \"bibtex.exe\" にしてしまったとか。"
     "\nDVI ファイルの参考文献の欄も確かめてみて下さい。"},
    {Msg::BibTeXCannotRun, "BibTeX が起動できません。"},
    {Msg::BibTeXHint,
     "BibTeX (\"jbibtex.exe\") はメニューの「ﾍﾙﾌﾟ」→「設定」→「BibTeX の選択」からも選択"
     "できます。\nそれでも駄目なら「コマンドプロンプト」を使って、直接、実行して下さい。"},
    {Msg::MakeIndexError,
     "何かエラーがあります。実行ファイル \"mendex.exe\" を \"makeindex.exe\" にしてしまったとか。"},
    {Msg::MakeIndexCannotRun, "MakeIndex が起動できません。"},
    {Msg::MakeIndexHint,
     "MakeIndex (\"mendex.exe\") はメニューの「ﾍﾙﾌﾟ」→「設定」→「makeIndex の選択」からも"
     "選択できます。\nそれでも駄目なら「コマンドプロンプト」を使って、直接、実行して下さい。"},
    {Msg::DviOpenFailed,
     "DVI ファイル \"%1\" が開けません。DVI ファイルを開くプログラムが設定されていません。\n"
     "デスクトップの設定で DVI ファイルの既定のアプリケーションを選ぶか、\n"
     "xdg-mime default ビューア.desktop application/x-dvi\nで設定して下さい。"
     "「TeX-PDF」で PDF を作ることもできます。"},
    {Msg::PdfMakeRetry,
     "PDF file が作れません！\n もし Acrobat (Adobe Reader) が起動中なら \n閉じてから、"
     "「OK」ボタンを下さい。"},
    {Msg::PdfMakeFailed, "PDF file が作れません！"},
    {Msg::PdfOpenFailed,
     "PDF ファイル \"%1\" が開けません。PDF ファイルを開くプログラムが設定されていません。\n"
     "デスクトップの設定で PDF ファイルの既定のアプリケーションを選ぶか、\n"
     "xdg-mime default ビューア.desktop application/pdf\nで設定して下さい。"},
    {Msg::ChangeCompilerQuestion,
     "TeX の compiler を変更します。OK ボタンを押せば実行ファイルが選択できます。\n"
     "キャンセルすれば、元の platex に戻ります。（パス名無しの \"platex\" のみ）\n他の TeX は "
     "%1 等に・・・。"},
    {Msg::ChooseDviPdfQuestion,
     "もし PDF が作れないときは、OK ボタンを押して実行ファイル dvipdfmx.exe を見つけて選択して"
     "下さい。\n恐らく、%1 等に"
     "・・・。\nキャンセルすれば、パス名無しの dvipdfmx のみに戻ります。"},
    {Msg::ChooseBibTeXQuestion,
     "BibTeX が実効できない時は、実行ファイルが特定できていない可能性があります。\n選択により、"
     "フルパスで jbibtex.exe を特定します。\nキャンセルすれば、デフォルトに戻ります。（パス名無し"
     "の \"jbibtex\" のみ）"},
    {Msg::ChooseMakeIndexQuestion,
     "MakeIndex が実効できない時は、実行ファイルが特定できていない可能性があります。\n選択により、"
     "フルパスで mendex.exe を特定します。\nキャンセルすれば、デフォルトに戻ります。（パス名無し"
     "の \"mendex\" のみ）"},
#ifdef Q_OS_WIN
    {Msg::ProgramFilter, "実行ファイル (*.exe)|*.exe||"},
#else
    {Msg::ProgramFilter, "プログラム (*)|*||"},
#endif
    {Msg::ConsoleTitle, "%1 - 実行中"},
    {Msg::ConsoleInput, "プログラムへの応答:"},
    {Msg::ConsoleSend, "送信"},
    {Msg::ConsoleStop, "中止"},
    {Msg::ConsoleClose, "閉じる"},
    {Msg::ConsoleStopped, "%1 を中止しました（x または中止ボタン）。"},
    {Msg::TargetNameUnreadable,
     "ファイル名 \"%1\" は TeX が読めません。\n二重引用符、\"%\"、\"~\"、\"\\\" や制御文字を含まない"
     "名前に変えて下さい。"},
    {Msg::TeXRunNotTeXFile, "%1 は TeX の文書（.tex）ではありません。コンパイルしませんでした。"},
    {Msg::TeXRunPdfMade, "%1 を作りました。"},
    {Msg::TeXRunNoPdf, "%1 は作れませんでした。"},
    {Msg::MakeIndexOptionsTitle, "MakeIndex のオプション"},
    {Msg::MakeIndexOptionsNote,
     "MakeIndex (mendex.exe) のオプションを入力して下さい。\n(例) 索引スタイル myindex.ist を"
     "使うときは次のように入力します："},
    {Msg::MakeIndexOptionsExample, "-s myindex"},
    {Msg::MakeIndexOptionsMore, "(その他のオプションはコマンドラインで \"mendex -?\" を参照) "},
    {Msg::MakeIndexOptionsMenuNote, "メニューの [TeX] の [MakeIndex のオプション] からも変更できます。"},
    {Msg::MakeIndexOptionsNever, "今後、自動的には表示しない。"},
    {Msg::PaperSizeTitle, "PDF の用紙サイズ"},
    {Msg::PaperSizeNote, "次から用紙サイズを選んで下さい：\n(デフォルトは A4)"},
    {Msg::PaperSizeMenuNote, "メニューの [TeX] の [PDF の用紙サイズ] からも変更できます。"},
    {Msg::PaperSizeDontShow, "[PDF] 作成時にこのダイアログを表示しない"},
    {Msg::PaperSizeNextTime, "次回の起動まで (その時に設定を戻す) "},
    {Msg::PaperSizeAnyMore, "今後ずっと (設定を保存する)"},
    {Msg::RemoveCommentLinesQuestion, "コメント行（% で始まる行）を全て削除します。"},
    {Msg::TabStopsTo4Question, "タブ幅を現在の 8 文字（既定）から\n 4 文字（半角）に設定します。"},
    {Msg::TabStopsTo8Question, "タブ幅を現在の 4 文字から\n 既定の 8 文字（半角）に戻します。"},
    {Msg::WebSearchFailed,
     "検索のための Web ブラウザを起動できませんでした。\n%1\nデスクトップの設定で既定の Web "
     "ブラウザを選ぶか、\nxdg-settings set default-web-browser ブラウザ.desktop で設定して下さい。"},
    {Msg::CalcNoRange, "選択が無いか、選択に誤りがあります。\n計算したい行列の左上から右下までを、"
                       "マウスで選択して下さい。"},
    {Msg::CalcCaution, "注意！"},
    {Msg::CalcReselectEnd, "終点（右下）を選び直して下さい。"},
    {Msg::CalcDenominatorZero, "n と q には 0 以外の整数を入れて下さい。"},
    {Msg::CalcSameBounds, "A と B には異なる値を入れて下さい。"},
    {Msg::CalcIntegerNeeded, "整数を入れて下さい。"},
    {Msg::TableRowsInvalid, "行番号は 1 から、開始行が終了行を越えないように入力して下さい。"},
    {Msg::TableSizeInvalid, "行数と列数には 1 以上を入力して下さい。"},
    // The messages of expressions typed into the text exist in Japanese only.
    {Msg::EvalMissingParen, "( が足りません。"},
    {Msg::EvalVariableUndefined, "変数 %1 の値が定義されていません。"},
    {Msg::EvalManInExponent, "累乗の指数に『万』は使えません。"},
    {Msg::EvalManInBase, "累乗の底に『万』は使えません。"},
    {Msg::EvalExponentNotInteger,
     "累乗の指数に誤りがあります。整数乗しか扱えません。\n（a^n で n は整数で、a は小数でも良い) "},
    {Msg::HtmlUnclosedDecoration,
     "文字修飾 {\\・・・に対応する終わりの } がありません。修正して下さい。"},
    {Msg::HtmlReturnQuestion,
     "表示を元のファイルに戻しますか？\nどちらも履歴から開き直すことができます。\n"
     "「はい」を押すと、このメッセージは2度と表示されず、ファイルの表示も元のままとなります。\n"
     "再びメッセージを表示したければ「ﾍﾙﾌﾟ」の「設定」からできます。"},
    {Msg::HtmlOverDocument,
     "HTML ファイル %1 は文書そのものなので、上書きしません。\n"
     "文書の名前を変えてから変換して下さい。"},
    {Msg::MakeInputQuestion,
     "入力支援補助ファイル \"input_tex.mme\" を作ります。\n「頻度順」で作りますが、「表示」は「 ABC "
     "順」も選択できます。"},
    {Msg::MakeInputDone,
     "補助ファイル \"input_tex.mme\" を作りましたので、表示します。\n保存して下さい。また、必要なら、"
     "説明に従って、編集して下さい。"},
    {Msg::ChangeInputQuestion,
     "TeX の入力支援補助ファイル input_tex.mme を変更します。\n\"%1\" 以外に置いた場合や、"
     "ファイル名を変更した場合など\nここでそのファイルを選択して下さい。キャンセルすればデフォルトの\n"
     "\"%2\" に戻ります。"},
    {Msg::MmeFilter, "Mme files (*.mme)|*.mme||"},
    {Msg::MinimumLettersTitle, "最低文字数の設定"},
    {Msg::MinimumLettersText,
     "リストに表示する TeX コマンドの最低文字数を選んで下さい。\n（デフォルトは 4 文字です。）"},
    {Msg::MinimumLettersCancel, "キャンセル"},
    {Msg::InputSupportOn, "TeX 入力支援（コマンド名の補完）をオンにしました。"},
    {Msg::InputSupportOff, "TeX 入力支援（コマンド名の補完）をオフにしました。Esc でオンに戻ります。"},
    // The two printer messages have only their English text.
    {Msg::PrinterDefaultsFailed, "Failed to get device defaults!"},
    {Msg::PrinterDcFailed, "Failed to get printer DC"},
    {Msg::PrintNotStarted, "印刷を開始できませんでした。"},
    {Msg::PreviewTitle, "PDF プレビュー"},
    {Msg::PreviewNoPdf, "PDF がまだありません：%1\nTeX-PDF (Ctrl+T) で作ってください。"},
    {Msg::PreviewBrokenPdf,
     "PDF %1 が読めません（書き込み中か壊れています）。前に読めたページを表示しています。"},
    {Msg::PreviewNoSyncTeX,
     "PDF に SyncTeX の情報がありません。プレビューを表示したままコンパイルし直してください。"},
    {Msg::PreviewStaleSyncTeX,
     "SyncTeX の情報が PDF より古くなっています。プレビューを表示したままコンパイルし直してください。"},
    {Msg::PreviewNoPlace, "%1 行目に当たる位置は PDF にありません。"},
    {Msg::PreviewFitWidth, "幅に合わせる"},
    {Msg::PreviewFitPage, "ページ全体"},
    {Msg::PreviewPageOf, "%1 / %2 ページ"},
    {Msg::PreviewPreviousPage, "前のページ"},
    {Msg::PreviewNextPage, "次のページ"},
};
} // namespace

const MessageEntry *JapaneseMessages(int &count)
{
    count = static_cast<int>(std::size(kJapanese));
    return kJapanese;
}
