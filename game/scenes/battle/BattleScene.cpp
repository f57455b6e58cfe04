#include "game/scenes/battle/BattleScene.h"

#include "common/data/DatabaseVocabulary.h"
#include "common/data/ProjectData.h"
#include "common/data/RecordRules.h"
#include "common/data/StageRecord.h"
#include "game/data/GameData.h"
#include "game/data/RecordDrawing.h"
#include "game/data/SoundRequests.h"
#include "game/engine/Display.h"
#include "game/engine/GameMusic.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/SceneManager.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/SystemIni.h"
#include "game/scenes/BattleAi.h"
#include "game/scenes/BattleEffects.h"
#include "game/scenes/BattleResults.h"
#include "game/scenes/stage/StageScene.h"

#include <algorithm>
#include <functional>
#include <iterator>

namespace
{

// The battle music is the second of the System's music names.
constexpr int kBattleMusicName = 1;

} // namespace

BattleScene::BattleScene(SceneManager& manager, DrawTarget* target)
    : Scene(manager, kSceneBattle, kBattleFadeOut, kInputButton1 | kInputButton2),
      m_Target(target ? *target : m_ScreenTarget)
{
    m_Exchange.SetBackgroundHandler([this] { LoadBackground(); });
}

BattleScene::~BattleScene()
{
    if (m_bLoaded)
    {
        DDReleaseSurfaces(Surfaces, kBattleSurfaces, static_cast<int>(std::size(kBattleSurfaces)));
        Surfaces[kBattleSurfaceBackground].Release();
    }
}

void BattleScene::SetBattle(const BattleSetup& setup)
{
    m_Setup = setup;
    m_bSetupGiven = true;
}

BattleSetup BattleScene::SetupFromStage(SceneManager& manager)
{
    BattleSetup setup;
    const auto* stage = dynamic_cast<const StageScene*>(manager.SceneOf(kSceneStage));
    if (!stage)
    {
        return setup;
    }
    const StageBattle& pair = stage->Battle();
    setup.m_pFriend = pair.m_pPlayer;
    setup.m_pEnemy = pair.m_pEnemy;
    setup.m_nLand = pair.m_nLand;
    // The side whose phase it is started the fight.
    setup.m_bFriendAttacks = stage->IsPlayerPhase();
    setup.m_nExperiencePercent = StageExperiencePercent(Stage, stage->StageClearedBefore());
    return setup;
}

void BattleScene::RestoreFirstParticipant()
{
    m_Exchange.Friend().RestoreHpSp();
}

// ---- loading ----

void BattleScene::LoadResources()
{
    // The System's battle tune; without one the track keeps its preset file.
    PostSceneMusic(kSceneBattle, Manager().PreviousScene(), kBattleMusicChannel, kMusicBattle,
                   System.m_strBgm[kBattleMusicName]);

    // The battle's menus stack above the levels the stage map left open.
    m_nCursorBase = MenuCursor.Count();
    m_bLoaded = true;
    if (!DDLoadSurfaces(Surfaces, kBattleSurfaces, static_cast<int>(std::size(kBattleSurfaces))))
    {
        throw SceneFailure("ビットマップの読み込みに失敗！");
    }
    if (!m_bSetupGiven)
    {
        m_Setup = SetupFromStage(Manager());
    }
    if (!m_Setup.m_pFriend || !m_Setup.m_pEnemy)
    {
        throw SceneFailure("BattleScene::LoadResources 戦闘するユニットがありません");
    }
    m_Commands = BuildBattleCommands();
    m_Exchange.Begin(*m_Setup.m_pFriend, *m_Setup.m_pEnemy, m_Setup.m_nLand, m_Setup.m_bFriendAttacks,
                     m_Setup.m_nExperiencePercent);
    LoadBackground();
}

void BattleScene::LoadBackground()
{
    const int32_t land = m_Exchange.State().m_nLand;
    Surface& surface = Surfaces[kBattleSurfaceBackground];
    const SurfaceDef& def = SurfaceDefs[kBattleSurfaceBackground];
    surface.Release();
    std::string file = land >= 0 && land < LandTable.Count() ? LandTable.At(land).m_strBack : std::string();
    auto load = [&](const std::string& name)
    {
        return !name.empty() && DDLoadBitmapToSurface(surface, name, def.m_nColourKey, Display.m_nDepth, def.m_nMemory,
                                                      0, 0, 0) == kDDOk;
    };
    if (!load(file))
    {
        file = kDefaultBattleBack;
        if (!load(file))
        {
            m_strBackground.clear();
            throw SceneFailure("背景ビットマップの読み込みに失敗！");
        }
    }
    m_strBackground = file;
}

