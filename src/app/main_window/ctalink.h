// The picture link: a child window of its own class showing the link picture,
// which opens one web address when it is clicked, anywhere on the control,
// or when the control has the focus and Enter or Space is pressed. The
// address is also its tooltip and its window text, so screen readers name
// the control by where it leads.
#pragma once

#include <string>

#include "platform/shell.h"
#include "platform/win32.h"
#include "app/main_window/tool_tip.h"
#include "ui/controls.h"

namespace corvane {

class ctalink : public ui::Control {
public:
    ctalink() = default;
    ~ctalink() override;

    void Create(ui::Window& parent, std::string szAddress, Browser& browser);
    // Places the control and sizes its picture for the DPI.
    void Layout(const ui::TwipsRect& rc, UINT lDpi);

    const std::string& Address() const { return szToolTipText; }
    // Where Picture1 lies, in the control's client coordinates; its upper
    // part lies above the control and is not seen.
    RECT PictureRect() const;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT lMsg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT lMsg, WPARAM wParam, LPARAM lParam);

    void Picture1_Click();
    void UserControl_Click();

    void Paint();
    void OnMouseUp(POINT pt);
    void Release();

    std::string szToolTipText;  // the address: tooltip and link target in one
    Browser* pBrowser = nullptr;
    HBITMAP hPicture = nullptr;
    ToolTip toolTip;
    UINT lDpi = 96;
    bool bPressed = false;
    bool bAlive = false;  // the window exists and points back here
};

}  // namespace corvane
