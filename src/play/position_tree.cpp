#include "play/position_tree.h"

#include <algorithm>

namespace zrk {

int CompareMoves(const TMove& a, const TMove& b, bool gravity) {
  if (gravity) return a.Dir - b.Dir;
  if (a.Fig != b.Fig) return a.Fig - b.Fig;
  if (a.Dir != b.Dir) return a.Dir - b.Dir;
  return a.Len - b.Len;
}

TPosNode::~TPosNode() {
  std::vector<std::unique_ptr<TPosNode>> doomed = std::move(Kids);
  while (!doomed.empty()) {
    std::unique_ptr<TPosNode> n = std::move(doomed.back());
    doomed.pop_back();
    for (auto& k : n->Kids) doomed.push_back(std::move(k));
    n->Kids.clear();
  }
}

int TPosNode::Depth() const {
  int d = 0;
  for (const TPosNode* n = Up; n; n = n->Up) ++d;
  return d;
}

int TPosNode::IndexInParent() const {
  if (!Up) return -1;
  for (size_t i = 0; i < Up->Kids.size(); ++i)
    if (Up->Kids[i].get() == this) return int(i);
  return -1;
}

void TPosTree::Reset() {
  Clear();
  root_ = std::make_unique<TPosNode>();
  root_->Line = std::make_unique<TMoves0>();
  root_->Expanded = true;
  Selected = CurNode = root_.get();
  Changed();
}

void TPosTree::Clear() {
  root_.reset();
  Selected = TopVisible = CurNode = nullptr;
  Changed();
}

void TPosTree::Install(std::unique_ptr<TPosNode> root, TPosNode* selected, TPosNode* top) {
  root_ = std::move(root);
  Selected = CurNode = selected;
  TopVisible = top;
  Changed();
}

std::vector<TPosNode*> TPosTree::PreOrder() const {
  std::vector<TPosNode*> out;
  if (!root_) return out;
  std::vector<TPosNode*> stack{root_.get()};
  while (!stack.empty()) {
    TPosNode* n = stack.back();
    stack.pop_back();
    out.push_back(n);
    for (auto it = n->Kids.rbegin(); it != n->Kids.rend(); ++it) stack.push_back(it->get());
  }
  return out;
}

bool TPosTree::Contains(const TPosNode* node) const {
  if (!node) return false;
  const TPosNode* top = node;
  while (top->Up) top = top->Up;
  return top == root_.get();
}

// Follows the line down the tree as far as it agrees with saved lines; a line that leaves a node
// inside its own moves splits the node there, so that the shared beginning becomes a branch point.
TPosTree::TWalkEnd TPosTree::Walk(const TMove* moves, int n) {
  TPosNode* p = root_.get();
  int i = 0;
  for (;;) {
    if (i >= n) return {p, nullptr, 0};
    bool descended = false;
    for (size_t idx = 0; idx < p->Kids.size(); ++idx) {
      TPosNode* k = p->Kids[idx].get();
      const TMoves0& d = *k->Line;
      // A child always has moves beyond its parent's; a damaged one that has not is passed over.
      if (i >= d.Count()) continue;
      const int c = Compare(moves[i], d.Moves[i]);
      if (c > 0) continue;
      if (c < 0) return {nullptr, p, idx};
      while (i < d.Count() && i < n && Compare(moves[i], d.Moves[i]) == 0) ++i;
      if (i == d.Count()) {
        p = k;
        descended = true;
        break;
      }
      const bool before = i < n && Compare(moves[i], d.Moves[i]) < 0;
      TPosNode* s = SplitNode(k, i);
      if (i == n) return {s, nullptr, 0};
      return {nullptr, s, size_t(before ? 0 : 1)};
    }
    if (!descended) return {nullptr, p, p->Kids.size()};
  }
}

void TPosTree::EndedAt(TPosNode* node, const std::string* note, bool select) {
  if (select) Selected = node;
  CurNode = node;
  node->Line->Unfixed = false;
  if (note) node->Line->PosText = *note;
  Changed();
}

TPosNode* TPosTree::Insert(TWalkEnd at, std::unique_ptr<TMoves0> line, bool select) {
  auto node = std::make_unique<TPosNode>();
  node->Up = at.Parent;
  line->Parent = at.Parent->Line.get();
  node->Line = std::move(line);
  TPosNode* raw = node.get();
  at.Parent->Kids.insert(at.Parent->Kids.begin() + std::ptrdiff_t(at.InsertAt), std::move(node));
  if (select) Selected = raw;
  CurNode = raw;
  Changed();
  return raw;
}

bool TPosTree::AddLine(std::unique_ptr<TMoves0>& line, bool select) {
  bool taken = false;
  AddMoves(line->Moves.data(), line->Count(), &line->PosText, select, [&] {
    taken = true;
    return std::move(line);
  });
  return taken;
}

void TPosTree::AddLineCopy(const TMoves0& line, bool select) {
  AddMoves(line.Moves.data(), line.Count(), &line.PosText, select, [&] {
    auto copy = std::make_unique<TMoves0>();
    copy->Moves = line.Moves;
    copy->PosText = line.PosText;
    return copy;
  });
}

TPosNode* TPosTree::SplitNode(TPosNode* k, int i) {
  TPosNode* up = k->Up;
  const int at = k->IndexInParent();
  if (!up || at < 0 || i <= 0 || i >= k->Line->Count()) return nullptr;
  auto s = std::make_unique<TPosNode>();
  s->Line = std::make_unique<TMoves0>();
  s->Line->Moves.assign(k->Line->Moves.begin(), k->Line->Moves.begin() + i);
  s->Line->Parent = k->Line->Parent;
  s->Line->Unfixed = true;
  s->Up = up;
  s->Expanded = true;
  TPosNode* raw = s.get();
  std::unique_ptr<TPosNode> moved = std::move(up->Kids[size_t(at)]);
  up->Kids[size_t(at)] = std::move(s);
  moved->Up = raw;
  moved->Line->Parent = raw->Line.get();
  raw->Kids.push_back(std::move(moved));
  Changed();
  return raw;
}

void TPosTree::Forget(const TPosNode* removed) {
  auto inside = [removed](const TPosNode* n) {
    for (; n; n = n->Up)
      if (n == removed) return true;
    return false;
  };
  if (inside(Selected)) Selected = nullptr;
  if (inside(TopVisible)) TopVisible = nullptr;
  if (inside(CurNode)) CurNode = nullptr;
}

bool TPosTree::MergeNode(TPosNode* x, bool onlyUnfixed) {
  if (!x || x->Kids.size() != 1 || !x->Up) return false;
  if (onlyUnfixed && !x->Line->Unfixed) return false;
  TPosNode* up = x->Up;
  const int at = x->IndexInParent();
  if (at < 0) return false;
  std::unique_ptr<TPosNode> child = std::move(x->Kids[0]);
  x->Kids.clear();
  child->Up = up;
  child->Line->Parent = up->Line.get();
  Forget(x);
  up->Kids[size_t(at)] = std::move(child); // destroys x
  Changed();
  return true;
}

void TPosTree::DeleteNodes(bool self, bool subnodes) {
  TPosNode* x = Selected;
  if (!x || !root_) return;
  if (x == root_.get()) self = false;
  if (!self && (!subnodes || x->Kids.empty())) return;
  if (x->Line->Unfixed) {
    if (subnodes) {
      self = true;
    } else {
      MergeNode(x, false);
      return;
    }
  } else if (!subnodes && !x->Kids.empty() && x->Up) {
    if (!MergeNode(x, false)) {
      x->Line->Unfixed = true;
      Changed();
    }
    return;
  }
  if (!self) {
    for (auto& k : x->Kids) Forget(k.get());
    x->Kids.clear();
    Changed();
    return;
  }
  TPosNode* up = x->Up;
  if (!up) return; // the root never deletes itself
  const int at = x->IndexInParent();
  Forget(x);
  up->Kids.erase(up->Kids.begin() + at);
  Changed();
  MergeNode(up, true);
}

} // namespace zrk
