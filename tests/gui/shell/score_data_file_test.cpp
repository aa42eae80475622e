// The "Score a Data File..." menu item: the loaded model scores the chosen file on a
// worker thread and the result is the file kdk score writes.
#include <gtest/gtest.h>

#include "core/common/number_text.h"
#include "core/common/text_file.h"
#include "core/network/evaluate_network.h"
#include "core/shell/load_network.h"
#include "gui/shell/score_data_file.h"
#include "gui/support/converter_window_fixture.h"

namespace kdk::gui {
namespace {

class ScoreDataFileTest : public ConverterWindowTest {};

TEST_F(ScoreDataFileTest, ScoresTheChosenFileIntoTheChosenResult) {
  ASSERT_TRUE(LoadNetworkFromPath(workspace_, std::string(KDK_EXAMPLES_DIR) + "/house_price.kwf",
                                  fakes_.messages));
  const std::string data = (folder_ / "houses.csv").string();
  const std::string result = (folder_ / "houses_scored.csv").string();
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(data, "rooms,age,floor area\n4,30,150\nx,1,1\n", error));
  fakes_.file_dialogs.answers = {data, result};
  ScoreDataFile(context_, nullptr);

  ASSERT_EQ(fakes_.file_dialogs.save_requests.size(), 1u);
  EXPECT_EQ(fakes_.file_dialogs.save_requests[0].preset_name, "houses_scored.csv");
  NetworkPrediction expected;
  const double inputs[] = {150, 4, 30};
  ASSERT_TRUE(EvaluateNetwork(workspace_.network, inputs, expected, error));
  std::string written;
  ASSERT_TRUE(ReadWholeFile(result, written, error)) << error;
  EXPECT_EQ(written, "rooms,age,floor area,Kestrium_price\r\n4,30,150," +
                         NumberText(expected.prediction) + "\r\nx,1,1,\r\n");
  ASSERT_FALSE(fakes_.messages.messages.empty());
  EXPECT_EQ(fakes_.messages.messages.back().text,
            "2 rows scored into " + result +
                ".\r\n\r\n1 rows have no prediction (a value that is not a number):\r\n"
                "line 3: column rooms: 'x' is not a number");
}

TEST_F(ScoreDataFileTest, WithoutAModelNothingIsAsked) {
  ScoreDataFile(context_, nullptr);
  EXPECT_TRUE(fakes_.file_dialogs.open_requests.empty());
  ASSERT_EQ(fakes_.messages.messages.size(), 1u);
}

}  // namespace
}  // namespace kdk::gui
