// Copy and paste through the clipboard: figures, whole fields and whole states between two
// programs (two midends over one clipboard), and foreign or damaged clipboard contents refused
// with their message while the task and its history stay as they were.

#include <cstring>
#include <functional>
#include <random>

#include <gtest/gtest.h>

#include "editor/clip_exchange.h"
#include "editor/editor_fixture.h"
#include "editor/midend_fixture.h"
#include "model/clipboard.h"
#include "model/cp1251.h"
#include "model/figs_image.h"
#include "model/ops_consistency.h"
#include "model/ops_selection.h"
#include "model/palette.h"
#include "model/task_file.h"
#include "play/notation.h"

namespace zrk::test {
namespace {

std::vector<uint8_t> TaskBytes(TMidend& m) {
  TWr wr;
  WriteTask(m.Task, wr, m.Io());
  return wr.Bytes();
}

void Select(TTask& task, std::initializer_list<int> figs) {
  for (int i : figs) task.Figs[size_t(i)].Selected = 1;
  task.SelSummary();
}

// The figure image of the last copy, without its length.
std::vector<uint8_t> ClipBytes(TMemoryClipboard& clip) { return *ClipBlockBytes(clip.Block); }

void PutFigs(TMemoryClipboard& clip, const std::vector<uint8_t>& bytes) { PutClipBlock(clip, FigsFormat, bytes); }

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

TEST(ClipPaste, AWholeFieldReplacesTheFieldAndTheFiguresOnItWhileParkedFiguresStay) {
  for (const bool onlyField : {false, true}) {
    TMidendFixture from({{"AA.  ", ".B. c", "...  "}});
    TMidendFixture to({{"x       ", "        ", "  D..   ", "  ...   ", "        "}});
    to.Task.Field().Color = 0x123456;
    from.Task.Field().Color = 0x654321;
    from.Midend.Settings.OnlyField = onlyField;
    TMemoryClipboard clip;
    CopyToClipboard(from.Midend, clip, false);
    EXPECT_EQ(clip.Format, FigsFormat);

    ASSERT_TRUE(PasteFromClipboard(to.Midend, clip, true)) << onlyField;
    // Nearest to where the field stood in the copy without touching the parked figure; the
    // copies are new records after it (B, C and d), the old field is gone with D on it.
    const std::vector<std::string> withParked{"a BB.   ", "  .C. d ", "  ...   ", "        ", "        "};
    const std::vector<std::string> fieldOnly{"a BB.   ", "  .C.   ", "  ...   ", "        ", "        "};
    EXPECT_EQ(StartRows(to.Task), onlyField ? fieldOnly : withParked);
    EXPECT_EQ(to.Task.FigCount, onlyField ? 4 : 5);
    EXPECT_EQ(to.Task.Field().Color, 0x654321u);
    EXPECT_EQ(to.Task.Figs[2].Color, from.Task.Figs[1].Color); // Shift keeps the colours
    EXPECT_EQ(to.Task.SelCount, onlyField ? 2 : 3);
    EXPECT_EQ(ConsistencyFault(to.Task), "");
    EXPECT_TRUE(to.Midend.UndoRing.CanUndo());
    EXPECT_TRUE(to.View.Messages.empty());
  }
}

TEST(ClipPaste, AFieldWithWallsAndEndPositionsArrivesWhole) {
  TTaskText text({"AB.", "..."});
  text.Flags[{0, 1}] = FlagWallOnTheRight | FlagGrooveDown;
  TMidendFixture from(text);
  from.Task.Figs[1].EndPos = int16_t(0x81 + MakeCell(1, 1) - MakeCell(0, 0)); // A ends at (1, 1)
  from.Task.BuildMaps(true, true);
  TMidendFixture to({{"C...", "....", "...."}});
  TMemoryClipboard clip;
  CopyToClipboard(from.Midend, clip, false);
  ASSERT_TRUE(PasteFromClipboard(to.Midend, clip, false));
  EXPECT_EQ(StartRows(to.Task), (std::vector<std::string>{"AB. ", "... ", "    "}));
  EXPECT_EQ(to.Task.StartMap[MakeCell(0, 1)] & CellFlagMask, (WallOnTheRight | GrooveDown));
  EXPECT_EQ(to.Task.FlaggedCells, 1);
  EXPECT_EQ(to.Task.Figs[1].EndPos, from.Task.Figs[1].EndPos);
  EXPECT_EQ(to.Task.EndPosCount, 1);
}

TEST(ClipPaste, SelectedFiguresArriveSelectedWithTheirOwnOrFreshColours) {
  for (const bool keepColours : {true, false}) {
    TMidendFixture from({{"AB.C", "...."}, });
    from.Task.Figs[3].SetName("Ц");
    from.Task.Figs[3].Freedom = HorSlide;
    Select(from.Task, {1, 3});
    TMidendFixture to({{"D...", "....", "...."}});
    TMemoryClipboard clip;
    CopyToClipboard(from.Midend, clip, false);
    ASSERT_TRUE(PasteFromClipboard(to.Midend, clip, keepColours));
    // The first row has no room for both; the next one has.
    EXPECT_EQ(StartRows(to.Task), (std::vector<std::string>{"A...", "B..C", "...."}));
    ASSERT_EQ(to.Task.FigCount, 4);
    EXPECT_FALSE(to.Task.Figs[1].Selected);
    EXPECT_TRUE(to.Task.Figs[2].Selected && to.Task.Figs[3].Selected);
    EXPECT_EQ(to.Task.Figs[3].NameStr(), "Ц");
    EXPECT_EQ(to.Task.Figs[3].Freedom, HorSlide);
    const Colour a = to.Task.Figs[2].Color, c = to.Task.Figs[3].Color;
    if (keepColours) {
      EXPECT_EQ(a, from.Task.Figs[1].Color);
      EXPECT_EQ(c, from.Task.Figs[3].Color);
    } else {
      EXPECT_NE(a, c);
      for (Colour got : {a, c}) {
        EXPECT_NE(got, to.Task.Figs[1].Color);
        EXPECT_NE(PaletteIndex(got), -1);
      }
    }
    EXPECT_EQ(ConsistencyFault(to.Task), "");
  }
}

TEST(ClipPaste, FiguresThatFindNoRoomAreRefused) {
  TMidendFixture from({{"AA", "AA"}});
  Select(from.Task, {1});
  TMidendFixture to({{"B..", ".C.", "..."}});
  TMemoryClipboard clip;
  CopyToClipboard(from.Midend, clip, false);
  const std::vector<uint8_t> before = TaskBytes(to.Midend);
  EXPECT_FALSE(PasteFromClipboard(to.Midend, clip, false));
  EXPECT_EQ(to.View.Messages, (std::vector<std::string>{"!: Недостаточно места для копирования"}));
  EXPECT_EQ(TaskBytes(to.Midend), before);
}

// A task of single-cell figures on a 40 x 40 field, every other cell.
void ManyFigures(TTask& task, int records) {
  task.Clear(true, true, true);
  task.New(true, true);
  task.DimX = task.DimY = 40;
  std::fill(task.StartMap.begin(), task.StartMap.end(), 0);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) task.StartMap[size_t(MakeCell(x, y))] = CellField;
  for (int i = 1; i < records; ++i) {
    task.Figs[size_t(i)].Init(&task, i);
    task.Figs[size_t(i)].Color = StandardPalette[size_t(i % PaletteSize)];
    task.StartMap[size_t(MakeCell(2 * ((i - 1) % 20), 2 * ((i - 1) / 20)))] |= uint16_t(i);
  }
  task.FigCount = records;
  task.RebuildFigs(false);
}

TEST(ClipPaste, NoPasteTakesTheTaskPastTheFigureLimit) {
  TMidendFixture from({{"A.B.C.D.E.F.G.H.I.J"}});
  for (int i = 1; i <= 10; ++i) from.Task.Figs[size_t(i)].Selected = 1;
  from.Task.SelSummary();
  TMemoryClipboard clip;
  CopyToClipboard(from.Midend, clip, false);
  struct Case {
    int Records;
    bool Pasted;
  };
  // Adding figures stops at 254 records; a paste either fits whole or changes nothing.
  for (const Case c : {Case{250, false}, Case{245, false}, Case{244, true}}) {
    TMidendFixture to({{"."}});
    ManyFigures(to.Task, c.Records);
    to.Midend.ShowTask();
    const std::vector<uint8_t> before = TaskBytes(to.Midend);
    EXPECT_EQ(PasteFromClipboard(to.Midend, clip, false), c.Pasted) << c.Records;
    if (c.Pasted) {
      EXPECT_EQ(to.Task.FigCount, c.Records + 10);
      EXPECT_TRUE(to.View.Messages.empty());
    } else {
      EXPECT_EQ(to.View.Messages, (std::vector<std::string>{"!: Фигурок не должно быть больше 254!"}));
      EXPECT_EQ(TaskBytes(to.Midend), before);
    }
  }
}

TEST(ClipPaste, AWholeFieldCountsOnlyTheFiguresThatStayBesideIt) {
  TMidendFixture from({{"AB"}}); // nothing selected: the field with two figures
  TMemoryClipboard clip;
  CopyToClipboard(from.Midend, clip, false);
  TMidendFixture to({{"."}});
  ManyFigures(to.Task, 254); // every figure stands on the field and goes
  to.Midend.ShowTask();
  ASSERT_TRUE(PasteFromClipboard(to.Midend, clip, false));
  EXPECT_EQ(to.Task.FigCount, 3);
}

TEST(ClipCopy, TheWholeStateWithItsMovesReplacesTheTaskInPlayMode) {
  TMidendFixture from({{"AB..", "...."}});
  TMidend& m = from.Midend;
  TMemoryClipboard clip;
  // With Ctrl in edit mode, and always in play mode, the copy is the whole state.
  CopyToClipboard(m, clip, true);
  EXPECT_EQ(clip.Format, StateFormat);
  m.SwitchMode(false);
  ASSERT_TRUE(ApplyMoveList(m.Play, Utf8ToCp1251("2П 2Н"), &from.View).Complete);
  m.Play.GoTo(m.Play.Line.Count - 1);
  from.Task.Text = Utf8ToCp1251("Источник: сборник");
  CopyToClipboard(m, clip, false);
  EXPECT_EQ(clip.Format, StateFormat);

  TMidendFixture to({{"C.", ".."}});
  to.Midend.SwitchMode(false);
  ASSERT_TRUE(to.Midend.UndoRing.CanUndo());
  ASSERT_TRUE(PasteFromClipboard(to.Midend, clip, false));
  EXPECT_TRUE(to.Task.Options.Play);
  EXPECT_EQ(to.Midend.Play.Line.Count, 3);
  EXPECT_EQ(TaskBytes(to.Midend), TaskBytes(m));
  EXPECT_EQ(to.Task.Text, from.Task.Text);
  EXPECT_FALSE(to.Midend.UndoRing.CanUndo()); // a new task, a new history
  EXPECT_TRUE(to.View.Messages.empty());
}

TEST(ClipCopy, FiguresAreNotPastedInPlayMode) {
  TMidendFixture from({{"AB"}});
  TMemoryClipboard clip;
  CopyToClipboard(from.Midend, clip, false);
  TMidendFixture to({{"C.", ".."}});
  to.Midend.SwitchMode(false);
  const std::vector<uint8_t> before = TaskBytes(to.Midend);
  EXPECT_FALSE(PasteFromClipboard(to.Midend, clip, false));
  EXPECT_EQ(TaskBytes(to.Midend), before);
  EXPECT_TRUE(to.View.Messages.empty());
}

TEST(ClipCopy, AnEmptyClipboardOrOneWithTextOnlyPastesNothing) {
  TMidendFixture to({{"C.", ".."}});
  TMemoryClipboard clip;
  EXPECT_FALSE(PasteFromClipboard(to.Midend, clip, false));
  PutClipText(clip, Utf8ToCp1251("1П"));
  EXPECT_FALSE(PasteFromClipboard(to.Midend, clip, false));
  clip.PutBlock(FigsFormat, {1, 2}); // not even a length
  EXPECT_FALSE(PasteFromClipboard(to.Midend, clip, false));
  EXPECT_EQ(to.View.Messages, (std::vector<std::string>{}));
}

TEST(ClipState, ADamagedStateImageLeavesTheTaskAndItsHistoryAsTheyWere) {
  TMidendFixture from({{"AB..", "...."}});
  TWr wr;
  WriteTask(from.Task, wr, from.Midend.Io());
  const std::vector<uint8_t> good = MakeClipBlock(wr.Data(), wr.Size());
  struct Case {
    const char* What;
    std::function<void(std::vector<uint8_t>&)> Damage; // of the clipboard block, length included
    const char* Message;
  };
  const Case cases[] = {
      {"cut in a figure record", [](auto& b) { b.resize(b.size() - 3), b[0] -= 3; }, "Ошибка в файле задачи"},
      {"a length beyond the block", [](auto& b) { b.resize(b.size() / 2); }, "Ошибка в файле задачи"},
      {"no header", [](auto& b) { b.resize(14), b[0] = 10; }, "Ошибка в файле задачи"},
      {"foreign magic", [](auto& b) { b[4] ^= 0xFF; }, "Неправильный заголовок файла задачи"},
      {"later version", [](auto& b) { b[8] = 7; }, "Версия файла задачи более новая, чем у программы"},
  };
  for (const Case& c : cases) {
    TMidendFixture to({{"C.", ".D"}});
    Select(to.Task, {2});
    to.Midend.Refresh(UndoStep::New);
    ASSERT_TRUE(to.Midend.UndoRing.CanUndo());
    const std::vector<uint8_t> before = TaskBytes(to.Midend);
    TMemoryClipboard clip;
    clip.PutBlock(StateFormat, good);
    c.Damage(clip.Block);
    EXPECT_FALSE(PasteFromClipboard(to.Midend, clip, false)) << c.What;
    EXPECT_EQ(to.View.Messages, (std::vector<std::string>{std::string("Ошибка в буфере обмена: ") + c.Message}))
        << c.What;
    EXPECT_EQ(TaskBytes(to.Midend), before) << c.What;
    EXPECT_TRUE(to.Midend.UndoRing.CanUndo()) << c.What;
  }
}

// Foreign figure images: each damage is refused with the one message and changes nothing.
TEST(ClipFigs, DamagedOrForeignImagesAreRefused) {
  TMidendFixture from({{"AA.  ", "B.. c", "     "}});
  from.Task.Figs[1].SetName("Я");
  TMemoryClipboard clip;
  CopyToClipboard(from.Midend, clip, false);
  const std::vector<uint8_t> good = ClipBytes(clip);
  ASSERT_EQ(good.size(), FigsImageSize);
  const size_t entry1 = FigsImageHeaderSize + FigsImageEntrySize;
  ASSERT_EQ(from.Task.FigCount, 4);
  const size_t mapAt = FigsImageMapOffset;
  struct Case {
    const char* What;
    std::function<void(std::vector<uint8_t>&)> Damage;
  };
  const Case cases[] = {
      {"one byte short", [](auto& b) { b.pop_back(); }},
      {"record version 2", [](auto& b) { Put32(b, 0, 2); }},
      {"record version 0", [](auto& b) { Put32(b, 0, 0); }},
      {"a play snapshot", [](auto& b) { b[32 + 1] |= 0x08; }},
      {"no figure records", [](auto& b) { Put32(b, 24, 0); }},
      {"256 figure records", [](auto& b) { Put32(b, 24, 256); }},
      {"a huge figure count", [](auto& b) { Put32(b, 24, 0x80000001u); }},
      {"board width 0", [](auto& b) { Put32(b, 8, 0); }},
      {"board width 127", [](auto& b) { Put32(b, 8, 127); }},
      {"board height 127", [](auto& b) { Put32(b, 12, 127); }},
      {"freedom 4", [=](auto& b) { b[entry1 + 2] = 4; }},
      {"a name without its end", [=](auto& b) { std::memset(&b[entry1 + 12], 'x', 4); }},
      {"a cell of figure 4 of 4", [=](auto& b) { b[mapAt + 2 * size_t(MakeCell(2, 0))] = 4; }},
      {"a cell of figure 4 of 4 off the board", [=](auto& b) { b[mapAt + 2 * size_t(MakeCell(125, 0))] = 4; }},
      {"a cell of figure 255", [=](auto& b) { b[mapAt + 2 * size_t(MakeCell(125, 125))] = 0xFF; }},
      {"a figure across the field's edge", [=](auto& b) { b[mapAt + 2 * size_t(MakeCell(2, 0))] = 3; }},
      {"a parked figure beside the field", [=](auto& b) { b[mapAt + 2 * size_t(MakeCell(3, 0))] = 3; }},
      {"a wall inside a figure", [=](auto& b) { b[mapAt + 2 * size_t(MakeCell(0, 0)) + 1] |= WallOnTheRight >> 8; }},
  };
  for (const Case& c : cases) {
    TMidendFixture to({{"C..", "..."}});
    const std::vector<uint8_t> before = TaskBytes(to.Midend);
    std::vector<uint8_t> bytes = good;
    c.Damage(bytes);
    PutFigs(clip, bytes);
    EXPECT_FALSE(PasteFromClipboard(to.Midend, clip, false)) << c.What;
    EXPECT_EQ(to.View.Messages, (std::vector<std::string>{"!: Несовместимая версия приложения"})) << c.What;
    EXPECT_EQ(TaskBytes(to.Midend), before) << c.What;
  }
}

TEST(ClipFigs, ALongerImageOfRecordVersionOneIsTakenAndStrayBitsAreDropped) {
  TMidendFixture from({{"AB.", "..."}});
  TMemoryClipboard clip;
  CopyToClipboard(from.Midend, clip, false);
  std::vector<uint8_t> bytes = ClipBytes(clip);
  // A pin and walls on cells that cannot carry them, a bit the editor never sets, a cell in the
  // map's border and a name filling its field up to the end.
  bytes[FigsImageMapOffset + 2 * size_t(MakeCell(5, 5)) + 1] = uint8_t((CellPin | WallBelow) >> 8);
  bytes[FigsImageMapOffset + 2 * size_t(MakeCell(1, 0)) + 1] |= 0x80;
  bytes[FigsImageMapOffset + 2 * 5] = 1;
  std::memcpy(&bytes[FigsImageHeaderSize + FigsImageEntrySize + 12], "abc", 4);
  bytes.resize(bytes.size() + 100, 0xEE);
  PutFigs(clip, bytes);
  TMidendFixture to({{"....", "....", "...."}});
  ASSERT_TRUE(PasteFromClipboard(to.Midend, clip, true));
  EXPECT_EQ(StartRows(to.Task), (std::vector<std::string>{"AB. ", "... ", "    "}));
  EXPECT_EQ(to.Task.Figs[1].NameStr(), "abc");
  EXPECT_EQ(ConsistencyFault(to.Task), "");
}

// Random damage to a good image: every paste is refused or leaves a consistent task.
TEST(ClipFigs, RandomDamageNeverBreaksTheTask) {
  TTaskText text({"AAB.  ", "A.B. c", ".D..  "});
  text.Flags[{1, 1}] = FlagWallBelow;
  TMidendFixture from(text);
  Select(from.Task, {2, 3});
  TMemoryClipboard clip;
  CopyToClipboard(from.Midend, clip, false);
  const std::vector<uint8_t> selected = ClipBytes(clip);
  DeselectAll(from.Task);
  from.Task.SelSummary();
  CopyToClipboard(from.Midend, clip, false);
  const std::vector<uint8_t> field = ClipBytes(clip);

  TMidendFixture to({{"E.....", "......", "......", "      ", "    f "}});
  ASSERT_EQ(ConsistencyFault(to.Task), "");
  std::mt19937 random(15);
  int pasted = 0;
  for (int round = 0; round < 400; ++round) {
    std::vector<uint8_t> bytes = round % 2 ? selected : field;
    const int damages = 1 + int(random() % 4);
    for (int k = 0; k < damages; ++k) {
      // Mostly the header, the figure entries and the map's used corner.
      const size_t spans[] = {FigsImageHeaderSize, FigsImageMapOffset, FigsImageMapOffset + 2 * 128 * 6};
      const size_t at = random() % spans[random() % 3];
      bytes[at] = uint8_t(random());
    }
    PutFigs(clip, bytes);
    to.View.Messages.clear();
    if (!PasteFromClipboard(to.Midend, clip, round % 3 == 0)) continue;
    ++pasted;
    ASSERT_EQ(ConsistencyFault(to.Task), "") << round;
    to.Midend.Undo();
  }
  EXPECT_GT(pasted, 0);
}

} // namespace
} // namespace zrk::test
