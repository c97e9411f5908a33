#include <gtest/gtest.h>

#include "model/json_export.h"
#include "support/task_text.h"

namespace zrk::test {
namespace {

TEST(JsonWriter, PrettyAndInlineLayout) {
  TSWr w;
  {
    TJObj root(w, true);
    root.AddInt("A", 1);
    {
      TJObj inl(root, "B", false);
      inl.AddInt("X", -1);
      inl.AddBool("Y", false);
    }
    {
      TJObj sub(root, "C", true);
      sub.AddStr("S", "q\"\\\r\n\tz");
      TJAr list(sub, "L", true);
      { TJObj e(list, false); e.AddInt("N", 1); }
      { TJObj e(list, false); e.AddInt("N", 2); }
    }
    { TJAr empty(root, "E", true); }
    { TJAr emptyInline(root, "F", false); }
    { TJObj emptyObj(root, "G", true); }
  }
  EXPECT_EQ(w.Text(),
            "{ \"A\": 1,\r\n"
            "  \"B\": {\"X\": -1, \"Y\": False},\r\n"
            "  \"C\":\r\n"
            "  { \"S\": \"q\\\"\\\\\\r\\n\\tz\",\r\n"
            "    \"L\":\r\n"
            "    [ {\"N\": 1},\r\n"
            "      {\"N\": 2}\r\n"
            "    ]\r\n"
            "  },\r\n"
            "  \"E\": [],\r\n"
            "  \"F\": [],\r\n"
            "  \"G\": {}\r\n"
            "}");
}

TEST(JsonWriter, InlineNodesInsidePrettyOnesStayInline) {
  TSWr w;
  {
    TJObj root(w, false);
    TJObj sub(root, "P", true); // not pretty: its parent is not
    sub.AddInt("X", 3);
  }
  EXPECT_EQ(w.Text(), "{\"P\": {\"X\": 3}}");
}

TEST(JsonExport, EditModeTaskEndsWithTheFigureArray) {
  TTask task;
  TTaskText text{{"...", "...", "...", "...", "...A"}};
  text.Figs['A'].Color = 0x0000FF;
  BuildTask(task, text);
  task.Figs[1].Selected = 1;
  task.SelSummary();
  task.Options.EndPos = false;
  const std::string json = ExportTaskJson(task);
  EXPECT_EQ(json,
            "{ \"Program\": \"ZRK\",\r\n"
            "  \"WC\": 30,\r\n"
            "  \"GrSlide\": True,\r\n"
            "  \"MinGr\": False,\r\n"
            "  \"OneCellMove\": True,\r\n"
            "  \"GridF\": True,\r\n"
            "  \"GridE\": True,\r\n"
            "  \"GridColor\": 10526880,\r\n"
            "  \"WallColor\": 128,\r\n"
            "  \"Figure\":\r\n"
            "  [ { \"Field\": True,\r\n"
            "      \"Pos\": {\"X\": 0, \"Y\": 0},\r\n"
            "      \"ColorInd\": 0,\r\n"
            "      \"Color\": 15132390,\r\n"
            "      \"Num\": 0,\r\n"
            "      \"Cell\": [{\"X\": -1, \"Y\": -1}, {\"X\": 0, \"Y\": -1}, {\"X\": 1, \"Y\": -1}, "
            "{\"X\": -1, \"Y\": 0}, {\"X\": 0, \"Y\": 0}, {\"X\": 1, \"Y\": 0}, {\"X\": -1, \"Y\": 1}, "
            "{\"X\": 0, \"Y\": 1}, {\"X\": 1, \"Y\": 1}, {\"X\": -1, \"Y\": 2}, {\"X\": 0, \"Y\": 2}, "
            "{\"X\": 1, \"Y\": 2}, {\"X\": -1, \"Y\": 3}, {\"X\": 0, \"Y\": 3}, {\"X\": 1, \"Y\": 3}, "
            "{\"X\": 2, \"Y\": 3}]\r\n"
            "    },\r\n"
            "    { \"Selected\": True,\r\n"
            "      \"Pos\": {\"X\": 3, \"Y\": 4},\r\n"
            "      \"ColorInd\": 5,\r\n"
            "      \"Color\": 255,\r\n"
            "      \"Num\": 1,\r\n"
            "      \"Cell\": [{\"X\": -1, \"Y\": -1}]\r\n"
            "    }\r\n"
            "  ]\r\n"
            "}");
}

TEST(JsonExport, FlagsPinsNamesTextAndForeignColours) {
  TTask task;
  TTaskText text{{"AB.", "..."}};
  text.Figs['A'].Color = 0x123456;
  text.Figs['A'].Name = "Ab";
  text.Figs['B'].Freedom = Fixed;
  text.Flags[{0, 1}] = FlagWallBelow | FlagGrooveToTheRight;
  BuildTask(task, text);
  task.StartMap[MakeCell(0, 0)] |= CellPin;
  task.RebuildFigs(false);
  task.Text = "a \"b\"\r\nc";
  task.Options.SetGravity();
  const std::string json = ExportTaskJson(task);
  EXPECT_NE(json.find("\"Gravity\": True"), std::string::npos);
  EXPECT_NE(json.find("\"Text\": \"a \\\"b\\\"\\r\\nc\""), std::string::npos);
  EXPECT_NE(json.find("{\"X\": -1, \"Y\": 0, \"WallBelow\": True, \"GrooveToTheRight\": True}"), std::string::npos);
  EXPECT_NE(json.find("\"Cell\": [{\"X\": -1, \"Y\": -1, \"Pin\": True}]"), std::string::npos);
  EXPECT_NE(json.find("\"Name\": \"Ab\""), std::string::npos);
  EXPECT_NE(json.find("\"Fixed\": True"), std::string::npos);
  // A colour outside the palette gets no "ColorInd".
  const size_t colour = json.find("\"Color\": 1193046");
  ASSERT_NE(colour, std::string::npos);
  EXPECT_GT(json.find("\"ColorInd\"", json.rfind("{ ", colour)), colour);
  EXPECT_EQ(json.find("\"Moves\""), std::string::npos);
}

TEST(JsonExport, MovesSolutionAndEmptyCells) {
  TTask task;
  BuildTask(task, TTaskText{{"A.."}});
  task.FigCount = 3; // a figure record without cells
  task.Figs[2].Init(&task, 2);
  task.Options.Play = true;
  TJsonPlay play;
  play.HasMoves = true;
  play.CurrentMove = 1;
  play.Moves = {TJsonMove{1, 0, true, 1, 1, 2, MakeCell(0, 0)}, TJsonMove{1, 1, true, 1, 0, 1, MakeCell(2, 0)}};
  play.HasSolution = true;
  play.Solution = {TJsonMove{1, 0, false, 0, 3, 0, 0}};
  const std::string json = ExportTaskJson(task, play);
  EXPECT_NE(json.find("\"Play\": True"), std::string::npos);
  EXPECT_NE(json.find("\"Cell\": []"), std::string::npos);
  const std::string tail =
      "  ],\r\n"
      "  \"Moves\":\r\n"
      "  { \"CurrentMove\": 1,\r\n"
      "    \"Move\":\r\n"
      "    [ {\"N\": 1, \"N1\": 1, \"Fig\": 1, \"Dir\": 1, \"Len\": 2, \"X\": 0, \"Y\": 0},\r\n"
      "      {\"N\": 1, \"N1\": 2, \"Fig\": 1, \"Dir\": 0, \"X\": 2, \"Y\": 0}\r\n"
      "    ]\r\n"
      "  },\r\n"
      "  \"Solution\":\r\n"
      "  { \"Move\":\r\n"
      "    [ {\"N\": 1, \"Dir\": 3}\r\n"
      "    ]\r\n"
      "  }\r\n"
      "}";
  ASSERT_GE(json.size(), tail.size());
  EXPECT_EQ(json.substr(json.size() - tail.size()), tail);
}

} // namespace
} // namespace zrk::test
