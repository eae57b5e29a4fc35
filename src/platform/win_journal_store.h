// The launch journal as one file beside the program.
#pragma once

#include "platform/journal_store.h"
#include "platform/win_handles.h"

namespace corvane {

class WinJournalStore : public JournalStore {
public:
    explicit WinJournalStore(std::string szPath) : szPath(std::move(szPath)) {}

    std::optional<std::string> Read() override;
    void Append(const std::string& szBytes) override;
    void CutTo(uint64_t lSize) override;
    void Flush() override;
    void Replace(const std::string& szBytes) override;
    void Remove() override;

private:
    void OpenForAppending();

    std::string szPath;
    UniqueHandle hAppend;  // open from the first Append to Remove or Replace
};

}  // namespace corvane
