#include "editor/stage/BitmapConvertDialog.h"

#include "common/data/ProjectData.h"
#include "common/services/DialogItems.h"
#include "common/services/MessageBoxes.h"
#include "common/services/Paths.h"
#include "editor/framework/EditorStartup.h"
#include "platform/core/Cp932.h"
#include "platform/core/Files.h"
#include "platform/window/ControlMessages.h"
#include "platform/window/WindowSystem.h"

#include <cstring>
#include <vector>

namespace
{

std::unique_ptr<BitmapConvertDialog> s_pRunning;

// The only layout converted: file header, 40-byte information header, 256 colours, pixels.
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;
constexpr size_t kColourTableSize = 256 * 4;
constexpr size_t kPixelOffset = kHeadersSize + kColourTableSize;

constexpr int kPathLength = 260;
constexpr int kFileListBuffer = 26000;
constexpr int32_t kMaxColourIndex = 255;

uint32_t ReadU32(const std::vector<unsigned char>& bytes, size_t at)
{
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

uint16_t ReadU16(const std::vector<unsigned char>& bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// Where the nearest colour lands: the palette's system colours at both ends
// are never used, so they go to the nearest colours the maps use.
uint8_t RemapNearest(uint8_t n)
{
    if (n == 0)
    {
        return 53;
    }
    if (n == 255)
    {
        return 31;
    }
    if (n <= 9 || n >= 185)
    {
        return 16;
    }
    return n;
}

// The offset of the path's last separator ('\\' or '/', never a trail byte); npos when none.
size_t LastSeparator(const std::string& path)
{
    size_t last = std::string::npos;
    for (size_t i = 0; i < path.size(); i += platform::Cp932CharLength(path, i))
    {
        if (path[i] == '\\' || path[i] == '/')
        {
            last = i;
        }
    }
    return last;
}

// The output folder and the input's file name, with one separator between them.
std::string OutputPath(const std::string& folder, const std::string& input)
{
    size_t nameSeparator = LastSeparator(input);
    std::string name = nameSeparator == std::string::npos ? input : input.substr(nameSeparator + 1);
    size_t folderSeparator = LastSeparator(folder);
    bool separated = folderSeparator != std::string::npos && folderSeparator + 1 == folder.size();
    return folder + (separated ? "" : "\\") + name;
}

} // namespace

int ConvertBitmapFile(const std::string& outputPath, const std::string& inputPath, const PaletteEntries& palette,
                      const ConvertSettings& settings)
{
    std::vector<unsigned char> bytes;
    if (!platform::ReadWholeFile(inputPath, bytes))
    {
        ShowErrorF("%s のロードに失敗！", inputPath.c_str());
        return 0;
    }
    if (bytes.size() < kHeadersSize || ReadU32(bytes, kFileHeaderSize) != kInfoHeaderSize)
    {
        ShowErrorF("%s のロードに失敗！", inputPath.c_str());
        return 0;
    }
    if (ReadU16(bytes, 28) != 8)
    {
        ShowErrorF("%s は256色ではありません！", inputPath.c_str());
        return 0;
    }
    const int64_t width = static_cast<int32_t>(ReadU32(bytes, 18));
    const int64_t height = static_cast<int32_t>(ReadU32(bytes, 22));
    const uint32_t compression = ReadU32(bytes, 30);
    const uint32_t coloursUsed = ReadU32(bytes, 46);
    const uint32_t pixelOffset = ReadU32(bytes, 10);
    const int64_t stride = (width + 3) & ~int64_t{3};
    // Only bottom-up, uncompressed rows right after a full colour table, all of them in the file.
    if (width <= 0 || height <= 0 || compression != 0 || (coloursUsed != 0 && coloursUsed != 256) ||
        pixelOffset != kPixelOffset || bytes.size() < kPixelOffset ||
        height > static_cast<int64_t>(bytes.size() - kPixelOffset) / stride)
    {
        ShowErrorF("%s のロードに失敗！", inputPath.c_str());
        return 0;
    }

    const unsigned char* source = bytes.data() + kHeadersSize;
    std::vector<unsigned char> pixels(bytes.begin() + kPixelOffset, bytes.begin() + kPixelOffset + height * stride);
    for (int64_t y = 0; y < height; ++y)
    {
        for (int64_t x = 0; x < width; ++x)
        {
            unsigned char& p = pixels[y * stride + x];
            if (settings.m_bUseTransparent && p == settings.m_nTransparent)
            {
                p = 0;
                continue;
            }
            const unsigned char* entry = source + p * 4;
            uint32_t colour = entry[2] | static_cast<uint32_t>(entry[1]) << 8 | static_cast<uint32_t>(entry[0]) << 16;
            p = RemapNearest(NearestPaletteIndex(palette.data(), colour));
        }
    }

    std::vector<unsigned char> out(bytes.begin(), bytes.begin() + kHeadersSize);
    out.insert(out.end(), palette.begin(), palette.end());
    out.insert(out.end(), pixels.begin(), pixels.end());
    if (!platform::WriteFileAtomically(outputPath, out.data(), out.size()))
    {
        ShowErrorF("%s のオープンに失敗！", outputPath.c_str());
        return 0;
    }
    return 1;
}

void RunBitmapConvertDialog(platform::WindowHandle parent, EditorApp* app)
{
    RunOwnedModal(s_pRunning, kShowFlagHideOthers | kShowFlagDisableOthers, parent, app);
}

BitmapConvertDialog::BitmapConvertDialog(platform::WindowHandle parent, EditorApp* app)
    : m_NumberEdits(1), m_TextEdits(1), m_CheckBoxes(2)
{
    UseClassProcedure(this);
    Init(kIdBitmapConvertDialog, parent, 0, kWindowDialog, app);
    m_FileList.Binding().Set(kIdConvertFiles, nullptr, &m_Files, nullptr, 0, 0, kMaxConvertFiles, 0, 1, 0,
                             [](std::string& out, int, const std::string& path) { out = path; });
    m_NumberEdits.At(0).Binding().Set(kIdConvertTransparent, &EditConfig.m_nTransparentColor, 0, kMaxColourIndex, 0,
                                      kIdConvertTransparentSpin, 1);
    m_TextEdits.At(0).Binding().Set(kIdConvertFolder, &EditConfig.m_strConvertFolder, kPathLength, 0);
    m_CheckBoxes.At(0).Binding().Set(kIdConvertUseTransparent, &EditConfig.m_bUseTransparentColor);
    m_CheckBoxes.At(1).Binding().Set(kIdConvertOverwrite, &EditConfig.m_bOverwriteInput);
}

int BitmapConvertDialog::OnInitDialog(uintptr_t wParam, intptr_t lParam)
{
    DialogBase::OnInitDialog(wParam, lParam);
    platform::WindowSystem* system = System();
    if (platform::NativeWindow* picture = system ? system->Resolve(system->GetDlgItem(Handle(), 1075)) : nullptr)
    {
        picture->Show(false);
    }
    m_FileList.Attach(this, m_FileList.Binding());
    BindControl(&m_FileList);
    for (NumberEdit<int32_t>& edit : m_NumberEdits)
    {
        edit.Attach(this, edit.Binding());
        BindControl(&edit);
    }
    for (TextEdit& edit : m_TextEdits)
    {
        edit.Attach(this, edit.Binding());
        BindControl(&edit);
    }
    for (CheckBox& box : m_CheckBoxes)
    {
        box.Attach(this, box.Binding());
        BindControl(&box);
    }
    DataToControls();
    UpdateControls();
    SetInitialised(1);
    return 0;
}

void BitmapConvertDialog::UpdateControls()
{
    platform::WindowSystem* system = System();
    auto checked = [&](int id) {
        platform::WindowHandle box = system ? system->GetDlgItem(Handle(), id) : nullptr;
        return box && platform::SendWindowMessage(box, platform::kBmGetCheck, 0, 0) == platform::kBstChecked;
    };
    m_NumberEdits.At(0).Enable(checked(kIdConvertUseTransparent) ? 1 : 0);
    m_TextEdits.At(0).Enable(checked(kIdConvertOverwrite) ? 0 : 1);
}

void BitmapConvertDialog::OnCommand(uintptr_t wParam, intptr_t lParam)
{
    if (!CanHandleNotify(wParam))
    {
        return;
    }
    DialogBase::OnCommand(wParam, lParam);
    const int id = platform::LowWord(wParam);
    const int code = platform::HighWord(wParam);
    switch (id)
    {
    case kIdConvertChooseFiles:
        if (code == platform::kBnClicked)
        {
            ChooseFiles();
        }
        break;
    case kIdConvertRun:
        if (code == platform::kBnClicked)
        {
            ConvertAll();
        }
        break;
    case kIdConvertFiles:
        if (code == platform::kLbnSelChange)
        {
            m_FileList.Refill();
        }
        break;
    case kIdConvertTransparent:
    case kIdConvertFolder:
    case kIdConvertUseTransparent:
    case kIdConvertOverwrite:
        // The settings are EditConfig's at once, whatever way the dialog closes.
        if (IsInitialised())
        {
            for (Control* control : m_Controls)
            {
                if (control->Id() == id)
                {
                    control->ControlToData();
                }
            }
        }
        break;
    case kIdConvertBrowseFolder:
        if (code == platform::kBnClicked)
        {
            ChooseFolder();
        }
        break;
    case kIdDialogOk:
        Close(1);
        return;
    default:
        break;
    }
    if (IsInitialised())
    {
        UpdateControls();
        EndListUpdates();
    }
}

void BitmapConvertDialog::ChooseFiles()
{
    std::string buffer;
    std::vector<std::string> paths;
    const std::string filter = std::string("BitmapFile ( *.bmp )") + '\0' + "*.bmp" + '\0';
    if (!OpenFileDialog(Handle(), buffer, kFileListBuffer, "bmp\\", "bmpの選択", filter, "bmp", 1, &paths))
    {
        return;
    }
    m_Files.clear();
    for (std::string path : paths)
    {
        std::string relative = path;
        if (MakeRelativePath(relative))
        {
            path = relative;
        }
        m_Files.push_back(path);
    }
    m_FileList.Refill();
}

void BitmapConvertDialog::ChooseFolder()
{
    std::string folder;
    if (!BrowseFolderDialog(Handle(), folder, "bmp\\convert\\", "出力先のパス指定"))
    {
        return;
    }
    if (!MakeRelativePath(folder))
    {
        return;
    }
    SetDlgItemString(Handle(), kIdConvertFolder, folder);
}

int BitmapConvertDialog::ConvertFile(const std::string& outputPath, const std::string& inputPath)
{
    ConvertSettings settings;
    settings.m_bUseTransparent = EditConfig.m_bUseTransparentColor;
    settings.m_nTransparent = EditConfig.m_nTransparentColor;
    return ConvertBitmapFile(outputPath, inputPath, ConversionPalette, settings);
}

int BitmapConvertDialog::ConvertAll()
{
    if (m_bRunning || m_Files.empty())
    {
        return 0;
    }
    if (!ConversionPaletteLoaded)
    {
        // Without the palette every picture would come out black, over the author's files too.
        ShowErrorF("%s のロードに失敗しているため変換できません！", kConversionPaletteFile);
        return m_Files.Count();
    }
    m_bRunning = 1;
    int failures = 0;
    const std::string& folder = EditConfig.m_strConvertFolder;
    if (!EditConfig.m_bOverwriteInput && folder.empty())
    {
        ShowErrorF("出力先のパスを指定してください！");
        failures = m_Files.Count();
    }
    else
    {
        for (const std::string& input : m_Files)
        {
            std::string output = EditConfig.m_bOverwriteInput ? input : OutputPath(folder, input);
            if (!ConvertFile(output, input))
            {
                ++failures;
            }
        }
    }
    std::string text = "変換完了";
    if (failures > 0)
    {
        text += "\n" + std::to_string(failures) + " 個のファイルは変換できませんでした。";
    }
    ShowMessageBox(Handle(), text, "変換完了！", platform::kMbOk);
    m_bRunning = 0;
    return failures;
}

intptr_t BitmapConvertDialog::WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                                         intptr_t lParam)
{
    return CloseOnWmClose(window, message, wParam, lParam);
}
