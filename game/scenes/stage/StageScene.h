#pragma once

// The stage map, scene 3: the tactical map of one stage (the global Stage).
// It loads the stage's enemies and the party's deployment area, runs the
// preparation (deployment, swaps, undoing, a look at the map, the
// conditions), the player phase (select, move, the command menu with fight,
// wait, skills and items, the map menu), the turns and the enemy phase, and
// calls the stage's events at the trigger points of play.
//
// The scene is split by concept: StageScene.cpp (states, turns and trigger
// points), StageLoading.cpp, StageDrawing.cpp (map, units, events, ranges,
// cursor and view), StagePreparation.cpp, StageConditions.cpp,
// StagePlayerPhase.cpp and StageMapMenu.cpp.
//
// The map cursor is the scene's own (m_nCursorX, m_nCursorY); the view of
// 20 x 15 cells follows it so that it stands at view cell (9, 7). Menus and
// lists push a level of the MenuCursor stack while they are open.

#include "game/data/EnemyUnitRecord.h"
#include "game/data/UnitRecord.h"
#include "game/engine/Scene.h"
#include "game/engine/ScreenDrawTarget.h"
#include "game/scenes/EnemyTargeting.h"
#include "game/scenes/EventInterpreter.h"
#include "game/scenes/MapRanges.h"
#include "game/scenes/StageField.h"
#include "game/scenes/shop/Shop.h"
#include "game/scenes/stage/StageEventHost.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The stage's states.
enum StageState : int
{
    kStageFadeIn = 0,
    kStagePreparation = 1,
    kStageDeploy = 2,
    kStageSwap = 3,
    kStageUndeploy = 4,
    kStageLookAtMap = 5,
    kStageConditions = 6,
    kStageBegin = 7,
    kStagePlayerMap = 8,
    kStageMove = 9,
    kStageSpecialCommand = 10, // 10 + unit command kind
    kStageFight = 11,
    kStageEndAction = 12,
    kStageSkill = 13,
    kStageItem = 14,
    kStageMapMenu = 15,
    kStageSearch = 16, // 16 + map menu entry
    kStageMapConditions = 17,
    kStageInventory = 18,
    kStageTurnEnd = 19,
    kStageBattleStart = 20,
    kStageEnemyPhase = 21,
    kStageEnemyAction = 22,
    kStageVictory = 26,
    kStageGameOver = 27,
    kStageFadeOut = 28,
};

// The view: cells of 32 px, 20 x 15 of them, the cursor at view cell (9, 7).
constexpr int kCellSize = 32;
constexpr int kViewColumns = 20;
constexpr int kViewRows = 15;
constexpr int kViewCursorColumn = 9;
constexpr int kViewCursorRow = 7;

// Where the scene draws its windows.
constexpr int kPrepMenuX = 32;
constexpr int kPrepMenuY = 192;
constexpr int kPrepMenuWidth = 144;
constexpr int kPartyGridX = 208;
constexpr int kPartyGridY = 192;
constexpr int kPartyGridColumns = 8;
constexpr int kCommandMenuX = 208;
constexpr int kCommandMenuY = 224;
constexpr int kCommandMenuWidth = 80;
constexpr int kMapMenuX = 264;
constexpr int kMapMenuY = 192;
constexpr int kMapMenuWidth = 144;
constexpr int kTurnEndMenuX = 256;
constexpr int kTurnEndMenuY = 224;
constexpr int kStatusX = 16;
constexpr int kStatusY = 16;
constexpr int kListX = 216;
constexpr int kListY = 216;
constexpr int kListRows = 10;
constexpr int kInventoryViewX = 216;
constexpr int kInventoryViewY = 48;
constexpr int kInventoryViewRows = 20;
constexpr int kMoneyBoxX = 16;
constexpr int kMoneyBoxY = 460;
constexpr int kLandInfoY = 440;
constexpr int kDescriptionX = 16;
constexpr int kDescriptionY = 400;
constexpr int kConditionsX = 72;
constexpr int kConditionsY = 72;
constexpr int kConditionsWidth = 496;
constexpr int kConditionsHeight = 336;
constexpr int kMenuRowHeight = 16;

