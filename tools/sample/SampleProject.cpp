#include "SampleProject.h"

#include "ArtFigures.h"
#include "ArtInterface.h"
#include "ArtTerrain.h"
#include "SampleData.h"
#include "SampleMusic.h"
#include "SampleSounds.h"
#include "SampleTexts.h"
#include "common/data/SerializableRecord.h"
#include "platform/core/Cp932.h"
#include "platform/core/Files.h"
#include "platform/text/FreeTypeRasterizer.h"

#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>

namespace fs = std::filesystem;

namespace sample
{

namespace
{

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

using SheetPainter = std::function<Canvas(const SheetInfo&, platform::TextRasterizer&)>;

const std::map<std::string, SheetPainter>& Painters()
{
    auto plain = [](Canvas (*draw)(int, int))
    { return [draw](const SheetInfo& s, platform::TextRasterizer&) { return draw(s.m_nWidth, s.m_nHeight); }; };
    auto lettered = [](Canvas (*draw)(platform::TextRasterizer&, int, int))
    {
        return [draw](const SheetInfo& s, platform::TextRasterizer& fonts)
        { return draw(fonts, s.m_nWidth, s.m_nHeight); };
    };
    auto back = [](Scenery scenery)
    {
        return [scenery](const SheetInfo& s, platform::TextRasterizer&)
        { return DrawBattleBack(scenery, s.m_nWidth, s.m_nHeight); };
    };
    auto toolBar = [](int kind)
    {
        return [kind](const SheetInfo& s, platform::TextRasterizer&)
        { return DrawToolBar(kind, s.m_nWidth, s.m_nHeight); };
    };
    static const std::map<std::string, SheetPainter> painters = {
        {"bmp\\Palette.bmp", plain(DrawPaletteChart)},
        {"bmp\\Palette2.bmp", plain(DrawPaletteChart)},
        {"bmp\\Debug.bmp", lettered(DrawDebugGlyphs)},
        {"bmp\\Window.bmp", plain(DrawWindowPattern)},
        {"bmp\\Title.bmp", plain(DrawTitle)},
        {"bmp\\TitleWord.bmp", lettered(DrawTitleWords)},
        {"bmp\\Symbol.bmp", plain(DrawSymbols)},
        {"bmp\\Accessory.bmp", plain(DrawAccessories)},
        {"bmp\\Character.bmp", plain(DrawCharacterSheet)},
        {"bmp\\WorldMapChip.bmp", plain(DrawWorldMapChipSheet)},
        {"bmp\\WorldEvent.bmp", plain(DrawWorldEventSheet)},
        {"bmp\\WorldBack.bmp", plain(DrawWorldBack)},
        {"bmp\\MapChip.bmp", plain(DrawMapChipSheet)},
        {"bmp\\MapChara.bmp", plain(DrawMapCharaSheet)},
        {"bmp\\Event.bmp", plain(DrawEventSheet)},
        {"bmp\\Time.bmp", plain(DrawTimeBar)},
        {"bmp\\Effect.bmp", plain(DrawEffects)},
        {"bmp\\Number.bmp", lettered(DrawNumbers)},
        {"bmp\\Word.bmp", lettered(DrawWords)},
        {"bmp\\back\\Back_Grass.bmp", back(Scenery::Grass)},
        {"bmp\\back\\Back_Forest.bmp", back(Scenery::Forest)},
        {"bmp\\back\\Back_Mountain.bmp", back(Scenery::Mountain)},
        {"bmp\\back\\Back_Fort.bmp", back(Scenery::Fort)},
        {"bmp\\back\\デフォルト.bmp", back(Scenery::Dusk)},
        {"bmp\\ToolBar_Palette.bmp", toolBar(0)},
        {"bmp\\ToolBar_Pen.bmp", toolBar(1)},
        {"bmp\\ToolBar_WorldPalette.bmp", toolBar(2)},
    };
    return painters;
}

// Enters a folder and goes back to the one before when it ends.
class FolderScope
{
public:
    explicit FolderScope(const fs::path& folder) : m_Previous(fs::current_path()) { fs::current_path(folder); }
    ~FolderScope()
    {
        std::error_code ec;
        fs::current_path(m_Previous, ec);
    }
    FolderScope(const FolderScope&) = delete;
    FolderScope& operator=(const FolderScope&) = delete;

private:
    fs::path m_Previous;
};

// The position of the last separator of a stored path (never the trail byte
// of a double-byte character), or npos.
size_t LastSeparator(const std::string& path)
{
    size_t last = std::string::npos;
    for (size_t i = 0; i < path.size(); i += platform::Cp932CharLength(path, i))
    {
        if (path[i] == '\\')
        {
            last = i;
        }
    }
    return last;
}

// Writes a file of the project (stored path) with its folders.
bool WriteProjectFile(const std::string& path, const void* data, size_t size, std::string& error)
{
    size_t slash = LastSeparator(path);
    if (slash != std::string::npos && !platform::CreateFolders(path.substr(0, slash)))
    {
        error = "cannot create the folder of " + platform::ToUtf8(path);
        return false;
    }
    if (!platform::WriteFileAtomically(path, data, size, &error))
    {
        error = platform::ToUtf8(path) + ": " + error;
        return false;
    }
    return true;
}

bool WriteProjectFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error)
{
    return WriteProjectFile(path, bytes.data(), bytes.size(), error);
}

bool WriteProjectFile(const std::string& path, const std::string& text, std::string& error)
{
    return WriteProjectFile(path, text.data(), text.size(), error);
}

bool WriteEverything(platform::TextRasterizer& fonts, std::vector<NamedCanvas>& sheets, std::string& error)
{
    sheets = DrawAllSheets(fonts);
    for (const NamedCanvas& sheet : sheets)
    {
        if (!WriteProjectFile(sheet.m_strName, EncodeBmp(sheet.m_Canvas), error))
        {
            return false;
        }
    }
    for (const SoundFile& sound : MakeSoundFiles())
    {
        if (!WriteProjectFile(sound.m_strPath, sound.m_Bytes, error))
        {
            return false;
        }
    }
    for (const MusicFile& music : MakeMusicFiles())
    {
        if (!WriteProjectFile(music.m_strPath, music.m_Bytes, error))
        {
            return false;
        }
    }
    if (!WriteProjectFile("System.ini", SystemIniText(), error) ||
        !WriteProjectFile("data\\RandomName.txt", RandomNameText(), error))
    {
        return false;
    }
    return WriteSampleData(error);
}

} // namespace

