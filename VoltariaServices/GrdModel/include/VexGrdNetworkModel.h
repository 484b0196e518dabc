#pragma once
// The electrical network of one plant document, kept in the document's file and in memory.
//
// Tables (component "GrdModel" of the document's versioned schema):
//   grd_node(id, identifier UNIQUE)
//   grd_branch(id, from_node, to_node, length, unit_code, UNIQUE(from_node, to_node))
//   grd_node_link(id, node_id -> grd_node, element_id -> vex_element, UNIQUE(node_id, element_id))
//   grd_branch_link(id, branch_id -> grd_branch, element_id -> vex_element, UNIQUE(...))
// Links cascade: deleting a node, a branch or a plant element removes its links and never the
// plant element. Branch ends are identifiers, not references: a branch may name a node that does
// not exist, and deleting a node leaves its branches.
//
// In memory every node and branch is one object for the whole session, indexed by identifier
// (hash maps: finding a node or branch is O(1)) and listed in creation order. Every change needs
// the document's open transaction (a user event). A large network's branches are read on a
// connection of their own while the nodes are read. When the document rolls a transaction back the
// model reloads from the file: the objects it still holds keep their identity, and a node or
// branch deleted within the rolled-back transaction comes back as a new object.

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "VexDocument.h"
#include "VexDocumentAttachment.h"
#include "VexDocumentListener.h"
#include "VexFlatHashMap.h"
#include "VexGrdBranch.h"
#include "VexGrdNode.h"
#include "VexGrdRowList.h"

class VexGrdNetworkModel : public VexDocumentAttachment, public VexDocumentListener {
 public:
  static constexpr const char* kComponent = "GrdModel";
  static constexpr const char* kAttachmentKey = "GrdModel.NetworkModel";

  /// The model of `document`: made (tables created when missing, rows loaded) and hung on the
  /// document on first use.
  static VexGrdNetworkModel& Of(VexDocument& document);
  /// The model already hung on `document`, or null.
  static VexGrdNetworkModel* Find(VexDocument& document);

  ~VexGrdNetworkModel() override;
  VexGrdNetworkModel(const VexGrdNetworkModel&) = delete;
  VexGrdNetworkModel& operator=(const VexGrdNetworkModel&) = delete;

  VexDocument& GetDocument() const { return document_; }

  /// A new node; an identifier in use is an internal error (callers check first).
  VexVar<VexGrdNode> CreateNode(const VexUnicodeString& id);
  /// A new branch; a pair in use is an internal error (callers check first).
  VexVar<VexGrdBranch> CreateBranch(const VexUnicodeString& from, const VexUnicodeString& to);
  VexGrdNode* FindNode(const VexUnicodeString& id) const;
  VexGrdBranch* FindBranch(const VexUnicodeString& from, const VexUnicodeString& to) const;
  /// All nodes, in creation order.
  std::vector<VexGrdNode*> GetNodes() const;
  /// All branches, in creation order.
  std::vector<VexGrdBranch*> GetBranches() const;
  int GetNodeCount() const { return static_cast<int>(nodes_.Size()); }
  int GetBranchCount() const { return static_cast<int>(branches_.Size()); }
  /// Grows with every change of nodes, branches, their lengths or links (a reload after a
  /// rollback included): an observer whose count is still current knows that nothing changed
  /// without looking at a million objects.
  std::uint64_t GetChangeCount() const { return changeCount_; }

  /// Deletes the node and its links; its branches stay. The object is let go.
  void DeleteNode(VexGrdNode& node);
  /// Deletes the branch and its links. The object is let go.
  void DeleteBranch(VexGrdBranch& branch);

  /// Links `element` to the object; false (nothing changed) when it is linked already.
  bool Link(VexGrdNetworkObject& object, VexIAECElement& element);
  /// Removes that link; false when there was none.
  bool Unlink(VexGrdNetworkObject& object, VexIAECElement& element);

  void SetBranchLength(VexGrdBranch& branch, double length);
  void SetBranchUnitCode(VexGrdBranch& branch, const VexUnicodeString& unitCode);

