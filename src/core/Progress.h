// SPDX-License-Identifier: MIT
#pragma once

#include <climits>
#include <cstddef>

namespace vste {

// What readers and writers report while they work: the maximum (items - 1) and the index of the
// item just done. The window's adapter repaints only when the shown percentage changes.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void SetMax(int max) = 0;
    virtual void SetPosition(int position) = 0;
};

// An item index (or byte offset) as a progress value; the indicator counts in int, so larger
// values stop at INT_MAX.
inline int ProgressIndex(std::size_t index) {
    return index > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(index);
}

// The maximum for `count` items: the index of the last one, -1 when there are none.
inline void SetProgressMax(Progress& progress, std::size_t count) {
    progress.SetMax(count == 0 ? -1 : ProgressIndex(count - 1));
}

class NullProgress final : public Progress {
public:
    void SetMax(int) override {}
    void SetPosition(int) override {}
};

} // namespace vste
