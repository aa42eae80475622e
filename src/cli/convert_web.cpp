#include <iostream>

#include "cli/converters.h"
#include "core/common/model_text.h"
#include "core/common/text_utils.h"
#include "core/export/generation_stamp.h"
#include "core/export/web/generate_page.h"
#include "core/export/web/mars_page.h"
#include "core/export/web/network_page.h"
#include "core/export/web/page_style.h"
#include "core/shell/common_operations.h"
#include "platform/system_clock.h"

namespace kdk::cli {
namespace {

const std::set<std::string> kStyleOptions = {
    "--intro",     "--font-size",       "--grid-font-size", "--page-background",
    "--page-text", "--grid-background", "--grid-text",      "--warning"};

std::string FontSize(const Arguments& args, const std::string& option) {
  const std::string size = args.Value(option, "9pt");
  if (!IsFontSizeEntry(size)) throw UsageError{option + " is one of 8pt 9pt 10pt 11pt 12pt"};
  return size;
}

void SetColour(const Arguments& args, const std::string& option, std::string& field) {
  if (!args.Has(option)) return;
  const std::string given = args.Value(option, "");
  const std::optional<std::string> colour = ColourTextFromUser(given);
  if (!colour) throw UsageError{option + " takes RGB(r,g,b) or #rrggbb, not '" + given + "'"};
  field = *colour;
}

// The style as the window would fill it: the default introduction unless --intro
// gives one (line breaks as typed, each written as <BR>).
PageStyle StyleFrom(const Arguments& args) {
  PageStyle style;
  style.normal_font_size = FontSize(args, "--font-size");
  style.data_grid_font_size = FontSize(args, "--grid-font-size");
  SetColour(args, "--page-background", style.page_background_colour);
  SetColour(args, "--page-text", style.page_text_colour);
  SetColour(args, "--grid-background", style.data_grid_background_colour);
  SetColour(args, "--grid-text", style.data_grid_text_colour);
  SetColour(args, "--warning", style.warning_colour);
  std::string intro(kDefaultIntroduction);
  if (args.Has("--intro")) {
    intro = ReplaceAll(ReplaceAll(args.Value("--intro", ""), "\r\n", "\n"), "\n", "\r\n");
  }
  style.introduction_html = ReplaceLineBreaksWithBr(intro);
  return style;
}

GenerationStamp StampOf(const Workspace& workspace) {
  SystemClock clock;
  return MakeGenerationStamp(workspace.state, clock);
}

bool WritePage(ConvertRequest& request, int model_type, const std::string& page) {
  if (!CheckReadyToSave(request.workspace, request.output_path, model_type, request.messages)) {
    return false;
  }
  if (!WritePageFile(request.workspace, request.messages, page, request.output_path)) {
    return false;
  }
  PrintProgress(request, "Files Generated ...\n" + request.output_path);
  return true;
}

bool ConvertNetworkPage(ConvertRequest& request) {
  const PageStyle style = StyleFrom(request.args);
  return WritePage(request, kNetworkModelType,
                   NetworkPageText(request.workspace.network, style, StampOf(request.workspace)));
}

bool ConvertMarsPage(ConvertRequest& request) {
  const PageStyle style = StyleFrom(request.args);
  return WritePage(request, kMarsModelType,
                   MarsPageText(request.workspace.mars, style, StampOf(request.workspace),
                                request.args.Has("--allow-missing"), request.messages));
}

constexpr const char* kStyleHelp =
    "      --intro TEXT (the window's default introduction; \"\" for none),\n"
    "      --font-size SIZE, --grid-font-size SIZE (8pt 9pt 10pt 11pt 12pt; 9pt),\n"
    "      --page-background C, --page-text C, --grid-background C, --grid-text C,\n"
    "      --warning C (C as RGB(r,g,b) or #rrggbb)";

}  // namespace

std::vector<ConverterEntry> WebConverters() {
  return {
      {ModelKind::Network,
       "html",
       kStyleOptions,
       {},
       std::string("  html (network): a web page that computes the prediction;\n") + kStyleHelp +
           "\n",
       ConvertNetworkPage},
      {ModelKind::Mars,
       "html",
       kStyleOptions,
       {"--allow-missing"},
       std::string("  html (MARS): a web page that computes the prediction;\n") + kStyleHelp +
           ",\n      --allow-missing (an empty field counts as missing)\n",
       ConvertMarsPage},
  };
}

}  // namespace kdk::cli
