#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "model/streams.h"

namespace zrk {
namespace {

struct TRecordingReporter : IReporter {
  void Report(MsgKind k, const std::string& c, const std::string& t) override { kind = k, caption = c, text = t, ++count; }
  MsgKind kind{};
  std::string caption, text;
  int count = 0;
};

TEST(Streams, WriterAppendsLittleEndianAndGrowsByTheRule) {
  TWr wr;
  wr.PutU8(0x01);
  wr.PutU16(0x0302);
  wr.PutU32(0x07060504);
  wr.PutStr(nullptr);
  wr.PutStr("ab");
  const std::vector<uint8_t> expected = {1, 2, 3, 4, 5, 6, 7, 0, 'a', 'b', 0};
  EXPECT_EQ(wr.Bytes(), expected);

  struct Case { size_t written, need, capacity; };
  for (Case c : {Case{1000, 100, 2048}, Case{100, 5000, 5100}, Case{10, 1014, 1024}}) {
    TWr w;
    std::vector<uint8_t> fill(c.written, 0xAB);
    w.PutBlock(fill.data(), fill.size());
    w.Reserve(c.need);
    EXPECT_EQ(w.Capacity(), c.capacity) << c.written << " + " << c.need;
    EXPECT_EQ(w.Size(), c.written);
    EXPECT_EQ(w.Data()[c.written - 1], 0xAB);
  }
}

TEST(Streams, ReaderBlocksAndStringsStayInsideTheBlock) {
  TRe re({'x', 'y', 0, 1, 2});
  EXPECT_STREQ(re.GetStrRef(), "xy");
  EXPECT_EQ(re.GetBlock(3), nullptr);
  EXPECT_TRUE(re.Failed);
  EXPECT_EQ(re.Remaining(), 2u);
  re.Failed = false;
  ASSERT_NE(re.GetBlock(2), nullptr);
  EXPECT_EQ(re.Remaining(), 0u);
  EXPECT_FALSE(re.Failed);
  EXPECT_EQ(re.GetU32(), 0u); // past the end: zero, and the failure is recorded
  EXPECT_TRUE(re.Failed);

  TRe unterminated({'a', 'b', 'c'});
  EXPECT_EQ(unterminated.GetStrRef(), nullptr);
  EXPECT_TRUE(unterminated.Failed);
  EXPECT_TRUE(unterminated.AtEnd());

  TRe copies({0, 'q', 0});
  auto empty = copies.GetStrCopy();
  ASSERT_TRUE(empty);
  EXPECT_EQ(*empty, "");
  EXPECT_EQ(copies.Position(), 1u);
  EXPECT_EQ(*copies.GetStrCopy(), "q");
}

TEST(Streams, ReadingAMissingFileReportsItsName) {
  TRecordingReporter reporter;
  const std::string name = "/nonexistent/zrk/missing.zrk";
  EXPECT_FALSE(ReadWholeFile(name, &reporter));
  EXPECT_EQ(reporter.kind, MsgKind::Warning);
  EXPECT_EQ(reporter.caption, "Невозможно считать файл");
  EXPECT_EQ(reporter.text, name);

  TRe re;
  EXPECT_FALSE(re.OpenFile(name, nullptr));
  EXPECT_TRUE(re.Failed);
  EXPECT_EQ(re.Remaining(), 0u);
}

TEST(Streams, WholeFileRoundTripAndWriteFailure) {
  const auto path = std::filesystem::temp_directory_path() / "zrk_streams_test.bin";
  const uint8_t data[] = {0, 1, 2, 0xFF};
  TRecordingReporter reporter;
  ASSERT_TRUE(WriteWholeFile(path.string(), data, sizeof data, &reporter));
  auto back = ReadWholeFile(path.string(), &reporter);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, std::vector<uint8_t>(data, data + 4));
  std::filesystem::remove(path);
  EXPECT_EQ(reporter.count, 0);

  EXPECT_FALSE(WriteWholeFile("/nonexistent/zrk/out.zrk", data, sizeof data, &reporter));
  EXPECT_EQ(reporter.caption, "Невозможно записать файл");
  EXPECT_EQ(reporter.text, "/nonexistent/zrk/out.zrk");
}

TEST(Streams, TextWriterCountsColumnsAndEndsLinesWithCrLf) {
  TSWr sw;
  sw.Indent(2);
  sw.PutText("ab");
  sw.PutInt(-42);
  EXPECT_EQ(sw.Column, 9);
  sw.NewLine();
  EXPECT_EQ(sw.Column, 0);
  EXPECT_EQ(sw.Text(), "    ab-42\r\n");
}

} // namespace
} // namespace zrk
