#include "core/shell/command_line.h"

#include "core/common/text_utils.h"

namespace kdk {

CommandLineModel ParseCommandLineModel(std::string_view command_line) {
  CommandLineModel result;
  std::string text = TrimBlanks(StripChars(command_line));
  if (text.empty()) return result;
  result.consulted = true;

  if (!ContainsText(ToLowerAscii(text), ".kwf")) {
    result.hide_launch_button = true;
    return result;
  }
  if (!EndsWithText(ToLowerAscii(text), ".kwf")) {
    // Cut from the end until the text ends with the extension; the cut is at most
    // as long as the text, since ".kwf" occurs in it.
    while (!EndsWithText(ToLowerAscii(text), ".kwf")) text = TrimBlanks(DropLast(text, 1));
    result.hide_launch_button = true;
  }
  result.model_path = text;
  result.file_title = FileNameOfPath(text);
  result.model_name = ModelNameFromFileTitle(result.file_title);
  return result;
}

}  // namespace kdk
