#include "launch/item_owners.h"

#include <algorithm>

#include "state/ascii_case.h"

namespace corvane {

bool ItemOwners::FoldOrder::Less(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), LessIgnoringAsciiCase);
}

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
            const bool bWhole = exact && exact->bWhole;
            Node moved = exact ? *exact : Node{};
            Move(record.szPath, record.szOther);
            Put({record.szOther, i, lItem, bWhole, std::move(moved.stamps), std::move(moved.lNotedBy)});
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
    const Node* node = At(record.szPath);
    Node noted = node && node->Ours() ? *node : Node{record.szPath, lRecord, lRecord, true, {}, {}};
    if (record.stamp.bKnown) noted.stamps.push_back(record.stamp);
    noted.lNotedBy.push_back(lRecord);
    Put(std::move(noted));
}

const ItemOwners::Node* ItemOwners::At(const std::string& szPath) const {
    const auto it = nodes.find(szPath);
    return it == nodes.end() ? nullptr : &*it;
}

const ItemOwners::Node* ItemOwners::Holding(const std::string& szPath) const {
    for (std::string szAt = szPath;;) {
        if (const Node* node = At(szAt)) return node;
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

// The node at the path, then those below it: a sibling such as "x.original"
// sorts between "x" and what lies in it, so the two are looked up apart.
std::vector<const ItemOwners::Node*> ItemOwners::At(const std::string& szPath, bool bBelowToo) const {
    std::vector<const Node*> found;
    if (!bBelowToo) {
        if (const Node* node = At(szPath)) found.push_back(node);
        return found;
    }
    for (const Nodes::const_iterator& it : Subtree(szPath)) found.push_back(&*it);
    return found;
}

std::vector<ItemOwners::Nodes::const_iterator> ItemOwners::Subtree(const std::string& szPath) const {
    std::vector<Nodes::const_iterator> found;
    if (const auto it = nodes.find(szPath); it != nodes.end()) found.push_back(it);
    const std::string szBelow = szPath + "\\";
    for (auto it = nodes.lower_bound(szBelow); it != nodes.end() && StartsIgnoringAsciiCase(it->szPath, szBelow); ++it)
        found.push_back(it);
    return found;
}

std::vector<ItemOwners::Node> ItemOwners::Remove(const std::string& szPath) {
    std::vector<Node> gone;
    for (const Nodes::const_iterator& it : Subtree(szPath)) {
        gone.push_back(*it);
        Erase(it);
    }
    return gone;
}

void ItemOwners::Move(const std::string& szFrom, const std::string& szTo) {
    std::vector<Node> moved;
    for (const Nodes::const_iterator& it : Subtree(szFrom)) {
        Node node = *it;
        node.szPath = szTo + node.szPath.substr(szFrom.size());
        moved.push_back(std::move(node));
        Erase(it);
    }
    for (Node& node : moved) Put(std::move(node));
}

void ItemOwners::MoveBack(const std::string& szBackup, const std::string& szTarget) {
    const Node* node = At(szBackup);
    const bool bOurCopy = node && node->Ours();
    const int lItem = node ? node->lItem : -1;
    Node moved = node ? *node : Node{};
    if (node) Erase(nodes.find(szBackup));
    Move(szBackup, szTarget);
    // A copy of ours moved aside is our copy again at its own place; the
    // game's item, or a part of one of our folders, needs no node of its own.
    if (bOurCopy) Put({szTarget, lItem, lItem, true, std::move(moved.stamps), std::move(moved.lNotedBy)});
}

void ItemOwners::Put(Node node) {
    if (const auto it = nodes.find(node.szPath); it != nodes.end()) Erase(it);
    const Node& put = *nodes.insert(std::move(node)).first;
    if (put.bWhole && put.lItem >= 0) items[put.lItem] = &put;
    if (put.lPlacedBy >= 0 && put.lPlacedBy != put.lItem) backups[put.lPlacedBy] = &put;
}

void ItemOwners::Erase(Nodes::const_iterator it) {
    const Node& node = *it;
    Forget(items, node.lItem, node);
    Forget(backups, node.lPlacedBy, node);
    nodes.erase(it);
}

}  // namespace corvane
