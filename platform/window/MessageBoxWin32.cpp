// The start-up failure box on Windows: the system's own message box, with the error mark and one
// OK button, without an owner window, kept in front of other windows (no window of the program is
// open, and the program that started this one may hold the foreground).
#include "platform/runtime/WideText.h"
#include "platform/window/MessageBox.h"

#include <windows.h>

namespace mouldview::platform {

bool DisplayAvailable() {
    // Every Windows session has its desktop.
    return true;
}

bool ShowErrorBox(const std::string& caption, const std::string& text) {
    const std::wstring wideCaption = runtime::Utf16FromUtf8(caption);
    const std::wstring wideText = runtime::Utf16FromUtf8(text);
    return MessageBoxW(nullptr, wideText.c_str(), wideCaption.c_str(),
                       MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST) != 0;
}

} // namespace mouldview::platform
