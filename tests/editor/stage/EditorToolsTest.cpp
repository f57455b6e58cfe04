// The stage editor's tools on the dummy backend: the bitmap conversion onto
// the project's palette with its dialog (188), and the edit options (193).
#include "editor/framework/EditorStartup.h"
#include "editor/framework/ModalRuns.h"
#include "editor/stage/BitmapConvertDialog.h"
#include "editor/stage/EditOptionsDialog.h"
#include "platform/window/ButtonModel.h"
#include "platform/window/EditModel.h"
#include "platform/window/ListModels.h"
#include "tests/editor/stage/StageWindowFixture.h"

#include <filesystem>
#include <fstream>

namespace
{

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

void PutU32(Bytes& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
    {
        bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

// A grey ramp: entry i is (i, i, i), so a grey's nearest entry is its own level.
PaletteEntries GreyRamp()
{
    PaletteEntries palette{};
    for (int i = 0; i < 256; ++i)
    {
        palette[i * 4] = palette[i * 4 + 1] = palette[i * 4 + 2] = static_cast<uint8_t>(i);
    }
    return palette;
}

// The source's colours: index 0 black, 1 grey 5, 2 grey 200, 3 grey 100, 4 grey 150, 5 white.
const uint8_t kSourceGreys[] = {0, 5, 200, 100, 150, 255};

// Three rows of five pixels, each padded to eight bytes with bytes of its own.
const Bytes kRows = {
    0, 1, 2, 3, 4, 0xAA, 0xBB, 0xCC, //
    4, 3, 5, 1, 0, 0x11, 0x22, 0x33, //
    1, 1, 1, 1, 1, 0x00, 0x7F, 0xFF, //
};

Bytes Bitmap(int32_t height = 3, uint32_t compression = 0, uint32_t coloursUsed = 0)
{
    Bytes bytes(54 + 1024, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutU32(bytes, 2, static_cast<uint32_t>(bytes.size() + kRows.size()));
    PutU32(bytes, 10, 1078);
    PutU32(bytes, 14, 40);
    PutU32(bytes, 18, 5);
    PutU32(bytes, 22, static_cast<uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 8;
    PutU32(bytes, 30, compression);
    PutU32(bytes, 46, coloursUsed);
    for (size_t i = 0; i < std::size(kSourceGreys); ++i)
    {
        bytes[54 + i * 4] = bytes[54 + i * 4 + 1] = bytes[54 + i * 4 + 2] = kSourceGreys[i];
    }
    bytes.insert(bytes.end(), kRows.begin(), kRows.end());
    return bytes;
}

Bytes ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& path, const Bytes& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

class EditorToolsTest : public StageWindowTest
{
protected:
    platform::WindowHandle Item(const DialogBase& dialog, int id) { return m_System.GetDlgItem(dialog.Handle(), id); }
    void Click(const DialogBase& dialog, int id)
    {
        platform::ModelOf<platform::ButtonModel>(Item(dialog, id))->UserClick();
    }
    void Type(const DialogBase& dialog, int id, const std::string& text)
    {
        platform::ModelOf<platform::EditModel>(Item(dialog, id))->SetText(text);
    }
    std::string TextOf(const DialogBase& dialog, int id)
    {
        return platform::ModelOf<platform::ControlModel>(Item(dialog, id))->Text();
    }
    bool IsEnabled(const DialogBase& dialog, int id) { return m_System.Resolve(Item(dialog, id))->IsEnabled(); }

    ScriptedModalRuns m_Runs;
};

TEST_F(EditorToolsTest, ConversionMatchesEveryPixelByColourAndKeepsHeadersAndPadding)
{
    StartWithLands(5);
    const size_t startBoxes = m_Boxes.Boxes().size();
    WriteAll("bmp/in.bmp", Bitmap());
    const PaletteEntries palette = GreyRamp();
    const struct
    {
        int32_t m_bUseTransparent;
        uint8_t m_nIndex4; // what the pixels of index 4 (grey 150, the transparent index) become
    } cases[] = {{1, 0}, {0, 150}};
    for (const auto& c : cases)
    {
        ConvertSettings settings;
        settings.m_bUseTransparent = c.m_bUseTransparent;
        settings.m_nTransparent = 4;
        ASSERT_EQ(ConvertBitmapFile("bmp\\out.bmp", "bmp\\in.bmp", palette, settings), 1);
        Bytes out = ReadAll("bmp/out.bmp");
        Bytes expected = Bitmap();
        std::copy(palette.begin(), palette.end(), expected.begin() + 54);
        // Black -> entry 0 -> 53; grey 5 and grey 200 -> 16; grey 100 stays; white -> 255 -> 31.
        const uint8_t converted[] = {53, 16, 16, 100, c.m_nIndex4, 31};
        for (size_t i = 0; i < kRows.size(); ++i)
        {
            if (i % 8 < 5)
            {
                expected[1078 + i] = converted[kRows[i]];
            }
        }
        EXPECT_EQ(out, expected) << "transparency " << c.m_bUseTransparent;
    }
    EXPECT_EQ(m_Boxes.Boxes().size(), startBoxes);
}

TEST_F(EditorToolsTest, ConversionRefusesWhatItCannotConvertAndTouchesNothing)
{
    StartWithLands(5);
    Bytes truncated = Bitmap();
    truncated.resize(truncated.size() - 3);
    Bytes fourBit = Bitmap();
    fourBit[28] = 4;
    const struct
    {
        const char* m_pszWhat;
        Bytes m_Bytes;
        const char* m_pszMessage;
    } cases[] = {
        {"top-down", Bitmap(-3), "bmp\\in.bmp のロードに失敗！"},
        {"RLE8", Bitmap(3, 1), "bmp\\in.bmp のロードに失敗！"},
        {"16 colours", Bitmap(3, 0, 16), "bmp\\in.bmp のロードに失敗！"},
        {"truncated", truncated, "bmp\\in.bmp のロードに失敗！"},
        {"4 bits", fourBit, "bmp\\in.bmp は256色ではありません！"},
    };
    for (const auto& c : cases)
    {
        WriteAll("bmp/in.bmp", c.m_Bytes);
        fs::remove("bmp/out.bmp");
        size_t boxes = m_Boxes.Boxes().size();
        EXPECT_EQ(ConvertBitmapFile("bmp\\out.bmp", "bmp\\in.bmp", GreyRamp(), {}), 0) << c.m_pszWhat;
        ASSERT_EQ(m_Boxes.Boxes().size(), boxes + 1) << c.m_pszWhat;
        EXPECT_EQ(m_Boxes.Boxes().back().m_strText, c.m_pszMessage) << c.m_pszWhat;
        EXPECT_EQ(ReadAll("bmp/in.bmp"), c.m_Bytes) << c.m_pszWhat;
        EXPECT_FALSE(fs::exists("bmp/out.bmp")) << c.m_pszWhat;
    }
}

TEST_F(EditorToolsTest, TheToolConvertsTheChosenFilesIntoTheOutputFolderAndKeepsItsSettingsAtOnce)
{
    StartWithLands(5);
    ConversionPalette = GreyRamp();
    ConversionPaletteLoaded = true;
    WriteAll("bmp/a.bmp", Bitmap());
    WriteAll("bmp/b.bmp", Bitmap(-3));
    EditConfig.m_strConvertFolder = "out";
    EditConfig.m_bOverwriteInput = 0;
    EditConfig.m_bUseTransparentColor = 0;
    fs::create_directories("out");
    const std::string project = fs::current_path().string();
    const size_t startBoxes = m_Boxes.Boxes().size();

    m_Runs.Answer([&](DialogBase& dialog) {
        auto& tool = static_cast<BitmapConvertDialog&>(dialog);
        EXPECT_FALSE(IsEnabled(dialog, kIdConvertTransparent));
        EXPECT_TRUE(IsEnabled(dialog, kIdConvertFolder));
        // Nothing to convert yet: no run, no message.
        Click(dialog, kIdConvertRun);
        EXPECT_EQ(m_Boxes.Boxes().size(), startBoxes);

        m_Boxes.AnswerFileDialog({project + "/bmp/a.bmp", project + "/bmp/b.bmp"});
        Click(dialog, kIdConvertChooseFiles);
        EXPECT_EQ(tool.Files(), (CheckedVector<std::string>{".\\bmp\\a.bmp", ".\\bmp\\b.bmp"}));

        // The settings are EditConfig's as soon as they change.
        Click(dialog, kIdConvertUseTransparent);
        EXPECT_EQ(EditConfig.m_bUseTransparentColor, 1);
        EXPECT_TRUE(IsEnabled(dialog, kIdConvertTransparent));
        Type(dialog, kIdConvertTransparent, "4");
        EXPECT_EQ(EditConfig.m_nTransparentColor, 4);

        Click(dialog, kIdConvertRun);
        ASSERT_EQ(m_Boxes.Boxes().size(), startBoxes + 2);
        EXPECT_EQ(m_Boxes.Boxes()[startBoxes].m_strText, ".\\bmp\\b.bmp のロードに失敗！");
        const auto& done = m_Boxes.Boxes()[startBoxes + 1];
        EXPECT_EQ(done.m_strCaption, "変換完了！");
        EXPECT_EQ(done.m_strText.rfind("変換完了", 0), 0u);
        EXPECT_NE(done.m_strText.find('1'), std::string::npos) << "the failure is counted";

        Click(dialog, kIdConvertOverwrite);
        EXPECT_FALSE(IsEnabled(dialog, kIdConvertFolder));
        m_System.SendMessage(dialog.Handle(), platform::kWmClose, 0, 0);
    });
    Command(kCmdBitmapTool);
    ASSERT_EQ(m_Runs.Runs().size(), 1u);
    EXPECT_TRUE(fs::exists("out/a.bmp"));
    EXPECT_FALSE(fs::exists("out/b.bmp"));
    EXPECT_EQ(ReadAll("out/a.bmp").at(1078 + 4), 0) << "index 4 was the transparent colour";
    EXPECT_EQ(ReadAll("bmp/a.bmp"), Bitmap()) << "the input stays";
    EXPECT_EQ(EditConfig.m_bOverwriteInput, 1) << "kept though the window was closed";
}

TEST_F(EditorToolsTest, WithoutTheConversionPaletteTheToolRefusesToRunAndTouchesNoFile)
{
    StartWithLands(5); // the project has no "bmp\Palette2.bmp"
    ASSERT_FALSE(ConversionPaletteLoaded);
    WriteAll("bmp/a.bmp", Bitmap());
    EditConfig.m_bOverwriteInput = 1;
    const std::string project = fs::current_path().string();
    const size_t startBoxes = m_Boxes.Boxes().size();
    m_Runs.Answer(
        [&](DialogBase& dialog)
        {
            m_Boxes.AnswerFileDialog({project + "/bmp/a.bmp"});
            Click(dialog, kIdConvertChooseFiles);
            Click(dialog, kIdConvertRun);
            m_System.SendMessage(dialog.Handle(), platform::kWmClose, 0, 0);
        });
    Command(kCmdBitmapTool);
    ASSERT_EQ(m_Boxes.Boxes().size(), startBoxes + 1);
    EXPECT_EQ(m_Boxes.Boxes().back().m_strText, "bmp\\Palette2.bmp のロードに失敗しているため変換できません！");
    EXPECT_EQ(ReadAll("bmp/a.bmp"), Bitmap());
}

TEST_F(EditorToolsTest, EditOptionsGreyThePathWhileTheProgramIsFoundByItselfAndStoreOnlyOnOk)
{
    StartWithLands(5);
    EditConfig.m_bSearchGameProgram = 0;
    EditConfig.m_bKeepEventPalette = 0;
    EditConfig.m_strGameProgram = "game\\old";
    const std::string project = fs::current_path().string();
    auto script = [&](int button) {
        return [this, button, project](DialogBase& dialog) {
            EXPECT_EQ(TextOf(dialog, kIdOptionGamePath), "game\\old");
            EXPECT_TRUE(IsEnabled(dialog, kIdOptionGamePath));
            Click(dialog, kIdOptionAutoFindGame);
            EXPECT_FALSE(IsEnabled(dialog, kIdOptionGamePath));
            Click(dialog, kIdOptionAutoFindGame);
            EXPECT_TRUE(IsEnabled(dialog, kIdOptionGamePath));
            m_Boxes.AnswerFileDialog({project + "/bin/tarnwick-game"});
            Click(dialog, kIdOptionBrowseGame);
            EXPECT_EQ(TextOf(dialog, kIdOptionGamePath), ".\\bin\\tarnwick-game");
            EXPECT_EQ(EditConfig.m_strGameProgram, "game\\old");
            Click(dialog, kIdOptionKeepEventPalette);
            Click(dialog, button);
        };
    };
    m_Runs.Answer(script(kIdDialogCancel));
    Command(kCmdEditOptions);
    EXPECT_EQ(EditConfig.m_strGameProgram, "game\\old");
    EXPECT_EQ(EditConfig.m_bKeepEventPalette, 0);

    m_Runs.Answer(script(kIdDialogOk));
    Command(kCmdEditOptions);
    EXPECT_EQ(EditConfig.m_strGameProgram, ".\\bin\\tarnwick-game");
    EXPECT_EQ(EditConfig.m_bKeepEventPalette, 1);
    EXPECT_EQ(EditConfig.m_bSearchGameProgram, 0);
}

} // namespace
