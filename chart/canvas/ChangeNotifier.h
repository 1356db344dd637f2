// The one way chart objects report a change of their settings: a setter stores the new value and,
// only when it differs from the old one, calls the owner's change callback once (the chart answers
// with a repaint request).
#pragma once

#include <functional>
#include <utility>

namespace mouldview::chart {

class TChangeNotifier {
public:
    explicit TChangeNotifier(std::function<void()> onChange = {}) : m_onChange(std::move(onChange)) {}

protected:
    void Changed() const {
        if (m_onChange) {
            m_onChange();
        }
    }
    // Stores value in field and reports the change when there was one.
    template <class T, class U> void Store(T& field, U&& value) {
        if (field != value) {
            field = std::forward<U>(value);
            Changed();
        }
    }

private:
    std::function<void()> m_onChange;
};

} // namespace mouldview::chart