  /// Branches whose from or to identifier is `nodeId`, in creation order.
  std::vector<VexGrdBranch*> GetBranchesAt(const VexUnicodeString& nodeId) const;
  /// Nodes and branches linked to the element with document identifier `elementId`, link order.
  std::vector<VexGrdNode*> GetNodesLinkedTo(std::int64_t elementId) const;
  std::vector<VexGrdBranch*> GetBranchesLinkedTo(std::int64_t elementId) const;

  void OnRolledBack(VexDocument& document) override;
  void OnElementDeleted(VexDocument& document, VexPlantElement& element) override;

 private:
  explicit VexGrdNetworkModel(VexDocument& document);

  void Load();
  void LoadNodes(VexGrdRowList<VexGrdNode>& previous);
  void LoadBranches(VexGrdRowList<VexGrdBranch>& previous, std::size_t branchCount);
  void LoadLinks(const char* sql, bool toNodes);
  static void SetBranchValues(VexGrdBranch& branch, VexSqlStatement& rows);
  void AddNode(VexVar<VexGrdNode> node);
  /// Indexes the branch by its ends, then attaches it.
  void AddBranch(VexVar<VexGrdBranch> branch);
  /// Makes the branch the model's, in creation order and in its ends' chains.
  void AttachBranch(VexVar<VexGrdBranch> branch);
  void AddLink(VexGrdNetworkObject& object, VexIAECElement_var element);
  void ForgetLinks(VexGrdNetworkObject& object);
  void LetGo(VexGrdNetworkObject& object);
  void RequireTransaction(const char* operation) const;
  bool IsNode(const VexGrdNetworkObject& object) const;

  // What the model knows under one node identifier: the node, when there is one, and the branches
  // that end there (a branch may name a node that does not exist).
  struct NodeIdEntry {
    VexGrdNode* node = nullptr;
    // The chain of branches ending here, in creation order: rows only grow, so appending keeps it.
    VexGrdBranch* firstBranch = nullptr;
    // Where the next branch is chained: the last branch's link for this identifier, or null for an
    // empty chain. Appending writes there without reading the last branch, which at a million
    // branches is a cache miss saved per branch end.
    VexGrdBranch** tail = nullptr;
    bool IsEmpty() const { return !node && !firstBranch; }
  };
  // A branch is found by its ends through the branch itself: the index holds no copy of them.
  struct BranchEndsHash {
    static std::size_t Of(const VexUnicodeString& from, const VexUnicodeString& to);
    std::size_t operator()(const VexGrdBranch* branch) const { return Of(branch->From(), branch->To()); }
  };

  // Branches read on a connection of their own, not yet in the model.
  struct BranchRows {
    std::vector<VexVar<VexGrdBranch>> branches;  // by row
    VexFlatHashSet<VexGrdBranch*, BranchEndsHash> byEnds;
  };
  bool CanReadBranchesAlongside(const VexGrdRowList<VexGrdBranch>& previous,
                                std::size_t branchCount) const;
  static BranchRows ReadBranchRows(const VexUnicodeString& path, std::size_t branchCount);
  void LoadWithBranchesReadAlongside(VexGrdRowList<VexGrdNode>& previousNodes,
                                     VexGrdRowList<VexGrdBranch>& previousBranches,
                                     std::size_t branchCount);

  void AppendBranchAt(const VexUnicodeString& nodeId, VexGrdBranch& branch);
  void ForgetBranchAt(const VexUnicodeString& nodeId, VexGrdBranch& branch);
  /// The link from `branch` to the next branch of `nodeId`'s chain.
  static VexGrdBranch*& NextAt(VexGrdBranch& branch, const VexUnicodeString& nodeId);

  VexDocument& document_;
  std::uint64_t changeCount_ = 0;
  VexGrdRowList<VexGrdNode> nodes_;      // by row: creation order
  VexGrdRowList<VexGrdBranch> branches_;  // by row: creation order
  // Flat maps: at a hundred thousand nodes the indexes outgrow the caches, and a lookup there
  // should cost one memory access, not a walk through scattered hash nodes.
  VexFlatHashMap<VexUnicodeString, NodeIdEntry> byNodeId_;
  VexFlatHashSet<VexGrdBranch*, BranchEndsHash> branchesByEnds_;
  std::unordered_map<std::int64_t, std::vector<VexGrdNode*>> nodesOfElement_;
  std::unordered_map<std::int64_t, std::vector<VexGrdBranch*>> branchesOfElement_;
};
