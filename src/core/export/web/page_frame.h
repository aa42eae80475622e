#pragma once

#include <string>

#include "core/export/web/page_style.h"

namespace kdk {

// The blocks every generated page shares. Each returns the lines it puts into the
// file joined by CR LF, without the final CR LF that the page's write-line adds.
std::string DocumentHead();
std::string StyleSheet(const PageStyle& style);
std::string ScriptOpen();
std::string BrowserSensingScript();
std::string ScriptClose();
std::string HeadCloseBodyOpen();
std::string IntroductionBlock(const PageStyle& style);
enum class FooterForm { Network, Mars };
std::string FooterLine(FooterForm form);
std::string DocumentEnd();

// Joins lines with CR LF between them: one block.
std::string JoinLines(std::initializer_list<std::string_view> lines);

// Adds a block and the CR LF of its write-line.
inline void WriteBlock(std::string& page, std::string_view block) {
  page.append(block);
  page.append("\r\n");
}

}  // namespace kdk
