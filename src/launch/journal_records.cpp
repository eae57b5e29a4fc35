#include "launch/journal_records.h"

#include <array>

namespace corvane {

namespace {

constexpr size_t kFrameSize = 8;                  // length and checksum
constexpr size_t kLargestRecord = 16 * 1024 * 1024;  // far beyond any record; guards a damaged length

uint32_t Crc32(const std::string& szBytes) {
    static const std::array<uint32_t, 256> kTable = [] {
        std::array<uint32_t, 256> table{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        return table;
    }();
    uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : szBytes) c = kTable[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void PutNumber(std::string& szOut, uint64_t lValue, int lBytes) {
    for (int i = 0; i < lBytes; ++i) szOut += static_cast<char>((lValue >> (8 * i)) & 0xFF);
}

void PutText(std::string& szOut, const std::string& szText) {
    PutNumber(szOut, szText.size(), 4);
    szOut += szText;
}

// Reads the fields of one record's payload in order; any shortfall marks it bad.
class Reader {
public:
    explicit Reader(const std::string& szBytes) : szBytes(szBytes) {}

    uint64_t Number(int lBytes) {
        if (!Has(static_cast<size_t>(lBytes))) return 0;
        uint64_t lValue = 0;
        for (int i = 0; i < lBytes; ++i)
            lValue |= uint64_t{static_cast<unsigned char>(szBytes[lPos++])} << (8 * i);
        return lValue;
    }
    std::string Text() {
        const size_t lLength = Number(4);
        if (!Has(lLength)) return {};
        std::string szText = szBytes.substr(lPos, lLength);
        lPos += lLength;
        return szText;
    }
    bool Whole() const { return bGood && lPos == szBytes.size(); }

private:
    bool Has(size_t lCount) {
        if (szBytes.size() - lPos < lCount) bGood = false;
        return bGood;
    }
    const std::string& szBytes;
    size_t lPos = 0;
    bool bGood = true;
};

bool KnownStep(uint64_t lStep) { return lStep >= 1 && lStep <= static_cast<uint64_t>(JournalStep::kEnd); }

}  // namespace

std::string EncodeRecord(const JournalRecord& record) {
    std::string szPayload;
    PutNumber(szPayload, static_cast<uint8_t>(record.step), 1);
    PutNumber(szPayload, record.bWasThere ? 1 : 0, 1);
    PutNumber(szPayload, record.process.lId, 4);
    PutNumber(szPayload, record.process.lStartTime, 8);
    PutText(szPayload, record.szPath);
    PutText(szPayload, record.szOther);
    PutText(szPayload, record.szBackup);
    std::string szFramed;
    PutNumber(szFramed, szPayload.size(), 4);
    PutNumber(szFramed, Crc32(szPayload), 4);
    return szFramed + szPayload;
}

std::vector<JournalRecord> DecodeJournal(const std::string& szBytes) {
    std::vector<JournalRecord> records;
    size_t lPos = 0;
    while (szBytes.size() - lPos >= kFrameSize) {
        const std::string szFrame = szBytes.substr(lPos, kFrameSize);
        Reader frame(szFrame);
        const size_t lLength = frame.Number(4);
        const uint32_t lCrc = static_cast<uint32_t>(frame.Number(4));
        if (lLength > kLargestRecord || szBytes.size() - lPos - kFrameSize < lLength) break;
        const std::string szPayload = szBytes.substr(lPos + kFrameSize, lLength);
        if (Crc32(szPayload) != lCrc) break;
        Reader fields(szPayload);
        JournalRecord record;
        const uint64_t lStep = fields.Number(1);
        record.bWasThere = fields.Number(1) != 0;
        record.process.lId = static_cast<uint32_t>(fields.Number(4));
        record.process.lStartTime = fields.Number(8);
        record.szPath = fields.Text();
        record.szOther = fields.Text();
        record.szBackup = fields.Text();
        if (!fields.Whole() || !KnownStep(lStep)) break;
        record.step = static_cast<JournalStep>(lStep);
        records.push_back(std::move(record));
        lPos += kFrameSize + lLength;
    }
    return records;
}

}  // namespace corvane
