#include "launch/item_owners.h"

#include "launch/launch_rules.h"

namespace corvane {

namespace {

// The keys at szFolded and below it, as a range of the ordered map.
template <typename Map>
std::pair<typename Map::iterator, typename Map::iterator> Subtree(Map& map, const std::string& szFolded) {
    auto first = map.lower_bound(szFolded);
    auto last = first;
    const std::string szBelow = szFolded + "\\";
    while (last != map.end() && (last->first == szFolded || last->first.compare(0, szBelow.size(), szBelow) == 0))
        ++last;
    return {first, last};
}

}  // namespace

ItemOwners::ItemOwners(const std::vector<JournalRecord>& records) {
    for (int i = 0; i < static_cast<int>(records.size()); ++i) {
        const JournalRecord& record = records[i];
        if (record.bWasThere) continue;  // nothing was made or moved
        switch (record.step) {
        case JournalStep::kCopy:
        case JournalStep::kCreateFolder:
            Put({record.szPath, i, i, true});
            break;
        case JournalStep::kRename: {
            const Node* holder = Holding(record.szPath);
            const Node* exact = At(record.szPath);
            const int lItem = holder ? holder->lItem : -1;
            const bool bWhole = exact && exact->bWhole;
            Move(record.szPath, record.szOther);
            Put({record.szOther, i, lItem, bWhole});
            break;
        }
        default:
            break;
        }
    }
}

const ItemOwners::Node* ItemOwners::At(const std::string& szPath) const {
    const auto it = nodes.find(FoldPath(szPath));
    return it == nodes.end() ? nullptr : &it->second;
}

const ItemOwners::Node* ItemOwners::Holding(const std::string& szPath) const {
    std::string szFolded = FoldPath(szPath);
    for (;;) {
        const auto it = nodes.find(szFolded);
        if (it != nodes.end()) return &it->second;
        const size_t lSlash = szFolded.rfind('\\');
        if (lSlash == std::string::npos) return nullptr;
        szFolded.resize(lSlash);
    }
}

const ItemOwners::Node* ItemOwners::ItemOf(int lRecord) const {
    const auto it = items.find(lRecord);
    return it == items.end() ? nullptr : &nodes.at(it->second);
}

const ItemOwners::Node* ItemOwners::BackupOf(int lRename) const {
    const auto it = backups.find(lRename);
    return it == backups.end() ? nullptr : &nodes.at(it->second);
}

std::vector<ItemOwners::Node> ItemOwners::Remove(const std::string& szPath) {
    std::vector<Node> gone;
    auto [first, last] = Subtree(nodes, FoldPath(szPath));
    while (first != last) {
        gone.push_back(first->second);
        Erase(first++);
    }
    return gone;
}

void ItemOwners::Move(const std::string& szFrom, const std::string& szTo) {
    const std::string szFoldedFrom = FoldPath(szFrom);
    auto [first, last] = Subtree(nodes, szFoldedFrom);
    std::vector<Node> moved;
    while (first != last) {
        Node node = first->second;
        node.szPath = szTo + node.szPath.substr(szFrom.size());
        moved.push_back(std::move(node));
        Erase(first++);
    }
    for (Node& node : moved) Put(std::move(node));
}

void ItemOwners::MoveBack(const std::string& szBackup, const std::string& szTarget) {
    const Node* node = At(szBackup);
    const bool bOurCopy = node && node->lItem >= 0 && node->bWhole;
    const int lItem = node ? node->lItem : -1;
    if (node) Erase(nodes.find(FoldPath(szBackup)));
    Move(szBackup, szTarget);
    // A copy of ours moved aside is our copy again at its own place; the
    // game's item, or a part of one of our folders, needs no node of its own.
    if (bOurCopy) Put({szTarget, lItem, lItem, true});
}

void ItemOwners::Put(Node node) {
    std::string szFolded = FoldPath(node.szPath);
    if (node.bWhole && node.lItem >= 0) items[node.lItem] = szFolded;
    if (node.lPlacedBy >= 0 && node.lPlacedBy != node.lItem) backups[node.lPlacedBy] = szFolded;
    nodes[std::move(szFolded)] = std::move(node);
}

void ItemOwners::Erase(std::map<std::string, Node>::iterator it) {
    const Node& node = it->second;
    if (node.bWhole && node.lItem >= 0) {
        const auto item = items.find(node.lItem);
        if (item != items.end() && item->second == it->first) items.erase(item);
    }
    const auto backup = backups.find(node.lPlacedBy);
    if (backup != backups.end() && backup->second == it->first) backups.erase(backup);
    nodes.erase(it);
}

}  // namespace corvane
