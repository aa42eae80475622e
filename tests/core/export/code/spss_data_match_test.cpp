#include "core/export/code/spss_data_match.h"
#include "core/export/code/smart_names.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/common/text_file.h"
#include "fakes/fake_ports.h"
#include "support/scratch.h"

namespace kdk {
namespace {

using testing::FakePorts;

// Records its calls, joined by "|".
class ScriptedSpss : public SpssApplication {
 public:
  bool Call(const std::string& name, bool result = true) {
    calls += (calls.empty() ? "" : "|") + name;
    return result;
  }
  bool GetOrStart() override { return Call("start", available); }
  bool OpenDataDocument(const std::string& path, std::string&) override {
    return Call("open " + path);
  }
  void SetDataDocumentDisplayState(int state) override { Call("display " + std::to_string(state)); }
  std::vector<std::string> DataDocumentVariableNames() override { return variables; }
  bool OpenSyntaxDocument(const std::string& path, std::string& error) override {
    syntax_path = path;
    syntax_mode = std::filesystem::status(path).permissions();
    return Call("syntax", ReadWholeFile(path, syntax_seen, error));
  }
  void ShowSyntaxDocument(bool visible) override { Call(visible ? "show" : "hide"); }
  bool RunSyntaxDocument(std::string& error) override {
    error = run_error;
    return Call("run", run_error.empty());
  }
  void CloseSyntaxDocument() override { Call("close"); }
  std::string ResultPath() const override { return {}; }
  void Release() override { Call("release"); }

  bool available = true;
  std::vector<std::string> variables;
  std::string run_error, calls, syntax_seen, syntax_path;
  std::filesystem::perms syntax_mode{};
};

class CountingBusy : public BusyPointerPort {
 public:
  void ShowBusy() override { ++depth, ++busy_calls; }
  void ShowNormal() override { depth = 0; }
  int depth = 0, busy_calls = 0;
};

class SpssMatch : public ::testing::Test {
 protected:
  void SetUp() override {
    conformance::WriteText(data_, "not read by the scripted application");
    request_.data_path = data_;
    request_.temp_folder = folder_.path().string();
    request_.syntax_text = "COMPUTE y = x\r\n + 1 .\r\n   EXECUTE .";
    request_.inputs = {{"x", "x"}};
    spss_.variables = {"X"};
  }
  bool Match() { return MatchSpssDataFile(request_, spss_, ports_.messages, busy_); }
  // Network inputs as the code window names them.
  void Inputs(const std::vector<std::string>& names) {
    NetworkModel model;
    model.input_names = names;
    CodeExportSettings settings;
    ResetNames(settings, model);
    request_.inputs = NetworkSpssInputs(settings, model);
  }
  // The temporary syntax file is gone: the data file is all the folder holds.
  bool OnlyTheDataIsLeft() const {
    auto entries = std::filesystem::directory_iterator(folder_.path());
    return std::distance(entries, std::filesystem::directory_iterator()) == 1;
  }

