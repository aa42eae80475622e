// The SPSS engine on its own: the dictionary reader, the line joining PSPP needs,
// PSPP's messages in the user's terms, the time limit, and where results go.
#include <gtest/gtest.h>

#include <filesystem>

#include "conformance/spss/pspp_test_files.h"
#include "core/common/text_file.h"
#include "core/export/code/spss_data_match.h"
#include "engines/spss/child_process.h"
#include "engines/spss/pspp_application.h"
#include "engines/spss/pspp_syntax.h"
#include "engines/spss/sav_dictionary.h"
#include "fakes/fake_ports.h"

namespace kdk::conformance {
namespace {

using kdk::testing::RecordingMessagePort;

// Joined lines, and errors named by the user's own line: the joined line 3 holds the
// user's lines 3 to 6, from columns 1, 15, 19 and 22.
TEST(PsppSyntax, LinesStartingWithPlusMinusOrDotJoinTheLineBeforeAndErrorsNameTheUsersLines) {
  const spss::JoinedSyntax joined = spss::JoinContinuationLines(
      "/*+ a comment\r\n+ not joined to a comment\r\nCOMPUTE y = 1\r\n+ x\r\n-2\r\n  .5 * z .\r\n"
      "EXECUTE .\r\n");
  EXPECT_EQ(joined.text,
            "/*+ a comment\n+ not joined to a comment\nCOMPUTE y = 1 + x -2 .5 * z .\nEXECUTE .\n");
  const std::string plain = spss::PlainPsppErrors(
      "/tmp/x/syntax.sps:4.3-4.9: error: EXECUTE: q.\n"
      "warning: Error encountered while ERROR=STOP is effective.\n"
      "/tmp/x/syntax.sps:4.3-4.9: error: EXECUTE: q.\n"
      "/tmp/x/syntax.sps:3.14: error: a.\n/tmp/x/syntax.sps:3.15-3.17: error: b.\n"
      "/tmp/x/syntax.sps:3.22: error: c.\n/tmp/x/syntax.sps:2: error: d.\n"
      "/tmp/x/run.sps:1: error: GET: cannot open.\n",
      "syntax.sps", joined);
  EXPECT_EQ(plain,
            "line 7: error: EXECUTE: q.\r\nline 3: error: a.\r\nline 4: error: b.\r\nline 6: "
            "error: c.\r\nline 2: error: d.\r\nerror: GET: cannot open.");
  EXPECT_EQ(spss::PsppQuoted("it's"), "'it''s'");
}

TEST(ChildProcess, ARunPastItsTimeLimitIsStopped) {
  ScratchFolder scratch;
  const auto started = std::chrono::steady_clock::now();
  const spss::ProcessResult result =
      spss::RunProcess({spss::FindProgram("sleep"), "20"}, scratch.File("out"), scratch.File("err"),
                       std::chrono::milliseconds(300));
  EXPECT_TRUE(result.started);
  EXPECT_TRUE(result.timed_out);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
  const spss::ProcessResult missing = spss::RunProcess(
      {"/nonexistent/program"}, scratch.File("out"), scratch.File("err"), std::chrono::seconds(5));
  EXPECT_FALSE(missing.started && missing.exit_status == 0);
  EXPECT_EQ(spss::FindProgram("no-such-program-kdk"), "");
}

spss::PsppOptions QuietOptions() {
  spss::PsppOptions options;
  options.viewer_program.clear();
  return options;
}

struct Outcome {
  bool ok = false;
  std::size_t messages = 0;
  std::string last_message, result;
};

class SavFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    data_ = scratch_.File("people.sav");
    std::string error;
    ASSERT_TRUE(WriteSavFile(scratch_, data_, {"Age", "my_var", "IncomeLevelOfHousehold"},
                             {{30.0, 1.0, 2.0}, {std::nullopt, 4.0, 5.5}}, error))
        << error;
  }
  // The syntax run on the data file as the SPSS button runs it.
  Outcome Match(const std::string& syntax, const spss::PsppOptions& options = QuietOptions()) {
    spss::PsppSpssApplication application(options);
    RecordingMessagePort messages;
    NoBusyPointer busy;
    const SpssMatchRequest request{
        data_, {{"age", "age"}, {"my var", "my_var"}}, syntax, scratch_.File("")};
    Outcome out;
    out.ok = MatchSpssDataFile(request, application, messages, busy);
    out.messages = messages.messages.size();
    if (out.messages) out.last_message = messages.messages.back().text;
    out.result = application.ResultPath();
    return out;
  }
  ScratchFolder scratch_;
  std::string data_;
};

TEST_F(SavFiles, DictionaryGivesTheNamesInFileOrder) {
  std::vector<std::string> names;
  std::string error;
  ASSERT_TRUE(spss::ReadSavVariableNames(data_, names, error)) << error;
  EXPECT_EQ(names, (std::vector<std::string>{"Age", "my_var", "IncomeLevelOfHousehold"}));
}

