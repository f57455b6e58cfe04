// The row texts of the event dialog's lists: every action kind with its
// summary, the page rows, and rows over arguments that name nothing.
#include "editor/event/ActionRowTexts.h"
#include "tests/editor/event/EventTestProject.h"

namespace
{

class ActionRowTextsTest : public EventTestProject
{
};

std::string RowOf(const EventCommand& command)
{
    std::string text = "old";
    ActionRowText(text, 0, command);
    return text;
}

TEST_F(ActionRowTextsTest, EveryKindShowsItsNameAndTheSummaryOfItsArguments)
{
    const struct
    {
        EventCommand m_Command;
        const char* m_pszRow;
    } cases[] = {
        {MakeCommand(0), ""},
        {MakeCommand(1, {}, {"こんにちは"}), "メッセージの表示 : こんにちは"},
        {MakeCommand(1, {}, {""}), "メッセージの表示 : "},
        {MakeCommand(2, {30}), "ウエイト : 30"},
        {MakeCommand(3, {2, 1, 5, 6}), "マップカーソルの移動 : 位置グループで指定"},
        {MakeCommand(4, {2, 0}), "敵グループの操作 : グループ 2 を OFF"},
        {MakeCommand(4, {3, 1}), "敵グループの操作 : グループ 3 を ON"},
        {MakeCommand(4, {3, 2}), "敵グループの操作 : グループ 3 を OFF"},
        {MakeCommand(5, {1, 10}), "イベント変数の操作 : イベント変数 ＋ 10"},
        {MakeCommand(6, {1, 2, -5}), "変数の操作 : 変数「勝利数」－ -5"},
        {MakeCommand(7, {1, -1, 2, 1}), "マップチップの変更 : マップ全範囲内 の 全マップチップ を 山 に変更"},
        {MakeCommand(7, {3, 0, 1, 1}), "マップチップの変更 : 位置グループ内 の 平地 を 森 に変更"},
        {MakeCommand(8, {15}), "イベントのグラフィックを変更 : 16 番に変更"},
        {MakeCommand(8, {2147483647}), "イベントのグラフィックを変更 : 2147483648 番に変更"},
        {MakeCommand(9, {1}, {"bgm\\battle.mid"}), "BGMの変更 : 戦闘 のBGMを bgm\\battle.mid に変更"},
        {MakeCommand(10, {1, 0, 0, 2, 0, 5, 1}), "ステータスの操作 : イベント発生対象 に HP+5％"},
        {MakeCommand(10, {0, 3, 2, 1, 1, -10, 0}), "ステータスの操作 : 位置グループ内 の 敵 に SP-10"},
        {MakeCommand(10, {0, 0, 5, 0, 0, 0, 0}), "ステータスの操作 : 条件なし の 所持者 に HP0"},
        {MakeCommand(11, {500}), "お金の操作 : +500"},
        {MakeCommand(11, {-20}), "お金の操作 : -20"},
        {MakeCommand(11, {0}), "お金の操作 : 0"},
        {MakeCommand(11, {7}), "お金の操作 : +7"},
        {MakeCommand(12, {3, 2}), "持ち物の操作 : 薬草 +2"},
        {MakeCommand(13, {0}, {}, {1, 2}), "お店 : A B "},
        {MakeCommand(13, {0}), "お店 : "},
        {MakeCommand(14, {1, 1}), "仲間屋の変更 : アリス +1"},
        {MakeCommand(15, {2, -1}), "パーティーの変更 : ボブ -1"},
        {MakeCommand(16), "ステージクリア"},
        {MakeCommand(17), "ゲームオーバー"},
    };
    bool seen[kEventCommandCount] = {};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_pszRow);
        EXPECT_EQ(RowOf(c.m_Command), c.m_pszRow);
        seen[c.m_Command.m_nCode] = true;
    }
    for (int code = 0; code < kEventCommandCount; ++code)
    {
        EXPECT_TRUE(seen[code]) << "no row for code " << code;
    }
    EXPECT_EQ(Logged(), "");
}

TEST_F(ActionRowTextsTest, AnIndexOutsideItsTableShowsThePlaceholderAndReportsNothing)
{
    const struct
    {
        EventCommand m_Command;
        const char* m_pszRow;
    } cases[] = {
        {MakeCommand(6, {256, 9, 3}), "変数の操作 : 変数「?」? 3"},
        {MakeCommand(6, {-1, 0, 3}), "変数の操作 : 変数「?」＝ 3"},
        {MakeCommand(7, {4, 3, -2, 1}), "マップチップの変更 : ? の ? を ? に変更"},
        {MakeCommand(12, {99, 1}), "持ち物の操作 : ? +1"},
        {MakeCommand(13, {0}, {}, {1, 42, 2}), "お店 : A ? B "},
        {MakeCommand(14, {-3, 0}), "仲間屋の変更 : ? 0"},
        {MakeCommand(15, {3, 1}), "パーティーの変更 : ? +1"},
        {MakeCommand(3, {4}), "マップカーソルの移動 : ?"},
        {MakeCommand(10, {0, 7, -1, 0, 2, 1, 0}), "ステータスの操作 : ? の ? に ?+1"},
        {MakeCommand(9, {3}, {"x.ogg"}), "BGMの変更 : ? のBGMを x.ogg に変更"},
        // Arguments the command lacks read as 0 and "".
        {MakeCommand(2), "ウエイト : 0"},
        {MakeCommand(10), "ステータスの操作 : 条件なし の キャラ に HP0"},
        {MakeCommand(1), "メッセージの表示 : "},
        {MakeCommand(18, {1}), "?"},
        {MakeCommand(-1), "?"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_pszRow);
        EXPECT_EQ(RowOf(c.m_Command), c.m_pszRow);
    }
    EXPECT_EQ(Logged(), "");
    EXPECT_EQ(m_nMainWindowDestroyed, 0);
    EXPECT_FALSE(platform::IsFatalErrorRaised());
}

TEST_F(ActionRowTextsTest, APageRowCountsItsActions)
{
    EventPage page;
    std::string text = "old";
    PageRowText(text, 0, page);
    EXPECT_EQ(text, "ｱｸｼｮﾝ×0");
    page.m_Action.resize(3);
    PageRowText(text, 5, page);
    EXPECT_EQ(text, "ｱｸｼｮﾝ×3");
}

} // namespace
