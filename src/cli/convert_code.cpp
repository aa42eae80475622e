#include "cli/converters.h"

namespace kdk::cli {

// Network program code: added with the code export engine.
std::vector<ConverterEntry> CodeConverters() {
  return {};
}

}  // namespace kdk::cli
