#include "core/shell/command_line.h"

#include <gtest/gtest.h>

namespace kdk {
namespace {

// The path runs to the last ".kwf" in any case; the name is taken after the last slash,
// then the last backslash; anything left over, or no model at all, hides the button.
TEST(CommandLineModel, PathNameAndLaunchButton) {
  struct Case {
    const char* line;
    const char* path;
    const char* title;
    const char* name;
    bool hide;
  };
  const Case cases[] = {
      {"  \" \"  \"\" ", "", "", "", false},
      {"\"/data/My Nets/House Price.KWF\"", "/data/My Nets/House Price.KWF", "House Price.KWF",
       "House_Price", false},
      {"/data/a.kwf.kwf /silent  ", "/data/a.kwf.kwf", "a.kwf.kwf", "a.kwf", true},
      {"/my models/b.kwf   x", "/my models/b.kwf", "b.kwf", "b", true},
      {"/data/notes.txt", "", "", "", true},
      {"C:\\x/y\\net one.kwf", "C:\\x/y\\net one.kwf", "net one.kwf", "net_one", false}};
  for (const Case& c : cases) {
    const CommandLineModel model = ParseCommandLineModel(c.line);
    EXPECT_EQ(model.consulted, *c.line != ' ') << c.line;
    EXPECT_EQ(model.model_path, c.path) << c.line;
    EXPECT_EQ(model.hide_launch_button, c.hide) << c.line;
    if (*c.path) {
      EXPECT_EQ(model.file_title + "|" + model.model_name, c.title + std::string("|") + c.name)
          << c.line;
    }
  }
}

}  // namespace
}  // namespace kdk
