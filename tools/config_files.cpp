// Configuration input and output through the toolkit.
#include "config_files.h"

#include "progress.h"

#include "toolkit/input_file.h"
#include "toolkit/safe_output.h"

namespace quillset::tool {

void ParseConfigFile(toolkit::Converter& converter, std::string const& path, CDbObject& db)
{
    std::string text = toolkit::ReadInputFile(path);
    ProgressLine const progress("parsing", path, text.size());
    converter.Parse(std::move(text), db, path);
}

void WriteConfigText(std::string const& output, std::string const& text)
{
    ProgressLine const progress("writing", output, text.size());
    toolkit::WriteOutputFile(output, text);
}

void WriteConfigFile(toolkit::Converter& converter, CDbObject const& db, std::string const& output)
{
    WriteConfigText(output, converter.Generate(db, output));
}

}  // namespace quillset::tool
