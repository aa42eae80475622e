#include "cli/converters.h"

namespace kdk::cli {

// MARS conversions: added with the MARS engine.
std::vector<ConverterEntry> MarsConverters() {
  return {};
}

}  // namespace kdk::cli
