#pragma once
// The move notation: how moves are written for the move counter, the tree nodes and the
// clipboard, and how a text of moves is read and appended to the played line.
//
// All texts are 8-bit, code page 1251 (convert with Cp1251ToUtf8 at the edges). Messages go to an
// IReporter with their caption and text in UTF-8.
//
//   PutMove, PutEntryNumber, PutLineNumber  pieces of texts
//   LineText(fromCur)                        the moves for the clipboard ("Ходы" button)
//   CounterText                              the move counter above the tree
//   NodeText                                 the text of a position-tree node
//   ParseMoves(text)                         the moves of a text, up to the first error
//   ApplyMoveList(text)                      parse and append at the current entry ("Ходы" open)

#include <string>
#include <string_view>

#include "model/report.h"
#include "model/streams.h"
#include "model/task.h"
#include "play/moves.h"
#include "play/play_engine.h"

namespace zrk {

// Direction letters in code page 1251: "НПВЛ", or "DRUL" with LatNot.
char DirLetter(int dir, bool latin);
// The direction of a byte in either alphabet and either case, or -1.
int LetterDir(uint8_t byte);

void PutMove(TSWr& w, const TTask& task, const TMove& move, bool pretty);
void PutEntryNumber(TSWr& w, const TPlayEngine& engine, int k);
void PutLineNumber(TSWr& w, bool miniMoves, const TMoves0& line, int k);

std::string LineText(const TPlayEngine& engine, bool fromCur);
// forwardAnimation: a forward animation is showing the move after the current entry.
std::string CounterText(const TPlayEngine& engine, bool forwardAnimation = false);
std::string NodeText(const TTask& task, bool miniMoves, const TMoves0& line);

extern const char* const AddMovesErrorCaption; // "Ошибка при добавлении ходов"

// A move text as a file or the clipboard brings it: text that decodes as UTF-8 with letters beyond
// ASCII (a file written on this system) is converted to code page 1251; anything else (a file of
// the program's old home) is taken as it is.
std::string MoveTextToCp1251(const std::string& text);

// Parses a move text; an error is reported (when a reporter is given) and ends the parse with the
// moves read before it. failed, when given, tells whether an error occurred.
TMoves0 ParseMoves(std::string_view text, const TTask& task, IReporter* reporter, bool* failed = nullptr);

struct TApplyResult {
  bool Appended = false; // at least one move was appended (what the window refreshes on)
  bool Complete = false; // every move of the text was applied
};
// Parses the text and appends its moves after the current entry, converting them to the task's
// move rules; the current entry does not change.
TApplyResult ApplyMoveList(TPlayEngine& engine, std::string_view text, IReporter* reporter);

} // namespace zrk
