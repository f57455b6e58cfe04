// The game's save slots: the input is slot 0's file in a new project. The save
// list reads every slot's play-through, then the slot is loaded; a slot that
// loads must save, load back and save again to the same bytes.

#include "FuzzTarget.h"

#include "ProjectTool.h"
#include "game/data/GameData.h"
#include "game/data/SaveSlots.h"
#include "platform/core/Files.h"

#include <ostream>

namespace
{

std::ostream Discard(nullptr);

} // namespace

void fuzz::PrepareTarget()
{
    fuzz::Require(RunNew(fuzz::WorkFolderPath(), Discard, Discard) == 0, "cannot write the project");
    InitGameData();
    fuzz::Require(LoadGameDatabase(), "cannot load the project's database");
}

int fuzz::TestOneInput(const uint8_t* data, std::size_t size)
{
    Progress = ProgressRecord();
    StartNewGame();
    fuzz::WriteFile(SaveSlotFileName(0), data, size);
    ScanSaveSlots(SaveSlots);
    if (LoadFromSlot(0))
    {
        fuzz::Require(SaveToSlot(1), "a slot that loaded does not save");
        fuzz::Require(LoadFromSlot(1), "a saved slot does not load back");
        fuzz::Require(SaveToSlot(2), "a slot loaded back does not save");
        fuzz::Require(fuzz::ReadFile(SaveSlotFileName(1)) == fuzz::ReadFile(SaveSlotFileName(2)),
                      "a saved slot loaded back saves to other bytes");
    }
    platform::RemoveFile(SaveSlotFileName(1));
    platform::RemoveFile(SaveSlotFileName(2));
    return 0;
}
