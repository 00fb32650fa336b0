#include "services/ui/qt_language.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>
#include <string>
#include <unordered_map>

#include "app/ui/qt_text.h"
#include "core/translate.h"

namespace vetrilo {

namespace {

QTranslator* gActive = nullptr;
// Tr() is called in loops (captions of long lists); a text is looked up once.
std::unordered_map<std::string, std::string> gCache;

std::string Lookup(std::string_view russian) {
  std::string key(russian);
  auto it = gCache.find(key);
  if (it != gCache.end()) return it->second;
  std::string text = key;
  if (gActive) {
    const QString found = gActive->translate(kTextContext, key.c_str());
    if (!found.isEmpty()) text = S(found);
  }
  return gCache.emplace(std::move(key), std::move(text)).first->second;
}

}  // namespace

TQtLanguageModules::~TQtLanguageModules() {
  Unload();
}

bool TQtLanguageModules::Load(const std::string& path, int& errorCode, std::string& errorText) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) {
    errorCode = errno;
    errorText = std::strerror(errorCode);
    return false;
  }
  char byte = 0;
  const ssize_t got = ::read(fd, &byte, 1);
  const int readError = errno;
  ::close(fd);
  if (got < 0) {
    errorCode = readError;
    errorText = std::strerror(errorCode);
    return false;
  }
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QString::fromStdString(path))) {
    errorCode = ENOEXEC;
    errorText = std::strerror(errorCode);
    return false;
  }
  Unload();
  translator_ = std::move(translator);
  gActive = translator_.get();
  gCache.clear();
  SetTranslator(&Lookup);
  return true;
}

void TQtLanguageModules::Unload() {
  if (translator_ && gActive == translator_.get()) {
    SetTranslator(nullptr);
    gActive = nullptr;
    gCache.clear();
  }
  translator_.reset();
}

}  // namespace vetrilo
