#include "install/mod_install.h"

#include <algorithm>
#include <exception>
#include <memory>

#include "install/archive_reader.h"
#include "install/name_case.h"
#include "install/unpacker.h"
#include "platform/platform_error.h"

namespace corvane {

namespace {

std::string FileNameOf(const std::string& szPath) { return szPath.substr(szPath.find_last_of("\\/") + 1); }

std::string Megabytes(uint64_t lBytes) { return std::to_string((lBytes + (1 << 20) - 1) >> 20) + " MB"; }

// Room for the file system's own records beside the files' bytes.
uint64_t WithMargin(uint64_t lBytes) { return lBytes + lBytes / 32 + (16u << 20); }

std::string ProblemText(const ArchiveProblem& problem, const std::string& szName) {
    switch (problem.kind) {
    case ArchiveProblem::Kind::kEncrypted:
        return "\"" + szName + "\" is encrypted: Corvane cannot open it. Unpack it with its password elsewhere.";
    case ArchiveProblem::Kind::kInstaller:
        return "\"" + szName + "\" is a program, not a self-extracting archive, and Corvane never starts it. "
               "If it is the mod's installer, run it yourself.";
    case ArchiveProblem::Kind::kUnknown:
        return "\"" + szName + "\" is no archive Corvane can read (.zip, .7z, .rar, or a self-extracting .exe of these).";
    default:
        if (!problem.szEntry.empty())
            return "\"" + szName + "\" is damaged or cut short (\"" + problem.szEntry + "\": " + problem.what() +
                   "): the download may be incomplete. Download it again.";
        return "\"" + szName + "\" is damaged or cut short (" + problem.what() +
               "): the download may be incomplete. Download it again.";
    }
}

// A failure of the disk as the player is told it; the log keeps the call.
std::string DiskProblemText(const std::exception& failure, const std::string& szTitle) {
    const auto* error = dynamic_cast<const PlatformError*>(&failure);
    const uint32_t lCode = error ? error->Code() : 0;
    const std::string szWhy = lCode == 112 || lCode == 39 ? "the disk is full"
                              : lCode == 5               ? "Windows denied access to \"" + error->Path() + "\""
                              : lCode == 206 || lCode == 3
                                  ? "a path is too long for Windows (long paths may be switched off)"
                              : error ? "Windows refused \"" + error->Path() + "\" (error " + std::to_string(lCode) + ")"
                                      : failure.what();
    return "Corvane could not write the mod \"" + szTitle + "\" into its folder: " + szWhy + ". Nothing was kept.";
}

// The archive's failures as the player is told them; a stop as a cancel.
template <typename Work>
auto Reading(const std::string& szArchive, Work&& work) {
    try {
        return work();
    } catch (const ArchiveProblem& problem) {
        if (problem.kind == ArchiveProblem::Kind::kStopped) throw InstallCancelled{};
        throw InstallRefused(ProblemText(problem, FileNameOf(szArchive)));
    }
}

}  // namespace

ModInstaller::ModInstaller(FileSystem& files, FileSystemObject& fso, LaunchLocks& locks, ProblemLog& log,
                           std::string szAppPath, std::string szZipCharset)
    : files(files),
      log(log),
      szAppPath(std::move(szAppPath)),
      szZipCharset(std::move(szZipCharset)),
      staging(files, fso, locks, log, this->szAppPath) {}

void ModInstaller::Refuse(const std::string& szMessage) { throw InstallRefused(szMessage); }

ArchiveSurvey ModInstaller::Survey(const std::string& szArchive, InstallProgress& progress) {
    ArchiveSurvey survey{szArchive, {}, {}};
    const std::string szName = FileNameOf(szArchive);
    const std::string szRefused = "Corvane does not install \"" + szName + "\": ";
    try {
        Reading(szArchive, [&] {
            std::unique_ptr<InputFile> file = files.OpenInput(szArchive);
            ArchiveReader reader(*file, szZipCharset, progress.bStop);
            progress.lTotal = reader.FileSize();
            for (ArchiveItem item; reader.Next(item); progress.lDone = reader.Position()) {
                std::string szWhy = EntryProblem(item.szName, item.szPath);
                if (szWhy.empty() && item.szPath.empty() && item.kind != EntryKind::kFolder) szWhy = "has an empty name";
                if (!szWhy.empty()) Refuse(szRefused + "the entry \"" + item.szName + "\" " + szWhy + ".");
                survey.items.push_back(std::move(item));
            }
        });
        if (std::string szClash = ClashingEntries(survey.items); !szClash.empty()) Refuse(szRefused + szClash + ".");
        if (std::none_of(survey.items.begin(), survey.items.end(),
                         [](const ArchiveItem& item) { return item.kind == EntryKind::kFile; }))
            Refuse(szRefused + "it holds no files.");
        // The first bytes of the game archives that decide something, in a
        // second pass that skips everything else.
        const std::vector<size_t> heads = HeadsNeeded(survey.items);
        if (!heads.empty()) Reading(szArchive, [&] {
            std::unique_ptr<InputFile> file = files.OpenInput(szArchive);
            ArchiveReader reader(*file, szZipCharset, progress.bStop);
            ArchiveItem item;
            for (size_t i = 0, lNext = 0; lNext < heads.size() && reader.Next(item); ++i) {
                if (i != heads[lNext]) continue;
                std::string& szHead = survey.items[i].szHead;
                szHead.resize(kHeadSize);
                size_t lGot = 0;
                for (size_t lRead = 1; lGot < kHeadSize && lRead > 0; lGot += lRead)
                    lRead = reader.Read(szHead.data() + lGot, kHeadSize - lGot);
                szHead.resize(lGot);
                ++lNext;
            }
        });
    } catch (const InstallRefused& refused) {
        log.Note(std::string("Install refused: ") + refused.what());
        throw;
    } catch (const std::exception& e) {
        log.Note("Install refused: \"" + szName + "\" could not be read: " + e.what());
        throw InstallRefused("\"" + szName + "\" could not be read: " + e.what());
    }
    survey.root = ChooseRoot(survey.items);
    return survey;
}

std::string ModInstaller::TitleProblem(const std::string& szTitle) {
    if (szTitle.empty()) return "Type a title for the mod: it names the mod's folder.";
    if (std::string szWhy = NameProblem(szTitle); !szWhy.empty())
        return "The title \"" + szTitle + "\" " + szWhy + ": it cannot name a folder. Choose another title.";
    // Corvane.staging, Corvane.log, Corvane.journal and whatever Corvane
    // keeps beside them.
    if (FoldName(szTitle).rfind("CORVANE.", 0) == 0)
        return "The title \"" + szTitle + "\" is a name Corvane keeps for its own files. Choose another title.";
    if (files.Stat(szAppPath + "\\" + szTitle) || files.Stat(szAppPath + "\\" + szTitle + ".zcf"))
        return "There is a mod \"" + szTitle + "\" already. Choose another title.";
    return "";
}

void ModInstaller::CheckList(const ArchiveSurvey& survey, const InstallList& list, const std::string& szTitle) {
    const std::string szRefused = "Corvane does not install \"" + FileNameOf(survey.szArchive) + "\": ";
    if (list.lFiles == 0) Refuse(szRefused + "it holds no files.");
    if (list.bSizesLie)
        Refuse(szRefused + "the sizes its directory announces add up to more than any disk holds, so they are false.");
    if (std::string szClash = ClashingTargets(survey.items, list); !szClash.empty()) Refuse(szRefused + szClash + ".");
    const size_t lInto = Utf16Length(staging.Path() + "\\" + szTitle + "\\");
    for (const InstallList::Entry& entry : list.entries) {
        if (lInto + Utf16Length(entry.szTarget) > kMaxPathUnits)
            Refuse(szRefused + "the entry \"" + survey.items[entry.lItem].szName +
                   "\" would have a path longer than Windows allows in Corvane's folder.");
    }
    const uint64_t lFree = files.Volume(szAppPath).lFree;
    if (lFree < WithMargin(list.lBytes))
        Refuse("There is not enough free space in Corvane's folder for \"" + szTitle + "\": it needs " +
               Megabytes(WithMargin(list.lBytes)) + ", " + Megabytes(lFree) + " are free.");
}

void ModInstaller::Install(const ArchiveSurvey& survey, const std::string& szRoot, const std::string& szTitle,
                           InstallProgress& progress) {
    const InstallList list = ListInstall(survey.items, szRoot);
    try {
        if (std::string szWhy = TitleProblem(szTitle); !szWhy.empty()) throw InstallRefused(szWhy);
        CheckList(survey, list, szTitle);
    } catch (const InstallRefused& refused) {
        log.Note(std::string("Install refused: ") + refused.what());
        throw;
    }
    const std::string szInto = staging.Path() + "\\" + szTitle, szMod = szAppPath + "\\" + szTitle;
    try {
        if (!staging.Take())
            Refuse("Another install is running in Corvane's folder. Wait until it has ended, then install \"" +
                   szTitle + "\" again.");
        files.CreateFolder(szInto);
        Unpack(survey, list, szInto, progress);
        // The one step that makes the mod appear; it never replaces a folder.
        files.Rename(szInto, szMod);
    } catch (const std::exception& e) {
        try {
            staging.Give();
        } catch (const std::exception&) {
            // Deleted at the next start.
        }
        if (dynamic_cast<const InstallRefused*>(&e)) {
            log.Note(std::string("Install refused: ") + e.what());
            throw;
        }
        log.Note("Install of " + survey.szArchive + " failed: " + e.what());
        throw InstallRefused(DiskProblemText(e, szTitle));
    } catch (const InstallCancelled&) {
        staging.Give();
        log.Note("Install of " + survey.szArchive + " cancelled; nothing was kept.");
        throw;
    }
    log.Note("Installed the mod \"" + szTitle + "\" from " + survey.szArchive + ", the archive's folder " +
             RootCaption(szRoot) + ": " + std::to_string(list.entries.size()) + " files and folders, " +
             std::to_string(list.lBytes) + " bytes written to " + szMod);
    try {
        staging.Give();
    } catch (const std::exception&) {
        // The mod is in place; the empty staging folder goes at the next start.
    }
}

void ModInstaller::Unpack(const ArchiveSurvey& survey, const InstallList& list, const std::string& szInto,
                          InstallProgress& progress) {
    Reading(survey.szArchive, [&] {
        std::unique_ptr<InputFile> file = files.OpenInput(survey.szArchive);
        ArchiveReader reader(*file, szZipCharset, progress.bStop);
        // The bytes written tell how far an install is: a packed archive
        // is read long before its files are written.
        progress.lTotal = list.lBytes;
        Unpacker(files, survey, list, szInto, FileNameOf(survey.szArchive)).Unpack(reader, progress);
    });
}

}  // namespace corvane
