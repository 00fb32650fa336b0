#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vetrilo {

// A name that must stay inside its folder: relative, no ".." part, no empty
// name, no NUL or backslash. Returns it with "." parts and doubled "/" removed;
// throws EVetrilo naming `what` and the name otherwise.
std::string ContainedName(std::string_view name, std::string_view what);

// Unpacks a ".tar.gz" update package into `folder`: regular files (with their
// permission bits and times) and folders only. An entry that would leave the
// folder (absolute, ".."), a link of any kind, a device or a package larger
// than maxBytes unpacked is refused with EVetrilo; entries unpacked before the
// refusal stay in `folder` for its owner to remove.
void UnpackUpdatePackage(const std::string& package, const std::string& folder,
                         uint64_t maxBytes = uint64_t{1} << 30);

}  // namespace vetrilo
