// The owner of a running event loop: set while Window::Run runs, reset when it ends, also when a
// handler throws.
#pragma once

#include "platform/window/WindowEvents.h"

namespace mouldview::platform {

class RunScope {
public:
    RunScope(WindowEvents*& slot, WindowEvents& events) : m_slot(slot) { m_slot = &events; }
    ~RunScope() { m_slot = nullptr; }
    RunScope(const RunScope&) = delete;
    RunScope& operator=(const RunScope&) = delete;

private:
    WindowEvents*& m_slot;
};

} // namespace mouldview::platform
