#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kdk::workbook {

enum class VbaModuleKind { Standard, Document };

struct VbaModule {
  std::string name;  // also its stream name
  VbaModuleKind kind = VbaModuleKind::Standard;
  std::string source;  // the code without "Attribute" lines; lines end with CR LF
};

// A project property value in the reversible encryption of the VBA file format
// (seed, version 2, the project key from the project's ID, then the data's length and
// the data), as the hexadecimal text the PROJECT stream carries.
std::string EncryptProjectValue(std::string_view project_id, unsigned char seed,
                                std::string_view data);

// The document modules a workbook with `sheet_count` sheets has: ThisWorkbook and
// Sheet1..SheetN, matching the code names the workbook writer gives.
std::vector<VbaModule> DocumentModules(int sheet_count);

// The bytes of vbaProject.bin: a compound file with the PROJECT and PROJECTwm streams
// and the VBA storage (_VBA_PROJECT in its version-independent form, dir, one stream per
// module holding only compressed source). The application compiles the source itself.
std::string VbaProjectBytes(const std::vector<VbaModule>& modules);

}  // namespace kdk::workbook
