#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "editor/board_geometry.h"
#include "model/cp1251.h"
#include "model/task_file.h"
#include "support/task_text.h"

namespace zrk {
namespace {

struct TMessages : IReporter {
  void Report(MsgKind k, const std::string& c, const std::string& t) override {
    kind = k, caption = c, text = t;
    ++count;
  }
  MsgKind kind{};
  std::string caption, text;
  int count = 0;
};

std::vector<uint8_t> Image(const TTask& task) {
  TWr wr;
  WriteTask(task, wr);
  return wr.Bytes();
}

// A task with every kind of content: text, names, pins, freedoms, walls and grooves, an end
// position, a figure parked off the field, and options away from their defaults.
void MakeRichTask(TTask& task) {
  test::TTaskText text{{"AAB..", "A.C..", "..DD.", "e    "}};
  text.Figs['A'].Name = Utf8ToCp1251("Кв");
  text.Figs['C'].Freedom = Fixed;
  text.Figs['D'].Freedom = HorSlide;
  text.Flags[{3, 1}] = FlagWallBelow | FlagGrooveToTheRight;
  text.Flags[{4, 2}] = FlagWallOnTheRight | FlagGrooveDown;
  auto ix = test::BuildTask(task, text);
  task.StartMap[MakeCell(3, 2)] |= CellPin;
  task.RebuildFigs(false);
  task.Figs[ix['B']].EndPos = int16_t(0x81 + 4 + RowStride);
  task.Figs[ix['B']].Selected = 1;
  task.BuildMaps(true, true);
  task.Text = Utf8ToCp1251("Условие задачи\r\nвторая строка");
  task.GridColor = 0x102030;
  task.WallColor = 0x405060;
  task.Options.MoveKind = AnyPathMove;
  task.Options.GrSlide = false;
  task.Options.ShowNums = true;
  task.Options.DifByName = true;
  task.Options.LatNot = true;
  task.Options.WC = 42;
}

TEST(TaskFile, WriteReadWriteIsByteIdentical) {
  TTask task;
  MakeRichTask(task);
  const auto first = Image(task);
  TTask back;
  TRe re(first);
  TMessages messages;
  ASSERT_TRUE(ReadTask(back, re, "rich.zrk", {&messages}));
  EXPECT_EQ(messages.count, 0);
  EXPECT_EQ(Image(back), first);
  EXPECT_EQ(back.Text, task.Text);
  EXPECT_EQ(back.FieldFlags, task.FieldFlags);
  EXPECT_EQ(back.Options.MoveKind, AnyPathMove);
  EXPECT_FALSE(back.Options.GrSlide);
  EXPECT_TRUE(back.Options.LatNot);
  EXPECT_EQ(back.Options.WC, 42);
  EXPECT_EQ(back.GridColor, 0x102030u);
  for (int i = 0; i < task.FigCount; ++i) EXPECT_TRUE(SameFig(back.Figs[i], task.Figs[i])) << i;
  EXPECT_EQ(back.Figs[4].Pins, task.Figs[4].Pins);
  EXPECT_EQ(back.StartMap, task.StartMap);
  EXPECT_EQ(back.EndMap, task.EndMap);
}

TEST(TaskFile, HeaderLayoutIsLittleEndianVersion6) {
  TTask task;
  MakeRichTask(task);
  const auto bytes = Image(task);
  const std::vector<uint8_t> magicAndVersion = {0xE0, 0x1B, 0xF9, 0x52, 6, 0, 0, 0};
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 8), magicAndVersion);
  const uint32_t flags = bytes[8] | bytes[9] << 8 | bytes[10] << 16 | uint32_t(bytes[11]) << 24;
  EXPECT_EQ(flags, TaskFlag::GridF | TaskFlag::GridE | TaskFlag::ShowNums | TaskFlag::EndPos | TaskFlag::HasText |
                       TaskFlag::HasFieldFlags | (2u << 9) | TaskFlag::ShowPict | TaskFlag::DifByName |
                       TaskFlag::LatNot);
  EXPECT_EQ(bytes[12], 42);
  EXPECT_EQ(bytes[13], task.DimX);
  EXPECT_EQ(bytes[14], task.DimY);
  EXPECT_EQ(bytes[15] | bytes[16] << 8, task.FigCount);
}