// The surfaces and fonts the stage loads: the window pattern, the icons,
// the accessories, the faces, the map chips, the unit chips, the event
// graphics and the victory and game-over pictures; the standard and the grey
// font.
inline constexpr int kStageSurfaces[] = {2, 5, 6, 7, 12, 13, 15, 20};
inline constexpr int kStageFonts[] = {0, 1};
// The channel and track the stage's music plays on.
constexpr int kStageMusicChannel = 0;

// The message shown when the attack would start without the leader on the map.
inline constexpr const char* kLeaderMissingText = "リーダーをはいちしてください！";

// What the battle scene takes from the stage: the player-side and the
// enemy-side unit of the fight and the land under the attacked unit.
struct StageBattle
{
    UnitRecord* m_pPlayer = nullptr;
    EnemyUnitRecord* m_pEnemy = nullptr;
    int32_t m_nLand = 0;
};

class StageScene : public Scene
{
public:
    // target: what the scene draws on (null: the screen's back buffer).
    explicit StageScene(SceneManager& manager, DrawTarget* target = nullptr);
    ~StageScene() override;

    // ---- what the battle and the events work with ----

    StageField* Field() const { return m_pField.get(); }
    int32_t Turn() const { return m_nTurn; }
    bool IsPlayerPhase() const { return m_bPlayerPhase; }
    bool StageClearedBefore() const { return m_bClearedBefore; }
    // The deployed player units (party order, once the attack has started) and the enemies (placement order).
    const std::vector<UnitRecord*>& Players() const { return m_Players; }
    const CheckedVector<EnemyUnitRecord*>& Enemies() const { return m_Enemies; }
    UnitRecord* Leader() const { return m_pLeader; }
    // The unit whose action runs: the selected unit in the player phase, the acting enemy in the enemy phase.
    CharacterRecord* ActingUnit() const;
    const StageBattle& Battle() const { return m_Battle; }
    // The stage's events in play: their pages, conditions and holders, and
    // the trigger points that run them on the event thread.
    EventInterpreter& Events() { return m_Events; }

    // The deployment area: the points of the stage's start group.
    const CheckedVector<MapPoint>& DeploymentArea() const { return m_DeploymentArea; }
    // The preparation menu's and the map menu's entries (positions in the System's lists).
    const std::vector<int>& PreparationMenu() const { return m_PrepMenu; }
    const std::vector<int>& MapMenu() const { return m_MapMenu; }
    // The command menu of the unit that has moved (unit command kinds).
    const std::vector<int>& UnitCommands() const { return m_Commands; }

    // The map cursor and the top-left cell of the view (which may lie outside the map).
    int32_t CursorX() const { return m_nCursorX; }
    int32_t CursorY() const { return m_nCursorY; }
    int32_t ViewX() const { return m_nCursorX - kViewCursorColumn; }
    int32_t ViewY() const { return m_nCursorY - kViewCursorRow; }
    // Puts the map cursor on a cell, kept inside the map; the view follows.
    void MoveCursorTo(int32_t x, int32_t y);

    // The map as it stands: lands, the highlighted cells, the active units,
    // the events with an active page, the cursor and the land box.
    void DrawMap(DrawTarget& target) const;

    // ---- trigger points ----

    // Runs the stage's events of one trigger for a unit (null: none), each
    // page on the event thread while this thread serves its requests: the
    // event result (kEventResultNone, ...StageClear, ...GameOver).
    int RunTriggerPoint(int32_t trigger, CharacterRecord* unit);
    // The triggers in order, stopping at the first event result; a stage
    // clear moves the scene to kStageVictory, a game over to kStageGameOver.
    int RunTriggers(std::initializer_list<int32_t> triggers, CharacterRecord* unit);

    // The turn flow, each with its trigger points; each returns the event
    // result that stopped it (the scene then is on victory or game over).
    int StartPlayerTurn();
    // Every party unit's acted flag off, the player phase off.
    int EndPlayerTurn();
    int StartEnemyTurn();
    // Every enemy's acted flag off, the player phase on, the next turn.
    int EndEnemyTurn();
    // The unit has acted: its acted flag, then its side's, the common and the holder's trigger.
    int EndAction(CharacterRecord& unit);

protected:
    void LoadResources() override;
    int FadeIn() override;
    int RunState(int state) override;
    void Draw() override;
    void OnLeft(int nextScene) override;

private:
    friend class StageEventHost;

