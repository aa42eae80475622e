#include "core/export/web/network_page.h"

#include <gtest/gtest.h>

#include "core/export/web/web_test_models.h"

namespace kdk {
namespace {

using testing::WebTestNetwork;

// Whole pages of a regression and a classifier are in tests/golden; these are the
// properties of any network.
TEST(NetworkPageTest, NamesPathsAndDescriptionsAreMarkupText) {
  EXPECT_NE(NetworkFormBlock(WebTestNetwork(false))
                .find("<TR><TD CLASS=\"predict\">Rooms &amp; &lt;b&gt;size&lt;/b&gt;</TD>"),
            std::string::npos);
  NetworkModel model = WebTestNetwork(true);
  model.description = "First <i>\r\nSecond";
  const std::string notes =
      NetworkNotesBlock(model, {"/m/a<b>.kwf", "Mon, May 3 2004, 9:05 AM", "now"});
  EXPECT_NE(notes.find(">/m/a&lt;b&gt;.kwf</TD>"), std::string::npos);
  EXPECT_NE(notes.find("<P>First &lt;i&gt;</P>\r\n<P>Second</P>"), std::string::npos);
}

}  // namespace
}  // namespace kdk
