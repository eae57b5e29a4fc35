// What a fingerprint holds: the game's program and every file the game
// would load, each by its name, its size and the SHA-256 of its bytes; its
// canonical text, the same for the same files on any machine; and the
// short code two players read to each other.
//
// The canonical text is one line per item, each ended by a line feed:
//   program: <SHA-256>[ <edition>]        ("program: none" when there is none)
//   <name> <size> <SHA-256>               one per file, sorted by name
// A name is a path relative to the game folder, and for a file inside an
// archive the archive's path, "|" and its path inside the archive.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

struct ProgramLine {
    std::string szSha256;   // "" when the game folder has no program
    std::string szEdition;  // "" when the digest is of no edition known
};

struct FileLine {
    std::string szName;  // canonical, as CanonicalName makes it
    uint64_t lSize = 0;
    std::string szSha256;  // lower-case hexadecimal
};

struct Manifest {
    ProgramLine program;
    std::vector<FileLine> files;  // in canonical order once Sort has run
};

// A path as the canonical text writes it: ASCII letters in lower case,
// slashes as backslashes, and the bytes that would break a line ("%", "|",
// control characters) as %XX, so that an archive's names cannot forge one.
std::string CanonicalName(const std::string& szPath);
// The name of a file inside an archive, from two canonical names.
std::string InnerName(const std::string& szArchive, const std::string& szInner);

// Sorts the files by the bytes of their names (then of their lines, where
// an archive names one file twice).
void Sort(Manifest& manifest);
std::string CanonicalText(const Manifest& manifest);
// The manifest the text was made from; nothing when the text is not the
// canonical text of any manifest.
std::optional<Manifest> ParseCanonicalText(const std::string& szText);

// "XXXX-XXXX-XXXX": the first 60 bits of the text's SHA-256 in Crockford's
// base 32.
std::string FingerprintCode(const std::string& szCanonicalText);

}  // namespace corvane
