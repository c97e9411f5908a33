// The label that tells figures apart by name, and the class key built on it.
#include <gtest/gtest.h>

#include <string>

#include "model/fig_class.h"
#include "support/task_text.h"

namespace zrk::test {
namespace {

struct TLabelCase {
  bool DifByName, OnlyNames, OrigNums;
  const char* Name;
  const char* Label;
};

TEST(FigClass, DistinguishingLabelFollowsTheNameOptions) {
  const TLabelCase cases[] = {
      {false, false, false, "Ab", ""},  // not told apart by name at all
      {true, false, false, "Ab", "Ab"}, // the name
      {true, false, false, "", "7"},    // no name: the number
      {true, false, true, "Ab", "7"},   // original numbers win over names
      {true, true, false, "", ""},      // names only, and there is none
      {true, true, false, "Ab", "Ab"},
      {true, false, false, " ", ""},    // a name of one space shows nothing
  };
  for (const TLabelCase& c : cases) {
    SCOPED_TRACE(std::string(c.Name) + " " + std::to_string(c.DifByName) + std::to_string(c.OnlyNames) +
                 std::to_string(c.OrigNums));
    TTask task;
    const auto index = BuildTask(task, TTaskText({"A."}));
    TFig& f = task.Figs[index.at('A')];
    f.Num = 7;
    f.SetName(c.Name);
    task.Options.DifByName = c.DifByName;
    task.Options.OnlyNames = c.OnlyNames;
    task.Options.OrigNums = c.OrigNums;
    char label[4] = {1, 1, 1, 1};
    DistinguishingLabel(task, f, label);
    EXPECT_EQ(std::string(label), c.Label);
    EXPECT_EQ(label[3], 0);
  }
}

TEST(FigClass, KeysDifferByPinsAndByLabelOnlyWhenToldApartByName) {
  TTaskText text({"AB", "CD"});
  text.Figs['A'] = text.Figs['B'] = text.Figs['C'] = text.Figs['D'] = TFigSpec{0x808080, 0, ""};
  TTask task;
  const auto index = BuildTask(task, text);
  TFig& a = task.Figs[index.at('A')];
  TFig& b = task.Figs[index.at('B')];
  TFig& c = task.Figs[index.at('C')];
  a.SetName("x");
  b.SetName("y");
  EXPECT_EQ(FigClassKey(task, a), FigClassKey(task, b));
  task.Options.DifByName = true;
  EXPECT_NE(FigClassKey(task, a), FigClassKey(task, b));
  task.Options.DifByName = false;
  c.Pins.assign(1, 1);
  c.PinCount = 1;
  EXPECT_NE(FigClassKey(task, c), FigClassKey(task, task.Figs[index.at('D')]));
}

} // namespace
} // namespace zrk::test
