#pragma once

#include <string>

namespace kdk {

// What a page says about where its model came from and when it was made.
struct PageFacts {
  std::string model_path;
  std::string model_created;  // date text, or "Unknown"
  std::string page_created;   // date text
};

}  // namespace kdk
