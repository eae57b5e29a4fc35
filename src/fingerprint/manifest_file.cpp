#include "fingerprint/manifest_file.h"

#include <optional>

#include "fingerprint/packed_text.h"

namespace corvane {

namespace {

constexpr const char* kMarker = "Corvane fingerprint manifest 1";
// Far more than the canonical text of every file of both games and a mod
// of thousands of files.
constexpr size_t kLargestText = 64u << 20;

}  // namespace

std::string ManifestBytes(const Manifest& manifest) { return PackText(kMarker, CanonicalText(manifest)); }

Manifest ReadManifest(const std::string& szBytes, const std::string& szFile) {
    const UnpackedText unpacked = UnpackText(kMarker, szBytes, kLargestText);
    if (unpacked.kind == PackedKind::kOther) throw ManifestError(szFile + " is not a fingerprint's manifest.");
    std::optional<Manifest> manifest;
    if (unpacked.kind == PackedKind::kText) manifest = ParseCanonicalText(unpacked.szText);
    if (!manifest) throw ManifestError("The manifest " + szFile + " is damaged.");
    return *manifest;
}

void SaveManifest(FileSystem& files, const std::string& szPath, const Manifest& manifest) {
    files.SaveFile(szPath, ManifestBytes(manifest));
}

Manifest LoadManifest(FileSystem& files, const std::string& szPath) {
    const std::optional<std::string> szBytes = ReadSmallFile(files, szPath, kLargestText);
    if (!szBytes) throw ManifestError(szPath + " is not a fingerprint's manifest.");
    return ReadManifest(*szBytes, szPath);
}

}  // namespace corvane
