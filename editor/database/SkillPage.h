#pragma once

// The fourth page of the database, "スキル" (dialog 124): the table of
// skills. Record 0 is never shown; at most 999 skills are listed, each row
// "category-name". A new or cleared skill hits at 100%. The kind chooses the
// target ("対象" only shows it) and the fields that apply:
//
//   kind              target  クイック可        効果値    属性, 必殺率, サブ効果
//   0 武器攻撃        相手    on               on        on
//   1 魔法攻撃        相手    on               on        on
//   2 回復            自分    on               on        on
//   3 ダメージ軽減    自分    on               on        on
//   4 時間            時間    off, unticked    on        off
//   5 補助            自分    on               off       on
//   6 地形            地形    on               on        off
//
// Any other kind keeps the target and enables everything. The learning
// penalty factor is a double with one decimal.

#include "editor/database/EffectRecordPage.h"

enum : int
{
    kIdSkillPage = 124,
    kIdSkillList = 1074,
    kIdSkillTarget = 1085,
    kIdSkillPower = 11083,
    kIdSkillQuick = 1035,
    kIdSkillPenalty = 1150,
};

class SkillPage : public EffectRecordPage<SkillRecord>
{
public:
    explicit SkillPage(DatabaseSheet& sheet);

    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

protected:
    std::vector<std::string> CategoryNames() const override;
    void UpdateEnabledByKind() override;

private:
    CheckedVector<NumberEdit<double>> m_Factors;
};

// What a skill's kind decides; a kind without a rule has target -1 (kept) and everything enabled.
struct SkillKindRule
{
    int m_nTarget;
    int m_bQuick;
    int m_bPower;
    int m_bOthers; // the attribute, the critical rate and the nine sub-effects
};
SkillKindRule SkillKindRuleOf(int kind);
