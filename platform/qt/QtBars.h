#pragma once

// Tool bar and status bar of a window on Qt, and the conversion of our
// pixel views into Qt images that they and the windows draw with.

#include "platform/qt/QtMenus.h"
#include "platform/window/NativeWindow.h"

#include <QIcon>
#include <QImage>

class QToolBar;
class QStatusBar;
class QAction;

namespace platform
{

QImage ToImage(const PixelView& view);

class QtToolBar : public ToolBar
{
public:
    // Button clicks report their command through the callback.
    QtToolBar(QWidget* parent, MenuCommand clicked);
    int AddStandardImages() override;
    int AddImages(const PixelView& strip, int count) override;
    void AddButton(const ToolButton& button) override;
    int ButtonCount() const override { return static_cast<int>(m_Actions.size()); }
    Rect ButtonRect(int index) const override;
    uint8_t ButtonState(int command) const override;
    void SetButtonState(int command, uint8_t state) override;
    void SetTip(int index, std::string_view text) override;
    std::string Tip(int index) const override;
    void OnOwnerSize(int width, int height) override;

private:
    QAction* At(int index) const;

    MenuCommand m_Clicked;
    QToolBar* m_pBar;
    std::vector<QIcon> m_Images;
    std::vector<QAction*> m_Actions;
    std::vector<int> m_Commands; // of each action; 0 for a separator
};

class QtStatusBar : public StatusBar
{
public:
    explicit QtStatusBar(QWidget* parent);
    void Move(const Rect& rect) override;
    Rect Placement() const override;
    void SetText(std::string_view text) override;

private:
    QStatusBar* m_pBar;
};

} // namespace platform
