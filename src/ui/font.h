// Owns one GDI font.
#pragma once

#include "platform/win32.h"

namespace corvane::ui {

class Font {
public:
    Font() = default;
    explicit Font(const LOGFONTA& lf) : hFont(CreateFontIndirectA(&lf)) {}
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    Font(Font&& other) noexcept : hFont(other.hFont) { other.hFont = nullptr; }
    Font& operator=(Font&& other) noexcept {
        if (this != &other) {
            Reset();
            hFont = other.hFont;
            other.hFont = nullptr;
        }
        return *this;
    }
    ~Font() { Reset(); }

    HFONT Handle() const { return hFont; }

private:
    void Reset() {
        if (hFont) DeleteObject(hFont);
        hFont = nullptr;
    }
    HFONT hFont = nullptr;
};

}  // namespace corvane::ui
