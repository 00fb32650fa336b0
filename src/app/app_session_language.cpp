#include "app/app_session.h"
#include "core/file_io.h"

namespace vetrilo {

void TAppSession::StartLanguage() {
  const uint32_t start = forceRussian_ ? kBaseLanguage : uint32_t(options_.Language);
  languages_.InitLanguages(kBaseLanguage, start);
  statList_.Language = int32_t(languages_.CurrentLanguage());
  statList_.HelpFile = FindHelpFile(paths_.Dir, languages_.CurrentLanguage());
}

bool TAppSession::HelpExists() const {
  return !statList_.HelpFile.empty() && FileExists(statList_.HelpFile);
}

std::string TAppSession::HelpTopic(const std::string& topic) const {
  return HelpTopicPath(statList_.HelpFile, topic);
}

bool TAppSession::ChooseLanguage(uint32_t language) {
  if (PrimaryLanguage(language) == PrimaryLanguage(languages_.CurrentLanguage())) return false;
  languages_.CheckLanguage(language);
  options_.Language = int(language);
  SaveIntOption("Language", int(language));
  return true;
}

void TAppSession::SetFirstRun(bool on) {
  options_.FirstRun = on;
  SaveOption("FirstRun", on);
}

}  // namespace vetrilo
