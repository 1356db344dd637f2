// Windows only: the window class that the program's windows share (WindowWin32.cpp), registered
// while the display is open.
#pragma once

namespace mouldview::platform {

inline constexpr const wchar_t* WindowClassName = L"MouldviewWindow";

// Registers the class with the program's window procedure, the arrow cursor, double clicks and no
// background brush (the canvas covers every pixel). Throws EWindowError.
void RegisterWindowClass();

} // namespace mouldview::platform
