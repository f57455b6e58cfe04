#pragma once

// Fixture of the battle and map rules: the game-data fixture with a land
// table, and stages drawn as ASCII maps.
//
// Map characters: '.' plain (cost 1), '^' hills (cost 2), '~' marsh (cost 3),
// '#' wall (no entry); a letter is a unit standing on plain land: lower case
// letters are player units, upper case letters enemies, each list in
// alphabetical order. Units are on the map, of class 1, with 100 HP.

#include "../data/GameDataTest.h"
#include "game/data/EnemyUnitRecord.h"
#include "game/scenes/BattleParticipant.h"
#include "game/scenes/StageField.h"
#include "platform/core/Random.h"

#include <array>

#include <cctype>
#include <map>
#include <memory>
#include <string>
#include <vector>

// While it lives, the generator returns these draws in turn, then 0.
class ScriptedDraws
{
public:
    explicit ScriptedDraws(std::vector<int> draws)
        : m_Draws(std::move(draws)), m_Source([this] { return m_nNext < m_Draws.size() ? m_Draws[m_nNext++] : 0; })
    {
    }
    int Used() const { return static_cast<int>(m_nNext); }

private:
    std::vector<int> m_Draws;
    std::size_t m_nNext = 0;
    platform::ScopedRandomSource m_Source;
};

// Lands of the fixture.
constexpr int32_t kLandPlain = 1;
constexpr int32_t kLandHills = 2;
constexpr int32_t kLandMarsh = 3;
constexpr int32_t kLandWall = 4;

class SceneRulesTest : public GameDataTest
{
protected:
    void SetUp() override
    {
        GameDataTest::SetUp();
        const int32_t costs[] = {1, 1, 2, 3, 1};
        LandTable.assign(5, LandRecord());
        for (int i = 0; i < LandTable.Count(); ++i)
        {
            LandTable.At(i).SetDefaults();
            LandTable.At(i).m_nLandA = i;
            LandTable.At(i).m_nMoveCost = costs[i];
        }
        LandTable.At(kLandWall).m_bNoEntry = 1;
    }

    // A participant of class 1 whose nine values (HP, SP, attack, defence,
    // magic, resistance, skill, reaction, speed) are its maxima and current values.
    static BattleParticipant Fighter(const std::array<int32_t, kParameterCount>& values, int32_t side = kSideFriend)
    {
        BattleParticipant fighter;
        fighter.m_strName = side == kSideFriend ? "friend" : "enemy";
        fighter.m_nSide = side;
        fighter.m_nClass = 1;
        for (int k = 0; k < kParameterCount; ++k)
        {
            fighter.m_nMax[k] = values[static_cast<std::size_t>(k)];
            fighter.m_nValue[k] = values[static_cast<std::size_t>(k)];
        }
        return fighter;
    }

    // Makes the global Stage the map of the rows, with its units, and a field on it.
    StageField& DrawStage(const std::vector<std::string>& rows)
    {
        const int32_t width = static_cast<int32_t>(rows.empty() ? 0 : rows[0].size());
        const int32_t height = static_cast<int32_t>(rows.size());
        Stage.ResizeMap(width, height);
        std::map<char, std::pair<int32_t, int32_t>> units;
        for (int32_t y = 0; y < height; ++y)
        {
            for (int32_t x = 0; x < width; ++x)
            {
                const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                Stage.CellAt(x, y) = LandOf(c);
                if (std::isalpha(static_cast<unsigned char>(c)))
                {
                    units[c] = {x, y};
                }
            }
        }
        m_Field = std::make_unique<StageField>(Stage, LandTable);
        m_Players.clear();
        m_Enemies.clear();
        m_PlayerList.clear();
        m_EnemyList.clear();
        m_ByLetter.clear();
        for (const auto& [letter, position] : units)
        {
            CharacterRecord* unit = nullptr;
            if (std::islower(static_cast<unsigned char>(letter)))
            {
                m_Players.push_back(std::make_unique<UnitRecord>());
                m_PlayerList.push_back(m_Players.back().get());
                unit = m_Players.back().get();
            }
            else
            {
                m_Enemies.push_back(std::make_unique<EnemyUnitRecord>());
                m_EnemyList.push_back(m_Enemies.back().get());
                unit = m_Enemies.back().get();
            }
            unit->m_strName = std::string(1, letter);
            unit->m_nClass = 1;
            unit->m_Param[0].m_nBase = 100;
            unit->m_Param[0].m_nValue = 100;
            unit->m_nPlayB = 1;
            m_Field->PlaceUnit(*unit, position.first, position.second);
            m_ByLetter[letter] = unit;
        }
        return *m_Field;
    }

    static int32_t LandOf(char c)
    {
        switch (c)
        {
        case '^':
            return kLandHills;
        case '~':
            return kLandMarsh;
        case '#':
            return kLandWall;
        default:
            return kLandPlain;
        }
    }

    // The unit of a letter.
    UnitRecord& Player(char letter) { return static_cast<UnitRecord&>(*m_ByLetter.at(letter)); }
    EnemyUnitRecord& Enemy(char letter) { return static_cast<EnemyUnitRecord&>(*m_ByLetter.at(letter)); }

    std::unique_ptr<StageField> m_Field;
    std::vector<std::unique_ptr<UnitRecord>> m_Players;
    std::vector<std::unique_ptr<EnemyUnitRecord>> m_Enemies;
    std::vector<UnitRecord*> m_PlayerList;
    std::vector<EnemyUnitRecord*> m_EnemyList;
    std::map<char, CharacterRecord*> m_ByLetter;
};
