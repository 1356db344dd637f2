/* Changes the desktop's button-face colour, as the display settings do, for the window tests:
 *   set_button_face.exe RRGGBB
 * The system tells every top-level window (WM_SYSCOLORCHANGE). */
#include <stdlib.h>
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 64;
    }
    const unsigned long rgb = strtoul(argv[1], NULL, 16);
    const INT element = COLOR_BTNFACE;
    const COLORREF color = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    return SetSysColors(1, &element, &color) ? 0 : 1;
}
