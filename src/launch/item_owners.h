// Where the items a launch made or moved aside lie now, as its journal
// tells: the journal's changes replayed in order, then kept up to date as
// they are undone. Every item the launch put in place has a node of its own,
// each file in a copied folder too, with the size and last write it was put
// there with; the game's own items moved aside have one at their backup
// name. Anything else inside a folder of the launch's was made by someone
// else.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "launch/journal_records.h"

namespace corvane {

class ItemOwners {
public:
    // lPlacedBy: the record that put the item at this path; lItem: the
    // record that made it (a copy or a created folder), or -1 for the game's
    // own item. bWhole: the item is all of what lItem made, not a part of it.
    struct Node {
        std::string szPath;  // as the journal spells it
        int lPlacedBy = -1;
        int lItem = -1;
        bool bWhole = false;
        // A file's: what was put at the path, one stamp per copy (a later
        // folder copy may have replaced an earlier one's file). None for a
        // folder.
        std::vector<ItemStamp> stamps;
        // The records that noted what was put here.
        std::vector<int> lNotedBy;

        bool Ours() const { return lItem >= 0 && bWhole; }
    };

    // The records as carried out, every one of them.
    explicit ItemOwners(const std::vector<JournalRecord>& records);

    // The node exactly at the path, or nothing.
    const Node* At(const std::string& szPath) const;
    // The nearest node at or above the path, or nothing.
    const Node* Holding(const std::string& szPath) const;
    // Where the item the record made lies whole now.
    const Node* ItemOf(int lRecord) const;
    // Where the item the rename moved aside lies now.
    const Node* BackupOf(int lRename) const;

    // Everything at the path and below is gone; gives the nodes that went.
    std::vector<Node> Remove(const std::string& szPath);
    // The nodes at the path and below it.
    std::vector<const Node*> At(const std::string& szPath, bool bBelowToo) const;
    // What lies at szFrom and below now lies at szTo, as a rename moves it.
    void Move(const std::string& szFrom, const std::string& szTo);
    // The rename that put the node at szBackup is undone: it goes back to
    // szTarget, where it is the copy it was, or the game's item again.
    void MoveBack(const std::string& szBackup, const std::string& szTarget);

private:
    // By the path with its letters folded, as the file system compares them.
    using Nodes = std::map<std::string, Node>;

    std::vector<Nodes::iterator> Subtree(const std::string& szPath);
    std::vector<Nodes::const_iterator> Subtree(const std::string& szPath) const;
    Node& Put(Node node);
    void Note(int lRecord, const JournalRecord& record);
    void Erase(Nodes::iterator it);

    // The node at the record's number, or none; a vector, as a launch of
    // 20,000 files has as many records.
    static const Node* Find(const std::vector<const Node*>& byRecord, int lRecord);
    static void Forget(std::vector<const Node*>& byRecord, int lRecord, const Node& node);

    Nodes nodes;
    std::vector<const Node*> items;    // whole item's record -> its node
    std::vector<const Node*> backups;  // rename's record -> its node
};

}  // namespace corvane
