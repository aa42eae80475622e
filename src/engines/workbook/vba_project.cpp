#include "engines/workbook/vba_project.h"

#include <cstdint>

#include "engines/workbook/compound_file.h"
#include "engines/workbook/vba_compression.h"

namespace kdk::workbook {
namespace {

constexpr std::uint16_t kCodePage = 1252;
constexpr std::string_view kProjectName = "VBAProject";
constexpr std::string_view kWorkbookBase = "0{00020819-0000-0000-C000-000000000046}";
constexpr std::string_view kWorksheetBase = "0{00020820-0000-0000-C000-000000000046}";

void Put16(std::string& out, std::uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}
void Put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::string Utf16(std::string_view text) {
  std::string out;
  for (char c : text) Put16(out, static_cast<unsigned char>(c));
  return out;
}

void Record(std::string& out, std::uint16_t id, std::string_view payload) {
  Put16(out, id);
  Put32(out, static_cast<std::uint32_t>(payload.size()));
  out.append(payload);
}

void Record32(std::string& out, std::uint16_t id, std::uint32_t value) {
  std::string payload;
  Put32(payload, value);
  Record(out, id, payload);
}

void Record16(std::string& out, std::uint16_t id, std::uint16_t value) {
  std::string payload;
  Put16(payload, value);
  Record(out, id, payload);
}

// A REFERENCE of a registered type library: its name (with the Unicode form under the
// reserved id 0x003E), then the library's identifier.
void RegisteredReference(std::string& out, std::string_view name, std::string_view libid) {
  Record(out, 0x0016, name);
  Record(out, 0x003E, Utf16(name));
  Put16(out, 0x000D);
  Put32(out, static_cast<std::uint32_t>(4 + libid.size() + 6));
  Put32(out, static_cast<std::uint32_t>(libid.size()));
  out.append(libid);
  Put32(out, 0);
  Put16(out, 0);
}

std::string DirStream(const std::vector<VbaModule>& modules) {
  std::string dir;
  Record32(dir, 0x0001, 1);       // SysKind: 32-bit Windows
  Record32(dir, 0x0002, 0x0409);  // LCID
  Record32(dir, 0x0014, 0x0409);  // LCID for invoking
  Record16(dir, 0x0003, kCodePage);
  Record(dir, 0x0004, kProjectName);
  Record(dir, 0x0005, "");  // doc string, then its Unicode form
  Record(dir, 0x0040, "");
  Record(dir, 0x0006, "");  // help file, twice
  Record(dir, 0x003D, "");
  Record32(dir, 0x0007, 0);  // help context
  Record32(dir, 0x0008, 0);  // library flags
  Put16(dir, 0x0009);        // version: reserved 4, major, minor
  Put32(dir, 4);
  Put32(dir, 1);
  Put16(dir, 0);
  Record(dir, 0x000C, "");  // constants, then their Unicode form
  Record(dir, 0x003C, "");
  // The two libraries every project Excel writes refers to.
  RegisteredReference(dir, "stdole",
                      "*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#"
                      "C:\\Windows\\System32\\stdole2.tlb#OLE Automation");
  RegisteredReference(dir, "Office",
                      "*\\G{2DF8D04C-5BFA-101B-BDE5-00AA0044DE52}#2.8#0#"
                      "C:\\Program Files\\Common Files\\Microsoft Shared\\OFFICE16\\MSO.DLL#"
                      "Microsoft Office 16.0 Object Library");

  Record16(dir, 0x000F, static_cast<std::uint16_t>(modules.size()));
  Record16(dir, 0x0013, 0xFFFF);  // project cookie
  for (const VbaModule& module : modules) {
    Record(dir, 0x0019, module.name);
    Record(dir, 0x0047, Utf16(module.name));
    Record(dir, 0x001A, module.name);
    Record(dir, 0x0032, Utf16(module.name));
    Record(dir, 0x001C, "");
    Record(dir, 0x0048, "");
    Record32(dir, 0x0031, 0);  // the source starts the stream: no compiled code
    Record32(dir, 0x001E, 0);
    Record16(dir, 0x002C, 0xFFFF);
    Record(dir, module.kind == VbaModuleKind::Standard ? 0x0021 : 0x0022, "");
    Put16(dir, 0x002B);  // module terminator
    Put32(dir, 0);
  }
  Put16(dir, 0x0010);  // dir terminator
  Put32(dir, 0);
  return dir;
}

std::string ModuleText(const VbaModule& module) {
  std::string text;
  text.reserve(module.source.size() + 400);
  text.append("Attribute VB_Name = \"").append(module.name).append("\"\r\n");
  if (module.kind == VbaModuleKind::Document) {
    text.append("Attribute VB_Base = \"")
        .append(module.name == "ThisWorkbook" ? kWorkbookBase : kWorksheetBase)
        .append("\"\r\n");
    text.append(
        "Attribute VB_GlobalNameSpace = False\r\n"
        "Attribute VB_Creatable = False\r\n"
        "Attribute VB_PredeclaredId = True\r\n"
        "Attribute VB_Exposed = True\r\n"
        "Attribute VB_TemplateDerived = False\r\n"
        "Attribute VB_Customizable = True\r\n");
  }
  text.append(module.source);
  return text;
}

constexpr std::string_view kProjectId = "{5A3A5E0B-3C1D-4D2B-9E62-6B1B7C0D2E41}";

}  // namespace

std::string EncryptProjectValue(std::string_view project_id, unsigned char seed,
                                std::string_view data) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string bytes;
  const unsigned char version = 2;
  unsigned char project_key = 0;
  for (char c : project_id) project_key = static_cast<unsigned char>(project_key + c);
  bytes.push_back(static_cast<char>(seed));
  bytes.push_back(static_cast<char>(seed ^ version));
  bytes.push_back(static_cast<char>(seed ^ project_key));
  unsigned char unencrypted_1 = project_key;
  unsigned char encrypted_1 = static_cast<unsigned char>(seed ^ project_key);
  unsigned char encrypted_2 = static_cast<unsigned char>(seed ^ version);
  std::string plain(static_cast<std::size_t>((seed & 6) / 2), static_cast<char>(seed));
  for (int i = 0; i < 4; ++i) plain.push_back(static_cast<char>((data.size() >> (8 * i)) & 0xFF));
  plain.append(data);
  for (char c : plain) {
    const auto b = static_cast<unsigned char>(c);
    const auto e = static_cast<unsigned char>(b ^ ((encrypted_2 + unencrypted_1) & 0xFF));
    bytes.push_back(static_cast<char>(e));
    encrypted_2 = encrypted_1;
    encrypted_1 = e;
    unencrypted_1 = b;
  }
  std::string hex;
  for (char c : bytes) {
    hex.push_back(kHex[static_cast<unsigned char>(c) >> 4]);
    hex.push_back(kHex[static_cast<unsigned char>(c) & 15]);
  }
  return hex;
}

