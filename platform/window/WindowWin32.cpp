// The window on Windows: a window of the program's own class, whose procedure turns the system's
// messages into WindowEvents calls in window terms (client pixels, shift states, single wheel
// notches), and a message loop that paints at most once per turn. The canvas reaches the screen
// with SetDIBitsToDevice: its 0x00RRGGBB words are exactly a top-down 32-bit DIB, so no pixel is
// converted, scaled or filtered on the way.
#include "platform/runtime/WideText.h"
#include "platform/window/RunScope.h"
#include "platform/window/Window.h"
#include "platform/window/WindowClassWin32.h"

// The system's COLOR_... macros would collide with the raster layer's constants of the same names,
// so windows.h comes after every header of ours.
#include <algorithm>
#include <utility>
#include <windows.h>
#include <windowsx.h>

namespace mouldview::platform {

namespace {

std::string SystemErrorText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length > 0 ? std::wstring(text, length) : L"system error " + std::to_wstring(code);
    LocalFree(text);
    while (!message.empty() &&
           (message.back() == L'\n' || message.back() == L'\r' || message.back() == L'.')) {
        message.pop_back();
    }
    return runtime::Utf8FromUtf16(message);
}

ShiftState KeyModifiers() {
    ShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) {
        shift |= ShiftFlag::ssShift;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        shift |= ShiftFlag::ssCtrl;
    }
    if (GetKeyState(VK_MENU) < 0) {
        shift |= ShiftFlag::ssAlt;
    }
    return shift;
}

// The buttons held according to a mouse message's key-state word: of its own moment, so a press
// already holds its button and a release no longer does.
ShiftState ButtonsFrom(WPARAM keyState) {
    ShiftState buttons;
    if ((keyState & MK_LBUTTON) != 0) {
        buttons |= ShiftFlag::ssLeft;
    }
    if ((keyState & MK_RBUTTON) != 0) {
        buttons |= ShiftFlag::ssRight;
    }
    if ((keyState & MK_MBUTTON) != 0) {
        buttons |= ShiftFlag::ssMiddle;
    }
    return buttons;
}

// The system's copy of its colours goes into the raster layer's table, which the chart's system
// colours (button face, highlight, shadow) are looked up in.
void ReadSystemColors() {
    for (int index = 0; index < raster::sysColorCount; ++index) {
        raster::SetSystemColor(index, GetSysColor(index));
    }
}

// The key an owner is told about for a key press (a keypad's Enter is VK_RETURN, and its 7 with
// Num Lock off VK_HOME, already).
Key KeyFrom(WPARAM virtualKey) {
    switch (virtualKey) {
    case VK_RETURN:
        return Key::vkReturn;
    case VK_SPACE:
        return Key::vkSpace;
    case VK_ESCAPE:
        return Key::vkEscape;
    case VK_HOME:
        return Key::vkHome;
    case VK_F1:
        return Key::vkF1;
    case 'C':
        return Key::vkC;
    case 'S':
        return Key::vkS;
    default:
        return Key::vkOther;
    }
}

// The one timer of a window (SetTimer with the same id replaces it).
constexpr UINT_PTR TimerId = 1;

void CopyCanvas(HDC dc, const raster::Bitmap& canvas) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = canvas.Width();
    info.bmiHeader.biHeight = -canvas.Height(); // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const auto height = static_cast<UINT>(canvas.Height());
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(canvas.Width()), height, 0, 0, 0, height, canvas.Data(),
                      &info, DIB_RGB_COLORS);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (window == nullptr) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return WindowProcedure(*window, hwnd, message, wParam, lParam);
}

} // namespace

void RegisterWindowClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    // A resize invalidates the whole client area, so the chart is painted anew at the new size
    // also inside the system's own loop while the user drags the frame.
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = nullptr;
    windowClass.lpszClassName = WindowClassName;
    if (RegisterClassExW(&windowClass) == 0) {
        throw EWindowError(SystemErrorText(GetLastError()));
    }
}

std::intptr_t WindowProcedure(Window& window, HWND handle, unsigned message, std::uintptr_t wParam,
                              std::intptr_t lParam) {
    // The first messages arrive while CreateWindowExW has not yet returned the handle.
    window.m_window = handle;
    try {
        return window.HandleMessage(message, wParam, lParam);
    } catch (...) {
        window.m_failure = std::current_exception();
        window.m_running = false;
        return 0;
    }
}

