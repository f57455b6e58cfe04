#pragma once

// The camp, scene 1: the menu between stages, reached from the title (a new
// game or a loaded one) and from the world map. Its menu holds the entries
// of the System's camp menu that are enabled, in their order; each entry
// leads to a screen of its own: the party's status and order, equipment,
// the leader, the shop, hiring, reviving and dismissing units, the order of
// the items, saving, the difficulty, the sortie to the world map and the end
// of the game. Button 2 in the menu is the sortie.
//
// Every camp screen shows the money box at (16, 460); the menu stays at
// (64, 192) behind the screens, the party grid of 8 x 8 slots at (208, 192).
// A choice plays sound 1, a cancel sound 2 and a refusal sound 3, which
// changes nothing; money stays within 0..999999.
//
// The screens live in their own files: the party grid, status and leader
// (CampParty), equipment (CampEquipment), hiring, reviving and dismissal
// (CampRecruitment), the items (CampInventory), saving (CampSave) and the
// difficulty (CampDifficulty).

#include "game/data/ItemStack.h"
#include "game/data/UnitRecord.h"
#include "game/engine/Scene.h"
#include "game/engine/ScreenDrawTarget.h"
#include "game/scenes/MenuBox.h"
#include "game/scenes/shop/Shop.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class SystemRecord;

// The entries of the camp menu, by their place in the System's list.
enum CampEntry : int
{
    kCampStatus = 0,
    kCampEquipment,
    kCampLeader,
    kCampShop,
    kCampHire,
    kCampRevive,
    kCampDismiss,
    kCampItems,
    kCampSave,
    kCampSortie,
    kCampDifficulty,
    kCampQuit,
    kCampEntryCount
};

extern const char* const CampEntryTexts[kCampEntryCount];

// What the camp loads with its resources (windows, icons, pointers and
// badges, faces, the backdrop when there is one, unit chips) and where it draws.
inline constexpr int kCampSurfaces[] = {2, 5, 6, 7, 11, 13};
constexpr int kCampMenuX = 64;
constexpr int kCampMenuY = 192;
constexpr int kCampMenuWidth = 112;
constexpr int kCampGridX = 208;
constexpr int kCampGridY = 192;
constexpr int kCampCellSize = 32;
constexpr int kCampGridColumns = 8;
constexpr int kCampGridRows = 8;
constexpr int kCampStatusX = 16;
constexpr int kCampStatusY = 16;
constexpr int kCampListX = 216; // skill and item lists
constexpr int kCampListY = 240;
constexpr int kCampListRows = 10;
constexpr int kCampItemsX = 216; // the party's items
constexpr int kCampItemsY = 48;
constexpr int kCampItemsRows = 20;
constexpr int kCampSaveX = 152;
constexpr int kCampSaveY = 32;
constexpr int kCampSaveRows = 20;
constexpr int kCampMoneyX = 16;
constexpr int kCampMoneyY = 460;
// The channel the camp's music plays on.
constexpr int kCampMusicChannel = 0;

// The camp menu: the entries of the System's camp list that are enabled, in
// list order; the first entry alone when none is.
std::vector<int> BuildCampMenu(const SystemRecord& system);

// The money box's text: "おかね %dS", and "  スカウト %dP" after it when the
// System shows scout points.
std::string CampMoneyText();

// The difficulty after a frame's directions (unchanged without one), kept
// within 0..maximum (a maximum below 0 counts as 0): up +1
// and right +10 go round to 0 past the maximum (right stops at it first),
// down -1 and left -10 go round to the maximum from 0 (left stops at 0 first).
int32_t StepDifficulty(int32_t value, int directions, int32_t maximum);

class CampScene : public Scene
{
public:
    // Entry e of the menu leads to state kStateStatus + e.
    enum CampState
    {
        kStateFadeIn = 0,
        kStateMenu = 1,
        kStateStatus = 2,
        kStateEquipment,
        kStateLeader,
        kStateShop,
        kStateHire,
        kStateRevive,
        kStateDismiss,
        kStateItems,
        kStateSave,
        kStateSortie,
        kStateDifficulty,
        kStateQuit,
        kStateFadeOut,
    };