namespace {

std::string ProjectStream(const std::vector<VbaModule>& modules) {
  std::string text;
  text.append("ID=\"").append(kProjectId).append("\"\r\n");
  for (const VbaModule& module : modules) {
    if (module.kind == VbaModuleKind::Document) {
      text.append("Document=").append(module.name).append("/&H00000000\r\n");
    } else {
      text.append("Module=").append(module.name).append("\r\n");
    }
  }
  text.append("Name=\"").append(kProjectName).append("\"\r\n");
  text.append("HelpContextID=\"0\"\r\nVersionCompatible32=\"393222000\"\r\n");
  // Not protected, no password, visible.
  text.append("CMG=\"")
      .append(EncryptProjectValue(kProjectId, 0x35, std::string(4, '\0')))
      .append("\"\r\n");
  text.append("DPB=\"").append(EncryptProjectValue(kProjectId, 0x36, std::string(1, '\0')));
  text.append("\"\r\n");
  text.append("GC=\"").append(EncryptProjectValue(kProjectId, 0x37, "\xFF")).append("\"\r\n\r\n");
  text.append("[Host Extender Info]\r\n");
  text.append("&H00000001={3832D640-CF90-11CF-8E43-00A0C911005A};VBE;&H00000000\r\n\r\n");
  text.append("[Workspace]\r\n");
  for (const VbaModule& module : modules) {
    text.append(module.name).append("=0, 0, 0, 0, C\r\n");
  }
  return text;
}

std::string ProjectWmStream(const std::vector<VbaModule>& modules) {
  std::string out;
  for (const VbaModule& module : modules) {
    out.append(module.name);
    out.push_back('\0');
    out.append(Utf16(module.name));
    Put16(out, 0);
  }
  Put16(out, 0);
  return out;
}

}  // namespace

std::vector<VbaModule> DocumentModules(int sheet_count) {
  std::vector<VbaModule> modules;
  modules.push_back({"ThisWorkbook", VbaModuleKind::Document, ""});
  for (int i = 1; i <= sheet_count; ++i) {
    modules.push_back({"Sheet" + std::to_string(i), VbaModuleKind::Document, ""});
  }
  return modules;
}

std::string VbaProjectBytes(const std::vector<VbaModule>& modules) {
  CompoundEntry vba{"VBA", true, "", {}};
  // Version-independent header: the application recompiles from the source.
  vba.children.push_back(
      {"_VBA_PROJECT", false, std::string("\xCC\x61\xFF\xFF\x00\x00\x00", 7), {}});
  vba.children.push_back({"dir", false, CompressVba(DirStream(modules)), {}});
  for (const VbaModule& module : modules) {
    vba.children.push_back({module.name, false, CompressVba(ModuleText(module)), {}});
  }
  std::vector<CompoundEntry> root;
  root.push_back({"PROJECT", false, ProjectStream(modules), {}});
  root.push_back({"PROJECTwm", false, ProjectWmStream(modules), {}});
  root.push_back(std::move(vba));
  return CompoundFileBytes(root);
}

}  // namespace kdk::workbook
