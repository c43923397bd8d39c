// SPDX-License-Identifier: MIT
// Placeholder definitions; replaced by the Westwood string file implementation.
#include "core/FileIO.h"
#include "core/Model.h"

namespace vste {
void TWestwoodStrings::SaveToFile(const std::string& fileName, Progress& progress, bool ansiMode) {
    StoreFileAtomically(fileName, SaveToBuffer(progress, ansiMode));
}
std::vector<std::uint8_t> TWestwoodStrings::SaveToBuffer(Progress&, bool) const { return {}; }
} // namespace vste
