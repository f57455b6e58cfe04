#include "game/scenes/camp/CampScene.h"

#include "common/data/ProjectData.h"
#include "common/services/TextAndNumbers.h"
#include "game/data/GameData.h"
#include "game/data/SoundRequests.h"
#include "game/engine/GameMusic.h"
#include "game/engine/GameWindow.h"
#include "game/engine/MenuCursor.h"
#include "game/engine/MusicRequests.h"
#include "game/engine/SceneManager.h"
#include "game/engine/SoundEffects.h"
#include "game/engine/TextOutput.h"
#include "platform/core/Format.h"

#include <algorithm>
#include <iterator>

const char* const CampEntryTexts[kCampEntryCount] = {
    "ステータス", "そうび",   "リーダー", "おみせ",     "やとう",   "ふっかつ",
    "ほうしゅつ", "もちもの", "セーブ",   "しゅつげき", "なんいど", "しゅうりょう",
};

namespace
{

constexpr int kSurfaceBackdrop = 11;
// The camp's music is the third of the play-through's music names.
constexpr int kCampMusicName = 2;
constexpr int kCampFonts[] = {kFontStandard, kFontGrey};

std::string MenuLines(const std::vector<int>& entries)
{
    std::string lines;
    for (int entry : entries)
    {
        if (!lines.empty())
        {
            lines += '\n';
        }
        lines += CampEntryTexts[entry];
    }
    return lines;
}

const MenuBox& QuitBox()
{
    static const MenuBox box("ゲームしゅうりょう\nやっぱりやめる", kCentred, kCentred);
    return box;
}

constexpr int kQuitRow = 0;
constexpr int kStayRow = 1;

static_assert(CampScene::kStateQuit == CampScene::kStateStatus + static_cast<int>(kCampQuit));

} // namespace

std::vector<int> BuildCampMenu(const SystemRecord& system)
{
    std::vector<int> entries;
    const int count = std::min<int>(system.m_FormationMenu.Count(), kCampEntryCount);
    for (int i = 0; i < count; ++i)
    {
        if (system.m_FormationMenu.At(i).m_bEnabled)
        {
            entries.push_back(i);
        }
    }
    if (entries.empty())
    {
        entries.push_back(kCampStatus);
    }
    return entries;
}

std::string CampMoneyText()
{
    std::string text = platform::Format("おかね %dS", Progress.m_nMoney);
    if (System.m_bScout)
    {
        text += platform::Format("  スカウト %dP", Progress.m_nScoutPoints);
    }
    return text;
}

CampScene::CampScene(SceneManager& manager, DrawTarget* target)
    : Scene(manager, kSceneCamp, kStateFadeOut), m_Target(target ? *target : m_Screen),
      m_Menu("", kCampMenuX, kCampMenuY, kCampMenuWidth)
{
}

CampScene::~CampScene()
{
    if (m_bLoaded)
    {
        DDReleaseSurfaces(Surfaces, kCampSurfaces, static_cast<int>(std::size(kCampSurfaces)));
        DeleteFonts(TextFonts, kCampFonts, static_cast<int>(std::size(kCampFonts)));
    }
}

void CampScene::LoadResources()
{
    PostSceneMusic(kSceneCamp, Manager().PreviousScene(), kCampMusicChannel, kMusicWorldMap,
                   Progress.m_strMusic[kCampMusicName]);

    m_bLoaded = true;
    if (!DDLoadSurfaces(Surfaces, kCampSurfaces, static_cast<int>(std::size(kCampSurfaces))) ||
        !CreateFonts(TextFonts, kCampFonts, static_cast<int>(std::size(kCampFonts)), FontDefs))
    {
        throw SceneFailure("CampScene::LoadResources 失敗");
    }

    m_Entries = BuildCampMenu(System);
    m_Menu = MenuBox(MenuLines(m_Entries), kCampMenuX, kCampMenuY, kCampMenuWidth);
    m_nMenuRow = 0;
    for (UnitRecord& unit : PartyUnits)
    {
        unit.ClearTurnFlags();
    }
}

int CampScene::RunState(int state)
{
    switch (state)
    {
    case kStateMenu:
        return Menu();
    case kStateStatus:
        return Status();
    case kStateEquipment:
        return Equipment();
    case kStateLeader:
        return Leader();
    case kStateShop:
        return ShopScreen();
    case kStateHire:
        return Recruit(false);
    case kStateRevive:
        return Recruit(true);
    case kStateDismiss:
        return Dismiss();
    case kStateItems:
        return Items();
    case kStateSave:
        return Save();
    case kStateSortie:
        return Sortie();
    case kStateDifficulty:
        return Difficulty();
    case kStateQuit:
        return Quit();
    default:
        return 1;
    }
}

void CampScene::Draw()
{
    DrawBackground();
    DrawPartyGrid(false);
    DrawMoneyBox();
}

void CampScene::OnLeft(int)
{
    MenuCursor.Collapse();
    SetState(-1);
}