Window::Window(Display& /*display*/, const std::string& caption, int clientWidth, int clientHeight,
               WindowKind kind)
    : m_kind(kind) {
    const bool dialog = kind == WindowKind::wkDialog;
    const DWORD style = dialog ? WS_POPUP | WS_CAPTION | WS_SYSMENU : WS_OVERLAPPEDWINDOW;
    const DWORD exStyle = dialog ? WS_EX_DLGMODALFRAME | WS_EX_TOPMOST : WS_EX_APPWINDOW;
    RECT frame{0, 0, std::max(clientWidth, 1), std::max(clientHeight, 1)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // The main window's frame starts at the screen's corner, so its caption and borders are on
    // the screen and the client area lies just inside them; a box is centred.
    int left = 0;
    int top = 0;
    if (dialog) {
        left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }
    m_window = CreateWindowExW(exStyle, WindowClassName, runtime::Utf16FromUtf8(caption).c_str(), style, left,
                               top, width, height, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (m_window == nullptr) {
        throw EWindowError(SystemErrorText(GetLastError()));
    }
    RECT client{};
    GetClientRect(m_window, &client);
    m_canvas.Resize(client.right, client.bottom);
    ReadSystemColors();
}

Window::~Window() {
    DestroyWindow(m_window);
}

void Window::Present() {
    m_presentPending = false;
    if (HDC dc = GetDC(m_window)) {
        CopyCanvas(dc, m_canvas);
        ReleaseDC(m_window, dc);
    }
}

void Window::Run(WindowEvents& events) {
    RunScope scope(m_events, events);
    m_running = true;
    m_paintPending = true;
    m_failure = nullptr;
    m_modifiers = KeyModifiers();
    m_buttonsHeld = ShiftState();
    m_pointerInside = false;
    m_leaveTracked = false;
    m_wheelRest = 0;
    ShowWindow(m_window, m_kind == WindowKind::wkDialog ? SW_SHOW : SW_SHOWDEFAULT);
    if (m_kind == WindowKind::wkDialog) {
        SetForegroundWindow(m_window);
    }
    MSG message;
    while (m_running) {
        // Block only when nothing is waiting to be shown; then take every queued message before
        // painting, so that a burst of input and repaint requests costs one paint.
        if (!m_paintPending && !m_presentPending) {
            if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
                break; // WM_QUIT: the session ends
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        while (m_running && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                m_running = false;
                break;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (!m_running) {
            break;
        }
        if (m_paintPending) {
            // The paint goes through WM_PAINT, as an uncover's does. A minimised window gets none;
            // it is painted when it is shown again.
            m_paintPending = false;
            InvalidateRect(m_window, nullptr, FALSE);
            UpdateWindow(m_window);
        } else if (m_presentPending) {
            Present();
        }
    }
    if (GetCapture() == m_window) {
        ReleaseCapture();
    }
    ShowWindow(m_window, SW_HIDE);
    if (m_failure) {
        std::rethrow_exception(std::exchange(m_failure, nullptr));
    }
}

std::intptr_t Window::HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (m_events == nullptr) {
        // Outside Run (while the window is created, hidden or destroyed) only the canvas follows.
        switch (message) {
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) {
                ClientSizeChanged(LOWORD(lParam), HIWORD(lParam));
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_CLOSE:
            return 0;
        default:
            return DefWindowProcW(m_window, message, wParam, lParam);
        }
    }
    switch (message) {
    case WM_PAINT:
        PaintMessage();
        return 0;
    case WM_ERASEBKGND:
        // Every pixel comes from the canvas; erasing first would only flicker.
        return 1;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            ClientSizeChanged(LOWORD(lParam), HIWORD(lParam));
        }
        return 0;
    case WM_MOVE:
        m_events->Moved(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_SYSCOLORCHANGE:
        ReadSystemColors();
        m_events->SystemColorsChanged();
        m_paintPending = true;
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
        MouseButtonMessage(message, wParam, lParam);
        return 0;
    case WM_MOUSEMOVE:
        MouseMoveMessage(wParam, lParam);
        return 0;
    case WM_MOUSELEAVE:
        m_leaveTracked = false;
        // While the mouse is captured the pointer belongs to the window wherever it is; leaving is
        // reported when the capture ends outside (see the button release).
        if (m_buttonsHeld.Empty()) {
            ReportLeave();
        }
        return 0;
    case WM_MOUSEWHEEL:
        MouseWheelMessage(wParam, lParam);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
        KeyMessage(message == WM_KEYDOWN ? wParam : 0, lParam);
        return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        // Keys with Alt, and F10: reported as well, and left to the system (Alt+F4, Alt+Space).
        KeyMessage(message == WM_SYSKEYDOWN ? wParam : 0, lParam);
        return DefWindowProcW(m_window, message, wParam, lParam);
    case WM_CHAR:
        // The character typed, whichever keys of the keyboard layout made it.
        if (wParam == L'?') {
            m_events->KeyDown(Key::vkQuestionMark, CurrentShift());
        }
        return 0;
    case WM_TIMER:
        if (wParam == TimerId) {
            KillTimer(m_window, TimerId);
            m_events->TimerElapsed();
        }
        return 0;
    case WM_SETFOCUS:
        // Keys may have been pressed or released while another window had the keyboard.
        m_modifiers = KeyModifiers();
        return 0;
    case WM_CLOSE:
        // The window stays until its owner destroys the Window; the loop ends.
        m_events->CloseRequested();
        m_running = false;
        return 0;
    default:
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

// Uncovered parts and requested paints alike: the owner paints the canvas (or copies its clean
// picture into it), and the whole canvas is copied into the window, clipped to what needs it.
void Window::PaintMessage() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_window, &paint);
    m_paintPending = false;
    m_events->Paint();
    m_presentPending = false;
    CopyCanvas(dc, m_canvas);
    EndPaint(m_window, &paint);
}

void Window::MouseButtonMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    MouseButton button = MouseButton::mbLeft;
    bool press = false;
    bool second = false;
    switch (message) {
    case WM_LBUTTONDBLCLK:
        second = true;
        [[fallthrough]];
    case WM_LBUTTONDOWN:
        press = true;
        break;
    case WM_RBUTTONDBLCLK:
        second = true;
        [[fallthrough]];
    case WM_RBUTTONDOWN:
        press = true;
        button = MouseButton::mbRight;
        break;
    case WM_MBUTTONDBLCLK:
        second = true;
        [[fallthrough]];
    case WM_MBUTTONDOWN:
        press = true;
        button = MouseButton::mbMiddle;
        break;
    case WM_RBUTTONUP:
        button = MouseButton::mbRight;
        break;
    case WM_MBUTTONUP:
        button = MouseButton::mbMiddle;
        break;
    default:
        break;
    }
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    m_modifiers = KeyModifiers();
    m_buttonsHeld = ButtonsFrom(wParam);
    if (press) {
        // The mouse is captured from the first press to the last release, so a drag's moves and
        // its release arrive also outside the window.
        m_buttonsHeld |= ButtonFlag(button);
        if (GetCapture() != m_window) {
            SetCapture(m_window);
        }
        m_pointerInside = true;
        ShiftState shift = CurrentShift();
        if (second) {
            shift |= ShiftFlag::ssDouble;
        }
        m_events->MouseDown(button, shift, x, y);
        return;
    }
    m_buttonsHeld = m_buttonsHeld.Without(ButtonFlag(button));
    if (m_buttonsHeld.Empty() && GetCapture() == m_window) {
        ReleaseCapture();
    }
    m_events->MouseUp(button, CurrentShift(), x, y);
    // The capture ends with the last button; a pointer outside has now left.
    if (m_buttonsHeld.Empty() && !InsideClientArea(x, y)) {
        ReportLeave();
    }
}

void Window::MouseMoveMessage(std::uintptr_t wParam, std::intptr_t lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    if (!m_leaveTracked) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_window, 0};
        m_leaveTracked = TrackMouseEvent(&track) != FALSE;
    }
    m_modifiers = KeyModifiers();
    m_buttonsHeld = ButtonsFrom(wParam);
    // Without a capture the system sends moves only while the pointer is over the client area.
    m_pointerInside = m_pointerInside || InsideClientArea(x, y);
    m_events->MouseMove(CurrentShift(), x, y);
}

