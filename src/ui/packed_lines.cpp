#include "ui/packed_lines.h"

#include <algorithm>

namespace corvane::ui {

namespace {

constexpr size_t kBlockSize = size_t{1} << 16;  // a longer line has a block of its own
constexpr size_t kGroup = 16;                  // lines from one kept whole to the next

// A count in seven bits a byte, the lowest first: one byte for most.
void PutCount(std::string& szOut, size_t lCount) {
    for (; lCount >= 0x80; lCount >>= 7) szOut += static_cast<char>(0x80 | (lCount & 0x7f));
    szOut += static_cast<char>(lCount);
}

size_t TakeCount(const std::string& szIn, size_t& lPos) {
    size_t lCount = 0;
    for (int lShift = 0;; lShift += 7) {
        const auto b = static_cast<unsigned char>(szIn[lPos++]);
        lCount |= static_cast<size_t>(b & 0x7f) << lShift;
        if (!(b & 0x80)) return lCount;
    }
}

size_t CountBytes(size_t lCount) {
    size_t lBytes = 1;
    for (; lCount >= 0x80; lCount >>= 7) ++lBytes;
    return lBytes;
}

size_t Shared(const std::string& a, const std::string& b) {
    return static_cast<size_t>(std::mismatch(a.begin(), a.begin() + std::min(a.size(), b.size()), b.begin()).first -
                               a.begin());
}

}  // namespace

void PackedLines::Add(const std::string& szLine) {
    const bool bGroupFull = restarts.empty() || lCount - restarts.back().lFirstLine >= kGroup;
    size_t lShared = bGroupFull ? 0 : Shared(szLast, szLine);
    const auto Size = [&] { return CountBytes(lShared) + CountBytes(szLine.size() - lShared) + szLine.size() - lShared; };
    const bool bFits = !blocks.empty() && blocks.back().size() + Size() <= kBlockSize;
    if (!bFits) {
        lShared = 0;
        if (blocks.empty() || !blocks.back().empty()) blocks.emplace_back();
        blocks.back().reserve(std::max(kBlockSize, Size()));
    }
    if (bGroupFull || !bFits)
        restarts.push_back({lCount, static_cast<uint32_t>(blocks.size() - 1), static_cast<uint32_t>(blocks.back().size())});
    std::string& block = blocks.back();
    PutCount(block, lShared);
    PutCount(block, szLine.size() - lShared);
    block.append(szLine, lShared, std::string::npos);
    szLast = szLine;
    ++lCount;
}

void PackedLines::Clear() {
    blocks.clear();
    restarts.clear();
    szLast.clear();
    lCount = 0;
}

size_t PackedLines::Bytes() const {
    size_t lBytes = blocks.capacity() * sizeof(std::string) + restarts.capacity() * sizeof(Restart) + szLast.capacity();
    for (const std::string& block : blocks) lBytes += block.capacity();
    return lBytes;
}

std::string PackedLines::Line(size_t i) const {
    if (i >= lCount) return {};
    const auto after = std::upper_bound(restarts.begin(), restarts.end(), i,
                                        [](size_t lLine, const Restart& r) { return lLine < r.lFirstLine; });
    const Restart& restart = *(after - 1);
    const std::string& block = blocks[restart.lBlock];
    size_t lPos = restart.lOffset;
    std::string szLine;
    for (size_t lLine = restart.lFirstLine;; ++lLine) {
        const size_t lShared = TakeCount(block, lPos), lRest = TakeCount(block, lPos);
        szLine.resize(lShared);
        szLine.append(block, lPos, lRest);
        lPos += lRest;
        if (lLine == i) return szLine;
    }
}

}  // namespace corvane::ui