TEST_F(SavFiles, MissingTruncatedAndForeignFilesGiveAClearMessage) {
  std::vector<std::string> names;
  std::string error;
  EXPECT_FALSE(spss::ReadSavVariableNames(scratch_.File("absent.sav"), names, error));
  EXPECT_NE(error.find("absent.sav could not be read as SPSS data"), std::string::npos) << error;

  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(data_, bytes, error));
  ASSERT_TRUE(WriteFileAtomically(scratch_.File("cut.sav"), bytes.substr(0, 200), error));
  error.clear();
  EXPECT_FALSE(spss::ReadSavVariableNames(scratch_.File("cut.sav"), names, error));
  EXPECT_NE(error.find("cut.sav could not be read as SPSS data"), std::string::npos) << error;

  ASSERT_TRUE(WriteFileAtomically(scratch_.File("text.sav"), "Age,my_var\n1,2\n", error));
  error.clear();
  EXPECT_FALSE(spss::ReadSavVariableNames(scratch_.File("text.sav"), names, error));
  EXPECT_NE(error.find("text.sav could not be read"), std::string::npos) << error;
}

TEST_F(SavFiles, PsppAbsentIsAProblemAndNothingRuns) {
  spss::PsppOptions options = QuietOptions();
  options.pspp_program = "/nonexistent/pspp";
  const Outcome out = Match("COMPUTE y = Age * 2 .", options);
  EXPECT_FALSE(out.ok);
  EXPECT_EQ(out.messages, 1u);
  EXPECT_EQ(out.last_message, "Problem");
  EXPECT_EQ(out.result, "");
}

TEST_F(SavFiles, APsppRunPastTheTimeLimitIsStoppedAndReported) {
  const std::string slow = scratch_.File("slow-pspp");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(slow, "#!/bin/sh\nexec sleep 30\n", error));
  std::filesystem::permissions(slow, std::filesystem::perms::owner_all);
  spss::PsppOptions options = QuietOptions();
  options.pspp_program = slow;
  options.time_limit = std::chrono::milliseconds(300);
  const Outcome out = Match("COMPUTE y = 1 .", options);
  EXPECT_FALSE(out.ok);
  EXPECT_EQ(out.last_message, "PSPP did not finish the syntax within 1 second and was stopped.");
  EXPECT_EQ(out.result, "");
  EXPECT_FALSE(std::filesystem::exists(scratch_.File("people_scored.sav")));
}

TEST_F(SavFiles, ResultGoesBesideTheDataAsANewFileEachTime) {
  const std::string original = [&] {
    std::string bytes, error;
    ReadWholeFile(data_, bytes, error);
    return bytes;
  }();
  for (const char* expected : {"people_scored.sav", "people_scored_2.sav"}) {
    const Outcome out = Match("COMPUTE y = Age * 2\r\n+ 1 .");
    ASSERT_TRUE(out.ok);
    EXPECT_EQ(out.result, scratch_.File(expected));
    std::vector<std::optional<double>> y;
    std::string error;
    ASSERT_TRUE(ReadSavColumn(scratch_, out.result, "y", y, error)) << error;
    ASSERT_EQ(y.size(), 2u);
    EXPECT_EQ(y[0], 61.0);
    EXPECT_FALSE(y[1].has_value());
  }
  std::string now, error;
  ASSERT_TRUE(ReadWholeFile(data_, now, error));
  EXPECT_EQ(now, original);
}

// Even with replace_existing, the data file and the model file are never the result;
// another file is replaced through its link, keeping its permissions.
TEST_F(SavFiles, TheDataAndTheModelAreNeverReplaced) {
  const std::string model = scratch_.File("model.kwf");
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(model, "model", error));
  spss::PsppOptions options = QuietOptions();
  options.replace_existing = true;
  options.model_path = model;
  for (const std::string& target : {data_, model}) {
    options.result_path = target;
    const Outcome out = Match("COMPUTE y = 1 .", options);
    EXPECT_FALSE(out.ok);
    EXPECT_NE(out.last_message.find(target == model ? "It is the model file itself"
                                                    : "would replace the data file"),
              std::string::npos)
        << out.last_message;
  }
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(model, bytes, error));
  EXPECT_EQ(bytes, "model");
  std::vector<std::string> names;
  ASSERT_TRUE(ReadSavHeader(scratch_, data_, names, error));
  EXPECT_EQ(names.size(), 3u);

  const std::string kept = scratch_.File("kept.sav");
  ASSERT_TRUE(WriteFileAtomically(kept, "old", error));
  std::filesystem::permissions(kept, std::filesystem::perms(0600));
  std::filesystem::create_symlink(kept, scratch_.File("link.sav"));
  options.result_path = scratch_.File("link.sav");
  ASSERT_TRUE(Match("COMPUTE y = 1 .", options).ok);
  ASSERT_TRUE(ReadSavHeader(scratch_, kept, names, error));
  EXPECT_EQ(names.back(), "y");
  EXPECT_TRUE(std::filesystem::is_symlink(scratch_.File("link.sav")));
  EXPECT_EQ(std::filesystem::status(kept).permissions(), std::filesystem::perms(0600));
}

TEST_F(SavFiles, RefusedSyntaxIsReportedWithTheUsersLineAndNoResult) {
  const Outcome out = Match("/* scoring\r\nCOMPUTE y = Age\r\n+ 1 .\r\nCOMPUTE z = nosuch * 2 .");
  EXPECT_FALSE(out.ok);
  const std::string& shown = out.last_message;
  EXPECT_EQ(shown.find("PSPP could not run the syntax on " + data_ + ":\r\nline 4: "), 0u) << shown;
  EXPECT_NE(shown.find("nosuch"), std::string::npos) << shown;
  EXPECT_EQ(out.result, "");
  EXPECT_FALSE(std::filesystem::exists(scratch_.File("people_scored.sav")));
}

}  // namespace
}  // namespace kdk::conformance
