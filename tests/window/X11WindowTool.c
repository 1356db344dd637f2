/* Small X11 actions that xdotool does not offer, for the window tests:
 *   x11_window_tool close WINDOW-ID      asks the window to close the way a window manager does:
 *                                         a WM_PROTOCOLS client message carrying WM_DELETE_WINDOW
 *   x11_window_tool cover X Y W H MS      maps a plain window over that screen area for MS
 *                                         milliseconds and removes it, so that whatever lay below
 *                                         is uncovered and must be painted again
 * The window id is decimal or 0x-prefixed hexadecimal, as xwininfo and xdotool print it. */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static int SendDeleteWindow(Display* display, Window window) {
    Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)deleteWindow;
    event.xclient.data.l[1] = CurrentTime;
    if (XSendEvent(display, window, False, NoEventMask, &event) == 0) {
        fprintf(stderr, "x11_window_tool: cannot send to window 0x%lx\n", window);
        return 1;
    }
    XSync(display, False);
    return 0;
}

static int Cover(Display* display, int x, int y, unsigned width, unsigned height, long milliseconds) {
    XSetWindowAttributes attributes;
    memset(&attributes, 0, sizeof attributes);
    /* Override-redirect: placed exactly where asked and on top, even under a window manager. */
    attributes.override_redirect = True;
    attributes.background_pixel = WhitePixel(display, DefaultScreen(display));
    Window cover = XCreateWindow(display, DefaultRootWindow(display), x, y, width, height, 0, CopyFromParent,
                                 InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(display, cover);
    XSync(display, False);
    struct timespec pause = {milliseconds / 1000, (milliseconds % 1000) * 1000000L};
    nanosleep(&pause, NULL);
    XDestroyWindow(display, cover);
    XSync(display, False);
    return 0;
}

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        fprintf(stderr, "x11_window_tool: cannot open display\n");
        return 2;
    }
    int status = 2;
    if (argc == 3 && strcmp(argv[1], "close") == 0) {
        status = SendDeleteWindow(display, (Window)strtoul(argv[2], NULL, 0));
    } else if (argc == 7 && strcmp(argv[1], "cover") == 0) {
        status = Cover(display, atoi(argv[2]), atoi(argv[3]), (unsigned)atoi(argv[4]),
                       (unsigned)atoi(argv[5]), atol(argv[6]));
    } else {
        fprintf(stderr, "usage: x11_window_tool close WINDOW-ID | cover X Y W H MILLISECONDS\n");
    }
    XCloseDisplay(display);
    return status;
}
