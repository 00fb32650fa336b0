#pragma once

#include <string>

namespace vetrilo {

// Whether another running process (not this one) runs a program file with this
// file name, as the restart word waits for.
bool OtherProcessRuns(const std::string& programFileName);
// The file name of this process's program.
std::string OwnProgramFileName();

}  // namespace vetrilo
