#include "modconfig/line_reader.h"

#include <gtest/gtest.h>

#include <chrono>

#include "modconfig/config_file.h"
#include "modconfig/memory_files.h"

namespace corvane {
namespace {

using test::MemoryInputFile;
using Lines = std::vector<std::string>;

Lines ReadAll(LineReader& reader) {
    Lines lstLines;
    while (!reader.AtEnd()) lstLines.push_back(reader.ReadLine());
    return lstLines;
}

struct LineCase {
    const char* szWhat;
    std::string szBytes;
    Lines lstExpected;
};

const LineCase kLineCases[] = {
    {"empty file", "", {}},
    {"CR LF ends", "a\r\nb\r\n", {"a", "b"}},
    {"CR ends", "a\rb\r", {"a", "b"}},
    {"last line without end", "a\r\nb", {"a", "b"}},
    {"lone LF stays", "a\nb\r\nc", {"a\nb", "c"}},
    {"LF-only file is one line", "a\nb\n", {"a\nb\n"}},
    {"LF before CR stays", "a\n\rb", {"a\n", "b"}},
    {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
    {"CR LF LF", "a\r\n\nb", {"a", "\nb"}},
    {"CR only", "\r\r\r", {"", "", ""}},
    {"single CR LF", "\r\n", {""}},
    {"NUL and high bytes", std::string("x\0y\xff\x80\xe9\r\n", 8), {std::string("x\0y\xff\x80\xe9", 6)}},
};

TEST(LineReader, EndsLinesAtCrOrCrLfOnlyWhateverTheReadSizes) {
    for (const LineCase& c : kLineCases) {
        for (size_t lChunk : {0, 1, 2, 3, 7}) {
            MemoryInputFile file(c.szBytes, lChunk);
            LineReader reader(file);
            EXPECT_EQ(ReadAll(reader), c.lstExpected) << c.szWhat << ", reads of " << lChunk;
        }
    }
}

TEST(LineReader, RewindReadsAgainFromTheFirstByte) {
    MemoryInputFile file("one\r\ntwo\r\nthree", 2);
    LineReader reader(file);
    EXPECT_EQ(reader.ReadLine(), "one");
    EXPECT_EQ(reader.ReadLine(), "two");
    reader.Rewind();
    EXPECT_EQ(ReadAll(reader), (Lines{"one", "two", "three"}));
}

TEST(LineReader, ReadsAMegabyteLineInLargePieces) {
    const std::string szLine(5 * 1024 * 1024, 'x');
    MemoryInputFile file(szLine + "\r\nend");
    LineReader reader(file);
    EXPECT_EQ(reader.ReadLine(), szLine);
    EXPECT_EQ(reader.ReadLine(), "end");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_LE(file.Reads(), static_cast<int>(szLine.size() / 4096) + 2);
}

TEST(LineReader, ReadsEveryLineOfAHundredMegabyteFileQuickly) {
    const std::string szUnit = std::string(998, 'y') + "\r\n";
    const size_t lTimes = 100 * 1000;
    test::RepeatingInputFile file(szUnit, lTimes);
    LineReader reader(file);
    std::string szLine;
    const auto tStart = std::chrono::steady_clock::now();
    size_t lCount = 0;
    while (FindLine(reader, std::string(998, 'y'), false, true, szLine)) ++lCount;
    const auto tTaken = std::chrono::steady_clock::now() - tStart;
    EXPECT_EQ(lCount, lTimes);
    EXPECT_LT(tTaken, std::chrono::seconds(10));
}

struct FindStep {
    std::string szFind;
    bool bRewind;
    bool bExact;
    bool bFound;
    std::string szLine;
};

TEST(FindLine, SearchesOnFromTheLineAfterTheLastMatch) {
    const FindStep kSteps[] = {
        {"beta", false, false, true, "beta=1"},   // contains
        {"beta", false, false, false, ""},        // "Beta=2" differs in case; end reached
        {"gamma", false, true, false, ""},        // nothing left after the end
        {"gamma", true, true, true, "gamma"},     // rewound, whole line equal
        {"alpha", false, false, false, ""},       // before the read position
        {"beta", true, true, false, ""},          // exact: "beta=1" is not "beta"
        {"a=", true, false, true, "beta=1"},
        {"", false, false, true, "Beta=2"},       // the empty text is in every line
    };
    MemoryInputFile file("alpha\r\nbeta=1\r\nBeta=2\r\ngamma\r\n");
    LineReader reader(file);
    for (const FindStep& step : kSteps) {
        std::string szLine = "stale";
        EXPECT_EQ(FindLine(reader, step.szFind, step.bRewind, step.bExact, szLine), step.bFound) << step.szFind;
        EXPECT_EQ(szLine, step.szLine) << step.szFind;
    }
}

TEST(FindLine, AReadFailureIsNotFound) {
    MemoryInputFile file("a\r\nb\r\nkey\r\n", 2, 3);
    LineReader reader(file);
    std::string szLine = "stale";
    EXPECT_FALSE(FindLine(reader, "key", false, false, szLine));
    EXPECT_EQ(szLine, "");
}

}  // namespace
}  // namespace corvane
