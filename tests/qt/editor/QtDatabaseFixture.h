#pragma once

// What the tests of the database sheet on real Qt widgets share: the
// project and the stand-in view of the database tests, the editor's loop
// pre-translating every message (accelerators, the clean-up of a closed
// sheet), and the widgets of the sheet and its pages.

#include "platform/qt/QtTabs.h"
#include "platform/window/Beep.h"
#include "platform/window/ButtonModel.h"
#include "platform/window/EditModel.h"
#include "platform/window/ListModels.h"
#include "tests/editor/database/DatabaseTestSupport.h"
#include "tests/qt/editor/QtEditorFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>

#include <memory>

class QtDatabaseTest : public QtEditorTest
{
protected:
    void SetUp() override
    {
        QtEditorTest::SetUp();
        m_Project.Start();
        m_System.SetMessageFilter(
            [this](platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
                return m_App.PreTranslateMessage({window, message, wParam, lParam}) != 0;
            });
    }
    void TearDown() override
    {
        m_pView.reset();
        m_Project.End();
        QtEditorTest::TearDown();
    }

    // Opens the database as the stage editor's command does, over a fresh stand-in view.
    DatabaseSheet& Open()
    {
        m_pView = std::make_unique<StandInView>(&m_App);
        EXPECT_EQ(m_pView->OpenDatabase(), 1);
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

    DatabaseProject m_Project;
    TempFolder& m_Folder = m_Project.m_Folder;
    platform::BeepRecorder m_Beeps;
    std::unique_ptr<StandInView> m_pView;
};

inline const QString kTrailerRow(64, '-');
