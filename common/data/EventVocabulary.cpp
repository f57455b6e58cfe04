#include "EventVocabulary.h"

const EventCommandInfo EventCommandTable[kEventCommandCount] = {
    {"", 0, 0},
    {"メッセージの表示", 0, 1},
    {"ウエイト", 1, 0},
    {"マップカーソルの移動", 4, 0},
    {"敵グループの操作", 2, 0},
    {"イベント変数の操作", 2, 0},
    {"変数の操作", 3, 0},
    {"マップチップの変更", 4, 0},
    {"イベントのグラフィックを変更", 1, 0},
    {"BGMの変更", 1, 1},
    {"ステータスの操作", 7, 0},
    {"お金の操作", 1, 0},
    {"持ち物の操作", 2, 0},
    {"お店", 1, 0},
    {"仲間屋の変更", 2, 0},
    {"パーティーの変更", 2, 0},
    {"ステージクリア", 0, 0},
    {"ゲームオーバー", 0, 0},
};

// The letter codes in parentheses belong to the texts. Rows 3 and 16 fire on a
// special command (EventPage::m_strCommandName); rows 15 to 20 concern the
// character that holds the event.
const char* const TriggerTimingNames[kTriggerTimingCount + 1] = {
    "味方のターン開始後(B-1)",
    "味方のターン終了前(C-1)",
    "味方の行動終了後(D-1)",
    "味方の特殊コマンド使用後(E-1)",
    "敵のターン開始後(B-1)",
    "敵のターン終了前(C-1)",
    "敵の行動終了後(D-1)",
    "味方または敵のターン開始後(B-2)",
    "味方または敵のターン終了前(C-2)",
    "味方または敵の行動終了後(D-2)",
    "戦闘開始前(F-1)",
    "戦闘終了後(G-1)",
    "戦闘で味方が勝利した後(G-4)",
    "戦闘で味方が敗北した後(G-4)",
    "戦闘でリーダーが敗北した後(G-3)",
    "所持者の行動終了後(D-3)",
    "所持者の特殊コマンド使用後(E-2)",
    "所持者の戦闘開始前(F-2)",
    "所持者の戦闘終了後(G-2)",
    "所持者の戦闘で味方が勝利した後(G-5)",
    "所持者の戦闘で味方が敗北した後(G-5)",
    "ステージ開始前(A)",
    "",
};

const char* const AreaConditionNames[kAreaConditionCount + 1] = {
    "条件なし", "マップ全範囲内", "このイベントの位置", "位置グループ内", "",
};

const char* const CharacterSelectorNames[kCharacterSelectorCount + 1] = {
    "キャラ", "味方", "敵", "行動中のキャラ", "リーダー", "所持者", "",
};

const char* const PresenceNames[kPresenceCount + 1] = {"いるなら", "いないなら", ""};

const char* const CursorTargetNames[kCursorTargetCount + 1] = {
    "このイベント", "リーダー", "位置グループで指定", "座標で指定", "",
};

const char* const StatNames[kStatCount + 1] = {"HP", "SP", ""};

const char* const BgmSceneNames[kBgmSceneCount + 1] = {"ステージ", "戦闘", "ワールドマップ", ""};

const char* const OperatorNames[kOperatorCount + 1] = {"＝", "＋", "－", "×", "÷", "％", ""};

const char* const ComparisonNames[kComparisonCount + 1] = {
    "である", "でない", "以上", "以下", "より上", "より下", "",
};
