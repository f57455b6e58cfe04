#include "common/services/DialogItems.h"
#include "common/services/Log.h"
#include "common/services/MessageBoxes.h"
#include "platform/core/FatalHooks.h"
#include "platform/window/DummyWindowSystem.h"
#include "platform/window/ScriptedDialogs.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace
{

class MessageBoxesTest : public testing::Test
{
protected:
    platform::ScriptedDialogs m_Dialogs;
};

TEST_F(MessageBoxesTest, ErrorsGoToTheActiveWindowWithTheirCaption)
{
    platform::DummyWindowSystem system;
    platform::WindowCreateParams params;
    platform::WindowHandle active = system.CreateWindow(params);
    m_Dialogs.SetActiveWindow(active);

    ShowErrorF("%s のロードに失敗！", "data\\database\\Item.dat");
    ShowError("DDInit失敗");
    // A long text is cut at 1,023 bytes without splitting a double-byte character.
    std::string longText(1022, 'a');
    ShowErrorF("%sあ", longText.c_str());

    const auto& boxes = m_Dialogs.Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].m_hOwner, active);
    EXPECT_EQ(boxes[0].m_strText, "data\\database\\Item.dat のロードに失敗！");
    EXPECT_EQ(boxes[0].m_strCaption, "エラー");
    EXPECT_EQ(boxes[0].m_nType, platform::kMbOk);
    EXPECT_EQ(boxes[1].m_strText, "DDInit失敗");
    EXPECT_EQ(boxes[2].m_strText, longText);
}

TEST_F(MessageBoxesTest, ConfirmQuitIsTrueForYesOnly)
{
    m_Dialogs.AnswerBoxes({platform::kIdYes, platform::kIdNo});
    auto handle = platform::WindowHandle::FromValue(0x100000001u);
    EXPECT_TRUE(ConfirmQuit(handle));
    EXPECT_FALSE(ConfirmQuit(handle));
    EXPECT_FALSE(ConfirmQuit(handle)); // dismissed: No
    ASSERT_EQ(m_Dialogs.Boxes().size(), 3u);
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_hOwner, handle);
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_strText, "終了しますか？\n");
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_strCaption, "終了確認");
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_nType, platform::kMbYesNo);
}

TEST_F(MessageBoxesTest, DebugErrorsShowOnlyWithTheErrorLogOnAndOutOfMemoryCloses)
{
    TempFolder folder;
    InitErrorLog(0, "EC.txt");
    ShowDebugErrorF("trace %d", 1);
    EXPECT_TRUE(m_Dialogs.Boxes().empty());
    InitErrorLog(1, "EC.txt");
    ShowDebugErrorF("trace %d", 2);
    ASSERT_EQ(m_Dialogs.Boxes().size(), 1u);
    EXPECT_EQ(m_Dialogs.Boxes()[0].m_strText, "trace 2");
    InitErrorLog(0, "EC.txt");

    int closes = 0;
    platform::SetPostCloseHook([&] { ++closes; });
    ShowOutOfMemory();
    platform::SetPostCloseHook(nullptr);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(m_Dialogs.Boxes().back().m_strText, "メモリが不足しています！");
}

TEST_F(MessageBoxesTest, TheFullScreenPathTakesBoxesButNotTheQuitQuestion)
{
    std::vector<std::string> shown;
    SetFullScreenMessageBox([&](std::string_view text, std::string_view, uint32_t) {
        shown.emplace_back(text);
        return 1;
    });
    ShowError("x");
    m_Dialogs.AnswerBoxes({platform::kIdYes});
    EXPECT_TRUE(ConfirmQuit(nullptr));
    SetFullScreenMessageBox(nullptr);
    EXPECT_EQ(shown, std::vector<std::string>{"x"});
    EXPECT_EQ(m_Dialogs.Boxes().size(), 1u);
}

