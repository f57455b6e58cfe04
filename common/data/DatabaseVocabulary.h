#pragma once

// The fixed word lists of the database records. A record stores a choice as a
// row number into one of these lists; the order of every list is part of the
// file format. Each list ends with one extra "" that marks its end (list
// controls fill themselves until they meet it).

#include <span>

class WordList
{
public:
    // words: the entries in row order followed by the closing "".
    constexpr explicit WordList(std::span<const char* const> words) : m_Words(words) {}

    // Number of visible entries (the closing "" not counted).
    constexpr int Count() const { return static_cast<int>(m_Words.size()) - 1; }
    // The entry of a row; "" for a row outside the list.
    constexpr const char* At(int row) const
    {
        return row >= 0 && row < Count() ? m_Words[static_cast<std::size_t>(row)] : "";
    }
    // Every entry, the closing "" included.
    constexpr std::span<const char* const> Words() const { return m_Words; }

private:
    std::span<const char* const> m_Words;
};

// Battle AI: the action of an entry, the subject and the parameter of a condition.
extern const WordList BattleAiActionNames;
extern const WordList AiSubjectNames;
// Rows 0-8 are also the names of the nine parameters in their fixed order.
extern const WordList AiConditionParamNames;

// Items: kind (1 a weapon, 2 other equipment) and colour animation.
extern const WordList ItemKindNames;
extern const WordList ItemColorNames;

// Lands: the special effect.
extern const WordList LandEffectNames;

// Movement AI: mode, range and target (row 8 goes to a position group).
extern const WordList MoveAiModeNames;
extern const WordList MoveAiRangeNames;
extern const WordList MoveAiTargetNames;

// Skills: kind, target, special effect and colour animation (the same words as
// the items' colours, a list of its own).
extern const WordList SkillKindNames;
extern const WordList SkillTargetNames;
extern const WordList SkillSpecialNames;
extern const WordList SkillColorNames;

// System: the four music slots (the order of SystemRecord::m_strBgm) and the
// three scenes whose music the event command that changes music replaces.
extern const WordList BgmSlotNames;
extern const WordList BgmChangeSceneNames;

// System: the commands of the five in-game menus, by entry index of their lists.
extern const WordList FormationMenuNames;
extern const WordList PlacementMenuNames;
extern const WordList MapCharaMenuNames;
extern const WordList MapMenuNames;
extern const WordList BattleCharaMenuNames;