// ---- states ----

int BattleScene::RunState(int state)
{
    ++m_nFrame;
    int result = 1;
    switch (state)
    {
    case kBattleNextStep:
        result = NextStep();
        break;
    case kBattleCommand:
        result = CommandMenu();
        break;
    case kBattleAttack:
        result = AttackForecast();
        break;
    case kBattleSkill:
    case kBattleQuick:
        result = SkillChoice();
        break;
    case kBattleItem:
        result = ItemChoice();
        break;
    case kBattleEnemy:
        result = EnemyAction();
        break;
    case kBattleExecute:
        result = ExecuteStep();
        break;
    case kBattlePopups:
        result = Popups();
        break;
    case kBattleMessages:
        result = Messages();
        break;
    case kBattleDefeats:
        result = Defeats();
        break;
    case kBattleAfter:
        result = AfterAction();
        break;
    case kBattleResults:
        result = Results();
        break;
    default:
        break;
    }
    if (m_nState < kBattleFadeOut)
    {
        DrawBattle();
    }
    return result;
}

void BattleScene::Draw()
{
    DrawBattle();
}

void BattleScene::CloseMenus() const
{
    while (MenuCursor.Count() > m_nCursorBase)
    {
        MenuCursor.Pop(1);
    }
}

void BattleScene::OnLeft(int)
{
    CloseMenus();
    // The stage map may be deleted again from now on.
    Manager().SetKeepFlag(0);
    SetState(-1);
}

int BattleScene::NextStep()
{
    if (m_nSubState == 0)
    {
        m_nFrame = 0;
        m_nSubState = 1;
    }
    if (m_nFrame < ScaledFrames(kBattleStepFrames))
    {
        return 1;
    }
    switch (m_Exchange.NextTurn())
    {
    case kFriendActs:
        OpenCommandMenu();
        break;
    case kEnemyActs:
        SetState(kBattleEnemy);
        break;
    case kBattleOver:
        SetState(kBattleResults);
        break;
    default:
        // Nobody acts yet: the timelines are planned again, and the next frame adds a step.
        break;
    }
    return 1;
}

void BattleScene::OpenCommandMenu()
{
    std::string lines;
    // One row a command: no line break after the last, or the menu would get an empty row past the commands.
    for (std::size_t i = 0; i < m_Commands.size(); ++i)
    {
        if (i > 0)
        {
            lines += '\n';
        }
        lines += BattleCharaMenuNames.At(m_Commands[i]);
    }
    m_pMenu = std::make_unique<MenuBox>(lines, kBattleMenuX, kBattleMenuY, kBattleMenuWidth);
    m_bQuickMode = false;
    m_bShowForecast = false;
    CloseMenus();
    m_pMenu->Open(0);
    SetState(kBattleCommand);
}

int BattleScene::CommandMenu()
{
    InputState& input = Input();
    PlayCursorSound(m_pMenu->Move(input), kCursorAxisVertical, kSeCursor);
    if (!(input.m_nButtons & kInputButton1))
    {
        return 1;
    }
    const int32_t command = m_Commands[static_cast<std::size_t>(m_pMenu->Row())];
    m_strCommandName = BattleCharaMenuNames.At(command);
    switch (command)
    {
    case kBattleCommandAttack:
        RequestSound(kSeChoice);
        SetState(kBattleAttack);
        break;
    case kBattleCommandSkill:
        RequestSound(kSeChoice);
        SetState(kBattleSkill);
        break;
    case kBattleCommandQuick:
        if (!m_Exchange.CanUseQuick())
        {
            RequestSound(kSeRefusal);
            break;
        }
        RequestSound(kSeChoice);
        m_bQuickMode = true;
        SetState(kBattleQuick);
        break;
    default:
        RequestSound(kSeChoice);
        SetState(kBattleItem);
        break;
    }
    return 1;
}