// Builds a file image by hand, for the reader's checks.
struct TImage {
  TWr wr;
  TImage(uint32_t version, uint32_t flags, int cellWidth, int dimX, int dimY, int figCount) {
    wr.PutU32(TaskFileMagic);
    wr.PutU32(version);
    wr.PutU32(flags);
    wr.PutU8(uint8_t(cellWidth));
    wr.PutU8(uint8_t(dimX));
    wr.PutU8(uint8_t(dimY));
    wr.PutU16(uint16_t(figCount));
    if (version >= 2) {
      wr.PutU32(DefaultGridColor);
      wr.PutU32(DefaultWallColor);
    }
  }
  void Fig(uint16_t recordFlags, int freedom, int num, Colour colour, const char* name, CellCode pos,
           std::vector<int16_t> cells, std::vector<uint8_t> pins = {}, int16_t endPos = 0) {
    wr.PutU16(recordFlags);
    wr.PutU8(uint8_t(freedom));
    wr.PutU8(uint8_t(num));
    wr.PutU32(colour);
    if (name) wr.PutStr(name);
    wr.PutU16(uint16_t(pos));
    wr.PutU16(uint16_t(endPos));
    wr.PutU16(uint16_t(cells.size()));
    for (auto c : cells) wr.PutU16(uint16_t(c));
    for (auto p : pins) wr.PutU8(p);
  }
  // A 2 x 2 field at the top-left corner.
  void Field() { Fig(0, 0, 0, DefaultFieldColor, nullptr, MakeCell(0, 0), {0, 1, 128, 129}); }
  std::vector<uint8_t> Bytes() const { return wr.Bytes(); }
};

constexpr uint32_t kDefaultFlags = TaskFlag::GrSlide | TaskFlag::GridF | TaskFlag::GridE | TaskFlag::EndPos;

TEST(TaskFile, VersionOneImageReadsWithDefaultColours) {
  TImage img(1, kDefaultFlags, 30, 2, 2, 2);
  img.Field();
  img.Fig(0, 0, 1, 0xFFFF80, nullptr, MakeCell(1, 1), {0});
  TTask task;
  task.GridColor = 0x111111;
  TRe re(img.Bytes());
  ASSERT_TRUE(ReadTask(task, re, "v1.zrk"));
  EXPECT_EQ(task.GridColor, DefaultGridColor);
  EXPECT_EQ(task.WallColor, DefaultWallColor);
  EXPECT_EQ(task.FigCount, 2);
  EXPECT_EQ(task.Figs[1].Pos, MakeCell(1, 1));
  EXPECT_EQ(task.FreeCells, 3);
}

TEST(TaskFile, RecordDetailsAreNormalisedOnReading) {
  // Cells stored unsorted with pins; a name too long to keep; MinGr with move kind 1; cell width 5;
  // move kind 3.
  TImage img(6, kDefaultFlags | TaskFlag::MinGr | (1u << 9), 5, 4, 4, 3);
  img.Fig(0, 0, 0, DefaultFieldColor, nullptr, MakeCell(0, 0), {0, 1, 2, 128, 129, 130});
  img.Fig(FigRecordFlag::HasPins, 0, 1, 0xFF, nullptr, MakeCell(0, 0), {129, 1, 0}, {1, 0, 1});
  img.Fig(FigRecordFlag::HasName, 0, 2, 0xFF00, "ABCD", MakeCell(2, 0), {0});
  TTask task;
  TRe re(img.Bytes());
  ASSERT_TRUE(ReadTask(task, re, "n.zrk"));
  EXPECT_EQ(task.Figs[1].Cells, (std::vector<int16_t>{0, 1, 129}));
  EXPECT_EQ(task.Figs[1].Pins, (std::vector<uint8_t>{1, 0, 1}));
  EXPECT_EQ(task.Figs[1].PinCount, 2);
  EXPECT_FALSE(task.Figs[2].HasName());
  EXPECT_FALSE(task.Options.MinGr);
  EXPECT_EQ(task.Options.MoveKind, OneDirMove);
  EXPECT_EQ(task.Options.WC, 7);

  TImage kind3(6, kDefaultFlags | (3u << 9), 30, 2, 2, 1);
  kind3.Field();
  TRe re3(kind3.Bytes());
  ASSERT_TRUE(ReadTask(task, re3, "k.zrk"));
  EXPECT_EQ(task.Options.MoveKind, OneCellMove);
}

// A file may ask for any cell width in its byte; the board image it would need stays within the
// editor's limit.
TEST(TaskFile, CellWidthIsBroughtWithinTheImageLimit) {
  struct {
    int Stored, Dim, Read;
  } cases[] = {{5, 4, 7}, {42, 4, 42}, {255, 2, 255}, {255, 126, MaxCellSize(126, 126)}, {255, 60, MaxCellSize(60, 60)}};
  for (const auto& c : cases) {
    TImage img(6, kDefaultFlags, c.Stored, c.Dim, c.Dim, 1);
    img.Field();
    TTask task;
    TRe re(img.Bytes());
    ASSERT_TRUE(ReadTask(task, re, "wide.zrk"));
    EXPECT_EQ(task.Options.WC, c.Read) << c.Stored << " on " << c.Dim;
    const TBoardGeometry g = TBoardGeometry::Compute(task.Options.WC, c.Dim, c.Dim, false, 0);
    EXPECT_LE((long long)g.MW * g.H, MaxImagePixels) << c.Stored << " on " << c.Dim;
  }
}