    // ---- loading (StageLoading.cpp) ----
    void StartMusic() const;
    void BuildMenus();
    void SizeGrids();
    void ResetParty();
    void PlaceEnemies();
    void SetDeploymentArea();

    // ---- the flow (StageScene.cpp) ----
    void OnFadedIn();
    // The fight starts: its trigger points, then the battle scene.
    int StartBattle();
    // Back from the battle: the stage music again, the battle's trigger
    // points, then the fallen off the map (a fallen friend out of the party).
    void ReturnFromBattle();
    // The trigger points after a battle, by its outcome: false when one of them ended the stage.
    bool RunBattleEndTriggers(CharacterRecord* acting);
    // The enemy phase: the next enemy that can act, or the end of the enemies' turn.
    int EnemyPhase();

    // ---- the acting enemy (StageEnemyPhase.cpp) ----
    // One enemy's action in steps, each shown for a while: its movement
    // range; its decision and its move; its target marked; a wait; the deed
    // (the battle, a skill on its target, or nothing).
    int EnemyAction();
    // The step's time is up (counted in m_nStepFrames).
    bool StepShown();
    // The acting enemy's action ends; the next enemy follows.
    void EndEnemyAction();

    // ---- the end of the stage (StageEndings.cpp) ----
    int Victory();
    int GameOver();
    // The reward of this clear: the prize, or its repeat percentage when
    // the stage was cleared before.
    int32_t ClearReward() const;
    // One frame of the victory's or the game over's picture: its wipe
    // started at wipeLength, run (button 1 ends it at once), then the picture
    // shown; true in the frame in which button 1 closes it.
    bool EndingFrame(int wipeLength);
    // The victory or game-over picture revealed by its wipe, the reward under it.
    void DrawEnding() const;
    // The unit is active, has not acted and belongs to the side of the phase.
    bool CanAct(const CharacterRecord& unit) const;

    // ---- cursor, view and drawing (StageDrawing.cpp) ----
    // Moves the map cursor with the frame's directions (three cells while
    // button 3 is held) and toggles the land box with button 4.
    void MapCursorStep();
    // The frame's picture: the map, then what the state shows over it.
    void DrawScene();
    void DrawHighlight(DrawTarget& target) const;
    void DrawUnits(DrawTarget& target) const;
    void DrawEvents(DrawTarget& target) const;
    void DrawCursor(DrawTarget& target) const;
    void DrawLandBox(DrawTarget& target) const;
    // A box of rows of text at (x, y) with the menu pointer on the current cursor row.
    void DrawMenu(int x, int y, int width, const std::vector<const char*>& texts, int cursorRow) const;
    void DrawPointer(int x, int y) const;
    void DrawMessage(const char* text) const;
    void DrawMoneyBox() const;
    // Which look of the blinking highlights and of the events shows now.
    int BlinkLook() const;
    int EventLook() const;

    // What the map highlights in the current state.
    enum Highlight
    {
        kHighlightNone,
        kHighlightMovement, // m_Movement
        kHighlightAttack,   // m_AttackRange
        kHighlightArea,     // the deployment area
        kHighlightGroup,    // the points of position group m_nHighlightGroup
    };
    Highlight CurrentHighlight() const;
    // The states of the preparation that show the deployment area and their own windows.
    static bool IsPreparationState(int state);

    // Opens a list level on a row of a list of rows lines with its title row
    // at (x, y), scrolled (first) so that the row shows.
    static void OpenList(int row, int count, int rows, int x, int y, int32_t& first);

    // ---- the unit's status and skills (StageDrawing.cpp) ----
    // Opens the status and the skill list of a unit over the map.
    void OpenUnitInfo(CharacterRecord* unit);
    // A free look at the map: the cursor moves, button 1 on a unit shows its
    // status and skills. True when button 2 ends the look.
    bool FreeLookStep();
    // The frame of the open unit info: true while it stays open.
    bool UnitInfoStep();

    // ---- preparation (StagePreparation.cpp) ----
    int Preparation();
    int Deploy();
    int Swap();
    int Undeploy();
    int LookAtMap();
    int Begin();
    bool InDeploymentArea(int32_t x, int32_t y) const;
    void DrawPreparation() const;
    // Opens a menu level at a row, or the remembered one.
    void OpenMenu(int row);

    // ---- the conditions (StageConditions.cpp) ----
    int Conditions();
    void SaveReturnState(int state);
    void DrawConditions() const;