Canvas DrawSheet(const SheetInfo& sheet, platform::TextRasterizer& fonts)
{
    auto painter = Painters().find(sheet.m_strPath);
    if (painter == Painters().end())
    {
        throw std::logic_error("no art for " + platform::ToUtf8(sheet.m_strPath));
    }
    Canvas canvas = painter->second(sheet, fonts);
    if (canvas.Width() != sheet.m_nWidth || canvas.Height() != sheet.m_nHeight)
    {
        throw std::logic_error("the art of " + platform::ToUtf8(sheet.m_strPath) + " has the wrong size");
    }
    return canvas;
}

std::vector<NamedCanvas> DrawAllSheets(platform::TextRasterizer& fonts)
{
    std::vector<NamedCanvas> sheets;
    for (const SheetInfo& sheet : SampleSheets())
    {
        sheets.push_back({sheet.m_strPath, DrawSheet(sheet, fonts)});
    }
    return sheets;
}

int WriteSampleProject(const SampleOptions& options, std::ostream& out, std::ostream& err)
{
    std::error_code ec;
    fs::path folder = fs::absolute(options.m_strFolder, ec);
    if (ec)
    {
        err << "tarnwick-sample: " << options.m_strFolder << ": " << ec.message() << '\n';
        return kExitUsage;
    }
    if (fs::exists(folder) && !fs::is_empty(folder, ec) && !options.m_bReplace)
    {
        err << "tarnwick-sample: " << options.m_strFolder
            << " is not empty; give --replace to write the sample over what it holds\n";
        return kExitUsage;
    }
    fs::path contactSheet = options.m_strContactSheet.empty() ? fs::path() : fs::absolute(options.m_strContactSheet);
    fs::create_directories(folder, ec);
    if (ec)
    {
        err << "tarnwick-sample: cannot create " << options.m_strFolder << ": " << ec.message() << '\n';
        return kExitFailed;
    }

    platform::FreeTypeRasterizer fonts;
    if (!fonts.Open())
    {
        err << "tarnwick-sample: the font " << platform::kDefaultFontFile << " cannot be opened\n";
        return kExitFailed;
    }

    std::string error;
    std::vector<NamedCanvas> sheets;
    bool ok = false;
    {
        FolderScope scope(folder);
        const int32_t version = CurrentVersion;
        CurrentVersion = kDataFormatVersion;
        try
        {
            ok = WriteEverything(fonts, sheets, error);
            if (ok && !contactSheet.empty())
            {
                std::vector<NamedCanvas> pictures = sheets;
                for (NamedCanvas& preview : RenderMapPreviews(sheets))
                {
                    pictures.push_back(std::move(preview));
                }
                std::vector<uint8_t> png = EncodePng(RenderContactSheet(pictures, fonts));
                ok = !png.empty() && platform::WriteFileAtomically(platform::FromUtf8(contactSheet.string()),
                                                                   png.data(), png.size(), &error);
                if (png.empty())
                {
                    error = "the contact sheet could not be encoded";
                }
            }
        }
        catch (const std::exception& e)
        {
            ok = false;
            error = e.what();
        }
        CurrentVersion = version;
    }
    if (!ok)
    {
        err << "tarnwick-sample: " << error << '\n';
        return kExitFailed;
    }
    out << "sample project in " << options.m_strFolder << '\n';
    if (!contactSheet.empty())
    {
        out << "contact sheet " << options.m_strContactSheet << '\n';
    }
    return kExitOk;
}

int RunSampleTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    SampleOptions options;
    for (size_t i = 0; i < args.size(); ++i)
    {
        if (args[i] == "--replace")
        {
            options.m_bReplace = true;
        }
        else if (args[i] == "--contact-sheet" && i + 1 < args.size())
        {
            options.m_strContactSheet = args[++i];
        }
        else if (!args[i].empty() && args[i][0] != '-' && options.m_strFolder.empty())
        {
            options.m_strFolder = args[i];
        }
        else
        {
            options.m_strFolder.clear();
            break;
        }
    }
    if (options.m_strFolder.empty())
    {
        err << "usage: tarnwick-sample [--replace] [--contact-sheet PNG] DIR\n";
        return kExitUsage;
    }
    return WriteSampleProject(options, out, err);
}

} // namespace sample
