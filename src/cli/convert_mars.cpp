
#include "cli/converters.h"
#include "core/export/code/mars_spss.h"
#include "core/export/code/mars_sql.h"
#include "core/mars/generated_file.h"
#include "core/shell/common_operations.h"

namespace kdk::cli {
namespace {

// Writes the text as the window's Save button does and prints where it went.
bool WriteText(ConvertRequest& request, const std::string& text) {
  if (!CheckReadyToSave(request.workspace, request.output_path, kMarsModelType, request.messages)) {
    return false;
  }
  return WriteConvertedText(request, text);
}

// A reserved input name is a question in the window; here --allow-reserved answers it.
class ReservedWordAnswers : public MessagePort {
 public:
  ReservedWordAnswers(MessagePort& inner, bool allow) : inner_(inner), allow_(allow) {}
  MessageAnswer Show(std::string_view text, std::string_view title, MessageIcon icon,
                     MessageButtons buttons) override {
    inner_.Show(text, title, icon, MessageButtons::Ok);
    if (buttons == MessageButtons::YesNo) return allow_ ? MessageAnswer::Yes : MessageAnswer::No;
    return MessageAnswer::Ok;
  }

 private:
  MessagePort& inner_;
  bool allow_;
};

bool ConvertSql(ConvertRequest& request) {
  const Arguments& args = request.args;
  MarsSqlOptions options;
  const std::string dialect = args.Value("--dialect", "sqlserver");
  if (dialect == "access") {
    options.dialect = SqlDialect::Access;
  } else if (dialect != "sqlserver") {
    throw UsageError{"--dialect is sqlserver or access, not '" + dialect + "'"};
  }
  options.table = args.Value("--table", options.table);
  options.output_field = args.Value("--field", options.output_field);
  options.database = args.Value("--database", options.database);
  options.bracket_field_names = !args.Has("--no-brackets");
  options.create_output_field = !args.Has("--no-create-field");
  options.include_header = !args.Has("--no-header");

  ReservedWordAnswers answers(request.messages, args.Has("--allow-reserved"));
  if (!CheckReservedFieldNames(request.workspace.mars, answers)) {
    request.messages.Inform("No SQL written: rename the field or give --allow-reserved.");
    return false;
  }
  std::string text;
  std::string error;
  if (!BuildMarsSql(request.workspace.mars, options, text, error)) {
    request.messages.Inform(error, MessageIcon::Critical);
    return false;
  }
  return WriteText(request, text);
}

bool ConvertSpss(ConvertRequest& request) {
  MarsSpssOptions options;
  options.output_field_name =
      StoredSpssOutputName(request.args.Value("--output-name", options.output_field_name));
  options.include_header = !request.args.Has("--no-header");
  if (SpssOutputVariable(options.output_field_name).empty()) {
    request.messages.Inform("Invalid Output Name!");
    return false;
  }
  std::string text;
  std::string error;
  if (!BuildMarsSpss(request.workspace.mars, options, text, error)) {
    request.messages.Inform(error, MessageIcon::Critical);
    return false;
  }
  return WriteText(request, text);
}

}  // namespace

std::vector<ConverterEntry> MarsConverters() {
  return {
      {ModelKind::Mars,
       "sql",
       {"--dialect", "--table", "--field", "--database"},
       {"--no-brackets", "--no-create-field", "--no-header", "--allow-reserved"},
       "  sql (MARS): --dialect sqlserver|access (sqlserver), --table NAME (TableName),\n"
       "      --field NAME (FieldName), --database NAME (DatabaseName), --no-brackets,\n"
       "      --no-create-field, --no-header, --allow-reserved (accept inputs named\n"
       "      like SQL reserved words)\n",
       ConvertSql},
      {ModelKind::Mars,
       "spss",
       {"--output-name"},
       {"--no-header"},
       "  spss (MARS): --output-name NAME (mars_out), --no-header\n",
       ConvertSpss},
  };
}

}  // namespace kdk::cli
