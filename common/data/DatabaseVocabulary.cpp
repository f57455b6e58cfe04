#include "DatabaseVocabulary.h"

namespace
{

constexpr const char* kBattleAiAction[] = {"攻撃", "スキル", "クイック", ""};
constexpr const char* kAiSubject[] = {"自分", "相手", ""};
constexpr const char* kAiConditionParam[] = {"HP",           "SP",       "こうげき", "まもり", "まりょく", "ていこう",
                                             "わざ",         "はんのう", "はやさ",   "クラス", "レベル",   "ターン",
                                             "残りターン数", "時間",     "地形",     ""};

constexpr const char* kItemKind[] = {"薬", "装備-武器", "装備-その他", "宝", ""};
// The colour animations of items and skills.
constexpr const char* kColor[] = {
    "そのまま（カラーアニメなし）", "そのまま（カラーアニメあり）", "赤", "青", "紫", "黄", "緑", "黒", ""};

constexpr const char* kLandEffect[] = {"なし", "戦闘時間の修正(%)", ""};

constexpr const char* kMoveAiMode[] = {"待機", "戦闘", "回復", ""};
constexpr const char* kMoveAiRange[] = {"マップ全範囲内", "行動範囲内", "自分＋隣4マス内", ""};
constexpr const char* kMoveAiTarget[] = {"最も近い味方",
                                         "最も効果的な味方（武器攻撃計算）",
                                         "最も効果的な味方（魔法攻撃計算）",
                                         "最もHPが低い味方",
                                         "リーダーの味方",
                                         "最も近い敵",
                                         "最も弱っている敵",
                                         "自分自身",
                                         "最も近い目的地",
                                         ""};

constexpr const char* kSkillKind[] = {"武器攻撃", "魔法攻撃", "回復", "ダメージ軽減", "時間", "補助", "地形", ""};
constexpr const char* kSkillTarget[] = {"自分", "相手", "時間", "地形", ""};
constexpr const char* kSkillSpecial[] = {"なし", ""};

constexpr const char* kBgmSlot[] = {"ステージ", "戦闘", "ワールドマップ", "タイトル", ""};
constexpr const char* kBgmChangeScene[] = {"ステージ", "戦闘", "ワールドマップ", ""};

constexpr const char* kFormationMenu[] = {"ステータス", "そうび",       "リーダー", "おみせ", "やとう",
                                          "ふっかつ",   "ほうしゅつ",   "もちもの", "セーブ", "しゅつげき",
                                          "なんいど",   "しゅうりょう", ""};
constexpr const char* kPlacementMenu[] = {"はいち",           "いちこうかん",   "とりけす", "マップをみる",
                                          "じょうけんをみる", "せんとうかいし", ""};
constexpr const char* kMapCharaMenu[] = {"特殊コマンド", "たたかう", "たいき", "スキル", "もちもの", ""};
constexpr const char* kMapMenu[] = {"サーチ", "じょうけんをみる", "もちもの", "ターンしゅうりょう", ""};
constexpr const char* kBattleCharaMenu[] = {"こうげき", "スキル", "クイック", "もちもの", ""};

} // namespace

constinit const WordList BattleAiActionNames(kBattleAiAction);
constinit const WordList AiSubjectNames(kAiSubject);
constinit const WordList AiConditionParamNames(kAiConditionParam);
constinit const WordList ItemKindNames(kItemKind);
constinit const WordList ItemColorNames(kColor);
constinit const WordList LandEffectNames(kLandEffect);
constinit const WordList MoveAiModeNames(kMoveAiMode);
constinit const WordList MoveAiRangeNames(kMoveAiRange);
constinit const WordList MoveAiTargetNames(kMoveAiTarget);
constinit const WordList SkillKindNames(kSkillKind);
constinit const WordList SkillTargetNames(kSkillTarget);
constinit const WordList SkillSpecialNames(kSkillSpecial);
constinit const WordList SkillColorNames(kColor);
constinit const WordList BgmSlotNames(kBgmSlot);
constinit const WordList BgmChangeSceneNames(kBgmChangeScene);
constinit const WordList FormationMenuNames(kFormationMenu);
constinit const WordList PlacementMenuNames(kPlacementMenu);
constinit const WordList MapCharaMenuNames(kMapCharaMenu);
constinit const WordList MapMenuNames(kMapMenu);
constinit const WordList BattleCharaMenuNames(kBattleCharaMenu);
