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
    {Msg::SaveAsTitle, "名前を付けて保存"},
    {Msg::StatusInsert, "挿入"},
    {Msg::StatusOverwrite, "上書"},
    {Msg::StatusBytes, "%1 バイト"},
    {Msg::StatusKiloBytes, "%1.%2 KB"},
    {Msg::StatusLine, "%1 行, %2 列 [ %3 文字]"},
    {Msg::StatusPreview, "プレビューモード"},
    {Msg::AskToSave, "%1 への変更を保存しますか?"},
    {Msg::AllFilesFilter, "すべてのﾌｧｲﾙ (*.*)|*.*||"},
    {Msg::Usage,
     "使い方: velloquin [-w0] [-w1] [-m0] [ファイル]\n"
     "\n"
     "  ファイル    開く文書（作業フォルダからの相対パス可）\n"
     "  -w0         閲覧用ウィンドウ（メニュー・ツールバー・ステータスバーなし）\n"
     "  -w1         別窓（保存されたウィンドウ位置を使わない）\n"
     "  -m0         このウィンドウでは行番号を表示しない\n"
     "  --help      この説明を表示して終了\n"
     "  --version   バージョンを表示して終了\n"},
    {Msg::RemoveCommentLinesQuestion, "コメント行（% で始まる行）を全て削除します。"},
    {Msg::TabStopsTo4Question, "タブ幅を現在の 8 文字（既定）から\n 4 文字（半角）に設定します。"},
    {Msg::TabStopsTo8Question, "タブ幅を現在の 4 文字から\n 既定の 8 文字（半角）に戻します。"},
    {Msg::WebSearchFailed, "検索のための Web ブラウザを起動できませんでした。\n%1"},
};
} // namespace

const MessageEntry *JapaneseMessages(int &count)
{
    count = static_cast<int>(std::size(kJapanese));
    return kJapanese;
}
