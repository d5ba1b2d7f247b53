/* Presses or releases the left Ctrl key in the X server through its XTEST extension, for the GUI
 * tests: "zembra-xkey down" or "zembra-xkey up", on $DISPLAY. A Linux program; the Windows tests
 * start it through Wine.
 *
 * A press sent with the Windows input functions alone does not last: Wine's X11 driver takes the
 * modifier keys' state from the X server whenever one of its windows gains the focus, which happens
 * as soon as a message box closes. The libraries are loaded at run time, so no X headers are needed. */
#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

typedef void *(*OpenDisplayFn)(const char *);
typedef unsigned char (*KeysymToKeycodeFn)(void *, unsigned long);
typedef int (*FakeKeyEventFn)(void *, unsigned int, int, unsigned long);
typedef int (*SyncFn)(void *, int);
typedef int (*CloseDisplayFn)(void *);

int main(int argc, char **argv) {
    if (argc != 2 || (strcmp(argv[1], "down") != 0 && strcmp(argv[1], "up") != 0)) {
        fprintf(stderr, "usage: zembra-xkey down|up\n");
        return 2;
    }
    void *x11 = dlopen("libX11.so.6", RTLD_NOW);
    void *xtst = dlopen("libXtst.so.6", RTLD_NOW);
    if (!x11 || !xtst) {
        fprintf(stderr, "zembra-xkey: %s\n", dlerror());
        return 1;
    }
    OpenDisplayFn openDisplay = (OpenDisplayFn)dlsym(x11, "XOpenDisplay");
    KeysymToKeycodeFn keycodeOf = (KeysymToKeycodeFn)dlsym(x11, "XKeysymToKeycode");
    SyncFn sync = (SyncFn)dlsym(x11, "XSync");
    CloseDisplayFn closeDisplay = (CloseDisplayFn)dlsym(x11, "XCloseDisplay");
    FakeKeyEventFn fakeKey = (FakeKeyEventFn)dlsym(xtst, "XTestFakeKeyEvent");
    if (!openDisplay || !keycodeOf || !sync || !closeDisplay || !fakeKey) {
        fprintf(stderr, "zembra-xkey: the X libraries lack a function\n");
        return 1;
    }
    void *display = openDisplay(NULL);
    if (!display) {
        fprintf(stderr, "zembra-xkey: no X display\n");
        return 1;
    }
    const unsigned long controlLeft = 0xffe3;
    unsigned char keycode = keycodeOf(display, controlLeft);
    int ok = keycode != 0 && fakeKey(display, keycode, strcmp(argv[1], "down") == 0, 0);
    sync(display, 0);
    closeDisplay(display);
    if (!ok) fprintf(stderr, "zembra-xkey: the server refused the key\n");
    return ok ? 0 : 1;
}
