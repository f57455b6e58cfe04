#pragma once

// What the tests of the database sheet on real Qt widgets share: a fresh
// project folder as the current folder with the project data at its
// defaults, a stand-in for the stage editor window that opens the sheet,
// the editor's loop pre-translating every message (accelerators, the
// clean-up of a closed sheet), and the widgets of the sheet and its pages.

#include "TempFolder.h"
#include "common/project/ProjectFiles.h"
#include "common/services/Log.h"
#include "editor/database/ClassPage.h"
#include "editor/database/DatabaseSheet.h"
#include "editor/database/LandPage.h"
#include "platform/core/FatalHooks.h"
#include "platform/qt/QtTabs.h"
#include "platform/window/Beep.h"
#include "platform/window/ButtonModel.h"
#include "platform/window/EditModel.h"
#include "platform/window/ListModels.h"
#include "tests/common/graphics/BmpBuilder.h"
#include "tests/qt/editor/QtEditorFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>

#include <filesystem>
#include <memory>

// The stage editor window as the database sees it: a plain modeless window
// of the application, the shared bitmaps it loaded, and what it does when
// the sheet has closed (shows and enables the windows again).
class StandInView : public DatabaseHost
{
public:
    explicit StandInView(EditorApp* app) : m_pApp(app), m_Window(ViewTemplate(), nullptr, app)
    {
        m_Window.RunModeless(0);
        // The bitmaps of the project folder, as the stage editor loads them at its start.
        const char* const files[kSharedBitmapCount] = {"bmp/MapChip.bmp", nullptr, "bmp/Character.bmp"};
        const char* const stored[kSharedBitmapCount] = {"bmp\\MapChip.bmp", nullptr, "bmp\\Character.bmp"};
        for (int slot = 0; slot < kSharedBitmapCount; ++slot)
        {
            if (files[slot] && std::filesystem::exists(files[slot]))
            {
                m_Bitmaps[slot].Load(stored[slot], 8, 0);
            }
        }
    }
    ~StandInView() override { m_Holder.reset(); }

    platform::WindowHandle DatabaseParent() const override { return m_Window.Handle(); }
    std::unique_ptr<PropSheetOwner>& DatabaseHolder() override { return m_Holder; }
    const DibBitmap* SharedBitmap(int slot) const override
    {
        return slot >= 0 && slot < kSharedBitmapCount ? &m_Bitmaps[slot] : nullptr;
    }
    void OnDatabaseClosed() override
    {
        ++m_nClosed;
        m_pApp->ShowAllWindows(1);
        m_pApp->EnableAllWindows(1);
    }

    EditorApp* m_pApp;
    ProbeDialog m_Window;
    DibBitmap m_Bitmaps[kSharedBitmapCount];
    int m_nClosed = 0;
    std::unique_ptr<PropSheetOwner> m_Holder;
};

class QtDatabaseTest : public QtEditorTest
{
protected:
    void SetUp() override
    {
        QtEditorTest::SetUp();
        platform::ClearFatalError();
        OpenReportLog("Report.txt");
        InitErrorLog(0, "EC.txt");
        ResetProjectData();
        std::filesystem::create_directories("data/database");
        m_System.SetMessageFilter(
            [this](platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
                return m_App.PreTranslateMessage({window, message, wParam, lParam}) != 0;
            });
    }
    void TearDown() override
    {
        m_pView.reset();
        ResetProjectData();
        platform::ClearFatalError();
        QtEditorTest::TearDown();
    }

    // Opens the database as the stage editor's command does, over a fresh stand-in view.
    DatabaseSheet& Open()
    {
        m_pView = std::make_unique<StandInView>(&m_App);
        EXPECT_EQ(OpenDatabaseSheet(*m_pView, &m_App), 1);
        return *HeldDatabaseSheet(*m_pView);
    }
    DatabaseSheet& Sheet() const { return *HeldDatabaseSheet(*m_pView); }
    ClassPage& Classes() const { return *static_cast<ClassPage*>(Sheet().Page(kPageClass)); }
    LandPage& Lands() const { return *static_cast<LandPage*>(Sheet().Page(kPageLand)); }
    // Shows the page as its tab would; its window is made the first time.
    void ShowPage(int index) { ASSERT_EQ(Sheet().SelectPage(index), 1); }

    QWidget* SheetWidget(int id) const
    {
        auto* child = dynamic_cast<platform::QtChildWindow*>(
            m_System.Resolve(m_System.GetDlgItem(Sheet().SheetWindow(), id)));
        return child ? child->Widget() : nullptr;
    }
    QTabBar* Tabs() const { return static_cast<platform::QtTabControl*>(SheetWidget(platform::kIdSheetTabs))->Bar(); }
    void ClickSheetButton(int id) { QTest::mouseClick(qobject_cast<QPushButton*>(SheetWidget(id)), Qt::LeftButton); }

    QListWidget* List(const DialogBase& page, int id) const { return qobject_cast<QListWidget*>(Widget(page, id)); }
    QStringList Rows(const DialogBase& page, int id) const
    {
        QStringList rows;
        for (int i = 0; i < List(page, id)->count(); ++i)
        {
            rows << List(page, id)->item(i)->text();
        }
        return rows;
    }
    // The author clicks a row of a list.
    void ClickRow(const DialogBase& page, int id, int row)
    {
        QListWidget* list = List(page, id);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    void ClickButton(const DialogBase& page, int id)
    {
        QTest::mouseClick(qobject_cast<QPushButton*>(Widget(page, id)), Qt::LeftButton);
    }
    QLineEdit* Edit(const DialogBase& page, int id) const { return qobject_cast<QLineEdit*>(Widget(page, id)); }
    // The author types at the end of a field's text.
    void TypeAtEnd(const DialogBase& page, int id, const QString& text)
    {
        QTest::keyClick(Edit(page, id), Qt::Key_End);
        TypeKeys(Edit(page, id), text);
    }
    // The author chooses a row of a combo box's drop-down list.
    void ChooseRow(const DialogBase& page, int id, int row)
    {
        ModelOf<platform::ComboBoxModel>(page, id)->UserSelect(row);
    }
    // A key typed with Ctrl into the widget, as the editor's loop takes it.
    void CtrlKey(QWidget* widget, Qt::Key key)
    {
        QTest::keyClick(widget, key, Qt::ControlModifier);
        m_System.PumpMessages();
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
    platform::BeepRecorder m_Beeps;
    std::unique_ptr<StandInView> m_pView;
};

inline const QString kTrailerRow(64, '-');
