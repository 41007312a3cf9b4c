#include <cstdint>
#include <string>

#include "SlotActions.h"

namespace quorvel {

std::u16string ShellErrorText(std::uint16_t code) {
  switch (code) {
    case 0:
      return u"システムメモリが足りない，実行可能ファイルが壊れていた，または再配置が無効，のいずれ"
             u"かです。";
    case 2:
      return u"ファイルが見つかりませんでした。";
    case 3:
      return u"パスが見つかりませんでした。";
    case 5:
      return u"タスクへのダイナミックリンクを実行しようとしました。または，共有違反やネットワーク保"
             u"護エラーが発生しました。";
    case 6:
      return u"各タスクに対してライブラリが別々のデータセグメントを要求しました。";
    case 8:
      return u"メモリ不足のためアプリケーションを起動できませんでした。";
    case 10:
      return u"Windows のバージョンが正しくありません。";
    case 11:
      return u"実行可能ファイルが無効でした。Windows のアプリケーションでないか，.EXE "
             u"イメージにエラーがあったかのいずれかです。";
    case 12:
      return u"このアプリケーションは，異なるオペレーティングシステム用に設計されています。";
    case 13:
      return u"MS-DOS 4.0 用に設計されているアプリケーションです。PC-9800 "
             u"シリーズではこの値は返しません。";
    case 14:
      return u"実行可能ファイルのタイプが不明です。";
    case 15:
      return u"リアルモードのアプリケーション (以前のバージョンの Windows 用に開発されたもの) "
             u"をロードしようとしました。";
    case 16:
      return u"読み取り専用としてマークされていない複数のデータセグメントを含む実行可能ファイルから"
             u"，2 番目のインスタンスをロードしようとしました。";
    case 19:
      return u"圧縮された実行可能ファイルをロードしようとしました。ロードする前にファイルを展開しな"
             u"ければなりません。";
    case 20:
      return u"ダイナミックリンクライブラリ (DLL) "
             u"ファイルが無効です。このアプリケーションを実行するために必要な DLL の 1 "
             u"つが壊れています。";
    case 21:
      return u"このアプリケーションには，32 ビット版の Windows が必要です。";
    case 31:
      return u"指定されたファイルタイプに対する関連付けがないか，または，あるファイルタイプに対して"
             u"指定された動作を実行できません。";
    default:
      return u"何らかのエラーです。";
  }
}

}  // namespace quorvel
