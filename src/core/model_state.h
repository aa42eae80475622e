#pragma once

#include <optional>
#include <string>

namespace kdk {

inline constexpr int kNetworkModelType = 1;
inline constexpr int kMarsModelType = 2;

// What is loaded and where it came from; shared by the network and MARS sides.
struct ModelState {
  std::optional<int> model_type;  // 1 network, 2 MARS; empty after a model type switch
  std::string model_path;         // "" when none; "Pasted_Model" for pasted MARS text
  std::string model_name;         // default file name of every save dialog
  std::string file_title;         // file name without folder
  bool network_loaded = false;
  bool mars_loaded = false;
};

}  // namespace kdk
