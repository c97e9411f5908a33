#pragma once
// The position tree of play mode: saved lines of play, each node a TMoves0 whose moves continue
// its parent's. The window's tree view mirrors this structure; it reads Root(), the children of
// each node, Selected, TopVisible and CurNode, and reports the user's selection, expansion and
// scrolling back through Select(), TPosNode::Expanded and TopVisible. Revision grows with every
// change of the structure, of a node's moves, note or fixed state, so a view knows when to rebuild.
//
// Entry points: Reset, AddLine / AddLineCopy (solver, AddSolBt/AddRemBt), AddMoves (the played
// line up to the current entry, see TPlayEngine::AddCurrent), SplitNode, MergeNode, DeleteNodes
// (the three delete buttons), PreOrder (for saving and listing).

#include <memory>
#include <string>
#include <vector>

#include "play/moves.h"

namespace zrk {

struct TPosNode {
  TPosNode() = default;
  // Destroys the subtree without recursion: a chain of nodes may be deeper than the stack.
  ~TPosNode();
  TPosNode(const TPosNode&) = delete;
  TPosNode& operator=(const TPosNode&) = delete;

  std::unique_ptr<TMoves0> Line;
  TPosNode* Up = nullptr; // parent node, null for the root
  std::vector<std::unique_ptr<TPosNode>> Kids;
  bool Expanded = false;

  int Depth() const;
  int IndexInParent() const; // -1 for the root
};

class TPosTree {
 public:
  // Lines are compared by direction only under gravity: the tree needs to know the move mode.
  explicit TPosTree(const bool* gravity) : gravity_(gravity) {}

  TPosNode* Root() const { return root_.get(); }
  bool Empty() const { return !root_; }

  TPosNode* Selected = nullptr;
  TPosNode* TopVisible = nullptr;
  TPosNode* CurNode = nullptr; // the node whose line was last loaded or saved
  unsigned long long Revision = 0;

  // Empties the tree and gives it its root (a line without moves), selected and current.
  void Reset();
  // Empties the tree completely, no root; used by readers before they rebuild it.
  void Clear();
  // Installs a tree that a reader built; root must be a node without parent.
  void Install(std::unique_ptr<TPosNode> root, TPosNode* selected, TPosNode* top);

  // Inserts the line, taking the object itself as the node's data when a new node is needed.
  // Returns true when the tree took it (line is then null); otherwise line is left to the caller.
  bool AddLine(std::unique_ptr<TMoves0>& line, bool select);
  // Inserts a copy of the line's moves and note.
  void AddLineCopy(const TMoves0& line, bool select);
  // Inserts the moves; the note is taken only by a node the line ends at or a new one. make builds
  // the new node's data when one is needed. Returns the node of the line.
  template <class Make>
  TPosNode* AddMoves(const TMove* moves, int n, const std::string* note, bool select, Make&& make);

  TPosNode* SplitNode(TPosNode* k, int i);
  bool MergeNode(TPosNode* x, bool onlyUnfixed);
  // The three delete buttons on the selected node: (self, subnodes) = (yes, yes) DelPosBt,
  // (no, yes) DelPos1Bt, (yes, no) DelPos2Bt.
  void DeleteNodes(bool self, bool subnodes);

  void Select(TPosNode* node) { Selected = node; }
  // Every node from the root in pre-order.
  std::vector<TPosNode*> PreOrder() const;
  bool Contains(const TPosNode* node) const;

 private:
  struct TWalkEnd {
    TPosNode* EndedAt = nullptr; // the line ends at this node
    TPosNode* Parent = nullptr;  // otherwise a new node goes here, before child InsertAt
    size_t InsertAt = 0;
  };
  TWalkEnd Walk(const TMove* moves, int n);
  TPosNode* Insert(TWalkEnd at, std::unique_ptr<TMoves0> line, bool select);
  void EndedAt(TPosNode* node, const std::string* note, bool select);
  int Compare(const TMove& a, const TMove& b) const { return CompareMoves(a, b, gravity_ && *gravity_); }
  void Forget(const TPosNode* removed); // clears the pointers into a removed subtree
  void Changed() { ++Revision; }

  const bool* gravity_;
  std::unique_ptr<TPosNode> root_;
};

template <class Make>
TPosNode* TPosTree::AddMoves(const TMove* moves, int n, const std::string* note, bool select, Make&& make) {
  if (!root_) Reset();
  TWalkEnd at = Walk(moves, n);
  if (at.EndedAt) {
    EndedAt(at.EndedAt, note, select);
    return at.EndedAt;
  }
  std::unique_ptr<TMoves0> line = make();
  return Insert(at, std::move(line), select);
}

} // namespace zrk
