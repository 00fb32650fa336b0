#pragma once

#include <QTranslator>
#include <memory>

#include "services/languages.h"

namespace vetrilo {

// The context every interface text of the catalogues lies in.
constexpr const char* kTextContext = "Vetrilo";

// Language modules are compiled Qt catalogues keyed by the Russian texts; the
// active one answers every Tr() and QTr() of the program.
class TQtLanguageModules : public TLanguageModuleLoader {
 public:
  ~TQtLanguageModules() override;
  bool Load(const std::string& path, int& errorCode, std::string& errorText) override;
  void Unload() override;
  bool Loaded() const { return translator_ != nullptr; }

 private:
  std::unique_ptr<QTranslator> translator_;
};

}  // namespace vetrilo
