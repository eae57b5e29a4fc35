#include "launch/checks/stray_answers.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <sstream>

#include "state/ascii_case.h"

namespace corvane {

namespace {

constexpr const char* kFileName = "Corvane.answers";
constexpr const char* kFirstLine = "Corvane's answers about stray archives";

bool SameArchive(const StrayAnswer& one, const std::string& szFolder, const std::string& szArchive, uint64_t lSize) {
    return one.lSize == lSize && LowerAscii(one.szFolder) == LowerAscii(szFolder) &&
           LowerAscii(one.szArchive) == LowerAscii(szArchive);
}

std::optional<StrayAnswer> ParseLine(const std::string& szLine) {
    std::istringstream fields(szLine);
    std::string szAnswer, szSize;
    StrayAnswer answer;
    if (!std::getline(fields, szAnswer, '\t') || !std::getline(fields, answer.szFolder, '\t') ||
        !std::getline(fields, answer.szArchive, '\t') || !std::getline(fields, szSize) || fields.peek() != EOF)
        return std::nullopt;
    if ((szAnswer != "Yes" && szAnswer != "No") || answer.szFolder.empty() || answer.szArchive.empty() ||
        szSize.empty() || szSize.size() > 19 || szSize.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    answer.bSetAside = szAnswer == "Yes";
    answer.lSize = std::stoull(szSize);
    return answer;
}

std::optional<std::string> ReadFile(FileSystem& files, const std::string& szPath) {
    const std::optional<ItemInfo> item = files.Stat(szPath);
    if (!item || item->IsFolder()) return std::nullopt;
    const std::unique_ptr<InputFile> file = files.OpenInput(szPath);
    std::string szText;
    char buffer[4096];
    while (const size_t lRead = file->Read(buffer, sizeof(buffer))) szText.append(buffer, lRead);
    return szText;
}

}  // namespace

std::string AnswersText(const std::vector<StrayAnswer>& answers) {
    std::string szText = std::string(kFirstLine) + "\r\n";
    for (const StrayAnswer& answer : answers)
        szText += std::string(answer.bSetAside ? "Yes" : "No") + "\t" + answer.szFolder + "\t" + answer.szArchive + "\t" +
                  std::to_string(answer.lSize) + "\r\n";
    return szText;
}

std::optional<std::vector<StrayAnswer>> ParseAnswers(const std::string& szText) {
    std::istringstream lines(szText);
    std::string szLine;
    std::vector<StrayAnswer> answers;
    for (bool bFirst = true; std::getline(lines, szLine); bFirst = false) {
        if (!szLine.empty() && szLine.back() == '\r') szLine.pop_back();
        if (bFirst) {
            if (szLine != kFirstLine) return std::nullopt;
            continue;
        }
        std::optional<StrayAnswer> answer = ParseLine(szLine);
        if (!answer) return std::nullopt;
        answers.push_back(std::move(*answer));
    }
    if (szText.size() < 2 || szText.compare(szText.size() - 2, 2, "\r\n") != 0) return std::nullopt;  // cut short
    return answers;
}

std::string AnswerLine(const StrayAnswer& answer) {
    return std::string(answer.bSetAside ? "Set aside at every launch: " : "Kept at every launch: ") + answer.szFolder +
           answer.szArchive + " (" + std::to_string(answer.lSize) + " bytes)";
}

StrayAnswers::StrayAnswers(FileSystem& files, ProblemLog& problems, const std::string& szAppPath)
    : files(files), szPath(szAppPath + "\\" + kFileName) {
    std::optional<std::string> szText;
    try {
        szText = ReadFile(files, szPath);
    } catch (const std::exception& e) {
        problems.Note("No stray archive is answered yet: " + szPath + " could not be read: " + e.what());
        return;
    }
    std::optional<std::vector<StrayAnswer>> read = szText ? ParseAnswers(*szText) : std::nullopt;
    if (!szText)
        problems.Note("No stray archive is answered yet: " + szPath + " is not there.");
    else if (!read)
        problems.Note("No stray archive is answered yet: " + szPath + " is damaged; its answers are asked again.");
    else
        answers = std::move(*read);
}

std::optional<bool> StrayAnswers::SetAside(const std::string& szFolder, const std::string& szArchive,
                                           uint64_t lSize) const {
    for (const StrayAnswer& answer : answers)
        if (SameArchive(answer, szFolder, szArchive, lSize)) return answer.bSetAside;
    return std::nullopt;
}

void StrayAnswers::Remember(const std::vector<StrayAnswer>& added) {
    std::vector<StrayAnswer> next = answers;
    for (const StrayAnswer& answer : added) {
        std::erase_if(next, [&](const StrayAnswer& old) {
            return SameArchive(old, answer.szFolder, answer.szArchive, answer.lSize);
        });
        next.push_back(answer);
    }
    Save(std::move(next));
}

void StrayAnswers::Forget(size_t i) {
    if (i >= answers.size()) return;
    std::vector<StrayAnswer> next = answers;
    next.erase(next.begin() + static_cast<std::ptrdiff_t>(i));
    Save(std::move(next));
}

void StrayAnswers::Save(std::vector<StrayAnswer> next) {
    files.SaveFile(szPath, AnswersText(next));
    answers = std::move(next);
}

}  // namespace corvane
