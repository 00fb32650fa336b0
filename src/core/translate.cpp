#include "core/translate.h"

namespace vetrilo {

namespace {
TTranslator gTranslator = nullptr;
}

void SetTranslator(TTranslator translator) {
  gTranslator = translator;
}

std::string Tr(std::string_view russian) {
  return gTranslator ? gTranslator(russian) : std::string(russian);
}

}  // namespace vetrilo