void Window::MouseWheelMessage(std::uintptr_t wParam, std::intptr_t lParam) {
    // The position comes in screen coordinates.
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(m_window, &point);
    m_modifiers = KeyModifiers();
    m_buttonsHeld = ButtonsFrom(GET_KEYSTATE_WPARAM(wParam));
    m_wheelRest += GET_WHEEL_DELTA_WPARAM(wParam);
    while (m_running && m_wheelRest >= WHEEL_DELTA) {
        m_wheelRest -= WHEEL_DELTA;
        m_events->MouseWheel(WheelDirection::wdUp, CurrentShift(), point.x, point.y);
    }
    while (m_running && m_wheelRest <= -WHEEL_DELTA) {
        m_wheelRest += WHEEL_DELTA;
        m_events->MouseWheel(WheelDirection::wdDown, CurrentShift(), point.x, point.y);
    }
}

// A key's first press (bit 30 of lParam, the key's previous state, is clear; repeats have it
// set), modifier keys included. `key` is 0 for a release, which only changes the modifiers.
void Window::KeyMessage(std::uintptr_t key, std::intptr_t lParam) {
    m_modifiers = KeyModifiers();
    if (key == 0 || (lParam & (1 << 30)) != 0) {
        return;
    }
    m_events->KeyDown(KeyFrom(key), CurrentShift());
}

void Window::StartTimer(std::chrono::milliseconds delay) {
    const long long milliseconds =
        std::clamp<long long>(delay.count(), USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    SetTimer(m_window, TimerId, static_cast<UINT>(milliseconds), nullptr);
}

void Window::StopTimer() {
    KillTimer(m_window, TimerId);
}

// The text as CF_UNICODETEXT, its line ends as they are. The system owns the memory once it took it.
bool Window::SetClipboardText(const std::string& text) {
    const std::wstring wide = runtime::Utf16FromUtf8(text);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    if (memory == nullptr) {
        return false;
    }
    auto* target = static_cast<wchar_t*>(GlobalLock(memory));
    if (target == nullptr) {
        GlobalFree(memory);
        return false;
    }
    std::copy(wide.c_str(), wide.c_str() + wide.size() + 1, target);
    GlobalUnlock(memory);
    bool taken = false;
    if (OpenClipboard(m_window)) {
        taken = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        CloseClipboard();
    }
    if (!taken) {
        GlobalFree(memory);
    }
    return taken;
}

} // namespace mouldview::platform