TEST_F(MessageBoxesTest, FileDialogsPassTheirRequestAndReturnTheChoice)
{
    std::string buffer = "old";
    std::vector<std::string> paths;
    m_Dialogs.AnswerFileDialog({"/p/bmp/a.bmp", "/p/bmp/b.bmp"});
    ASSERT_EQ(OpenFileDialog(nullptr, buffer, 26000, "bmp\\", "bmpの選択", std::string_view("BitmapFile ( *.bmp )\0*.bmp\0\0", 28),
                             "bmp", 1, &paths),
              1);
    EXPECT_EQ(buffer, "/p/bmp/a.bmp");
    EXPECT_EQ(paths, (std::vector<std::string>{"/p/bmp/a.bmp", "/p/bmp/b.bmp"}));
    const platform::FileDialogRequest& request = m_Dialogs.FileRequests().back();
    EXPECT_EQ(request.m_strTitle, "bmpの選択");
    EXPECT_TRUE(request.m_bMultiSelect);
    EXPECT_TRUE(request.m_bMustExist);

    // Cancelled: the buffer is empty; a path longer than the buffer is refused.
    EXPECT_EQ(OpenFileDialog(nullptr, buffer, 260, "data\\stg", "t", "StageFile ( *.stg_* )", "stg_*", 0, nullptr), 0);
    EXPECT_EQ(buffer, "");
    m_Dialogs.AnswerFileDialog({std::string(300, 'x')});
    EXPECT_EQ(OpenFileDialog(nullptr, buffer, 260, "", "", "", "", 0, nullptr), 0);

    std::string name = "keep.plt";
    m_Dialogs.AnswerFileDialog({"/p/data/plt/new.plt"});
    EXPECT_EQ(SaveFileDialog(nullptr, name, "data\\plt\\", "保存先のファイルの選択", "PaletteFile ( *.plt )", "plt", 1), 1);
    EXPECT_EQ(m_Dialogs.FileRequests().back().m_strInitialName, "keep.plt");
    EXPECT_TRUE(m_Dialogs.FileRequests().back().m_bOverwritePrompt);
    EXPECT_EQ(name, "/p/data/plt/new.plt");
    EXPECT_EQ(SaveFileDialog(nullptr, name, "", "", "", "", 0), 0);
    EXPECT_EQ(name, "");

    TempFolder folder;
    std::string chosen;
    m_Dialogs.AnswerFileDialog({"/some/folder"});
    EXPECT_EQ(BrowseFolderDialog(nullptr, chosen, "bmp", "t"), 1);
    EXPECT_EQ(chosen, "/some/folder");
    EXPECT_EQ(m_Dialogs.FolderRequests().back(), folder.Path().string() + "/bmp");
}

TEST(FileFilterTest, FiltersBecomeDescriptionsAndPatterns)
{
    auto single = platform::ParseFileFilter("StageFile ( *.stg_* )");
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].m_Patterns, std::vector<std::string>{"*.stg_*"});
    EXPECT_TRUE(platform::MatchesFileFilter("Stage1.stg_276", single[0]));
    EXPECT_FALSE(platform::MatchesFileFilter("Stage1.stg", single[0]));

    static const char kFilter[] = "BgmFile ( *.mid;*.ogg )\0*.mid;*.ogg\0All\0*.*\0";
    auto pairs = platform::ParseFileFilter(std::string(kFilter, sizeof(kFilter) - 1));
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].m_strDescription, "BgmFile ( *.mid;*.ogg )");
    EXPECT_EQ(pairs[0].m_Patterns, (std::vector<std::string>{"*.mid", "*.ogg"}));
    EXPECT_TRUE(platform::MatchesFileFilter("Title.OGG", pairs[0]));
    EXPECT_TRUE(platform::MatchesFileFilter("README", pairs[1]));
}

TEST(DialogItemTest, ItemTextsAreCutWithoutSplittingACharacter)
{
    platform::DummyWindowSystem system;
    platform::WindowHandle dialog = system.CreateWindow({});
    SetDlgItemString(dialog, 1001, "あいう");
    std::string text = "stale";
    GetDlgItemString(dialog, 1001, text, 512);
    EXPECT_EQ(text, "あいう");
    GetDlgItemString(dialog, 1001, text, 5); // room for 4 bytes: two characters
    EXPECT_EQ(text, "あい");
    GetDlgItemString(dialog, 1001, text, 4); // room for 3 bytes: one character
    EXPECT_EQ(text, "あ");
    SetDlgItemString(dialog, 1001, std::string(600, 'z'));
    GetDlgItemString(dialog, 1001, text, 5000); // never past the 512-byte buffer
    EXPECT_EQ(text.size(), 511u);
    GetDlgItemString(dialog, 1002, text, 512);
    EXPECT_EQ(text, "");
}

} // namespace
