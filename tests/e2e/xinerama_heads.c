/* A stand-in libXinerama.so.1 for Wine on Xvfb. Xvfb cannot place two screens side by side, so the end-to-end
 * test runs one wide screen and lets Wine see it split into the heads that ZANTIRO_HEADS lists as
 * WIDTHxHEIGHT+X+Y,... (Wine asks Xinerama for its monitors when the X server has no RandR). */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef struct {
    int screen_number;
    short x_org, y_org, width, height;
} XineramaScreenInfo;

enum { kMostHeads = 8 };

int XineramaQueryExtension(void* display, int* event_base, int* error_base) {
    (void)display;
    *event_base = 0;
    *error_base = 0;
    return 1;
}

int XineramaIsActive(void* display) {
    (void)display;
    return 1;
}

/* Freed by the caller with XFree, which is free(). */
XineramaScreenInfo* XineramaQueryScreens(void* display, int* count) {
    (void)display;
    const char* heads = getenv("ZANTIRO_HEADS");
    XineramaScreenInfo* screens = calloc(kMostHeads, sizeof *screens);
    *count = 0;
    while (screens != NULL && heads != NULL && *count < kMostHeads) {
        int width, height, x, y;
        if (sscanf(heads, "%dx%d+%d+%d", &width, &height, &x, &y) != 4) {
            break;
        }
        screens[*count] = (XineramaScreenInfo){*count, (short)x, (short)y, (short)width, (short)height};
        ++*count;
        heads = strchr(heads, ',');
        heads = heads != NULL ? heads + 1 : NULL;
    }
    return screens;
}
