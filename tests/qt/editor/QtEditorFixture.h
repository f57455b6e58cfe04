#pragma once

// What the tests of the editor's dialogs on real Qt widgets share: the Qt
// window system as the editor's, scripted message boxes, the application
// object, and the widget or the model behind a dialog's control.

#include "platform/qt/QtText.h"
#include "platform/qt/QtWindow.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/window/ControlModel.h"
#include "platform/window/ScriptedDialogs.h"
#include "tests/editor/framework/DialogTestSupport.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

class QtEditorTest : public testing::Test
{
protected:
    void SetUp() override { AppWindowSystem = &m_System; }
    void TearDown() override
    {
        m_System.SetMessageFilter(nullptr);
        KeyboardHook::UninstallAll();
        AppWindowSystem = nullptr;
    }

public:
    platform::WindowHandle Item(const DialogBase& dialog, int id) const
    {
        return m_System.GetDlgItem(dialog.Handle(), id);
    }
    QWidget* Widget(const DialogBase& dialog, int id) const
    {
        auto* child = dynamic_cast<platform::QtChildWindow*>(m_System.Resolve(Item(dialog, id)));
        return child ? child->Widget() : nullptr;
    }
    template <class Model>
    Model* ModelOf(const DialogBase& dialog, int id) const
    {
        return platform::ModelOf<Model>(Item(dialog, id));
    }

protected:
    platform::QtWindowSystem m_System;
    platform::ScriptedDialogs m_Boxes;
    EditorApp m_App;
};

// Texts of the widgets as failures print them.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// Types the text key by key; a character beyond ASCII comes as the text of a
// key the keyboard has no code for, as an input method in direct mode sends it.
inline void TypeKeys(QWidget* widget, const QString& text)
{
    for (QChar character : text)
    {
        if (character.unicode() < 0x80)
        {
            QTest::keyClick(widget, character.toLatin1());
        }
        else
        {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
            QCoreApplication::sendEvent(widget, &press);
        }
    }
}