    // target: where the camp draws; null: the back buffer.
    explicit CampScene(SceneManager& manager, DrawTarget* target = nullptr);
    ~CampScene() override;

    const std::vector<int>& MenuEntries() const { return m_Entries; }
    // The slot, skill or item marked for a swap (-1: none).
    int MarkedSlot() const { return m_nMarked; }
    // The unit the screen works on (a party slot, or an entry of the hire or fallen list).
    int PickedUnit() const { return m_nPicked; }
    const Shop& CampShop() const { return m_Shop; }

    // Sub-states of the screens.
    enum CampSubState
    {
        kSubOpen = 0,   // every screen: set up on its first frame
        kSubGrid = 1,   // the party grid; the hire, fallen, item and save lists
        kSubDetail = 2, // the equipment slots, the question about a unit or a save slot
        kSubList = 3,   // the status with its skills, the items for an equipment slot, a listed unit's skills
    };

protected:
    void LoadResources() override;
    int RunState(int state) override;
    void Draw() override;
    void OnLeft(int nextScene) override;

private:
    // The menu and the entries without a screen of their own.
    int Menu();
    int ShopScreen();
    int Sortie();
    int Quit();

    // CampParty
    int Status();
    int Leader();
    // A frame of the party grid: on the screen's first frame its cursor
    // opens on slot 0 with no slot marked; the cursor moves (with its
    // sound), the backdrop and the grid are drawn. The slot under the cursor.
    int GridFrame();
    int GridSlot() const;
    // Button 1 on a member picks its slot, which is returned; on an empty
    // slot it is refused. Button 2 goes back to the menu. -1 when no slot is picked.
    int PickMember(int slot);
    void DrawPartyGrid(bool withCursor);
    // Button 1 on an entry of the party, a skill list or the items: it is
    // marked, or when another is marked the two change places through swap.
    void MarkOrSwap(int entry, const std::function<void(int, int)>& swap);
    // Drops the mark; false when there was none.
    bool DropMark();

    // CampEquipment
    int Equipment();

    // CampRecruitment
    int Recruit(bool reviving);
    int Dismiss();
    void DrawRecruitList(const CheckedVector<UnitRecord>& units, const char* title, bool reviving);

    // CampInventory
    int Items();

    // CampSave
    int Save();

    // CampDifficulty
    int Difficulty();

    // Back to the menu from a screen that pushed one cursor level.
    void BackToMenu();
    // A question box answered: the sound (none for kNoSound), the box
    // closed, back to the grid or list it was asked on.
    static constexpr int kNoSound = -1;
    void CloseQuestion(const MenuBox& box, int sound);
    // The sound of the frame's button: 1 for button 1, 2 for button 2.
    int ButtonSound() const;
    // In a list: button 1 picks the entry and asks the box's question about
    // it, the cursor on the row; button 2 goes back to the menu.
    void AskOrLeave(int entry, const MenuBox& box, int row);
    // The backdrop and, unless the screen covers it, the menu with its pointer on the chosen entry.
    void DrawBackground(bool withMenu = true);
    void DrawMoneyBox();
    // A list's cursor, its first visible row in `first`: moved with its
    // sound, the row under it.
    int MoveListCursor(int32_t& first, int32_t origin, int32_t step, int32_t other, int32_t visible, int32_t items);
    // The pointer of a list whose first visible row lies at (x, y): on the
    // cursor's row, and its second look on the marked row when it is one of
    // the visible rows (-1: none).
    void DrawListPointers(int x, int y, int32_t first, int visible, int marked);

    ScreenDrawTarget m_Screen;
    DrawTarget& m_Target;
    bool m_bLoaded = false;
    std::vector<int> m_Entries;
    MenuBox m_Menu;
    int m_nMenuRow = 0; // the entry chosen last
    Shop m_Shop;

    // The screens' working data.
    int m_nMarked = -1;   // a slot, skill or item marked for a swap
    int m_nPicked = -1;   // the unit the screen works on
    int m_nEquipSlot = 0; // the equipment slot being changed
    int32_t m_nFirst = 0; // the first visible row of the list
    int32_t m_nSkillFirst = 0;
    int32_t m_nDifficultyOnEntry = 0;
    ItemList m_EquipChoices; // the items that fit the equipment slot
};
