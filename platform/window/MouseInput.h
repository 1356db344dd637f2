// The mouse and keyboard vocabulary that the window hands to its owner: buttons, the shift state
// (modifier keys and held buttons), wheel directions and keys.
#pragma once

#include <cstdint>

namespace mouldview::platform {

enum class MouseButton { mbLeft, mbRight, mbMiddle };

// A set of modifier keys and mouse buttons, as held at the time of an event. ssDouble marks the
// second press of a double click.
enum class ShiftFlag : std::uint8_t {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6,
};

class ShiftState {
public:
    constexpr ShiftState() = default;
    constexpr ShiftState(ShiftFlag flag) : m_bits(static_cast<std::uint8_t>(flag)) {}

    constexpr bool Contains(ShiftFlag flag) const { return (m_bits & static_cast<std::uint8_t>(flag)) != 0; }
    // True when every flag of `other` is also in this set (an empty set is contained in every set).
    constexpr bool ContainsAll(ShiftState other) const { return (m_bits & other.m_bits) == other.m_bits; }
    constexpr bool Empty() const { return m_bits == 0; }
    constexpr ShiftState& operator|=(ShiftState other) {
        m_bits = static_cast<std::uint8_t>(m_bits | other.m_bits);
        return *this;
    }
    constexpr ShiftState operator|(ShiftState other) const { return ShiftState(*this) |= other; }
    constexpr ShiftState Without(ShiftFlag flag) const {
        ShiftState result;
        result.m_bits = static_cast<std::uint8_t>(m_bits & ~static_cast<std::uint8_t>(flag));
        return result;
    }
    constexpr bool operator==(const ShiftState&) const = default;
    constexpr std::uint8_t Bits() const { return m_bits; }

private:
    std::uint8_t m_bits = 0;
};

constexpr ShiftState operator|(ShiftFlag a, ShiftFlag b) {
    return ShiftState(a) | ShiftState(b);
}

// The shift-state flag of a held button.
constexpr ShiftFlag ButtonFlag(MouseButton button) {
    switch (button) {
    case MouseButton::mbLeft:
        return ShiftFlag::ssLeft;
    case MouseButton::mbRight:
        return ShiftFlag::ssRight;
    case MouseButton::mbMiddle:
        return ShiftFlag::ssMiddle;
    }
    return ShiftFlag::ssLeft;
}

// One notch of the wheel: down is towards the user, up away from the user.
enum class WheelDirection { wdDown, wdUp };

// The keys a window reports (Return includes the keypad's Enter; Home the keypad's Home). vkC and
// vkS are the letter keys, with or without modifiers. vkQuestionMark is the character "?" typed,
// by whichever keys the keyboard layout gives it; the key press that typed it is reported before
// it as well. Every other key press, modifier keys included, is vkOther.
enum class Key { vkReturn, vkSpace, vkEscape, vkHome, vkF1, vkC, vkS, vkQuestionMark, vkOther };

} // namespace mouldview::platform
