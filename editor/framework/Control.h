#pragma once

// The wrappers through which a dialog binds the controls of its template to
// the data it edits. A dialog keeps its wrappers by value, one CheckedVector
// per kind, fills each wrapper's binding descriptor in its constructor,
// attaches the wrappers when its window is made (kWmInitDialog) and lists
// them in its table of bound controls, through which it routes commands,
// notifications and keys to them and moves data both ways
// (DialogBase::DataToControls, DialogBase::ControlsToData).
//
// A wrapper stays at its address while it is attached (the dialog's table
// holds that address), so a wrapper vector is sized before its elements are
// attached.

#include "common/data/CheckedVector.h"
#include "platform/window/NativeWindow.h"

#include <cstdint>
#include <string>

class DialogBase;

// The kind of a wrapper: the dialog's routing depends on it. There is no kind 6.
enum ControlKind : int32_t
{
    kControlNone = 0,
    kControlPlain = 1,      // PlainControl: buttons, texts, anything without data
    kControlNumberEdit = 2, // NumberEdit<T>
    kControlTextEdit = 3,   // TextEdit
    kControlBitmap = 4,     // BitmapControl
    kControlCheckBox = 5,   // CheckBox
    kControlComboBox = 7,   // ComboBox
    kControlListBox = 8,    // ListBox<T>
    kControlSpin = 9,       // SpinControl<T>
    kControlScrollBar = 10, // ScrollBar
};

class Control
{
public:
    Control() = default;
    explicit Control(int32_t kind) : m_nKind(kind) {}
    virtual ~Control() = default;
    // A copy has every member of the original.
    Control(const Control&) = default;
    // Assignment takes only the window handle and the control id; the kind,
    // the owner and the placement of the target stay as they are.
    Control& operator=(const Control& other);

    // ---- what the owner calls, with what the base does ----
    // Enables or disables the control's window.
    virtual void Enable(int on);
    // Shows the bound data (DialogBase::DataToControls). Nothing.
    virtual void DataToControl() {}
    // Stores the control's value into the bound data (DialogBase::ControlsToData). Nothing.
    virtual void ControlToData() {}
    // The control's contents changed: EN_UPDATE of an edit, the author's
    // selection of a combo box or a list. Nothing.
    virtual void OnChange() {}
    // A kWmNotify the owner offers every control until one answers nonzero. 0.
    virtual int OnNotify(uintptr_t id, const platform::NotifyHeader* header);
    // After a list command (list boxes). Nothing.
    virtual void EndUpdate() {}
    // The control lost the focus: EN_KILLFOCUS of an edit, LBN_KILLFOCUS of a list. Nothing.
    virtual void OnKillFocus() {}
    // Before a command, once the owner stopped the list boxes' redrawing. Nothing.
    virtual void BeginUpdate() {}
    // A key of a modal owner (the keyboard hook's copy), with the Ctrl key's state. Nothing.
    virtual void OnKey(uintptr_t key, intptr_t keyData, int ctrlDown);

    // ---- attaching and placement ----
    // Takes the owner, its window and the id, finds the control's window
    // (null when the template has no such control: every later window call
    // on it then does nothing) and reads its placement. Every kind's Attach
    // begins with this.
    void Attach(DialogBase* owner, uint16_t id);
    // Attach with the id the binding descriptor begins with.
    template <class Binding>
    void AttachByBinding(DialogBase* owner, const Binding& binding)
    {
        Attach(owner, static_cast<uint16_t>(binding.m_nId));
    }
    // Reads the control's position on the screen and relative to the owner's client area.
    void UpdatePlacement();
    // Sizes the control, keeping its place; nothing when it was never attached.
    void Resize(int width, int height);
    // Whether the screen point lies in the control's window, its edges included.
    bool ContainsPoint(const platform::Point* screen) const;
    // Clears style bits of the control's window.
    void ClearStyle(uint32_t bits);
    // Sets the control's text (SetDlgItemString).
    void SetText(const std::string& text);

    platform::WindowHandle Handle() const { return m_hWnd; }
    platform::NativeWindow* Native() const { return platform::ResolveWindow(m_hWnd); }
    DialogBase* Owner() const { return m_pOwner; }
    platform::WindowHandle OwnerWindow() const { return m_hOwner; }
    int32_t Kind() const { return m_nKind; }
    uint16_t Id() const { return m_nId; }
    const platform::Menu* PopupMenu() const { return m_pPopupMenu; }
    platform::Point ScreenPosition() const { return {m_nScreenX, m_nScreenY}; }
    platform::Point OwnerPosition() const { return {m_nX, m_nY}; }
    bool IsBusy() const { return m_bBusy != 0; }

protected:
    platform::WindowHandle m_hWnd;
    DialogBase* m_pOwner = nullptr;
    platform::WindowHandle m_hOwner;
    int32_t m_nKind = kControlNone;
    uint16_t m_nId = 0;
    const platform::Menu* m_pPopupMenu = nullptr; // a list box's pop-up menu
    int32_t m_nScreenX = 0;
    int32_t m_nScreenY = 0;
    int32_t m_nX = 0;
    int32_t m_nY = 0;
    // Set while an edit kind's OnChange or OnKillFocus runs: the EN_UPDATE its
    // own text change raises must not run them again.
    int32_t m_bBusy = 0;
};

// The first wrapper of the vector with that id, attached; a dialog asks only for ids its vectors hold
// (else the vector's own out-of-range report).
template <class Wrapper>
Wrapper& ControlById(CheckedVector<Wrapper>& controls, int id)
{
    for (Wrapper& wrapper : controls)
    {
        if (wrapper.Id() == id)
        {
            return wrapper;
        }
    }
    return controls.At(-1);
}

// Enables (or disables) the first wrapper of the vector with that id; nothing when none has it.
template <class Wrapper>
void EnableControlById(CheckedVector<Wrapper>& controls, int id, int on)
{
    for (int i = 0; i < controls.Count(); ++i)
    {
        if (controls.At(i).Id() == id)
        {
            controls.At(i).Enable(on);
            return;
        }
    }
}

// The common base of the two edit kinds: 1 a NumberEdit, 2 a TextEdit, set by their Attach.
class EditControl : public Control
{
public:
    using Control::Control;

protected:
    int32_t m_nEditKind = 0;
};
