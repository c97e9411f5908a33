#include <gtest/gtest.h>

#include "cli/cli_run.h"
#include "model/streams.h"

namespace zrk {
namespace {

using test::RunCli;

TEST(CliInfo, PrintsTheSample) {
  auto r = RunCli("info " + test::SamplePath());
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Out.find("board: 6 x 7"), std::string::npos);
  EXPECT_NE(r.Out.find("field cells: 20"), std::string::npos);
  EXPECT_NE(r.Out.find("free cells: 2"), std::string::npos);
  EXPECT_NE(r.Out.find("figures: 10"), std::string::npos);
  EXPECT_NE(r.Out.find("move kind: any path"), std::string::npos);
  EXPECT_NE(r.Out.find("Переведите большой квадрат"), std::string::npos); // the text in UTF-8
  EXPECT_TRUE(r.Err.empty());
}

TEST(CliInfo, DamagedOrMissingFilePrintsTheMessageAndExits2) {
  const auto path = std::filesystem::temp_directory_path() / "zrk_cli_damaged.zrk";
  const uint8_t junk[20] = {1, 2, 3};
  ASSERT_TRUE(WriteWholeFile(path.string(), junk, sizeof junk, nullptr));
  auto r = RunCli("info " + path.string());
  EXPECT_EQ(r.Status, 2);
  EXPECT_EQ(r.Err, "Неправильный заголовок файла задачи: " + path.string() + "\n");
  EXPECT_TRUE(r.Out.empty());
  std::filesystem::remove(path);

  r = RunCli("info /nonexistent/zrk.zrk");
  EXPECT_EQ(r.Status, 2);
  EXPECT_EQ(r.Err, "Невозможно считать файл: /nonexistent/zrk.zrk\n");

  EXPECT_EQ(RunCli("info").Status, 2);
  EXPECT_EQ(RunCli("no-such-command").Status, 2);
}

} // namespace
} // namespace zrk
