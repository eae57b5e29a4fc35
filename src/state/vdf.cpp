#include "state/vdf.h"

namespace corvane {

namespace {

// Steam's files nest three or four deep; a limit keeps damaged text from
// costing the stack.
constexpr size_t kDeepest = 32;

struct Token {
    enum Kind { kText, kOpen, kClose, kEnd, kDamaged } kind;
    std::string szText;
};

class Tokens {
public:
    explicit Tokens(std::string_view szText) : szText(szText) {}

    Token Next() {
        SkipBlanksAndComments();
        if (lAt >= szText.size()) return {Token::kEnd, {}};
        const char c = szText[lAt];
        if (c == '{' || c == '}') {
            ++lAt;
            return {c == '{' ? Token::kOpen : Token::kClose, {}};
        }
        return c == '"' ? Quoted() : Bare();
    }

private:
    void SkipBlanksAndComments() {
        while (lAt < szText.size()) {
            const char c = szText[lAt];
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++lAt;
            } else if (szText.substr(lAt, 2) == "//") {
                const size_t lEnd = szText.find('\n', lAt);
                lAt = lEnd == std::string_view::npos ? szText.size() : lEnd + 1;
            } else {
                return;
            }
        }
    }

    Token Quoted() {
        std::string szValue;
        for (++lAt; lAt < szText.size(); ++lAt) {
            char c = szText[lAt];
            if (c == '"') {
                ++lAt;
                return {Token::kText, std::move(szValue)};
            }
            if (c == '\\' && lAt + 1 < szText.size()) {
                c = szText[++lAt];
                if (c == 'n') c = '\n';
                if (c == 't') c = '\t';
            }
            szValue += c;
        }
        return {Token::kDamaged, {}};
    }

    Token Bare() {
        const size_t lStart = lAt;
        while (lAt < szText.size() && std::string_view(" \t\r\n{}\"").find(szText[lAt]) == std::string_view::npos)
            ++lAt;
        return {Token::kText, std::string(szText.substr(lStart, lAt - lStart))};
    }

    std::string_view szText;
    size_t lAt = 0;
};

// Fills the block with entries up to its closing brace (or, for the top
// level, the end of the text); false when the text is damaged.
bool ReadBlock(Tokens& tokens, VdfEntry& block, size_t lDepth, bool bTopLevel) {
    for (;;) {
        Token key = tokens.Next();
        if (key.kind == Token::kEnd) return bTopLevel;
        if (key.kind == Token::kClose) return !bTopLevel;
        if (key.kind != Token::kText) return false;
        // Conditions such as [$WIN32] after a key or value say nothing here.
        if (key.szText.starts_with("[")) continue;
        Token value = tokens.Next();
        VdfEntry& entry = block.children.emplace_back();
        entry.szKey = std::move(key.szText);
        if (value.kind == Token::kText) {
            entry.szValue = std::move(value.szText);
        } else if (value.kind == Token::kOpen) {
            entry.bBlock = true;
            if (lDepth + 1 >= kDeepest || !ReadBlock(tokens, entry, lDepth + 1, false)) return false;
        } else {
            return false;
        }
    }
}

}  // namespace

bool SameLetters(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

const VdfEntry* VdfEntry::Find(std::string_view szName) const {
    for (const VdfEntry& entry : children)
        if (SameLetters(entry.szKey, szName)) return &entry;
    return nullptr;
}

std::string VdfEntry::ValueOf(std::string_view szName) const {
    const VdfEntry* entry = Find(szName);
    return entry && !entry->bBlock ? entry->szValue : "";
}

VdfEntry ReadVdf(std::string_view szText) {
    Tokens tokens(szText);
    VdfEntry top;
    top.bBlock = true;
    if (!ReadBlock(tokens, top, 0, true)) return VdfEntry{{}, {}, {}, true};
    return top;
}

}  // namespace corvane
