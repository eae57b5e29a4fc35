#include "launch/journal/journal_records.h"

#include <array>

namespace corvane {

namespace {

constexpr size_t kFrameSize = 8;                  // length and checksum
constexpr size_t kLargestRecord = 16 * 1024 * 1024;  // far beyond any record; guards a damaged length

uint32_t Crc32(const char* pBytes, size_t lCount) {
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
    for (size_t i = 0; i < lCount; ++i) c = kTable[(c ^ static_cast<unsigned char>(pBytes[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t Crc32(const std::string& szBytes) { return Crc32(szBytes.data(), szBytes.size()); }

void PutNumberAt(std::string& szOut, size_t lAt, uint64_t lValue, int lBytes) {
    for (int i = 0; i < lBytes; ++i) szOut[lAt + i] = static_cast<char>((lValue >> (8 * i)) & 0xFF);
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
    // Fields added after the first journals end there: older records lack them.
    bool More() const { return bGood && lPos < szBytes.size(); }

private:
    bool Has(size_t lCount) {
        if (szBytes.size() - lPos < lCount) bGood = false;
        return bGood;
    }
    const std::string& szBytes;
    size_t lPos = 0;
    bool bGood = true;
};

bool KnownStep(uint64_t lStep) { return lStep >= 1 && lStep <= static_cast<uint64_t>(JournalStep::kSetAside); }

}  // namespace

JournalRecord RecordOf(JournalStep step, std::string szPath, std::string szOther) {
    JournalRecord record;
    record.step = step;
    record.szPath = std::move(szPath);
    record.szOther = std::move(szOther);
    return record;
}

JournalRecord GameRecord(const ProcessId& process) {
    JournalRecord record = RecordOf(JournalStep::kGameStarted, process.szExe);
    record.process = process;
    return record;
}

// Written straight behind what szOut holds, the frame filled in last, so
// that a batch of thousands of records is built in one string.
void AppendRecord(std::string& szOut, const JournalRecord& record) {
    const size_t lFrame = szOut.size();
    szOut.append(kFrameSize, '\0');
    PutNumber(szOut, static_cast<uint8_t>(record.step), 1);
    PutNumber(szOut, record.bWasThere ? 1 : 0, 1);
    PutNumber(szOut, record.process.lId, 4);
    PutNumber(szOut, record.process.lStartTime, 8);
    PutText(szOut, record.szPath);
    PutText(szOut, record.szOther);
    PutText(szOut, record.szBackup);
    // A record read from an older journal is written back as it was, so
    // that the next start undoes it by the same rule.
    if (record.dFormat >= 2) {
        PutNumber(szOut, record.stamp.bKnown ? 1 : 0, 1);
        PutNumber(szOut, record.stamp.lSize, 8);
        PutNumber(szOut, record.stamp.lWriteTime, 8);
        PutNumber(szOut, static_cast<uint16_t>(record.dEntry), 2);
    }
    if (record.dFormat >= 3) PutNumber(szOut, record.dFormat, 2);
    const size_t lPayload = lFrame + kFrameSize;
    PutNumberAt(szOut, lFrame, szOut.size() - lPayload, 4);
    PutNumberAt(szOut, lFrame + 4, Crc32(szOut.data() + lPayload, szOut.size() - lPayload), 4);
}

std::string EncodeRecord(const JournalRecord& record) {
    std::string szOut;
    AppendRecord(szOut, record);
    return szOut;
}

namespace {

// The frames whose length fits in the bytes: at most the records there are.
size_t FramesIn(const std::string& szBytes) {
    size_t lFrames = 0;
    for (size_t lPos = 0; szBytes.size() - lPos >= kFrameSize; ++lFrames) {
        const std::string szFrame = szBytes.substr(lPos, kFrameSize);
        const size_t lLength = Reader(szFrame).Number(4);
        if (lLength > kLargestRecord || szBytes.size() - lPos - kFrameSize < lLength) break;
        lPos += kFrameSize + lLength;
    }
    return lFrames;
}

}  // namespace

std::vector<JournalRecord> DecodeJournal(const std::string& szBytes, size_t* lWhole) {
    // Room for all at once: the journal of a launch of 20,000 files would
    // otherwise be moved, and held twice, each time the list doubles.
    std::vector<JournalRecord> records;
    records.reserve(FramesIn(szBytes));
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
        record.dFormat = 1;
        if (fields.More()) {
            record.stamp.bKnown = fields.Number(1) != 0;
            record.stamp.lSize = fields.Number(8);
            record.stamp.lWriteTime = fields.Number(8);
            record.dEntry = static_cast<int16_t>(static_cast<uint16_t>(fields.Number(2)));
            record.dFormat = 2;
        }
        if (fields.More()) record.dFormat = static_cast<uint16_t>(fields.Number(2));
        if (!fields.Whole() || !KnownStep(lStep)) break;
        record.step = static_cast<JournalStep>(lStep);
        if (record.step == JournalStep::kGameStarted) record.process.szExe = record.szPath;
        records.push_back(std::move(record));
        lPos += kFrameSize + lLength;
    }
    if (lWhole) *lWhole = lPos;
    return records;
}

}  // namespace corvane