    // ---- player phase (StagePlayerPhase.cpp) ----
    int PlayerMap();
    int Move();
    int SpecialCommand();
    int Fight();
    int EndSelectedAction();
    int Skill();
    int Item();
    void BuildCommands();
    // The unit back to the cell it started its move from.
    void UndoMove();
    // Puts a unit on a cell, its held event with it.
    void PlaceOnMap(CharacterRecord& unit, int32_t x, int32_t y);
    // The targets of a skill or an item: the unit's cell and its four neighbours.
    void ShowReachOfOne();
    // The command menu of the unit that has moved, opened again on its row.
    void BackToCommands();
    // The list of a skill or an item command, count rows: button 1 on a row
    // that choose accepts (it takes the row's skill or item) shows its reach;
    // button 2 goes back to the command menu.
    int ListStep(int count, const std::function<bool(int row)>& choose);
    // The choice of the target of a skill or an item within that reach: use
    // tells whether it was used on the unit (else the choice is refused); a
    // use ends the unit's action, button 2 goes back to the list.
    int TargetStep(const std::function<bool(CharacterRecord& target)>& use);
    void DrawPlayerPhase() const;

    // ---- map menu (StageMapMenu.cpp) ----
    int MapMenuState();
    int Search();
    int Inventory();
    int TurnEnd();
    void DrawMapMenu() const;

    ScreenDrawTarget m_ScreenTarget;
    DrawTarget& m_Target;
    bool m_bLoaded = false;

    std::unique_ptr<StageField> m_pField;
    MovementRange m_Movement; // of the selected unit, or of an enemy looked at
    CellGrid m_AttackRange;   // the reach of the fight, the skill or the item
    EnemyAiGrids m_AiGrids;   // of the acting enemy's decision

    CheckedVector<EnemyUnitRecord> m_EnemyUnits;
    CheckedVector<EnemyUnitRecord*> m_Enemies;
    std::vector<UnitRecord*> m_Players;
    CheckedVector<MapPoint> m_DeploymentArea;

    std::vector<int> m_PrepMenu;
    std::vector<int> m_UnitMenu; // the enabled command kinds
    std::vector<int> m_MapMenu;
    std::vector<int> m_Commands; // of the unit that has moved
    std::string m_strSpecialName;

    UnitRecord* m_pLeader = nullptr;
    UnitRecord* m_pSelected = nullptr;
    UnitRecord* m_pPicked = nullptr; // the unit chosen in the deployment grid
    EnemyUnitRecord* m_pActingEnemy = nullptr;
    CharacterRecord* m_pInfoUnit = nullptr; // whose status and skills are shown
    StageBattle m_Battle;

    int32_t m_nTurn = 1;
    bool m_bPlayerPhase = true;
    bool m_bClearedBefore = false;

    int32_t m_nCursorX = 0;
    int32_t m_nCursorY = 0;
    int32_t m_nStartX = 0; // where the moving unit started
    int32_t m_nStartY = 0;
    int32_t m_nFirstX = 0; // the first point of a swap
    int32_t m_nFirstY = 0;
    int32_t m_nHighlightGroup = 0; // 0: none
    uint32_t m_nFrame = 0;         // frames drawn, for the blinking looks

    int m_nPrepRow = 0;
    int m_nGridSlot = 0;
    int m_nMapMenuRow = 0;
    int m_nCommandRow = 0;
    int32_t m_nListFirst = 0;
    int32_t m_nInfoFirst = 0;
    EnemyDecision m_Decision; // of the acting enemy
    int m_nStepFrames = 0;    // frames the acting enemy's step has been shown
    int m_nWipe = 0;          // what is left of the victory or game-over wipe
    int m_nWipeLength = 1;    // where it started
    int32_t m_nReward = 0;    // money of the victory

    int m_nSkillSlot = 0;   // the skill being used (position in the unit's skills)
    int32_t m_nItem = 0;    // the item being used
    int m_nReturnState = 0; // where the conditions return to
    int m_nConditionRow = 0;
    const char* m_pszMessage = nullptr; // a message shown centred until button 1

    Shop m_Shop{ShopOwner::Stage}; // opened by the event command "お店"
    StageEventHost m_EventHost{*this};
    EventInterpreter m_Events{m_EventHost};
};
