// The self-update configuration and the names it hands to the installer.
#include "core/errors.h"
#include "fuzz_support.h"
#include "harnesses.h"
#include "services/self_update.h"
#include "services/update_package.h"

namespace vetrilo::fuzz {

int FuzzUpdateConfig(const uint8_t* data, size_t size) {
  TUpdateVersionData d;
  try {
    d = ParseUpdateConfig(Bytes(data, size), "Vetrilo_4d47", "0.1.0.1");
  } catch (const EVetrilo&) {
    return 0;
  }
  (void)BuildNumber(d.VerId);
  for (const std::string* list : {&d.GlobalDeleteAfter, &d.GlobalDeleteBefore, &d.GlobalExecAfter,
                                  &d.GlobalExecBefore, &d.DeleteAfter, &d.DeleteBefore,
                                  &d.ExecAfter, &d.ExecBefore, &d.OriginalFileName, &d.VerId}) {
    for (const std::string& name : SplitNameList(*list)) {
      Check(!name.empty() && name.front() != ' ' && name.back() != ' ', "names trimmed");
      try {
        const std::string inside = ContainedName(name, "name");
        // Whatever is accepted stays inside its folder.
        Check(!inside.empty() && inside.front() != '/', "relative");
        Check(inside != ".." && inside.rfind("../", 0) != 0 &&
                  inside.find("/../") == std::string::npos &&
                  (inside.size() < 3 || inside.compare(inside.size() - 3, 3, "/..") != 0),
              "no parent parts");
      } catch (const EVetrilo&) {
      }
    }
  }
  return 0;
}

}  // namespace vetrilo::fuzz
