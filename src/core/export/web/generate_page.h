#pragma once

#include <functional>
#include <string>

#include "core/export/generation_stamp.h"
#include "core/export/web/page_style.h"
#include "core/ports/ports.h"
#include "core/workspace.h"

namespace kdk {

inline constexpr std::string_view kWebPageFilter = "Web Page (*.html)|*.html";

using ProgressLabel = std::function<void(const std::string&)>;

// Writes a page to `save_path`, whole or not at all; never over the model's own file.
// False when it was not written (reported).
bool WritePageFile(const Workspace& workspace, MessagePort& messages, const std::string& page,
                   const std::string& save_path);

// Writes the loaded network's page to `save_path` (whole or not at all), showing
// "Files Generated ..." and the path, then asks "See It?" and opens the page on Yes.
// `style` is already filled from the window's controls. False when it could not be
// written (reported).
bool GenerateNetworkPage(const Workspace& workspace, Ports& ports, const PageStyle& style,
                         const GenerationStamp& stamp, const std::string& save_path,
                         const ProgressLabel& show_progress);

// The same for the loaded MARS model.
bool GenerateMarsPage(const Workspace& workspace, Ports& ports, const PageStyle& style,
                      const GenerationStamp& stamp, bool allow_missing,
                      const std::string& save_path, const ProgressLabel& show_progress);

}  // namespace kdk
