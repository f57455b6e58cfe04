#pragma once

// What the database tests share on any window backend: a fresh project
// folder as the current folder with the project data at its defaults, a
// stand-in for the stage editor window that opens the sheet, bitmaps whose
// cells can be told apart, and the tables as their files hold them.

#include "TempFolder.h"
#include "common/project/ProjectFiles.h"
#include "common/services/Log.h"
#include "editor/database/ClassPage.h"
#include "editor/database/DatabaseSheet.h"
#include "editor/database/LandPage.h"
#include "platform/core/FatalHooks.h"
#include "tests/common/graphics/BmpBuilder.h"
#include "tests/editor/framework/DialogTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

// The stage editor window as the database sees it: a plain modeless window
// of the application, the shared bitmaps it loaded, its database command,
// and what it does when the sheet has closed (shows and enables the windows
// again).
class StandInView : public DatabaseHost
{
public:
    explicit StandInView(EditorApp* app) : m_pApp(app), m_Window(ViewTemplate(), nullptr, app)
    {
        m_Window.RunModeless(0);
        // The bitmaps of the project folder, as the stage editor loads them at its start.
        const char* files[kEditorBitmapCount] = {"bmp/MapChip.bmp", nullptr, "bmp/Character.bmp"};
        const char* stored[kEditorBitmapCount] = {"bmp\\MapChip.bmp", nullptr, "bmp\\Character.bmp"};
        files[kBitmapEffect] = "bmp/Effect.bmp";
        stored[kBitmapEffect] = "bmp\\Effect.bmp";
        files[kBitmapSymbol] = "bmp/Symbol.bmp";
        stored[kBitmapSymbol] = "bmp\\Symbol.bmp";
        for (int slot = 0; slot < kEditorBitmapCount; ++slot)
        {
            if (files[slot] && std::filesystem::exists(files[slot]))
            {
                m_Bitmaps[slot].Load(stored[slot], 8, 0);
            }
        }
    }
    ~StandInView() override { m_Holder.reset(); }

    // The database command: the other windows hidden and disabled, the sheet
    // made; the windows back when it cannot be. 1 when the sheet is open.
    int OpenDatabase()
    {
        m_Holder.reset();
        m_pApp->ShowAllWindows(0);
        m_pApp->EnableAllWindows(0);
        if (CreateDatabaseSheet(*this, m_pApp))
        {
            return 1;
        }
        m_pApp->ShowAllWindows(1);
        m_pApp->EnableAllWindows(1);
        return 0;
    }

    platform::WindowHandle DatabaseParent() const override { return m_Window.Handle(); }
    std::unique_ptr<PropSheetOwner>& DatabaseHolder() override { return m_Holder; }
    const DibBitmap* SharedBitmap(int slot) const override
    {
        return slot >= 0 && slot < kEditorBitmapCount ? &m_Bitmaps[slot] : nullptr;
    }
    void OnDatabaseClosed() override
    {
        ++m_nClosed;
        m_pApp->ShowAllWindows(1);
        m_pApp->EnableAllWindows(1);
    }

    EditorApp* m_pApp;
    ProbeDialog m_Window;
    DibBitmap m_Bitmaps[kEditorBitmapCount];
    int m_nClosed = 0;
    std::unique_ptr<PropSheetOwner> m_Holder;
};

// The project folder of a test, with its data folder, and the project data at its defaults.
struct DatabaseProject
{
    void Start()
    {
        platform::ClearFatalError();
        OpenReportLog("Report.txt");
        InitErrorLog(0, "EC.txt");
        ResetProjectData();
        std::filesystem::create_directories("data/database");
    }
    void End()
    {
        ResetProjectData();
        platform::ClearFatalError();
    }

    // An 8-bit bitmap whose every cell of the size has a colour of its own:
    // the pixels of cell n (counted row by row) have index n + 1.
    void WriteCellBitmap(const char* path, int width, int height, int cell)
    {
        BmpLayout layout;
        layout.m_nWidth = width;
        layout.m_nHeight = height;
        for (uint32_t i = 0; i < 256; ++i)
        {
            layout.m_Table.push_back(i << 16 | (255 - i) << 8 | (i * 7 & 0xFF));
        }
        int perRow = width / cell;
        for (int y = 0; y < height; ++y)
        {
            for (int x = 0; x < width; ++x)
            {
                layout.m_Pixels.push_back(static_cast<uint32_t>((y / cell) * perRow + x / cell + 1));
            }
        }
        m_Folder.WriteFile(path, MakeBmp(layout));
    }
    // Whether the canvas shows the square of the bitmap from (x, y).
    static bool ShowsCell(const DibBitmap& canvas, const DibBitmap& source, int x, int y)
    {
        for (int dy = 0; dy < canvas.Height(); ++dy)
        {
            for (int dx = 0; dx < canvas.Width(); ++dx)
            {
                if (canvas.PixelRgb(dx, dy) != source.PixelRgb(x + dx, y + dy))
                {
                    return false;
                }
            }
        }
        return true;
    }

    template <class T>
    static CheckedVector<T> LoadTable(const char* path)
    {
        CheckedVector<T> table;
        EXPECT_EQ(LoadTableFile(table, path, 0), 1) << path;
        return table;
    }

    TempFolder m_Folder;
};
