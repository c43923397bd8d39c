// SPDX-License-Identifier: MIT
#pragma once

namespace vste {

// What readers and writers report while they work: the maximum (items - 1) and the index of the
// item just done. The window's adapter repaints only when the shown percentage changes.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void SetMax(int max) = 0;
    virtual void SetPosition(int position) = 0;
};

class NullProgress final : public Progress {
public:
    void SetMax(int) override {}
    void SetPosition(int) override {}
};

} // namespace vste