  const conformance::ScratchFolder folder_;
  const std::string data_ = folder_.File("data.sav");
  SpssMatchRequest request_;
  ScriptedSpss spss_;
  FakePorts ports_;
  CountingBusy busy_;
};

constexpr const char* kMatchesOk = "This file matches OK - the syntax script can be run.";

TEST_F(SpssMatch, NamesDifferingInCaseAndBlanksMatchAndTheSyntaxRuns) {
  Inputs({"Age", " income ", "my var"});
  spss_.variables = {"AGE  ", "  Income", "MY_VAR"};
  EXPECT_TRUE(Match());
  EXPECT_EQ(ports_.messages.Texts(), std::string(kMatchesOk) + "|Done!");
  EXPECT_EQ(spss_.calls,
            "start|open " + data_ + "|display 0|syntax|show|run|close|display 1|release");
  // Every line trimmed and ended, in a private file of its own; gone afterwards.
  EXPECT_EQ(spss_.syntax_seen, "COMPUTE y = x\r\n+ 1 .\r\nEXECUTE .\r\n");
  EXPECT_TRUE(spss_.syntax_path.starts_with(folder_.File("spssTemp-"))) << spss_.syntax_path;
  EXPECT_EQ(spss_.syntax_mode,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_TRUE(OnlyTheDataIsLeft());
  EXPECT_EQ(busy_.depth, 0);
  EXPECT_GT(busy_.busy_calls, 0);
}

TEST_F(SpssMatch, MissingInputsAreReportedUnderTheirStoredNames) {
  Inputs({"my var", "rooms", "2nd input"});
  // "_2nd_input" is no SPSS name: the syntax reads it as V_2nd_input.
  spss_.variables = {"my var", "Rooms", "V_2nd_input"};
  EXPECT_FALSE(Match());
  EXPECT_EQ(ports_.messages.Texts(),
            "The file you are loading doesn't match the model file.\r\nCan't find the "
            "variables;\r\n\r\n my var");
  EXPECT_EQ(spss_.calls, "start|open " + data_ + "|display 0|release");
  EXPECT_TRUE(OnlyTheDataIsLeft());
  // MARS inputs are compared by their stored names; the output is not looked for.
  MarsModel model;
  model.input_names = {"AGE", "my var", "PAGE"};
  model.output_name = "Y";
  request_.inputs = MarsSpssInputs(model);
  spss_.variables = {"age", "MY VAR", "my_var"};
  EXPECT_FALSE(Match());
  EXPECT_TRUE(ports_.messages.Texts().ends_with("variables;\r\n\r\n PAGE"))
      << ports_.messages.Texts();
  EXPECT_EQ(MissingSpssInputs(request_.inputs, {"AGE", "my var", "page", "other"}),
            std::vector<std::string>{});
}

// Each failure is told once, the application released, the busy pointer reset and no
// temporary file left.
TEST_F(SpssMatch, FailuresAreReportedAndLeaveNothingAndTheButtonConfirms) {
  struct Case {
    std::string fail, shown, calls;
  };
  const Case cases[] = {
      {"no data", "Can't find the file: " + folder_.File("gone.sav"), ""},
      {"no application", "Problem", "start|release"},
      {"empty text", kMatchesOk, "start|open " + data_ + "|display 0|release"},
      {"run", std::string(kMatchesOk) + "|PSPP could not run the syntax",
       "start|open " + data_ + "|display 0|syntax|show|run|close|release"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fail);
    SpssMatchRequest request = request_;
    ScriptedSpss spss = spss_;
    FakePorts ports;
    CountingBusy busy;
    if (c.fail == "no data") request.data_path = folder_.File("gone.sav");
    spss.available = c.fail != "no application";
    if (c.fail == "empty text") request.syntax_text = "";
    if (c.fail == "run") spss.run_error = "PSPP could not run the syntax";
    EXPECT_FALSE(MatchSpssDataFile(request, spss, ports.messages, busy));
    EXPECT_EQ(ports.messages.Texts(), c.shown);
    EXPECT_EQ(spss.calls, c.calls);
    EXPECT_EQ(busy.depth, 0);
    EXPECT_EQ(busy.busy_calls == 0, c.fail == "no data");
    EXPECT_TRUE(OnlyTheDataIsLeft());
  }
  // The button asks for the file, then confirms before loading.
  Ports ports = ports_.ports();
  EXPECT_FALSE(LoadSpssDataFile(request_, spss_, ports, busy_));  // cancelled
  EXPECT_EQ(spss_.calls, "");
  ASSERT_EQ(ports_.file_dialogs.open_requests.size(), 1u);
  const FileDialogRequest& asked = ports_.file_dialogs.open_requests[0];
  EXPECT_EQ(asked.title + "|" + asked.filter + "|" + asked.preset_name,
            "Please locate your SPSS file|SPSS files *.SAV|*.SAV|");

  ports_.file_dialogs.answers.push_back(data_);
  EXPECT_TRUE(LoadSpssDataFile(request_, spss_, ports, busy_));
  EXPECT_EQ(request_.data_path, data_);
  EXPECT_EQ(ports_.messages.Texts(),
            "Loading SPSS - please be patient...\r\n(but press OK first!)|" +
                std::string(kMatchesOk) + "|Done!");
}

}  // namespace
}  // namespace kdk