void CampScene::DrawBackground(bool withMenu)
{
    if (Surfaces[kSurfaceBackdrop].Get())
    {
        m_Target.Blit(0, 0, kScreenWidth, kScreenHeight, kSurfaceBackdrop, 0, 0);
    }
    else
    {
        m_Target.FillRect(0, 0, kScreenWidth, kScreenHeight, 0);
    }
    if (!withMenu)
    {
        return;
    }
    m_Menu.DrawBox(m_Target);
    if (m_nState != kStateMenu)
    {
        m_Menu.DrawPointerAt(m_Target, m_nMenuRow);
    }
}

void CampScene::DrawMoneyBox()
{
    const std::string text = CampMoneyText();
    m_Target.DrawTextBox(kFontStandard, kCampMoneyX, kCampMoneyY, CountMbChars(text) * kMenuBoxRowHeight,
                         kMenuBoxRowHeight, text, 0, kFontColour);
}

void CampScene::BackToMenu()
{
    MenuCursor.Pop(1);
    SetState(kStateMenu, kSubGrid);
}

void CampScene::CloseQuestion(const MenuBox& box, int sound)
{
    if (sound != kNoSound)
    {
        RequestSound(sound);
    }
    box.Close();
    m_nSubState = kSubGrid;
}

int CampScene::ButtonSound() const
{
    return (Input().m_nButtons & kInputButton1) ? kSeChoice : kSeCancel;
}

void CampScene::AskOrLeave(int entry, const MenuBox& box, int row)
{
    const InputState& input = Input();
    if (input.m_nButtons & kInputButton1)
    {
        RequestSound(kSeChoice);
        m_nPicked = entry;
        box.Open(row);
        m_nSubState = kSubDetail;
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        BackToMenu();
    }
}

int CampScene::MoveListCursor(int32_t& first, int32_t origin, int32_t step, int32_t other, int32_t visible,
                              int32_t items)
{
    InputState& input = Input();
    MoveList(MenuCursor, input, true, first, origin, step, other, visible, items, true);
    PlayCursorSound(input.m_nDirections, kCursorAxisHorizontal | kCursorAxisVertical, kSeCursor);
    return MenuCursor.Current().m_nRow;
}

void CampScene::DrawListPointers(int x, int y, int32_t first, int visible, int marked)
{
    const int row = MenuCursor.Current().m_nRow;
    if (marked >= first && marked < first + visible)
    {
        DrawMenuPointer(m_Target, x, y + kMenuBoxRowHeight * (marked - first), kMenuBoxRowHeight, 1);
    }
    DrawMenuPointer(m_Target, x, y + kMenuBoxRowHeight * (row - first));
}

int CampScene::Menu()
{
    if (m_nSubState == kSubOpen)
    {
        MenuCursor.PushAt(0, m_nMenuRow);
        m_nSubState = kSubGrid;
    }
    InputState& input = Input();
    PlayCursorSound(m_Menu.Move(input), kCursorAxisVertical, kSeCursor);
    DrawBackground();
    m_Menu.DrawPointerAt(m_Target, m_Menu.Row());
    DrawPartyGrid(false);
    DrawMoneyBox();

    if (input.m_nButtons & kInputButton1)
    {
        const int row = std::clamp(m_Menu.Row(), 0, static_cast<int>(m_Entries.size()) - 1);
        const int entry = m_Entries[static_cast<std::size_t>(row)];
        if ((entry == kCampHire && Progress.m_HireList.empty()) ||
            (entry == kCampRevive && Progress.m_FallenList.empty()))
        {
            RequestSound(kSeRefusal);
            return 1;
        }
        RequestSound(kSeChoice);
        m_nMenuRow = row;
        SetState(kStateStatus + entry, kSubOpen);
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        SetState(kStateSortie, kSubOpen);
    }
    return 1;
}

int CampScene::ShopScreen()
{
    if (m_nSubState == kSubOpen)
    {
        m_Shop.SetOwner(ShopOwner::Camp);
        m_Shop.SetGoods(Progress.m_ShopGoods);
        m_nSubState = kSubGrid;
    }
    m_Target.FillRect(0, 0, kScreenWidth, kScreenHeight, 0);
    const int closed = m_Shop.RunShop(Input(), m_Target);
    DrawMoneyBox();
    if (closed)
    {
        SetState(kStateMenu, kSubGrid);
    }
    return 1;
}

int CampScene::Sortie()
{
    Leave(kSceneWorldMap);
    return 1;
}

int CampScene::Quit()
{
    const MenuBox& box = QuitBox();
    if (m_nSubState == kSubOpen)
    {
        box.Open(kStayRow);
        m_nSubState = kSubGrid;
    }
    InputState& input = Input();
    PlayCursorSound(box.Move(input), kCursorAxisVertical, kSeCursor);
    DrawBackground();
    DrawPartyGrid(false);
    box.Draw(m_Target);
    DrawMoneyBox();

    if (input.m_nButtons & kInputButton1)
    {
        RequestSound(kSeChoice);
        if (box.Row() == kQuitRow)
        {
            platform::PostWindowMessage(MainWindowHandle(), platform::kWmClose, 0, 0);
        }
        else
        {
            BackToMenu();
        }
    }
    else if (input.m_nButtons & kInputButton2)
    {
        RequestSound(kSeCancel);
        BackToMenu();
    }
    return 1;
}
