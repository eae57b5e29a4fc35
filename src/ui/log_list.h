// A log of many lines: the lines are kept here, packed one after the other,
// and shown by an owner-drawn list box that holds no copy of them. Adding a
// line costs the same at line 40,000 as at line 1, and the log takes no more
// memory than its text. The list box still answers for its lines as any
// list box of strings does, so screen readers and tests read them alike.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace corvane::ui {

class LogList : public Control {
public:
    // Starts empty, with scroll bars for long and for many lines.
    void Create(Window& parent);
    // Appends the lines and shows the newest.
    void AddLines(const std::vector<std::string>& szLines);
    int LineCount() const { return static_cast<int>(lines.size()); }
    std::string Line(int i) const;
    // After the font changed: line height and the widest line again.
    void FitToFont();

    void OnDrawItem(const DRAWITEMSTRUCT& item) override;

private:
    static LRESULT CALLBACK ReadOutProc(HWND hwnd, UINT lMsg, WPARAM wParam, LPARAM lParam, UINT_PTR lId,
                                        DWORD_PTR lThis);
    // Widens the scroll range for the lines from lFirst on.
    void FitWidthFrom(size_t lFirst);

    // Every line, one after the other, in blocks that are filled before the
    // next is begun: the text grows a block at a time, never to twice its
    // size. A line lies whole in one block; it is found by the number of its
    // block and where it starts there, in four bytes.
    std::vector<std::string> blocks;
    std::vector<uint32_t> lines;
    int lWidest = 0;              // pixels
    size_t lLongestMeasured = 0;  // bytes of the longest line measured
};

}  // namespace corvane::ui
