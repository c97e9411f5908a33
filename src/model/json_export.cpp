#include "model/json_export.h"

#include "model/palette.h"

namespace zrk {

namespace {

void PutQuoted(TSWr& w, const std::string& s) {
  w.PutChar('"');
  for (char c : s) {
    switch (c) {
      case '"': w.PutText("\\\""); break;
      case '\\': w.PutText("\\\\"); break;
      case '\r': w.PutText("\\r"); break;
      case '\n': w.PutText("\\n"); break;
      case '\t': w.PutText("\\t"); break;
      default: w.PutChar(c);
    }
  }
  w.PutChar('"');
}

} // namespace

TJNode::TJNode(TSWr& w, TJNode* parent, bool pretty, bool isArray)
    : w_(w), parent_(parent), pretty_(pretty && (!parent || parent->pretty_)), isArray_(isArray),
      level_(parent ? parent->level_ + 1 : 1) {}

TJNode::~TJNode() {
  if (hasItems_) {
    if (pretty_) {
      w_.NewLine();
      w_.Indent(level_ - 1);
    }
    w_.PutChar(isArray_ ? ']' : '}');
    return;
  }
  if (parent_ && !parent_->isArray_ && pretty_) w_.PutChar(' ');
  w_.PutText(isArray_ ? "[]" : "{}");
}

void TJNode::BeginItem() {
  if (hasItems_) {
    w_.PutChar(',');
    if (pretty_) {
      w_.NewLine();
      w_.Indent(level_);
    } else {
      w_.PutChar(' ');
    }
  } else {
    const bool breakLine = isArray_ ? parent_ != nullptr : parent_ && !parent_->isArray_;
    if (breakLine && pretty_) {
      w_.NewLine();
      w_.Indent(level_ - 1);
    }
    w_.PutChar(isArray_ ? '[' : '{');
    if (pretty_) w_.PutChar(' ');
  }
  hasItems_ = true;
}

TJObj::TJObj(TSWr& w, bool pretty) : TJNode(w, nullptr, pretty, false) {}

TJObj::TJObj(TJObj& parent, const char* name, bool pretty) : TJNode(parent.w_, &parent, pretty, false) {
  parent.Member(name, pretty_);
}

TJObj::TJObj(TJAr& parent, bool pretty) : TJNode(parent.w_, &parent, pretty, false) { parent.BeginItem(); }

TJAr::TJAr(TJObj& parent, const char* name, bool pretty) : TJNode(parent.w_, &parent, pretty, true) {
  parent.Member(name, pretty_);
}

void TJObj::Member(const char* name, bool childPretty) {
  BeginItem();
  PutQuoted(w_, name);
  w_.PutChar(':');
  if (!childPretty) w_.PutChar(' ');
}

void TJObj::AddInt(const char* name, long long v) {
  Member(name);
  w_.PutInt(v);
}

void TJObj::AddBool(const char* name, bool b) {
  Member(name);
  w_.PutText(b ? "True" : "False");
}

void TJObj::AddStr(const char* name, const std::string& s) {
  Member(name);
  PutQuoted(w_, s);
}

// ---------------------------------------------------------------------------------------------
// The document

namespace {

void PutFigure(TJAr& figs, const TTask& task, int i) {
  const TFig& f = task.Figs[size_t(i)];
  const TTaskOptions& o = task.Options;
  TJObj fig(figs, true);
  if (i == 0) fig.AddBool("Field", true);
  if (f.Selected) fig.AddBool("Selected", true);
  if (i > 0 && f.Freedom == HorSlide) fig.AddBool("HorSlide", true);
  if (i > 0 && f.Freedom == VertSlide) fig.AddBool("VertSlide", true);
  if (i > 0 && f.Freedom == Fixed) fig.AddBool("Fixed", true);
  if (o.Play && i > 0 && task.TempFixed[size_t(i)]) fig.AddBool("TempFixed", true);
  {
    TJObj pos(fig, "Pos", false);
    pos.AddInt("X", CellX(f.Pos));
    pos.AddInt("Y", CellY(f.Pos));
  }
  if (i > 0 && f.EndPos != 0) {
    TJObj end(fig, "EndPos", false);
    end.AddInt("X", (f.EndPos & 0x7F) - 1);
    end.AddInt("Y", (f.EndPos >> 7) - 1);
  }
  int colorInd = -1;
  if (f.Color == DefaultFieldColor) colorInd = 0;
  else if (PaletteIndex(f.Color) >= 0) colorInd = PaletteIndex(f.Color) + 1;
  if (colorInd >= 0) fig.AddInt("ColorInd", colorInd);
  fig.AddInt("Color", f.Color);
  fig.AddInt("Num", f.Num);
  if (f.HasName()) fig.AddStr("Name", f.NameStr());
  TJAr cells(fig, "Cell", false);
  for (int k = 0; k < f.CellCount(); ++k) {
    const int c = f.Cells[size_t(k)];
    TJObj cell(cells, false);
    cell.AddInt("X", (c & 0x7F) - 1);
    cell.AddInt("Y", (c >> 7) - 1);
    if (i > 0 && f.Pinned(k)) cell.AddBool("Pin", true);
    if (i == 0 && size_t(k) < task.FieldFlags.size()) {
      const uint8_t flags = task.FieldFlags[size_t(k)];
      if (flags & FlagWallBelow) cell.AddBool("WallBelow", true);
      if (flags & FlagWallOnTheRight) cell.AddBool("WallOnTheRight", true);
      if (flags & FlagGrooveDown) cell.AddBool("GrooveDown", true);
      if (flags & FlagGrooveToTheRight) cell.AddBool("GrooveToTheRight", true);
    }
  }
}

void PutMoves(TJObj& parent, const std::vector<TJsonMove>& moves) {
  TJAr list(parent, "Move", true);
  for (const TJsonMove& m : moves) {
    TJObj mo(list, false);
    mo.AddInt("N", m.N);
    if (m.Mini) mo.AddInt("N1", m.Sub + 1);
    if (m.Fig != 0) mo.AddInt("Fig", m.Fig);
    mo.AddInt("Dir", m.Dir);
    if (m.Len > 1) mo.AddInt("Len", m.Len);
    if (m.Cell != 0) {
      mo.AddInt("X", CellX(m.Cell));
      mo.AddInt("Y", CellY(m.Cell));
    }
  }
}

} // namespace

std::string ExportTaskJson(const TTask& task, const TJsonPlay& play, const TJsonPicture& picture) {
  TSWr w;
  {
    const TTaskOptions& o = task.Options;
    TJObj doc(w, true);
    doc.AddStr("Program", "ZRK");
    doc.AddInt("WC", o.WC);
    doc.AddBool("GrSlide", o.GrSlide);
    doc.AddBool("MinGr", o.MinGr);
    if (o.Gravity) doc.AddBool("Gravity", true);
    if (o.Cooperative) doc.AddBool("Cooperative", true);
    if (o.MoveKind == OneCellMove) doc.AddBool("OneCellMove", true);
    if (o.MoveKind == OneCellMove && o.MinGr) doc.AddBool("MinGroupMove", true);
    if (o.MoveKind == OneDirMove) doc.AddBool("OneDirMove", true);
    if (o.MoveKind == AnyPathMove) doc.AddBool("AnyPathMove", true);
    doc.AddBool("GridF", o.GridF);
    doc.AddBool("GridE", o.GridE);
    if (o.EndPos) doc.AddBool("EndPos", true);
    if (o.OrigNums) doc.AddBool("OrigNums", true);
    if (o.OrigMovesNums) doc.AddBool("OrigMovesNums", true);
    if (o.OnlyNames) doc.AddBool("OnlyNames", true);
    if (o.DifByName) doc.AddBool("DifByName", true);
    if (o.ChessNot) doc.AddBool("ChessNot", true);
    if (o.LatNot) doc.AddBool("LatNot", true);
    if (o.Play) doc.AddBool("Play", true);
    doc.AddInt("GridColor", task.GridColor);
    doc.AddInt("WallColor", task.WallColor);
    if (o.HasPicture) {
      TJObj pict(doc, "Picture", true);
      pict.AddBool("ShowPict", true);
      if (o.ShowDir) pict.AddBool("ShowDir", true);
      if (o.PictBkgr) pict.AddBool("PictBkgr", true);
      pict.AddInt("PictX0", picture.X0);
      pict.AddInt("PictY0", picture.Y0);
      pict.AddInt("PictCellWidth0", picture.CellWidth0);
    }
    if (!task.Text.empty()) doc.AddStr("Text", task.Text);
    {
      TJAr figs(doc, "Figure", true);
      for (int i = 0; i < task.FigCount; ++i) PutFigure(figs, task, i);
    }
    if (o.Play && play.HasMoves) {
      TJObj moves(doc, "Moves", true);
      moves.AddInt("CurrentMove", play.CurrentMove);
      PutMoves(moves, play.Moves);
    }
    if (play.HasSolution) {
      TJObj sol(doc, "Solution", true);
      PutMoves(sol, play.Solution);
    }
    if (play.HasRemote) {
      TJObj rem(doc, "Remote", true);
      PutMoves(rem, play.Remote);
    }
  }
  return w.Text();
}

} // namespace zrk
