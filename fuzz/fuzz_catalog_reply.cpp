// Catalogue server replies and the escapes of its requests.
#include "core/errors.h"
#include "fuzz_support.h"
#include "harnesses.h"
#include "net/catalog_codec.h"

namespace vetrilo::fuzz {

int FuzzCatalogReply(const uint8_t* data, size_t size) {
  const std::string_view input = Bytes(data, size);
  const std::string text(input);
  Check(UnescapeText(EscapeText(text)) == text, "field escapes round trip");
  Check(XmlUnescape(XmlEscape(text)) == text, "reply escapes round trip");
  const auto decoded = Base64Decode(Base64Encode(text));
  Check(decoded && *decoded == text, "base64 round trip");
  try {
    bool hasResult = false;
    const std::vector<TCatalogRow> rows = ParseCatalogReply(input, &hasResult);
    Check(hasResult || rows.empty(), "rows only inside a result");
    for (const TCatalogRow& row : rows) {
      for (const auto& [name, value] : row.Fields) {
        Check(row.Has(name), "every element of a row is found by its name");
        (void)row.Text(name);
      }
    }
  } catch (const EVetrilo&) {
    // A malformed reply or an <error> row: the clients show its message.
  }
  return 0;
}

}  // namespace vetrilo::fuzz
