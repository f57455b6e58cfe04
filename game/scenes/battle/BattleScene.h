#pragma once

// The battle, scene 4: the fight of a friend and an enemy that the stage map
// hands over. The rules live in the exchange (BattleExchange.h); this scene
// runs its states one frame at a time, asks the player for the friend's
// commands, shows the forecasts, the effect animations, the damage numbers,
// the messages and the results, and at the end writes the outcome onto the
// two units and goes back to the stage map, which kept itself alive for the
// return.
//
// The scene is split by concept: BattleScene.cpp (loading, the exchange's
// states and the return) and BattleDrawing.cpp (background, units, timeline,
// windows, effects and popups).

#include "game/data/ItemStack.h"
#include "game/data/UnitRecord.h"
#include "game/engine/Scene.h"
#include "game/engine/ScreenDrawTarget.h"
#include "game/scenes/BattleExchange.h"
#include "game/scenes/MenuBox.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The battle's states.
enum BattleSceneState : int
{
    kBattleFadeIn = 0,
    kBattleNextStep = 1,
    kBattleCommand = 2,
    kBattleAttack = 3,
    kBattleSkill = 4,
    kBattleQuick = 5,
    kBattleItem = 6,
    kBattleEnemy = 7,
    kBattleExecute = 8,
    kBattlePopups = 9,
    kBattleMessages = 10,
    kBattleDefeats = 11,
    kBattleAfter = 12,
    kBattleResults = 13,
    kBattleFadeOut = 14,
};

// The battle commands (rows of the System's battle menu).
enum BattleCommand : int32_t
{
    kBattleCommandAttack = 0,
    kBattleCommandSkill = 1,
    kBattleCommandQuick = 2,
    kBattleCommandItem = 3,
};

// Where the battle draws (screen pixels).
constexpr int kBattleFriendX = 64;
constexpr int kBattleEnemyX = 480;
constexpr int kBattleUnitY = 192;
constexpr int kBattleSpriteSize = 96;
constexpr int kBattleMenuX = 160;
constexpr int kBattleMenuY = 224;
constexpr int kBattleMenuWidth = 80;
constexpr int kBattleForecastX = 184;
constexpr int kBattleForecastY = 224;
constexpr int kBattleForecastWidth = 272;
constexpr int kBattleForecastHeight = 48;
constexpr int kBattleListX = 216;
constexpr int kBattleListY = 104;
constexpr int kBattleListRows = 10;
constexpr int kBattleNameBoxX = 256;
constexpr int kBattleNameBoxY = 80;
constexpr int kBattleStatusWidth = 318;
constexpr int kBattleStatusHeight = 176;
constexpr int kBattleStatusY = 480 - kBattleStatusHeight;
constexpr int kBattleTimelineX = 16;
constexpr int kBattleTimelineY = 8;
// The effect animation's frames on the effect sheet.
constexpr int kBattleEffectWidth = 128;
constexpr int kBattleEffectHeight = 48;

// Frames (at 60 fps) of the battle's waits and animations.
constexpr int kBattleStepFrames = 12;     // before the exchange runs on (a step a frame after it)
constexpr int kBattleSoundFrame = 14;     // the effect's sound starts
constexpr int kBattleEffectFrames = 5;    // frames of an effect animation
constexpr int kBattleEffectFrameTime = 6; // frames each of them shows
constexpr int kBattleMessageFrames = 70;  // each action message

// The surfaces the battle loads: the timeline marks, the effects, the work
// surface of the effects, the number glyphs and the battle figures facing
// left (the enemy's). The background (surface 21) follows the land.
inline constexpr int kBattleSurfaces[] = {8, 16, 17, 18, 19};
constexpr int kBattleSurfaceBackground = 21;
// The channel the battle music plays on.
constexpr int kBattleMusicChannel = 1;
// The background of a land without one of its own.
inline constexpr const char* kDefaultBattleBack = "bmp\\back\\デフォルト.bmp";

// What a battle is fought between: the friend, the enemy, the land under the
// attacked unit, which side started it and how much of the experience counts.
struct BattleSetup
{
    UnitRecord* m_pFriend = nullptr;
    EnemyRecord* m_pEnemy = nullptr;
    int32_t m_nLand = 0;
    bool m_bFriendAttacks = true;
    int32_t m_nExperiencePercent = 100;
};

