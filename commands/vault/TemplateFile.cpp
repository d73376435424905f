// Template lines are 8-bit text in the ANSI code page. A line without "%" or "(" has nothing to
// expand and goes to the output as its bytes.
#include "commands/vault/TemplateFile.h"

#include <memory>
#include <string_view>

#include "platform/TextFile.h"

namespace vendrel::commands {
namespace {

// The class library's file errors fit 255 characters.
constexpr std::size_t kMaxDescription = 255;

std::wstring FileError(platform::FileSystem& files, const std::wstring& path, std::uint32_t error) {
  std::wstring text = path + L": " + files.ErrorText(error);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.pop_back();
  if (text.size() > kMaxDescription) text.resize(kMaxDescription);
  return text;
}

}  // namespace

std::optional<std::wstring> ExpandTemplate(platform::FileSystem& files, VarHandler& variables,
                                           const std::wstring& templatePath,
                                           const std::wstring& output, bool append,
                                           std::size_t& lines) {
  lines = 0;
  const std::unique_ptr<platform::FileReader> reader = files.OpenForReading(templatePath);
  if (!reader) return FileError(files, templatePath, files.LastError());
  const std::unique_ptr<platform::FileWriter> writer = files.OpenForWriting(output, append);
  if (!writer) return FileError(files, output, files.LastError());

  platform::LineReader in(*reader);
  platform::LineWriter out(*writer);
  std::string_view line;
  bool written = true;
  while (written && in.Next(line)) {
    ++lines;
    // The text function step needs a "(" even where no variable is referenced. Two searches of
    // one character each run far faster than one search for either.
    if (line.find('%') == std::string_view::npos && line.find('(') == std::string_view::npos) {
      written = out.Write(line);
      continue;
    }
    written = out.WriteWith([&](std::string& text) { variables.ExpandAnsi(line, text); });
  }
  out.Flush();
  if (in.Error() != 0) return FileError(files, templatePath, in.Error());
  if (out.Error() != 0) return FileError(files, output, out.Error());
  return std::nullopt;
}

}  // namespace vendrel::commands