// Every refusal: its message, and what is left of the task.
TEST(TaskFile, FailureTable) {
  enum class After { Unchanged, Empty };
  struct Case {
    const char* what;
    std::vector<uint8_t> image;
    const char* caption;
    After after;
  };
  auto header = [](uint32_t version, int dimX, int dimY, int figs) {
    TImage img(version, kDefaultFlags, 30, dimX, dimY, figs);
    img.Field();
    return img.Bytes();
  };
  std::vector<uint8_t> badMagic = header(6, 2, 2, 1);
  badMagic[0] ^= 1;
  TImage freedom4(6, kDefaultFlags, 30, 2, 2, 2);
  freedom4.Field();
  freedom4.Fig(0, 4, 1, 0xFF, nullptr, MakeCell(0, 0), {0});
  TImage shortCells(6, kDefaultFlags, 30, 2, 2, 2);
  shortCells.Field();
  shortCells.Fig(0, 0, 1, 0xFF, nullptr, MakeCell(0, 0), {0, 1, 128});
  std::vector<uint8_t> cut = shortCells.Bytes();
  cut.resize(cut.size() - 1);
  TImage offBoard(6, kDefaultFlags, 30, 2, 2, 2);
  offBoard.Field();
  offBoard.Fig(0, 0, 1, 0xFF, nullptr, MakeCell(1, 1), {0, 1});
  TImage overlap(6, kDefaultFlags, 30, 2, 2, 3);
  overlap.Field();
  overlap.Fig(0, 0, 1, 0xFF, nullptr, MakeCell(0, 0), {0});
  overlap.Fig(0, 0, 2, 0xFF, nullptr, MakeCell(0, 0), {0, 1});
  TImage missingFlags(6, kDefaultFlags | TaskFlag::HasFieldFlags, 30, 2, 2, 1);
  missingFlags.Field();
  missingFlags.wr.PutU8(1);
  TImage unterminatedText(6, kDefaultFlags | TaskFlag::HasText, 30, 2, 2, 1);
  unterminatedText.wr.PutBlock("abc", 3);
  TImage unterminatedName(6, kDefaultFlags, 30, 2, 2, 1);
  unterminatedName.wr.PutU16(FigRecordFlag::HasName);
  unterminatedName.wr.PutBlock("\0\0\0\0\0\0abcdefghijklmn", 20);
  TImage negativeCount(6, kDefaultFlags, 30, 2, 2, 1);
  negativeCount.Fig(0, 0, 0, 0, nullptr, MakeCell(0, 0), {});
  std::vector<uint8_t> negative = negativeCount.Bytes();
  negative[negative.size() - 1] = 0xFF;
  negative[negative.size() - 2] = 0xFF;
  TImage shortPins(6, kDefaultFlags, 30, 2, 2, 2);
  shortPins.Field();
  shortPins.Fig(FigRecordFlag::HasPins, 0, 1, 0xFF, nullptr, MakeCell(0, 0), {0, 1}, {1});

  const std::vector<Case> cases = {
      {"16 bytes", std::vector<uint8_t>(16, 0), "Ошибка в файле задачи", After::Unchanged},
      {"magic", badMagic, "Неправильный заголовок файла задачи", After::Unchanged},
      {"version 7", header(7, 2, 2, 1), "Версия файла задачи более новая, чем у программы", After::Unchanged},
      {"width 0", header(6, 0, 2, 1), "Ошибка в файле задачи", After::Unchanged},
      {"width 127", header(6, 127, 2, 1), "Ошибка в файле задачи", After::Unchanged},
      {"height 127", header(6, 2, 127, 1), "Ошибка в файле задачи", After::Unchanged},
      {"0 figures", header(6, 2, 2, 0), "Ошибка в файле задачи", After::Unchanged},
      {"256 figures", header(6, 2, 2, 256), "Ошибка в файле задачи", After::Unchanged},
      {"freedom 4", freedom4.Bytes(), "Ошибка в файле задачи", After::Empty},
      {"cells past the end", cut, "Ошибка в файле задачи", After::Empty},
      {"pins past the end", shortPins.Bytes(), "Ошибка в файле задачи", After::Empty},
      {"negative cell count", negative, "Ошибка в файле задачи", After::Empty},
      {"cell off the board", offBoard.Bytes(), "Ошибка в файле задачи", After::Empty},
      {"two figures on one cell", overlap.Bytes(), "Ошибка в файле задачи", After::Empty},
      {"field flags past the end", missingFlags.Bytes(), "Ошибка в файле задачи", After::Empty},
      {"text past the end", unterminatedText.Bytes(), "Ошибка в файле задачи", After::Empty},
      {"name past the end", unterminatedName.Bytes(), "Ошибка в файле задачи", After::Empty},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TTask task;
    MakeRichTask(task);
    task.Options.MoveKind = OneDirMove;
    const auto before = Image(task);
    TMessages messages;
    TRe re(c.image);
    EXPECT_FALSE(ReadTask(task, re, "bad.zrk", {&messages}));
    EXPECT_EQ(messages.count, 1);
    EXPECT_EQ(messages.kind, MsgKind::Error);
    EXPECT_EQ(messages.caption, c.caption);
    EXPECT_EQ(messages.text, "bad.zrk");
    if (c.after == After::Unchanged) {
      EXPECT_EQ(Image(task), before);
    } else {
      EXPECT_EQ(task.FigCount, 1);
      EXPECT_EQ(task.Field().CellCount(), 0);
      EXPECT_TRUE(task.Text.empty());
      EXPECT_EQ(task.GridColor, DefaultGridColor);
      EXPECT_EQ(task.Field().Color, DefaultFieldColor);
      // The options of the header stay.
      EXPECT_EQ(task.Options.MoveKind, OneCellMove);
      EXPECT_TRUE(task.Options.GrSlide);
    }
  }
}

