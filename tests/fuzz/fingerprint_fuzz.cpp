// Any bytes as a game archive's table (also handed out a few at a time),
// as a manifest file, as the text inside a manifest and as the text inside
// the hash cache: no crash, no hang, no read out of bounds, no memory
// beyond what the bytes can account for.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fingerprint/big_table.h"
#include "fingerprint/hash_cache.h"
#include "fingerprint/manifest_file.h"
#include "fingerprint/packed_text.h"
#include "support/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t lSize) {
    const std::string szBytes(reinterpret_cast<const char*>(pData), lSize);
    for (size_t lChunk : {0, 3}) {
        corvane::test::MemoryInputFile archive(szBytes, lChunk);
        corvane::ReadBigTable(archive);
    }
    try {
        corvane::ReadManifest(szBytes, "Fuzz.cvfp");
    } catch (const corvane::ManifestError&) {
    }
    corvane::ParseCanonicalText(szBytes);
    corvane::test::FakePlatform platform;
    platform.disk.AddFile("C:\\Corvane\\Corvane.hashes", corvane::PackText("Corvane hash cache 1", szBytes));
    corvane::HashCache cache(platform.disk, platform.problems, "C:\\Corvane\\Corvane.hashes");
    cache.Load();
    cache.Find("C:\\Game\\INI.big", 0, 0);
    return 0;
}
