#include "launch/item_owners.h"

#include "launch/launch_rules.h"

namespace corvane {

ItemOwners::ItemOwners(const std::vector<JournalRecord>& records)
    : items(records.size(), nullptr), backups(records.size(), nullptr) {
    for (int i = 0; i < static_cast<int>(records.size()); ++i) {
        const JournalRecord& record = records[i];
        if (record.bWasThere) continue;  // nothing was made or moved
        switch (record.step) {
        case JournalStep::kCopy:
        case JournalStep::kCreateFolder:
            Put({record.szPath, i, i, true, {}, {}});
            Note(i, record);  // a file copy's stamp
            break;
        case JournalStep::kPlace:
            Note(i, record);
            break;
        case JournalStep::kMove:
            Remove(record.szPath);  // kept, and no longer the launch's
            break;
        case JournalStep::kRename: {
            const Node* holder = Holding(record.szPath);
            const Node* exact = At(record.szPath);
            const int lItem = holder ? holder->lItem : -1;
            Node moved = exact ? *exact : Node{};
            Move(record.szPath, record.szOther);
            Put({record.szOther, i, lItem, moved.bWhole, std::move(moved.stamps), std::move(moved.lNotedBy)});
            break;
        }
        default:
            break;
        }
    }
}

// A file put where one of the launch's own already lay (a folder copied
// over an earlier copy) may be either of them.
void ItemOwners::Note(int lRecord, const JournalRecord& record) {
    auto it = nodes.find(FoldPath(record.szPath));
    Node& node = it != nodes.end() && it->second.Ours() ? it->second : Put({record.szPath, lRecord, lRecord, true, {}, {}});
    if (record.stamp.bKnown) node.stamps.push_back(record.stamp);
    node.lNotedBy.push_back(lRecord);
}

const ItemOwners::Node* ItemOwners::At(const std::string& szPath) const {
    const auto it = nodes.find(FoldPath(szPath));
    return it == nodes.end() ? nullptr : &it->second;
}

const ItemOwners::Node* ItemOwners::Holding(const std::string& szPath) const {
    for (std::string szAt = FoldPath(szPath);;) {
        if (const auto it = nodes.find(szAt); it != nodes.end()) return &it->second;
        const size_t lSlash = szAt.rfind('\\');
        if (lSlash == std::string::npos) return nullptr;
        szAt.resize(lSlash);
    }
}

const ItemOwners::Node* ItemOwners::Find(const std::vector<const Node*>& byRecord, int lRecord) {
    return lRecord >= 0 && static_cast<size_t>(lRecord) < byRecord.size() ? byRecord[lRecord] : nullptr;
}

void ItemOwners::Forget(std::vector<const Node*>& byRecord, int lRecord, const Node& node) {
    if (Find(byRecord, lRecord) == &node) byRecord[lRecord] = nullptr;
}

const ItemOwners::Node* ItemOwners::ItemOf(int lRecord) const { return Find(items, lRecord); }

const ItemOwners::Node* ItemOwners::BackupOf(int lRename) const { return Find(backups, lRename); }

std::vector<const ItemOwners::Node*> ItemOwners::At(const std::string& szPath, bool bBelowToo) const {
    std::vector<const Node*> found;
    if (!bBelowToo) {
        if (const Node* node = At(szPath)) found.push_back(node);
        return found;
    }
    for (const Nodes::const_iterator& it : Subtree(szPath)) found.push_back(&it->second);
    return found;
}

// The node at the path, then those below it: a sibling such as "x.original"
// sorts between "x" and what lies in it, so the two are looked up apart.
std::vector<ItemOwners::Nodes::iterator> ItemOwners::Subtree(const std::string& szPath) {
    std::vector<Nodes::iterator> found;
    const std::string szKey = FoldPath(szPath), szBelow = szKey + "\\";
    if (const auto it = nodes.find(szKey); it != nodes.end()) found.push_back(it);
    for (auto it = nodes.lower_bound(szBelow); it != nodes.end() && it->first.compare(0, szBelow.size(), szBelow) == 0; ++it)
        found.push_back(it);
    return found;
}

std::vector<ItemOwners::Nodes::const_iterator> ItemOwners::Subtree(const std::string& szPath) const {
    std::vector<Nodes::const_iterator> found;
    for (const Nodes::iterator& it : const_cast<ItemOwners*>(this)->Subtree(szPath)) found.push_back(it);
    return found;
}

std::vector<ItemOwners::Node> ItemOwners::Remove(const std::string& szPath) {
    std::vector<Node> gone;
    for (const Nodes::iterator& it : Subtree(szPath)) {
        gone.push_back(std::move(it->second));
        Erase(it);
    }
    return gone;
}

void ItemOwners::Move(const std::string& szFrom, const std::string& szTo) {
    std::vector<Node> moved;
    for (const Nodes::iterator& it : Subtree(szFrom)) {
        Node node = std::move(it->second);
        node.szPath = szTo + node.szPath.substr(szFrom.size());
        moved.push_back(std::move(node));
        Erase(it);
    }
    for (Node& node : moved) Put(std::move(node));
}

void ItemOwners::MoveBack(const std::string& szBackup, const std::string& szTarget) {
    const auto it = nodes.find(FoldPath(szBackup));
    Node moved = it != nodes.end() ? std::move(it->second) : Node{};
    if (it != nodes.end()) Erase(it);
    Move(szBackup, szTarget);
    // A copy of ours moved aside is our copy again at its own place; the
    // game's item, or a part of one of our folders, needs no node of its own.
    if (moved.Ours()) Put({szTarget, moved.lItem, moved.lItem, true, std::move(moved.stamps), std::move(moved.lNotedBy)});
}

ItemOwners::Node& ItemOwners::Put(Node node) {
    std::string szKey = FoldPath(node.szPath);
    if (const auto it = nodes.find(szKey); it != nodes.end()) Erase(it);
    Node& put = nodes.emplace(std::move(szKey), std::move(node)).first->second;
    if (put.bWhole && put.lItem >= 0) items[put.lItem] = &put;
    if (put.lPlacedBy >= 0 && put.lPlacedBy != put.lItem) backups[put.lPlacedBy] = &put;
    return put;
}

// Its records' slots forget it by address; the node itself may have been
// moved from already, but its numbers are still there.
void ItemOwners::Erase(Nodes::iterator it) {
    const Node& node = it->second;
    Forget(items, node.lItem, node);
    Forget(backups, node.lPlacedBy, node);
    nodes.erase(it);
}

}  // namespace corvane
