#pragma once

// The behaviour of a control, written once for every backend. A child window
// of a control class (ControlMessages.h) owns one model; the messages its
// procedure leaves to the default reach the model, which keeps the control's
// state (text, check, items, selection, range) and raises its notifications
// to the parent synchronously, inside the call that caused them.
//
// The dummy backend uses the models as they are. The Qt backend mirrors each
// model onto a widget: the model calls its view after every change, and the
// widget's signals come back as the user actions below. Programmatic changes
// never raise the notifications that only the author's actions raise (a
// list's selection change), so nothing fires twice.
//
// The user actions (UserClick, UserType and the like of each family) are what
// the author does with mouse and keyboard; tests call them to act as the author.

#include "platform/window/ControlMessages.h"
#include "platform/window/NativeWindow.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace platform
{

class ControlModel
{
public:
    ControlModel(NativeWindow& window, std::string_view text);
    virtual ~ControlModel();
    ControlModel(const ControlModel&) = delete;
    ControlModel& operator=(const ControlModel&) = delete;

    NativeWindow& Window() const { return m_Window; }
    WindowHandle Handle() const { return m_Window.Handle(); }
    int Id() const { return m_Window.Id(); }
    uint32_t Style() const { return m_Window.Style(); }

    // What the control's class does with a message its procedure left to the
    // default. The base answers the text messages.
    virtual intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam);

    // The window's text: a button's caption, a static's text, an edit's contents (CP932).
    const std::string& Text() const { return m_strText; }
    // Sets the text as kWmSetText does; an edit raises its update notification inside the call.
    virtual void SetText(std::string_view text);

    // The backend's mirror: called after every change of what the control shows.
    void SetView(std::function<void()> view) { m_View = std::move(view); }
    // Something the view shows changed outside the model (the style, the size).
    void Changed();

protected:
    // kWmCommand with the notification to the parent, sent at once.
    void NotifyCommand(int code);
    // kWmNotify to the parent with the header filled in; the parent's answer.
    intptr_t NotifyParent(NotifyHeader& header, int code);

    std::string m_strText;

private:
    NativeWindow& m_Window;
    std::function<void()> m_View;
};

// The model of a window of one of the control classes; null for any other class.
std::unique_ptr<ControlModel> MakeControlModel(NativeWindow& window, const WindowCreateParams& params);

// The model of a live control; null for another window or a stale handle.
ControlModel* ControlOf(WindowHandle window);
template <class Model>
Model* ModelOf(WindowHandle window)
{
    return dynamic_cast<Model*>(ControlOf(window));
}

// Copies text into a caller's buffer of count bytes (closing zero included) as
// kWmGetText does; the bytes copied. Never splits a double-byte character.
intptr_t CopyTextOut(std::string_view text, uintptr_t count, intptr_t buffer);

} // namespace platform
