#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/ui_hooks.h"

namespace vetrilo {

using TLCIDs = std::vector<uint32_t>;

constexpr uint32_t kBaseLanguage = 1049;  // Russian, built into the program
constexpr uint32_t kDefaultLanguage = 1033;

// The locales a module may exist for, ascending.
const TLCIDs& KnownLocales();
// The three-letter abbreviation of a locale ("RUS", "ENU"); empty when unknown.
std::string LocaleAbbreviation(uint32_t language);
// The language's own name for itself ("Русский", "English"), the same whatever
// language the interface speaks, so a reader can always find their own.
std::string LocaleName(uint32_t language);
inline uint32_t PrimaryLanguage(uint32_t language) {
  return language & 0x3FF;
}

// What opens and activates a compiled text catalogue; the desktop gives one.
class TLanguageModuleLoader {
 public:
  virtual ~TLanguageModuleLoader() = default;
  // Makes the module at path the source of every interface text. On failure
  // fills the system error code and text and keeps the previous source.
  virtual bool Load(const std::string& path, int& errorCode, std::string& errorText) = 0;
  // Back to the built-in texts.
  virtual void Unload() = 0;
};

// The interface languages: which modules lie beside the program and which one
// is active. ProgramFile is the program's full path without its extension.
class TLanguages {
 public:
  TLanguages(std::string programFile, TLanguageModuleLoader* loader, TUiHooks& hooks)
      : programFile_(std::move(programFile)), loader_(loader), hooks_(hooks) {}

  // Without a loader only the built-in language can be active.
  void SetLoader(TLanguageModuleLoader* loader) { loader_ = loader; }
  uint32_t BaseLanguage() const { return base_; }
  uint32_t CurrentLanguage() const { return current_; }
  const TLCIDs& AvailableLanguages() const { return available_; }

  void InitLanguages(uint32_t base, uint32_t start);
  std::string ModuleFileName(uint32_t language) const;
  void BuildAvailableLanguages();
  // The names of the available languages; initialises Russian when none is listed.
  std::vector<std::string> LanguageNames();
  // Throws EVetrilo "Языковый модуль ... не найден!" when the module is missing.
  void CheckLanguage(uint32_t language) const;
  uint32_t SetLanguage(uint32_t language, bool loud);

 private:
  bool Activate(uint32_t language, bool loud);

  std::string programFile_;
  TLanguageModuleLoader* loader_;
  TUiHooks& hooks_;
  uint32_t base_ = kBaseLanguage;
  uint32_t current_ = kBaseLanguage;
  TLCIDs available_;
};

// The help of a language: the first existing of help/<ABB>/index.html in the
// program folder and in its parent; the last candidate when none exists.
std::string FindHelpFile(const std::string& programDir, uint32_t language);
// The page of a help topic ("stats_sum.html#SUM1"), beside the help file's
// index; empty when the help file is missing or the topic is empty.
std::string HelpTopicPath(const std::string& helpFile, const std::string& topic);
// Web addresses without a known scheme get "http://"; mail addresses "mailto:".
std::string WebLinkAddress(const std::string& address);
std::string MailLinkAddress(const std::string& address);

}  // namespace vetrilo
