// The base of the program's windows. A window is a class with its controls
// as members; the static window procedure binds the object at WM_NCCREATE
// and forwards every message to HandleMessage, and the binding is cleared
// before the object could be half destroyed. Unloading destroys the window
// but keeps the object, so the next use loads it again, as a new window.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32.h"
#include "ui/child_controls.h"
#include "ui/dpi.h"
#include "ui/focus_memory.h"
#include "ui/font.h"

namespace corvane::ui {

class Control;

class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return hwnd; }
    bool IsLoaded() const { return hwnd != nullptr; }
    UINT Dpi() const { return lDpi; }
    int Px(int lTwips) const { return TwipsToPixels(lTwips, lDpi); }
    HFONT MessageFont() const { return messageFont.Handle(); }

    // Destroys the window; its controls go with it.
    void Unload();
    // Hides the window without destroying it; a modal show ends with it.
    void Hide();
    // Shows the window modal over another: that one takes no input, and this
    // call does not return, until this window is hidden or unloaded; the
    // messages of every window are handled meanwhile. While shown the window
    // stays in front of the other, and it is free of it again afterwards, so
    // a hidden window may outlive the one it was shown over.
    void ShowModal(Window& over);
    void SetCaption(const std::string& szCaption);

    // Runs once the window is gone, whichever way it was closed.
    std::function<void()> onUnloaded;

    // A control being created on this window takes its id here, and its
    // notifications are routed to it from then on; controls are created in
    // tab order, from CreateControls.
    int AdoptControl(Control& control);

protected:
    struct FormSpec {
        const char* szClassName;
        std::string szCaption;
        DWORD lStyle;
        DWORD lExStyle;
        int lClientWidth;   // twips
        int lClientHeight;  // twips
    };

    Window() = default;

    // Creates the window hidden, centred on the screen's work area, with
    // its client area of the given size at the window's DPI.
    void CreateForm(const FormSpec& form);
    // Moves the window so that its client area's top-left corner lies at
    // that point of the screen, in twips, or as near it as the whole window
    // stays on its screen.
    void PlaceClientAt(int lLeftTwips, int lTopTwips);
    // Called from WM_CREATE on: create the controls here, in tab order.
    virtual void CreateControls() = 0;
    // Places the controls for Dpi() and gives them their fonts; called after
    // CreateControls and again whenever the window moves to a monitor of
    // another DPI.
    virtual void LayoutControls() = 0;
    // A layout table's controls placed for Dpi(), each with the message font.
    void PlaceControls(std::initializer_list<std::pair<Control*, TwipsRect>> placements);
    // The form's own messages; what it does not handle goes to the base.
    virtual LRESULT HandleMessage(UINT lMsg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT lMsg, WPARAM wParam, LPARAM lParam);

    // A window timer: OnTimer(lTimerId) runs on this thread every lIntervalMs
    // while it is enabled; it goes with the window.
    void SetTimerEnabled(UINT_PTR lTimerId, bool bEnabled, UINT lIntervalMs);
    bool TimerEnabled(UINT_PTR lTimerId) const;
    virtual void OnTimer(UINT_PTR lTimerId) { (void)lTimerId; }

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT lMsg, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT lMsg, WPARAM wParam, LPARAM lParam);
    void OnDpiChanged(UINT lNewDpi, const RECT& rcSuggested);
    void ResizeToClient();
    void EndModal();

    HWND hwnd = nullptr;
    HWND hModalOver = nullptr;  // the window disabled while this one is shown modal
    FocusMemory focus;
    UINT lDpi = kDefaultDpi;
    Font messageFont;
    ChildControls controls;
    std::vector<UINT_PTR> enabledTimers;
    int lClientWidthTwips = 0;
    int lClientHeightTwips = 0;
    DWORD lStyle = 0;
    DWORD lExStyle = 0;
};

}  // namespace corvane::ui