TEST(TaskFile, ClipboardImageFailureNamesTheClipboard) {
  TTask task;
  TMessages messages;
  TRe re(std::vector<uint8_t>(20, 0));
  EXPECT_FALSE(ReadTask(task, re, "", {&messages}));
  EXPECT_EQ(messages.caption, "Ошибка в буфере обмена");
  EXPECT_EQ(messages.text, "Неправильный заголовок файла задачи");
}

TEST(TaskFile, EveryTruncationAndRandomDamageIsReadOrRefused) {
  TTask source;
  MakeRichTask(source);
  const auto image = Image(source);
  for (size_t n = 0; n < image.size(); ++n) {
    TTask task;
    TMessages messages;
    TRe re(std::vector<uint8_t>(image.begin(), image.begin() + n));
    const bool ok = ReadTask(task, re, "t.zrk", {&messages});
    EXPECT_EQ(messages.count, ok ? 0 : 1) << n;
  }
  std::mt19937 rng(12345);
  for (int round = 0; round < 3000; ++round) {
    auto damaged = image;
    const int hits = 1 + int(rng() % 4);
    for (int h = 0; h < hits; ++h) damaged[rng() % damaged.size()] = uint8_t(rng());
    TTask task;
    TMessages messages;
    TRe re(damaged);
    const bool ok = ReadTask(task, re, "r.zrk", {&messages});
    EXPECT_EQ(messages.count, ok ? 0 : 1);
    if (ok) {
      // A task that was accepted is consistent enough to be written and read again unchanged.
      const auto again = Image(task);
      TTask second;
      TRe re2(again);
      ASSERT_TRUE(ReadTask(second, re2, "again.zrk"));
      EXPECT_EQ(Image(second), again);
    }
  }
}

TEST(TaskFile, LoadAndSaveThroughFiles) {
  const auto path = (std::filesystem::temp_directory_path() / "zrk_task_file_test.zrk").string();
  TTask task;
  MakeRichTask(task);
  TMessages messages;
  ASSERT_TRUE(SaveTask(task, path, {&messages}));
  TTask back;
  ASSERT_TRUE(LoadTask(back, path, {&messages}));
  EXPECT_EQ(Image(back), Image(task));
  std::filesystem::remove(path);
  EXPECT_FALSE(LoadTask(back, path, {&messages}));  // a missing file: no message
  EXPECT_FALSE(LoadTask(back, "", {&messages}));
  EXPECT_EQ(messages.count, 0);
  EXPECT_FALSE(SaveTask(task, "/nonexistent/dir/x.zrk", {&messages}));
  EXPECT_EQ(messages.caption, "Невозможно записать файл");
}

TEST(TaskFile, TheShippedSampleReads) {
  TTask task;
  TMessages messages;
  ASSERT_TRUE(LoadTask(task, std::string(ZRK_SOURCE_DIR) + "/samples/klotski.zrk", {&messages}));
  EXPECT_EQ(task.FigCount, 11);
  EXPECT_EQ(task.FreeCells, 2);
  EXPECT_EQ(task.EndPosCount, 1);
}

} // namespace
} // namespace zrk
