// The "Score a Data File..." menu item: the loaded model scores the chosen file on a
// worker thread and the result is the file kdk score writes.
#include "gui/shell/score_data_file.h"

#include <gtest/gtest.h>

#include "core/common/number_text.h"
#include "core/network/evaluate_network.h"
#include "gui/support/converter_window_fixture.h"

namespace kdk::gui {
namespace {

using ScoreDataFileTest = ConverterWindowTest;

TEST_F(ScoreDataFileTest, ScoresTheChosenFileIntoTheChosenResult) {
  ScoreDataFile(context_, nullptr);  // without a model nothing is asked
  EXPECT_TRUE(fakes_.file_dialogs.open_requests.empty());
  ASSERT_EQ(fakes_.messages.messages.size(), 1u);

  LoadNetwork();
  const std::string data = (folder_ / "houses.csv").string();
  const std::string result = (folder_ / "houses_scored.csv").string();
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(data, "rooms,age,floor area\n4,30,150\nx,1,1\n", error));
  fakes_.file_dialogs.answers = {data, result};
  ScoreDataFile(context_, nullptr);
  EXPECT_EQ(fakes_.file_dialogs.save_requests.at(0).preset_name, "houses_scored.csv");
  NetworkPrediction expected;
  const double inputs[] = {150, 4, 30};
  ASSERT_TRUE(EvaluateNetwork(workspace_.network, inputs, expected, error));
  EXPECT_EQ(Read(result), "rooms,age,floor area,Kestrium_price\r\n4,30,150," +
                              NumberText(expected.prediction) + "\r\nx,1,1,\r\n");
  EXPECT_EQ(LastMessage(), "2 rows scored into " + result +
                               ".\r\n\r\n1 rows have no prediction (a value that is not a "
                               "number):\r\nline 3: column rooms: 'x' is not a number");
}

}  // namespace
}  // namespace kdk::gui