class BattleScene : public Scene
{
public:
    // target: what the scene draws on (null: the screen's back buffer).
    explicit BattleScene(SceneManager& manager, DrawTarget* target = nullptr);
    ~BattleScene() override;

    // The battle to fight in place of the stage map's pair (before the first frame).
    void SetBattle(const BattleSetup& setup);

    BattleExchange& Exchange() { return m_Exchange; }
    // The command rows of the menu (rows of the System's battle menu).
    const std::vector<int32_t>& Commands() const { return m_Commands; }
    // The result line shown now (its position in the exchange's result lines).
    int ResultLine() const { return m_nResultLine; }
    // The file the background was loaded from.
    const std::string& Background() const { return m_strBackground; }

    // The debug key: the friend's HP and SP back to their maxima.
    void RestoreFirstParticipant() override;

protected:
    void LoadResources() override;
    int RunState(int state) override;
    void Draw() override;
    void OnLeft(int nextScene) override;

private:
    // ---- the states (BattleScene.cpp) ----
    int NextStep();
    int CommandMenu();
    int AttackForecast();
    int SkillChoice();
    int ItemChoice();
    int EnemyAction();
    int ExecuteStep();
    int Popups();
    int Messages();
    int Defeats();
    int AfterAction();
    int Results();
    // The friend's turn starts at the command menu, opened on its first row.
    void OpenCommandMenu();
    // Button 1 confirms the forecast (state 8); button 2 goes back to the
    // command menu, closing the list the action was chosen from.
    int ConfirmForecast();
    // A skill or item list of count rows: button 1 on a row that choose
    // accepts (it chooses the row's action) shows the forecast; button 2
    // goes back to the command menu.
    int ListStep(int count, const std::function<bool(int row)>& choose);
    // Pops the levels of the battle's menus.
    void CloseMenus() const;
    // Loads the background of the battle land, or the default one.
    void LoadBackground();
    // The effect animation's row and the sound file of the chosen action:
    // the skill's, the item's or the equipped weapon's (row 0 and no sound
    // without a weapon; the attack's sound then plays for a weapon attack,
    // none for a skill or item without a sound of its own).
    struct ActionLook
    {
        int32_t m_nRow = 0;
        std::string m_strSound;
    };
    ActionLook LookOfAction() const;
    // The pair, the land and the attacking side that the stage map hands over.
    static BattleSetup SetupFromStage(SceneManager& manager);

    // ---- drawing (BattleDrawing.cpp) ----
    void DrawBattle();
    void DrawBackground() const;
    void DrawTimeline() const;
    void DrawParticipant(const BattleParticipant& participant, int x) const;
    void DrawStatus(const BattleParticipant& participant, int x) const;
    void DrawForecast() const;
    void DrawSkillList() const;
    void DrawItemList() const;
    void DrawEffect() const;
    void DrawPopup(const BattleParticipant& participant, int x) const;
    void DrawMessage(const std::string& text) const;
    // Turns the six colour blocks of the effects one step per frame-scale frames.
    void RotateEffectColours(int frame) const;
    int UnitX(const BattleParticipant& participant) const;

    ScreenDrawTarget m_ScreenTarget;
    DrawTarget& m_Target;
    bool m_bLoaded = false;
    bool m_bSetupGiven = false;
    BattleSetup m_Setup;
    BattleExchange m_Exchange;
    std::string m_strBackground;

    std::vector<int32_t> m_Commands;
    std::unique_ptr<MenuBox> m_pMenu;
    bool m_bQuickMode = false;
    std::string m_strCommandName; // the name of the chosen command (the forecast's first line)
    ItemList m_Items;             // the party's items shown in the item list
    int32_t m_nListFirst = 0;
    int m_nCursorBase = 1; // levels of the menu cursor below the battle's
    int m_nFrame = 0;      // frames in the current state
    int m_nTick = 0;       // frames drawn, for the figures' standing looks
    int m_nMessage = 0;    // the action message shown
    int m_nResultLine = 0; // the result line shown
    bool m_bShowForecast = false;
    bool m_bEffectSoundOwn = false; // the spare sound group holds the action's own sound
};
