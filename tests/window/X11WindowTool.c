/* Small X11 actions that xdotool does not offer, for the window tests:
 *   x11_window_tool close WINDOW-ID      asks the window to close the way a window manager does:
 *                                         a WM_PROTOCOLS client message carrying WM_DELETE_WINDOW
 *   x11_window_tool cover X Y W H MS      maps a plain window over that screen area for MS
 *                                         milliseconds and removes it, so that whatever lay below
 *                                         is uncovered and must be painted again
 *   x11_window_tool clipboard              writes the CLIPBOARD selection's text (UTF8_STRING) to
 *                                         standard output, as a paste would receive it
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

/* Asks the selection's owner for its text and copies what arrives (in one piece, or in INCR
 * chunks for a large text) to standard output. */
static int PrintClipboard(Display* display) {
    Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom incr = XInternAtom(display, "INCR", False);
    Atom target = XInternAtom(display, "X11_WINDOW_TOOL_PASTE", False);
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput(display, window, PropertyChangeMask);
    XConvertSelection(display, clipboard, utf8, target, window, CurrentTime);
    int incremental = 0;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == SelectionNotify && !incremental) {
            if (event.xselection.property == None) {
                fprintf(stderr, "x11_window_tool: the clipboard holds no text\n");
                return 1;
            }
        } else if (!(event.type == PropertyNotify && incremental && event.xproperty.atom == target &&
                     event.xproperty.state == PropertyNewValue)) {
            continue;
        }
        Atom type;
        int format;
        unsigned long count;
        unsigned long after;
        unsigned char* data = NULL;
        XGetWindowProperty(display, window, target, 0, 0x7FFFFFFF, True, AnyPropertyType, &type, &format, &count,
                           &after, &data);
        if (type == incr) {
            incremental = 1;
        } else {
            fwrite(data, 1, count, stdout);
            if (!incremental || count == 0) {
                XFree(data);
                return 0;
            }
        }
        XFree(data);
    }
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
    } else if (argc == 2 && strcmp(argv[1], "clipboard") == 0) {
        status = PrintClipboard(display);
    } else {
        fprintf(stderr, "usage: x11_window_tool close WINDOW-ID | cover X Y W H MILLISECONDS | clipboard\n");
    }
    XCloseDisplay(display);
    return status;
}
