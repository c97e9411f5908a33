#pragma once
// The JSON export of a task, for other programs to read (the application never reads it back).
//
//   TJObj / TJAr   a small streaming writer over a TSWr: a node opens when it is created, closes
//                  when it is destroyed, and lays its members out by the pretty flag.
//   ExportTaskJson the whole document: options, figures with their cells, and, in play mode,
//                  the moves, the solution and the remote line (given as TJsonPlay, filled by the
//                  play engine: see play/json_play.h).
// The text is 8-bit (code page 1251), written exactly as built.

#include <string>
#include <vector>

#include "model/streams.h"
#include "model/task.h"

namespace zrk {

class TJNode {
 public:
  TJNode(const TJNode&) = delete;
  TJNode& operator=(const TJNode&) = delete;

 protected:
  TJNode(TSWr& w, TJNode* parent, bool pretty, bool isArray);
  ~TJNode();
  // Writes what goes before an item: the separator or the opening bracket.
  void BeginItem();

  TSWr& w_;
  TJNode* parent_;
  bool pretty_;
  bool isArray_;
  bool hasItems_ = false;
  int level_;

  friend class TJObj;
  friend class TJAr;
};

class TJAr;

class TJObj : public TJNode {
 public:
  TJObj(TSWr& w, bool pretty);                         // the root object
  TJObj(TJObj& parent, const char* name, bool pretty); // member name of parent
  TJObj(TJAr& parent, bool pretty);                    // next element of parent
  void AddInt(const char* name, long long v);
  void AddBool(const char* name, bool b);
  void AddStr(const char* name, const std::string& s);

 private:
  friend class TJAr;
  // Starts member name; childPretty: the member is a pretty object or array (no space after ':').
  void Member(const char* name, bool childPretty = false);
};

class TJAr : public TJNode {
 public:
  TJAr(TJObj& parent, const char* name, bool pretty);
};

// A move as the export writes it; Cell 0 means none.
struct TJsonMove {
  int N = 0;
  int Sub = 0;
  bool Mini = false; // part of a move of several mini-moves: "N1" is written
  int Fig = 0;
  int Dir = 0;
  int Len = 0;
  int Cell = 0;
};

struct TJsonPlay {
  bool HasMoves = false;
  int CurrentMove = 0;
  std::vector<TJsonMove> Moves;
  bool HasSolution = false;
  std::vector<TJsonMove> Solution;
  bool HasRemote = false;
  std::vector<TJsonMove> Remote;
};

// The picture overlay's offsets and reference cell width, written with HasPicture.
struct TJsonPicture {
  int X0 = 0, Y0 = 0, CellWidth0 = 0;
};

std::string ExportTaskJson(const TTask& task, const TJsonPlay& play = {}, const TJsonPicture& picture = {});

} // namespace zrk
