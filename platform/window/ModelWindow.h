#pragma once

// The window model that the dummy and the SDL backends share: geometry,
// style, text, menus and bars kept by the window itself.

#include "platform/window/NativeWindow.h"

namespace platform
{

// A tool bar that keeps its buttons and tips; backends without a drawn tool bar use it as it is.
class ModelToolBar : public ToolBar
{
public:
    int AddStandardImages() override;
    int AddImages(const PixelView& strip, int count) override;
    void AddButton(const ToolButton& button) override;
    int ButtonCount() const override { return static_cast<int>(m_Buttons.size()); }
    Rect ButtonRect(int index) const override;
    uint8_t ButtonState(int command) const override;
    void SetButtonState(int command, uint8_t state) override;
    void SetTip(int index, std::string_view text) override;
    std::string Tip(int index) const override;
    void OnOwnerSize(int width, int height) override;

    const std::vector<ToolButton>& Buttons() const { return m_Buttons; }
    int ImageCount() const { return m_nImages; }
    int Width() const { return m_nWidth; }

private:
    int Resolve(int index) const { return index < 0 ? ButtonCount() - 1 : index; }

    std::vector<ToolButton> m_Buttons;
    std::vector<std::string> m_Tips;
    int m_nImages = 0;
    int m_nWidth = 0;
};

class ModelStatusBar : public StatusBar
{
public:
    void Move(const Rect& rect) override { m_Placement = rect; }
    Rect Placement() const override { return m_Placement; }
    void SetText(std::string_view text) override { m_strText = text; }
    const std::string& Text() const { return m_strText; }

private:
    Rect m_Placement;
    std::string m_strText;
};

// A window that keeps its geometry, style, text, menus and bars itself: the
// dummy's windows, and the SDL windows with SDL following the model. A
// control's text and state are its model's (ControlModel.h).
class ModelWindow : public NativeWindow, public NativeFrame
{
public:
    ModelWindow(WindowSystem& system, const WindowCreateParams& params);

    void Show(bool show) override;
    bool IsVisible() const override { return m_bVisible; }
    void SetMinimized(bool minimized) override { m_bMinimized = minimized && !IsChild(); }
    bool IsMinimized() const override { return m_bMinimized; }
    std::string Text() const override;
    void SetText(std::string_view text) override;
    const std::string& Title() const { return m_strText; }
    uint32_t Style() const override { return m_nStyle; }
    void SetStyle(uint32_t style) override;
    Rect WindowRect() const override { return m_WindowRect; }
    void SetWindowRect(const Rect& rect) override;
    Rect ClientRect() const override;
    void Invalidate() override;
    NativeFrame* Frame() override { return IsChild() ? nullptr : this; }

    bool HasMenuBar() const override { return m_bMenuBar; }
    void SetMenuBar(const Menu* menu) override;
    const Menu& MenuBar() const { return m_MenuBar; }
    ToolBar* CreateToolBar() override;
    StatusBar* CreateStatusBar() override;

    // The client area as presented so far, 0x00RRGGBB per pixel (black where nothing was presented).
    uint32_t PresentedPixel(int x, int y) const;
    int PresentCount() const { return m_nPresents; }

    ModelToolBar* GetToolBar() { return m_ToolBar.get(); }
    ModelStatusBar* GetStatusBar() { return m_StatusBar.get(); }

protected:
    // Backend hooks: the model changed and the native window should follow.
    virtual void ApplyGeometry() {}
    virtual void ApplyVisibility() {}
    virtual void ApplyTitle() {}
    // Keeps the presented image in the window's picture (client size).
    void StorePicture(const PixelView& image, int x, int y);
    const std::vector<uint32_t>& Picture() const { return m_Picture; }

private:
    // Sends kWmMove and kWmSize for what changed since the last report.
    void ReportGeometry(const Rect& oldWindow, const Rect& oldClient);

    std::string m_strText;
    uint32_t m_nStyle;
    bool m_bVisible = false;
    bool m_bMinimized = false;
    bool m_bMenuBar = false;
    Menu m_MenuBar;
    Rect m_WindowRect;
    std::unique_ptr<ModelToolBar> m_ToolBar;
    std::unique_ptr<ModelStatusBar> m_StatusBar;
    std::vector<uint32_t> m_Picture;
    int m_nPictureWidth = 0;
    int m_nPresents = 0;
};

} // namespace platform
