#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vetrilo {

// Integer and real texts as the settings files hold them.
std::optional<int64_t> ParseIniInteger(std::string_view text);    // decimal, $hex or 0x hex
std::optional<long double> ParseIniFloat(std::string_view text);  // "." or "," as decimal point
std::string FloatToIniText(long double value);                    // shortest, 15 digits, "."

// An INI document in memory. Section and key names compare ignoring case; lines
// that are neither sections nor keys (comments, junk) are kept as they stand.
class TIniData {
 public:
  static TIniData Parse(std::string_view utf8Text);
  std::string Text() const;  // UTF-8, lines ended by CR LF

  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  int64_t ReadInteger(std::string_view section, std::string_view key, int64_t def) const;
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;
  long double ReadFloat(std::string_view section, std::string_view key, long double def) const;
  bool SectionExists(std::string_view section) const;
  std::vector<std::string> ReadSection(std::string_view section) const;  // key names in order

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int64_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void WriteFloat(std::string_view section, std::string_view key, long double value);
  void DeleteKey(std::string_view section, std::string_view key);
  void EraseSection(std::string_view section);

 private:
  struct TLine {
    std::string Key;  // empty for a line that is not "key=value"
    std::string Value;
    std::string Raw;  // the line as read, for lines that are not "key=value"
  };
  struct TSection {
    std::string Name;  // empty for lines before the first section
    bool HasHeader = false;
    std::vector<TLine> Lines;
  };
  TSection* FindSection(std::string_view name);
  const TSection* FindSection(std::string_view name) const;

  std::vector<TSection> sections_;
};

// A settings file on disk, CP1251 encoded. Nothing is cached: every read opens
// the file, every write rewrites it at once (atomically). A missing file reads
// as empty; a file that exists but cannot be read throws EVetrilo, and so does
// every write to it, so defaults never replace the settings still in it.
class TIniFile {
 public:
  // `unreadable`: the file failed to read before and that was reported; it now
  // reads as empty and writes leave it alone for the rest of the run.
  explicit TIniFile(std::string path, bool unreadable = false)
      : path_(std::move(path)), unreadable_(unreadable) {}
  const std::string& Path() const { return path_; }

  TIniData Load() const;
  // A new file holding a proxy password or the catalogue key is created private
  // (0600); an existing file keeps its mode.
  void Save(const TIniData& data) const;
  // Loads, lets `edit` change the document and saves it once.
  void Update(const std::function<void(TIniData&)>& edit) const;

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const {
    return Load().ReadString(section, key, def);
  }
  int64_t ReadInteger(std::string_view section, std::string_view key, int64_t def) const {
    return Load().ReadInteger(section, key, def);
  }
  bool ReadBool(std::string_view section, std::string_view key, bool def) const {
    return Load().ReadBool(section, key, def);
  }
  void WriteString(std::string_view section, std::string_view key, std::string_view value) const;
  void WriteInteger(std::string_view section, std::string_view key, int64_t value) const;
  void WriteBool(std::string_view section, std::string_view key, bool value) const;
  void EraseSection(std::string_view section) const;

 private:
  std::string path_;
  bool unreadable_ = false;
};

}  // namespace vetrilo
