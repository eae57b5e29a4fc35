// Thin, non-owning views of the standard controls a window is made of; the
// window owns them as members and the child windows go with the window.
// Standard controls keep the program readable to screen readers and
// automation.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "ui/dpi.h"
#include "ui/window.h"

namespace corvane::ui {

class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    HWND Handle() const { return hwnd; }
    int Id() const { return lId; }

    bool Enabled() const;
    void SetEnabled(bool bEnabled);
    std::string Text() const;
    void SetText(const std::string& szText);
    void SetFont(HFONT hFont);
    void Place(const TwipsRect& rc, UINT lDpi);

    // A notification (BN_CLICKED, LBN_SELCHANGE, ...) sent to the parent.
    virtual void OnCommand(WORD lCode) { (void)lCode; }
    // Enter was pressed while the control had the focus.
    virtual void OnReturnKey() {}
    // An owner-drawn control's item is to be painted.
    virtual void OnDrawItem(const DRAWITEMSTRUCT& item) { (void)item; }

protected:
    // Creates the child window and registers it with its parent, which
    // routes the child's notifications to OnCommand from then on.
    void CreateChild(Window& parent, const char* szClass, const std::string& szText, DWORD lStyle,
                     DWORD lExStyle = 0);

private:
    HWND hwnd = nullptr;
    int lId = 0;
};

class Label : public Control {
public:
    void Create(Window& parent, const std::string& szCaption);
};

class GroupBox : public Control {
public:
    void Create(Window& parent, const std::string& szCaption);
};

// A one-line text box.
class TextBox : public Control {
public:
    void Create(Window& parent);
};

class Button : public Control {
public:
    void Create(Window& parent, const std::string& szCaption, bool bDefault = false);
    void OnCommand(WORD lCode) override;

    std::function<void()> onClick;
};

class CheckBox : public Control {
public:
    void Create(Window& parent, const std::string& szCaption);
    void OnCommand(WORD lCode) override;

    // 0 unchecked, 1 checked, 2 grayed.
    int Value() const;
    void SetValue(int lValue);

    std::function<void()> onClick;
};

class ListBox : public Control {
public:
    // bWidenToFit: a horizontal scroll bar appears when a line is wider
    // than the list, so long lines can be read whole.
    void Create(Window& parent, bool bVerticalScroll = true, bool bWidenToFit = false);
    void OnCommand(WORD lCode) override;
    // Measures every line again, after the font changed.
    void FitWidthToLines();

    void AddItem(const std::string& szItem);
    // Appends many lines with one repaint: adding and scrolling them one at
    // a time costs several milliseconds each.
    void AddItems(const std::vector<std::string>& szItems);
    void RemoveItem(int i);
    void Clear();
    int ListCount() const;
    std::string List(int i) const;
    bool Selected(int i) const;
    // The selected entry, or -1.
    int ListIndex() const;
    // Selects entry i; false when there is no such entry.
    bool SetListIndex(int i);
    void SetTopIndex(int i);
    // Offers a context menu for the entries: a right click selects the
    // entry under the mouse, as a click does, and asks for the menu there;
    // Shift+F10 or the context-menu key asks for it below the selected
    // entry. Away from the entries nothing is asked for.
    void OfferContextMenu(std::function<void(POINT ptScreen)> onMenu);

    std::function<void()> onClick;     // the selection changed
    std::function<void()> onDblClick;  // an entry was double-clicked

private:
    static LRESULT CALLBACK ContextMenuProc(HWND hwnd, UINT lMsg, WPARAM wParam, LPARAM lParam, UINT_PTR lId,
                                            DWORD_PTR lThis);
    void ContextMenuAt(LPARAM lPoint);
    std::function<void(POINT)> onContextMenu;
    // Widens the scroll range to the widest of these lines.
    void FitWidthTo(const std::vector<std::string>& szItems);
    bool bWidens = false;
    int lWidestLine = 0;
};

// A drop-down list to pick one of a few texts from.
class ComboBox : public Control {
public:
    void Create(Window& parent);
    void OnCommand(WORD lCode) override;

    void AddItem(const std::string& szItem);
    void Clear();
    int ListCount() const;
    // The selected entry, or -1.
    int ListIndex() const;
    void SetListIndex(int i);

    std::function<void()> onChange;  // the player picked another entry
};

// A standard progress bar, read out by screen readers; its range is fixed
// and positions are given as a share of a whole.
class ProgressBar : public Control {
public:
    void Create(Window& parent);
    // lDone of lTotal; a total of 0 empties the bar.
    void SetProgress(uint64_t lDone, uint64_t lTotal);
    int Position() const;

    static constexpr int kRange = 1000;
};

}  // namespace corvane::ui
