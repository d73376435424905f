// Expansion of %name% references in command texts, for one command's execution.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "actions/ActionData.h"
#include "actions/Variable.h"
#include "host/Ref.h"
#include "host/Vault.h"

namespace vendrel::commands {

// The text of a value that cannot be read.
inline constexpr wchar_t kNotAvailable[] = L"N/A";

// Made on the run state at the start of a command's Execute and dropped at its end, so the cache
// of card values never outlives one command.
class VarHandler {
 public:
  // A variable's value is expanded again before it is inserted, so a variable that refers to
  // itself, directly or through others, would never end. Expansion stops this many levels deep:
  // the text met at that depth is inserted as it is, references, "%%" and functions unexpanded.
  static constexpr int kMaxNesting = 16;
  // A value that refers to others several times multiplies the text at every level, which would
  // hang the host long before the depth bound. So one expansion also stops after evaluating this
  // many references or going over this many characters, and never lets a text grow past this
  // length: the rest stays as it is.
  static constexpr int kMaxEvaluations = 1000;
  static constexpr std::size_t kMaxWork = std::size_t{1} << 20;
  static constexpr std::size_t kMaxExpandedLength = 65536;

  explicit VarHandler(actions::ActionData& run);
  virtual ~VarHandler();
  VarHandler(const VarHandler&) = delete;
  VarHandler& operator=(const VarHandler&) = delete;

  // Replaces every reference by its value (expanded in turn, its ampersands doubled when asked),
  // "%%" by "%", then applies the text function step. Never fails: unreadable values are "N/A".
  std::wstring Expand(const std::wstring& text, bool doubleAmpersands);
  // Expand of a line of 8-bit text in the ANSI code page, ampersands as they are, appended to
  // `out` in the code page. With values remembered, a plain ASCII line whose values are plain
  // ASCII too is expanded as it is, without the round trip through wide characters.
  void ExpandAnsi(std::string_view line, std::string& out);
  // The value of one reference, the name with its two percent signs.
  std::wstring EvaluateVariable(const std::wstring& reference);
  // Whether expansions are reported to the run's observer (they are unless told otherwise).
  void SetReporting(bool reporting) { reporting_ = reporting; }
  // Keeps each reference's expanded value for the handler's life, for a command that expands
  // many texts at once: nothing runs between them that could change a value.
  void RememberValues() { remember_ = true; }
  // Stores `value` in the current action's first variable called exactly `name`, if any.
  void SetRuntimeValue(const std::wstring& name, const std::wstring& value);

  // The data of the registry value that `path` names (ROOT\subkey...\value-name) as text;
  // "N/A" for an unknown root or a missing key or value.
  std::wstring RegistryValue(const std::wstring& path) const;

  // 0 when there is no current document.
  std::int32_t CurrentDocumentId() const;
  std::int32_t CurrentDocumentFolderId() const;
  // Null when the vault yields no file for the id.
  host::Ref<host::VaultFile> FileById(std::int32_t id) const;

 private:
  // References and their expanded values, looked up by a view of the reference, so that a
  // remembered one costs no copy of it. The first few are compared before hashing: a template
  // names a handful of variables on each of its many lines.
  template <class Char>
  class Remembered {
   public:
    using Text = std::basic_string<Char>;
    using View = std::basic_string_view<Char>;

    const Text* Find(View reference) const {
      for (const auto& [name, value] : firstFew_) {
        if (name == reference) return value;
      }
      const auto known = values_.find(reference);
      return known == values_.end() ? nullptr : &known->second;
    }
    const Text& Add(View reference, Text value) {
      const auto& [name, kept] = *values_.emplace(reference, std::move(value)).first;
      if (firstFew_.size() < kFirstFew) firstFew_.emplace_back(name, &kept);
      return kept;
    }

   private:
    struct ViewHash {
      using is_transparent = void;
      std::size_t operator()(View text) const { return std::hash<View>{}(text); }
    };
    static constexpr std::size_t kFirstFew = 8;
    std::unordered_map<Text, Text, ViewHash, std::equal_to<>> values_;
    // Views of the map's own keys and values, which stay put.
    std::vector<std::pair<View, const Text*>> firstFew_;
  };

  // Replaces each reference of `text` in `result`, a copy of it, by what `valueOf` gives for it,
  // and "%%" by "%", within the bounds of one expansion. False, the result half done, when
  // `valueOf` gives none.
  template <class Char, class FindValue>
  bool Substitute(std::basic_string_view<Char> text, std::basic_string<Char>& result,
                  FindValue valueOf);
  // A reference's value, expanded in turn: the one remembered, or else computed into `scratch`.
  const std::wstring& ValueOf(std::wstring_view reference, bool doubleAmpersands,
                              std::wstring& scratch);
  // ExpandAnsi of a plain ASCII line, appended to `out`; false, `out` as it was, for any other
  // line and for one that names a reference without a plain ASCII value remembered.
  bool ExpandAscii(std::string_view line, std::string& out);
  // ExpandAscii's substitution for lines whose references can be replaced where they stand;
  // false, `out` as it was and the bounds' counts half done, for any other.
  bool SubstituteInOnePass(std::string_view text, std::string& out);
  std::wstring Evaluate(actions::Variable::VariableType type, const std::wstring& value,
                        const std::wstring& extra);
  // Null also when there is no current document.
  host::Ref<host::VaultFile> CurrentFile() const;
  host::Ref<host::VaultFolder> FolderById(std::int32_t id) const;
  std::wstring FolderName(std::int32_t folderId) const;
  std::wstring FolderPath(std::int32_t folderId) const;
  std::wstring LoggedInUser() const;
  std::wstring FromHistory(bool created, bool user) const;
  std::wstring CardValue(const std::wstring& variable, const std::wstring& configuration);
  std::wstring EnvironmentValue(const std::wstring& value);

  std::int32_t cachedFileId_ = 0;
  host::Ref<host::CardVariableSet> cachedCard_;
  actions::ActionData* run_;
  int depth_ = 0;
  bool reporting_ = true;
  bool remember_ = false;
  Remembered<wchar_t> remembered_;
  // Those of them in plain ASCII whose values are plain ASCII without a "%", for ExpandAscii. It
  // only looks values up: the first line that names a reference takes the wide way, so that the
  // value is worked out where an expansion's bounds count it.
  Remembered<char> rememberedAscii_;
  // The line ExpandAscii works on, its memory kept from line to line.
  std::string asciiLine_;
  // Of the expansion under way.
  int evaluations_ = 0;
  std::size_t work_ = 0;
};

}  // namespace vendrel::commands