int BattleScene::ConfirmForecast()
{
    InputState& input = Input();
    if (input.m_nButtons & kInputButton1)
    {
        RequestSound(kSeChoice);
        CloseMenus();
        SetState(kBattleExecute);
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        m_bShowForecast = false;
        // Back to the command menu, from a list's forecast as from the attack's.
        if (m_nState != kBattleAttack)
        {
            MenuCursor.Pop(1);
            m_bQuickMode = false;
        }
        SetState(kBattleCommand, 1);
    }
    return 1;
}

int BattleScene::AttackForecast()
{
    if (m_nSubState == 0)
    {
        m_Exchange.ChooseAction(BattleAction{kActionWeapon, 0, 0});
        m_bShowForecast = true;
        m_nSubState = 1;
        return 1;
    }
    return ConfirmForecast();
}

int BattleScene::ListStep(int count, const std::function<bool(int row)>& choose)
{
    if (m_nSubState == 2)
    {
        return ConfirmForecast();
    }
    InputState& input = Input();
    MoveList(MenuCursor, input, true, m_nListFirst, kBattleListY + kListRowHeight, kListRowHeight, kBattleListX,
             kBattleListRows, count, true);
    PlayCursorSound(input.m_nDirections, kCursorAxisHorizontal | kCursorAxisVertical, kSeCursor);
    if (input.m_nButtons & kInputButton1)
    {
        const int row = MenuCursor.Current().m_nRow;
        if (row >= count || !choose(row))
        {
            RequestSound(kSeRefusal);
            return 1;
        }
        RequestSound(kSeChoice);
        m_bShowForecast = true;
        m_nSubState = 2;
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        MenuCursor.Pop(1);
        m_bQuickMode = false;
        SetState(kBattleCommand, 1);
    }
    return 1;
}

int BattleScene::SkillChoice()
{
    const BattleParticipant& actor = m_Exchange.Friend();
    if (m_nSubState == 0)
    {
        MenuCursor.PushAt(0, 0);
        m_nListFirst = 0;
        m_bShowForecast = false;
        m_nSubState = 1;
    }
    return ListStep(
        actor.m_Skill.Count(),
        [&](int row)
        {
            const int32_t skill = actor.m_Skill.At(row).m_nSkill;
            if (!IsTableIndex(skill, SkillTable.Count()) || !CanUseSkill(actor, SkillTable.At(skill), m_bQuickMode))
            {
                return false;
            }
            m_Exchange.ChooseAction(BattleAction{m_bQuickMode ? kActionQuickSkill : kActionSkill, skill, 0});
            return true;
        });
}

int BattleScene::ItemChoice()
{
    if (m_nSubState == 0)
    {
        m_Items = FilledStacks(Progress.m_Items);
        // The cursor starts on the first medicine.
        const int first = std::max(FindStackOfType(m_Items, 0), 0);
        MenuCursor.PushAt(0, first);
        m_nListFirst = std::max(first - (kBattleListRows - 1), 0);
        m_bShowForecast = false;
        m_nSubState = 1;
    }
    return ListStep(m_Items.Count(),
                    [&](int row)
                    {
                        const int32_t item = m_Items.At(row).m_nItem;
                        if (!IsTableIndex(item, ItemTable.Count()) || !IsItemUsableInBattle(ItemTable.At(item)))
                        {
                            return false;
                        }
                        m_Exchange.ChooseAction(BattleAction{kActionItem, 0, item});
                        return true;
                    });
}

int BattleScene::EnemyAction()
{
    m_Exchange.ChooseEnemyAction();
    const BattleAction& action = m_Exchange.State().m_Action;
    m_strCommandName = action.m_nKind == kActionWeapon ? BattleCharaMenuNames.At(kBattleCommandAttack)
                                                       : SkillTable.At(action.m_nSkill).m_strName;
    m_bShowForecast = false;
    SetState(kBattleExecute);
    return 1;
}

