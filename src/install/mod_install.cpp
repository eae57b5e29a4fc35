#include "install/mod_install.h"

#include <exception>
#include <memory>

#include "install/archive_reader.h"
#include "platform/platform_error.h"

namespace corvane {

namespace {

constexpr const char* kStagingName = "Corvane.staging";

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
        return "\"" + szName + "\" is damaged or cut short (" + problem.what() +
               "): the download may be incomplete. Download it again.";
    }
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

ModInstaller::ModInstaller(FileSystem& files, FileSystemObject& fso, ProblemLog& log, std::string szAppPath,
                           std::string szZipCharset)
    : files(files),
      fso(fso),
      log(log),
      szAppPath(std::move(szAppPath)),
      szZipCharset(std::move(szZipCharset)),
      szStaging(this->szAppPath + "\\" + kStagingName) {}

void ModInstaller::Refuse(const std::string& szMessage) { throw InstallRefused(szMessage); }

ArchiveSurvey ModInstaller::Survey(const std::string& szArchive, InstallProgress& progress) {
    ArchiveSurvey survey{szArchive, {}, {}};
    const std::string szName = FileNameOf(szArchive);
    try {
        Reading(szArchive, [&] {
            std::unique_ptr<InputFile> file = files.OpenInput(szArchive);
            ArchiveReader reader(*file, szZipCharset, progress.bStop);
            progress.lTotal = reader.FileSize();
            for (ArchiveItem item; reader.Next(item); progress.lDone = reader.Position()) {
                if (std::string szWhy = EntryProblem(item.szName, item.szPath); !szWhy.empty())
                    Refuse("Corvane does not install \"" + szName + "\": the entry \"" + item.szName + "\" " + szWhy + ".");
                survey.items.push_back(std::move(item));
            }
        });
        if (std::string szClash = ClashingEntries(survey.items); !szClash.empty())
            Refuse("Corvane does not install \"" + szName + "\": " + szClash + ".");
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
    if (files.Stat(szAppPath + "\\" + szTitle) || files.Stat(szAppPath + "\\" + szTitle + ".zcf"))
        return "There is a mod \"" + szTitle + "\" already. Choose another title.";
    return "";
}

void ModInstaller::Install(const ArchiveSurvey& survey, const std::string& szRoot, const std::string& szTitle,
                           InstallProgress& progress) {
    if (std::string szWhy = TitleProblem(szTitle); !szWhy.empty()) throw InstallRefused(szWhy);
    const InstallList list = ListInstall(survey.items, szRoot);
    const uint64_t lFree = files.Volume(szAppPath).lFree;
    if (lFree < WithMargin(list.lBytes)) {
        log.Note("Install refused: there is not enough free space in " + szAppPath);
        Refuse("There is not enough free space in Corvane's folder for \"" + szTitle + "\": it needs " +
               Megabytes(WithMargin(list.lBytes)) + ", " + Megabytes(lFree) + " are free.");
    }
    const std::string szInto = szStaging + "\\" + szTitle, szMod = szAppPath + "\\" + szTitle;
    try {
        RemoveStaging();
        files.CreateFolder(szStaging);
        HideStaging();
        files.CreateFolder(szInto);
        Unpack(survey, list, szInto, progress);
        // The one step that makes the mod appear; it never replaces a folder.
        files.Rename(szInto, szMod);
    } catch (const std::exception& e) {
        try {
            RemoveStaging();
        } catch (const std::exception&) {
            // Deleted at the next start.
        }
        log.Note(dynamic_cast<const InstallRefused*>(&e) ? std::string("Install refused: ") + e.what()
                                                         : "Install of " + survey.szArchive + " failed: " + e.what());
        throw;
    } catch (const InstallCancelled&) {
        RemoveStaging();
        log.Note("Install of " + survey.szArchive + " cancelled; nothing was kept.");
        throw;
    }
    log.Note("Installed the mod \"" + szTitle + "\" from " + survey.szArchive + ", the archive's folder " +
             RootCaption(szRoot) + ": " + std::to_string(list.entries.size()) + " files and folders, " +
             std::to_string(list.lBytes) + " bytes written to " + szMod);
    try {
        RemoveStaging();
    } catch (const std::exception&) {
        // The mod is in place; the empty staging folder goes at the next start.
    }
}

void ModInstaller::Unpack(const ArchiveSurvey& survey, const InstallList& list, const std::string& szInto,
                          InstallProgress& progress) {
    std::vector<const std::string*> targets(survey.items.size(), nullptr);
    for (const InstallList::Entry& entry : list.entries) targets[entry.lItem] = &entry.szTarget;
    szMadeFolders.clear();
    const std::string szName = FileNameOf(survey.szArchive);
    Reading(survey.szArchive, [&] {
        std::unique_ptr<InputFile> file = files.OpenInput(survey.szArchive);
        ArchiveReader reader(*file, szZipCharset, progress.bStop);
        // The bytes written tell how far an install is: a packed archive
        // is read long before its files are written.
        progress.lTotal = list.lBytes;
        uint64_t lAllWritten = 0;
        ArchiveItem item;
        for (size_t i = 0; i < survey.items.size(); ++i) {
            if (!reader.Next(item) || item.szName != survey.items[i].szName)
                Refuse("\"" + szName + "\" changed while Corvane read it. Try again.");
            if (!targets[i]) continue;
            const std::string szPath = szInto + "\\" + *targets[i];
            if (item.kind == EntryKind::kFolder) {
                EnsureFolder(szPath);
                continue;
            }
            EnsureFolder(szPath.substr(0, szPath.find_last_of('\\')));
            std::unique_ptr<OutputFile> out = files.CreateOutput(szPath);
            uint64_t lWritten = 0;
            const char* pBlock = nullptr;
            for (size_t lRead; (lRead = reader.ReadBlock(pBlock)) > 0;) {
                if ((lWritten += lRead) > item.lSize)
                    Refuse("Corvane does not install \"" + szName + "\": the entry \"" + item.szName +
                           "\" expands to more than the archive's directory announces.");
                out->Write(pBlock, lRead);
                progress.lDone = lAllWritten += lRead;
                if (progress.bStop) throw InstallCancelled{};
            }
            out->Close();
            if (lWritten < item.lSize)
                Refuse("\"" + szName + "\" is damaged or cut short (\"" + item.szName +
                       "\" ends early): the download may be incomplete. Download it again.");
        }
    });
}

void ModInstaller::EnsureFolder(const std::string& szPath) {
    if (szPath.size() <= szStaging.size() + 1 || szMadeFolders.count(szPath)) return;
    EnsureFolder(szPath.substr(0, szPath.find_last_of('\\')));
    if (!files.Stat(szPath)) files.CreateFolder(szPath);
    szMadeFolders.insert(szPath);
}

// Hidden, the mod list passes it by. A file system that keeps no such
// attribute (some that Wine reaches) changes nothing else: the list is not
// read again while an install runs.
void ModInstaller::HideStaging() {
    try {
        files.Hide(szStaging);
    } catch (const std::exception& e) {
        log.Note(std::string("The staging folder could not be hidden: ") + e.what());
    }
}

void ModInstaller::RemoveStaging() {
    if (files.Stat(szStaging)) fso.DeleteFolder(szStaging);
}

}  // namespace corvane
