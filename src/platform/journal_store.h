// The one file in which a launch notes each change it is about to make to
// the game folder, so that a launch cut short (a crash, a power cut) can be
// undone at the next start. Failures are thrown as PlatformError.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvane {

class JournalStore {
public:
    virtual ~JournalStore() = default;
    // Everything the journal holds; nothing when there is no journal. A
    // journal that cannot be read whole is thrown, never cut short.
    virtual std::optional<std::string> Read() = 0;
    // Adds bytes at the end, creating the journal when there is none. They
    // may still be in a cache: only Flush makes them survive a power cut. A
    // failed append may have written part of the bytes.
    virtual void Append(const std::string& szBytes) = 0;
    // Drops everything after the first lSize bytes (creating an empty
    // journal when there is none).
    virtual void CutTo(uint64_t lSize) = 0;
    virtual void Flush() = 0;
    // Puts szBytes in place of the whole journal, on disk, in one step: a
    // crash leaves either the old journal or the new one.
    virtual void Replace(const std::string& szBytes) = 0;
    virtual void Remove() = 0;
};

}  // namespace corvane
