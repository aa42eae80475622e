// Every whole artifact of the example models, generated through the engine with a
// fixed clock and compared byte for byte with tests/golden. KDK_UPDATE_GOLDEN=1
// rewrites the files instead, so that a change shows as a diff to review.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "core/export/code/code_types.h"
#include "core/export/code/generate_code.h"
#include "core/export/code/mars_spss.h"
#include "core/export/code/mars_sql.h"
#include "core/export/code/network_sql.h"
#include "core/export/code/smart_names.h"
#include "core/export/sheet/workbook_code_module.h"
#include "core/export/sheet/workbook_form_pieces.h"
#include "core/export/vbproject/equation_text.h"
#include "core/export/vbproject/vb_project.h"
#include "core/export/web/mars_page.h"
#include "core/export/web/network_page.h"
#include "core/export/web/page_style.h"
#include "core/mars/parse_mars_model.h"
#include "core/shell/common_operations.h"
#include "core/shell/load_network.h"
#include "fakes/fake_ports.h"
#include "support/scratch.h"

namespace kdk {
namespace {

namespace fs = std::filesystem;

// One example model, loaded as `kdk` loads it.
struct LoadedExample {
  Workspace workspace;
  testing::FakePorts fakes;
  GenerationStamp stamp;

  explicit LoadedExample(const std::string& file) {
    SetModelFile(workspace.state, "examples/" + file);
    bool loaded;
    if (file.ends_with(".kwf")) {
      workspace.state.model_type = kNetworkModelType;
      loaded = LoadNetworkFromPath(workspace, workspace.state.model_path, fakes.messages);
    } else {
      workspace.state.model_type = kMarsModelType;
      workspace.mars.source_kind = std::string(kSourceTextFile);
      loaded = workspace.state.mars_loaded =
          ParseMarsModel(workspace.mars, workspace.state.model_path, fakes.messages);
    }
    EXPECT_TRUE(loaded) << file;
    stamp = MakeGenerationStamp(workspace.state, fakes.clock);
  }
};

std::string Code(LoadedExample& example, CodeType type, int format, bool bare = false) {
  CodeExportSettings settings;
  ResetNames(settings, example.workspace.network);
  settings.code_type = type;
  settings.equation_format = format;
  // Bare: every comment piece left out and names kept as they are.
  settings.controls.include_header = settings.controls.include_limits = !bare;
  settings.controls.include_tanh = settings.controls.smart_field_names = !bare;
  settings.controls.include_description = !bare;
  return GenerateCode(settings, example.workspace.network, example.stamp, example.fakes.messages);
}

PageStyle DefaultStyle() {
  PageStyle style;
  style.introduction_html = ReplaceLineBreaksWithBr(kDefaultIntroduction);
  return style;
}

// The three project files, written by the engine into a fresh folder and read back.
std::map<std::string, std::string> VbProjectFiles(LoadedExample& example, int model_type) {
  const conformance::ScratchFolder folder;
  Workspace workspace = example.workspace;
  workspace.output_path = folder.File("project.vbp");
  EXPECT_TRUE(GenerateVbProject(workspace, model_type, example.stamp, example.fakes.messages,
                                [](const std::string&) {}));
  std::map<std::string, std::string> files;
  for (const char* name : {"project.vbp", "project.frm", "project.vbw"}) {
    files[name] = conformance::ReadBack(folder.path() / name);
  }
  return files;
}

// Every golden file by its path under tests/golden, with the text the engine makes.
std::map<std::string, std::string> Artifacts(std::vector<LoadedExample>& examples) {
  std::map<std::string, std::string> all;
  const std::pair<const char*, const char*> kinds[] = {
      {"equation", "txt"}, {"sas", "sas"},   {"vb", "bas"},  {"c", "c"},
      {"f90", "f90"},      {"java", "java"}, {"spss", "sps"}};
  const std::pair<char, int> layouts[] = {
      {'A', kFormatA}, {'B', kFormatB}, {'C', kFormatC}, {'D', kFormatD}};
  for (const std::string file : {"house_price.kwf", "loan_default.kwf"}) {
    LoadedExample& net = examples.emplace_back(file);
    const std::string dir = file.substr(0, file.size() - 4) + "/";
    for (const auto& [kind, ext] : kinds) {
      for (const auto& [letter, format] : layouts) {
        all[dir + kind + "-" + letter + "." + ext] = Code(net, *CodeTypeFromKdkName(kind), format);
      }
    }
    all[dir + "sas-B-bare.sas"] = Code(net, CodeType::Sas, kFormatB, true);
    const std::pair<const char*, SqlDialect> dialects[] = {{"sqlserver", SqlDialect::SqlServer},
                                                           {"access", SqlDialect::Access},
                                                           {"ansi", SqlDialect::Ansi}};
    for (const auto& [name, dialect] : dialects) {
      for (bool select : {false, true}) {
        NetworkSqlOptions options;
        options.dialect = dialect;
        options.select = select;
        all[dir + "sql-" + name + (select ? "-select.sql" : ".sql")] =
            NetworkSqlText(net.workspace.network, options, net.fakes.messages);
      }
    }
    all[dir + "page.html"] = NetworkPageText(net.workspace.network, DefaultStyle(), net.stamp);
    PageStyle styled = DefaultStyle();
    styled.data_grid_font_size = "11pt";
    styled.normal_font_size = "12pt";
    styled.page_background_colour = "RGB(1,2,3)";
    styled.warning_colour = "RGB(250,128,114)";
    styled.introduction_html = "a &amp; b<BR><BR>c";
    all[dir + "page-styled.html"] = NetworkPageText(net.workspace.network, styled, net.stamp);
    for (auto& [name, text] : VbProjectFiles(net, kNetworkModelType)) all[dir + name] = text;
    all[dir + "equation-view.txt"] = BuildEquationText(net.workspace.network, net.stamp);
    const std::string base = file.substr(0, file.size() - 4);
    all[dir + "workbook-module.bas"] = NetworkCodeModuleText(
        NetworkWorkbookPieces(net.workspace.network, net.stamp), base, net.workspace.network);
  }
  LoadedExample& mars = examples.emplace_back("house_value_mars.txt");
  const std::string dir = "house_value_mars/";
  for (const auto& [name, dialect] :
       {std::pair{"sqlserver", SqlDialect::SqlServer}, std::pair{"access", SqlDialect::Access}}) {
    all[dir + "sql-" + name + ".sql"] =
        MarsSqlText(mars.workspace.mars, {.dialect = dialect}, mars.fakes.messages);
  }
  all[dir + "spss.sps"] = MarsSpssText(mars.workspace.mars, {}, mars.fakes.messages);
  all[dir + "page.html"] =
      MarsPageText(mars.workspace.mars, DefaultStyle(), mars.stamp, false, mars.fakes.messages);
  all[dir + "page-allow-missing.html"] =
      MarsPageText(mars.workspace.mars, DefaultStyle(), mars.stamp, true, mars.fakes.messages);
  for (auto& [name, text] : VbProjectFiles(mars, kMarsModelType)) all[dir + name] = text;
  MarsCodePieces pieces;
  EXPECT_TRUE(MarsWorkbookPieces(mars.workspace.mars, pieces, mars.fakes.messages));
  all[dir + "workbook-module.bas"] = MarsCodeModuleText(
      pieces, "house_value_mars", mars.workspace.mars, mars.stamp.model_path, mars.stamp.created);
  return all;
}

TEST(GoldenArtifacts, EveryArtifactOfTheExamplesIsByteForByteItsGoldenFile) {
  const fs::path root = KDK_GOLDEN_DIR;
  const char* update_switch = std::getenv("KDK_UPDATE_GOLDEN");
  const bool update = update_switch != nullptr && std::string(update_switch) == "1";
  // The artifacts show the models as "examples/NAME", so that no machine's path is in
  // them: they are made in the source tree's folder, where the files are found.
  const fs::path previous = fs::current_path();
  fs::current_path(fs::path(KDK_EXAMPLES_DIR).parent_path());
  std::vector<LoadedExample> examples;
  examples.reserve(3);
  const std::map<std::string, std::string> artifacts = Artifacts(examples);
  fs::current_path(previous);
  for (const auto& [name, text] : artifacts) {
    EXPECT_FALSE(text.empty()) << name;
    const fs::path path = root / name;
    if (update) {
      fs::create_directories(path.parent_path());
      std::ofstream(path, std::ios::binary) << text;
    } else {
      EXPECT_TRUE(conformance::ReadBack(path) == text)
          << name << " differs from its golden file (KDK_UPDATE_GOLDEN=1 rewrites it)";
    }
  }
  // No golden file outlives its artifact.
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = fs::relative(entry.path(), root).generic_string();
    if (entry.is_regular_file() && !artifacts.count(name) &&
        !(update && fs::remove(entry.path()))) {
      ADD_FAILURE() << name << " is no artifact's golden file";
    }
  }
  // Nothing was refused or asked along the way: the project's "Done it!" is all.
  for (const LoadedExample& example : examples) {
    for (const testing::RecordedMessage& message : example.fakes.messages.messages) {
      EXPECT_EQ(message.text, "Done it!") << example.workspace.state.model_path;
    }
  }
}

}  // namespace
}  // namespace kdk
