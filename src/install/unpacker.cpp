#include "install/unpacker.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "install/name_case.h"

namespace corvane {

Unpacker::Unpacker(FileSystem& files, const ArchiveSurvey& survey, const InstallList& list, std::string szInto,
                   std::string szName)
    : files(files), survey(survey), szInto(std::move(szInto)), szName(std::move(szName)),
      targets(survey.items.size(), nullptr) {
    for (const InstallList::Entry& entry : list.entries) targets[entry.lItem] = &entry.szTarget;
}

void Unpacker::Unpack(ArchiveReader& reader, InstallProgress& progress) {
    ArchiveItem item;
    for (size_t i = 0; i < survey.items.size(); ++i) {
        if (!reader.Next(item) || item.szName != survey.items[i].szName)
            throw InstallRefused("\"" + szName + "\" changed while Corvane read it. Try again.");
        if (!targets[i]) continue;
        MakeFolders(*targets[i], item.kind == EntryKind::kFolder);
        if (item.kind != EntryKind::kFolder) WriteFile(reader, item, *targets[i], progress);
    }
}

void Unpacker::MakeFolders(const std::string& szPath, bool bLastToo) {
    std::string szAt = szInto;
    size_t lAt = FolderTree::kTop;
    for (size_t lStart = 0; lStart < szPath.size();) {
        const size_t lEnd = std::min(szPath.find('\\', lStart), szPath.size());
        if (lEnd == szPath.size() && !bLastToo) break;
        const std::string szPart = szPath.substr(lStart, lEnd - lStart);
        szAt += "\\" + szPart;
        lStart = lEnd + 1;
        if (const std::optional<size_t> lFound = made.Find(lAt, FoldName(szPart))) {
            lAt = *lFound;
            continue;
        }
        if (!files.Stat(szAt)) files.CreateFolder(szAt);
        lAt = made.Child(lAt, szPart);
    }
}

void Unpacker::WriteFile(ArchiveReader& reader, const ArchiveItem& item, const std::string& szTarget,
                         InstallProgress& progress) {
    std::unique_ptr<OutputFile> out = files.CreateOutput(szInto + "\\" + szTarget);
    uint64_t lWritten = 0;
    const char* pBlock = nullptr;
    for (size_t lRead; (lRead = reader.ReadBlock(pBlock)) > 0;) {
        if ((lWritten += lRead) > item.lSize)
            throw InstallRefused("Corvane does not install \"" + szName + "\": the entry \"" + item.szName +
                                 "\" expands to more than the archive's directory announces.");
        out->Write(pBlock, lRead);
        progress.lDone = lAllWritten += lRead;
        if (progress.bStop) throw InstallCancelled{};
    }
    out->Close();
}

}  // namespace corvane
