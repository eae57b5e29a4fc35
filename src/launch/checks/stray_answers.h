// What the player answered when a launch asked about stray archives: each
// archive (its game folder, its path below it, its size) set aside at every
// later launch of a mod without asking, or kept. The answers live in
// "Corvane.answers" beside Corvane.exe, written whole or not at all; a file
// that is missing or damaged holds no answer (Corvane.log says so), and
// every archive is asked about again. An archive of another size is another
// archive: it is asked about anew.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/problem_log.h"

namespace corvane {

struct StrayAnswer {
    std::string szFolder;   // the game folder as it was checked, with its trailing backslash
    std::string szArchive;  // below it
    uint64_t lSize = 0;
    bool bSetAside = false;  // Yes; No keeps it
};

// The file's text, and the answers back from it: nothing for a text that
// is not such a file, whole.
std::string AnswersText(const std::vector<StrayAnswer>& answers);
std::optional<std::vector<StrayAnswer>> ParseAnswers(const std::string& szText);

// The line the check window shows an answer in.
std::string AnswerLine(const StrayAnswer& answer);

class StrayAnswers {
public:
    // Reads the answers kept in szAppPath.
    StrayAnswers(FileSystem& files, ProblemLog& problems, const std::string& szAppPath);

    const std::vector<StrayAnswer>& All() const { return answers; }
    // The answer for this archive of this size, letter case aside.
    std::optional<bool> SetAside(const std::string& szFolder, const std::string& szArchive, uint64_t lSize) const;
    // Remembers answers (in place of earlier ones for the same archives), or
    // forgets one, and writes the file. A failure is thrown, and the file
    // keeps the answers it had.
    void Remember(const std::vector<StrayAnswer>& added);
    void Forget(size_t i);

private:
    void Save(std::vector<StrayAnswer> next);

    FileSystem& files;
    std::string szPath;
    std::vector<StrayAnswer> answers;
};

}  // namespace corvane
