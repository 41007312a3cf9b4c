#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>

#include "ShellErrorText.h"

namespace quorvel {
namespace {

const std::pair<std::uint16_t, std::u16string> kListed[] = {
    {0,
     u"システムメモリが足りない，実行可能ファイルが壊れていた，または再配置が無効，のいずれかです"
     u"。"},
    {2, u"ファイルが見つかりませんでした。"},
    {3, u"パスが見つかりませんでした。"},
    {5,
     u"タスクへのダイナミックリンクを実行しようとしました。または，共有違反やネットワーク保護エラー"
     u"が発生しました。"},
    {6, u"各タスクに対してライブラリが別々のデータセグメントを要求しました。"},
    {8, u"メモリ不足のためアプリケーションを起動できませんでした。"},
    {10, u"Windows のバージョンが正しくありません。"},
    {11,
     u"実行可能ファイルが無効でした。Windows のアプリケーションでないか，.EXE "
     u"イメージにエラーがあったかのいずれかです。"},
    {12, u"このアプリケーションは，異なるオペレーティングシステム用に設計されています。"},
    {13,
     u"MS-DOS 4.0 用に設計されているアプリケーションです。PC-9800 "
     u"シリーズではこの値は返しません。"},
    {14, u"実行可能ファイルのタイプが不明です。"},
    {15,
     u"リアルモードのアプリケーション (以前のバージョンの Windows 用に開発されたもの) "
     u"をロードしようとしました。"},
    {16,
     u"読み取り専用としてマークされていない複数のデータセグメントを含む実行可能ファイルから，2 "
     u"番目のインスタンスをロードしようとしました。"},
    {19,
     u"圧縮された実行可能ファイルをロードしようとしました。ロードする前にファイルを展開しなければな"
     u"りません。"},
    {20,
     u"ダイナミックリンクライブラリ (DLL) "
     u"ファイルが無効です。このアプリケーションを実行するために必要な DLL の 1 つが壊れています。"},
    {21, u"このアプリケーションには，32 ビット版の Windows が必要です。"},
    {31,
     u"指定されたファイルタイプに対する関連付けがないか，または，あるファイルタイプに対して指定され"
     u"た動作を実行できません。"},
};

TEST(ShellErrorText, EveryListedCodeHasItsOwnText) {
  for (const auto& [code, text] : kListed)
    EXPECT_EQ(ShellErrorText(code), text) << "code " << code;
}

// All of them, so 1, 4, 7, 9, 17, 18, 22..30 and 32 as well as 0x102, whose low byte is listed.
TEST(ShellErrorText, EveryOtherCodeHasTheDefaultText) {
  for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
    const bool listed = std::any_of(std::begin(kListed), std::end(kListed),
                                    [&](const auto& row) { return row.first == code; });
    if (listed)
      continue;
    ASSERT_EQ(ShellErrorText(static_cast<std::uint16_t>(code)), u"何らかのエラーです。")
        << "code " << code;
  }
}

}  // namespace
}  // namespace quorvel
