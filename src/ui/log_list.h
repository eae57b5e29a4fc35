// A log of many lines: the lines are kept here, packed, and shown by an
// owner-drawn list box that holds no copy of them. Adding a line costs the
// same at line 40,000 as at line 1, and a log of paths takes far less
// memory than its text. The list box still answers for its lines as any
// list box of strings does, so screen readers and tests read them alike.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/packed_lines.h"

namespace corvane::ui {

class LogList : public Control {
public:
    // Starts empty, with scroll bars for long and for many lines.
    void Create(Window& parent);
    // Appends the lines and shows the newest.
    void AddLines(const std::vector<std::string>& szLines);
    int LineCount() const { return static_cast<int>(lines.Count()); }
    std::string Line(int i) const { return i < 0 ? std::string() : lines.Line(static_cast<size_t>(i)); }
    // After the font changed: line height and the widest line again.
    void FitToFont();

    void OnDrawItem(const DRAWITEMSTRUCT& item) override;

private:
    static LRESULT CALLBACK ReadOutProc(HWND hwnd, UINT lMsg, WPARAM wParam, LPARAM lParam, UINT_PTR lId,
                                        DWORD_PTR lThis);
    // Widens the scroll range for lCount lines, given by lineAt.
    void FitWidth(size_t lCount, const std::function<std::string(size_t)>& lineAt);

    PackedLines lines;
    int lWidest = 0;              // pixels
    size_t lLongestMeasured = 0;  // bytes of the longest line measured
};

}  // namespace corvane::ui
