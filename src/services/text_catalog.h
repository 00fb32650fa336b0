#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vetrilo {

// The texts the program can show: every string literal with a Cyrillic letter
// in the sources, adjacent literals joined and escapes decoded, as Tr() sees it.
std::vector<std::string> ExtractInterfaceTexts(std::string_view source);

// Walks root (the src folder) for .cpp and .h files, leaving out the command-line
// tool (it always speaks Russian) and the files whose paths, relative to root,
// are listed in `dataFiles` (their Russian literals are data: page texts, ...);
// an entry "text:<literal>" leaves out that one literal wherever it stands.
// Texts in first-seen order, each once.
std::vector<std::string> ScanInterfaceTexts(const std::string& root,
                                            const std::vector<std::string>& dataFiles);
// One relative path a line; blank lines and lines starting with # are skipped.
std::vector<std::string> ReadDataFileList(const std::string& path);

struct TCatalogEntry {
  std::string Source;
  std::string Translation;
  bool Finished = false;
};

// A Qt Linguist source catalogue (.ts) of one context.
class TTextCatalog {
 public:
  static TTextCatalog Parse(std::string_view xml);
  static TTextCatalog Load(const std::string& path);
  std::string ToXml() const;
  void Save(const std::string& path) const;

  std::string Language = "en_US";
  std::string Context = "Vetrilo";
  std::vector<TCatalogEntry> Entries;

  const TCatalogEntry* Find(std::string_view source) const;
  // Appends unfinished entries for texts it lacks; returns how many.
  int Add(const std::vector<std::string>& texts);

 private:
  std::map<std::string, size_t, std::less<>> index_;
  void Reindex();
};

// The placeholders of a text in order ("%d", "%0:s", "%.2f", "%%", Qt's "%1"):
// a translation must keep them, or Format would fill it wrongly.
std::vector<std::string> FormatSpecifiers(std::string_view text);

// Texts without a finished, non-empty translation in the catalogue.
std::vector<std::string> MissingTexts(const std::vector<std::string>& texts,
                                      const TTextCatalog& catalog);

}  // namespace vetrilo