BattleScene::ActionLook BattleScene::LookOfAction() const
{
    const BattleAction& action = m_Exchange.State().m_Action;
    const BattleParticipant* actor = m_Exchange.State().m_Forecast.m_pActor;
    ActionLook look;
    auto take = [&look](const auto& record)
    {
        look.m_nRow = record.m_nGraphic;
        look.m_strSound = record.m_strSound;
    };
    if (action.m_nKind == kActionSkill || action.m_nKind == kActionQuickSkill)
    {
        if (IsTableIndex(action.m_nSkill, SkillTable.Count()))
        {
            take(SkillTable.At(action.m_nSkill));
        }
    }
    else if (action.m_nKind == kActionItem)
    {
        if (IsTableIndex(action.m_nItem, ItemTable.Count()))
        {
            take(ItemTable.At(action.m_nItem));
        }
    }
    else if (actor && actor->WeaponItem() != 0 && IsTableIndex(actor->WeaponItem(), ItemTable.Count()))
    {
        take(ItemTable.At(actor->WeaponItem()));
    }
    return look;
}

int BattleScene::ExecuteStep()
{
    if (m_nSubState == 0)
    {
        m_nFrame = 0;
        // The action's own sound in the spare group; a weapon attack without one has the attack's.
        const std::string sound = LookOfAction().m_strSound;
        m_bEffectSoundOwn = !sound.empty() && DSCreateBufferGropeFromFile(SpareSoundGroup, sound, 1, 0);
        m_nSubState = 1;
    }
    RotateEffectColours(m_nFrame);
    if (m_nFrame == ScaledFrames(kBattleSoundFrame))
    {
        if (m_bEffectSoundOwn)
        {
            DSPlayBufferGroup(SpareSoundGroup, 0);
        }
        else if (m_Exchange.State().m_Action.m_nKind == kActionWeapon)
        {
            RequestSound(kSeAttack);
        }
    }
    static_assert(kBattleEffectFrames * kBattleEffectFrameTime > kBattleSoundFrame, "the sound starts in the effect");
    if (m_nFrame < ScaledFrames(kBattleEffectFrames * kBattleEffectFrameTime))
    {
        return 1;
    }
    Display.m_WorkingPalette = Display.m_SourcePalette;
    m_bShowForecast = false;
    m_Exchange.Execute();
    SetState(kBattlePopups);
    return 1;
}

int BattleScene::Popups()
{
    if (m_nSubState == 0)
    {
        m_Exchange.StartPopups();
        m_nSubState = 1;
    }
    DamagePopup& friendPopup = m_Exchange.PopupOf(m_Exchange.Friend());
    DamagePopup& enemyPopup = m_Exchange.PopupOf(m_Exchange.Enemy());
    if (!friendPopup.IsActive() && !enemyPopup.IsActive())
    {
        SetState(kBattleMessages);
        return 1;
    }
    friendPopup.Advance(FrameRateValues);
    enemyPopup.Advance(FrameRateValues);
    return 1;
}

int BattleScene::Messages()
{
    if (m_nSubState == 0)
    {
        m_nFrame = 0;
        m_nMessage = 0;
        m_nSubState = 1;
    }
    const int count = static_cast<int>(m_Exchange.ActionMessages().size());
    if (m_nFrame >= ScaledFrames(kBattleMessageFrames))
    {
        m_nFrame = 0;
        ++m_nMessage;
    }
    if (m_nMessage >= count)
    {
        SetState(kBattleDefeats);
    }
    return 1;
}

int BattleScene::Defeats()
{
    m_Exchange.MarkDefeats();
    SetState(kBattleAfter);
    return 1;
}

int BattleScene::AfterAction()
{
    switch (m_Exchange.AfterAction())
    {
    case AfterActionStep::Results:
        SetState(kBattleResults);
        break;
    case AfterActionStep::FriendAgain:
        OpenCommandMenu();
        break;
    case AfterActionStep::EnemyAgain:
        SetState(kBattleEnemy);
        break;
    default:
        SetState(kBattleNextStep);
        break;
    }
    return 1;
}

int BattleScene::Results()
{
    if (m_nSubState == 0)
    {
        CloseMenus();
        m_nResultLine = 0;
        m_nSubState = 1;
    }
    const int count = static_cast<int>(m_Exchange.ResultMessages().size());
    if (m_nResultLine < count && !(Input().m_nButtons & kInputButton1))
    {
        return 1;
    }
    if (m_nResultLine < count)
    {
        RequestSound(kSeChoice);
        ++m_nResultLine;
    }
    if (m_nResultLine >= count)
    {
        m_Exchange.WriteBackBoth();
        Leave(kSceneStage);
    }
    return 1;
}
