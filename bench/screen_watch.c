// Watches a rectangle of the X screen from outside the program and logs each moment its pixels change, on the
// clock of the program's own tick log.
//   screen_watch X Y W H SECONDS OUT [NAME=SCHEDSTAT]...
// Lines "shown MONOTONIC_US HASH steal=MS NAME=MS...": with each change, the machine's CPU time stolen by its host
// and each named thread's time spent waiting for a CPU (the run_delay of /proc/PID/task/TID/schedstat) so far, to
// tell a late tick's causes apart. DISPLAY names the screen.
// Cheap between changes: it looks every millisecond only from shortly before the next grid point of the changes (one
// a second) until the change comes, and every 20 ms in between.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdbool.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

static int64_t nowMicroseconds(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC_RAW, &now);
    return (int64_t)now.tv_sec * 1000000 + now.tv_nsec / 1000;
}

// Wine's QueryPerformanceCounter counts CLOCK_MONOTONIC_RAW, which clock_nanosleep does not take: sleeps the span.
static void sleepUntil(int64_t microseconds) {
    const int64_t span = microseconds - nowMicroseconds();
    if (span > 0) {
        const struct timespec wait = {(time_t)(span / 1000000), (long)(span % 1000000) * 1000};
        nanosleep(&wait, NULL);
    }
}

// The CPU time the host took from this machine so far (the steal column of /proc/stat), in milliseconds.
static long long stolenMilliseconds(void) {
    long long fields[8] = {0};
    FILE* stat = fopen("/proc/stat", "r");
    if (stat != NULL) {
        if (fscanf(stat, "cpu %lld %lld %lld %lld %lld %lld %lld %lld", &fields[0], &fields[1], &fields[2], &fields[3],
                   &fields[4], &fields[5], &fields[6], &fields[7]) != 8) {
            fields[7] = -1;
        }
        fclose(stat);
    }
    return fields[7] * 1000 / sysconf(_SC_CLK_TCK);
}

// A thread's time on a run queue so far, waiting for a CPU, in microseconds (-1 once it is gone).
static long long waitedMicroseconds(const char* schedstat) {
    long long run = 0, waited = -1;
    FILE* file = fopen(schedstat, "r");
    if (file != NULL) {
        if (fscanf(file, "%lld %lld", &run, &waited) != 2) {
            waited = -1;
        }
        fclose(file);
    }
    return waited < 0 ? -1 : waited / 1000;
}

static uint64_t hashOf(const XImage* image) {
    uint64_t hash = 1469598103934665603ULL;  // FNV-1a over the rows' pixels, not their padding
    const int rowBytes = image->width * image->bits_per_pixel / 8;
    for (int y = 0; y < image->height; ++y) {
        const unsigned char* row = (const unsigned char*)image->data + (size_t)y * image->bytes_per_line;
        for (int x = 0; x < rowBytes; ++x) {
            hash = (hash ^ row[x]) * 1099511628211ULL;
        }
    }
    return hash;
}

int main(int argc, char** argv) {
    if (argc < 7) {
        fputs("usage: screen_watch X Y W H SECONDS OUT [NAME=SCHEDSTAT]...\n", stderr);
        return 2;
    }
    const int x = atoi(argv[1]), y = atoi(argv[2]);
    const unsigned w = (unsigned)atoi(argv[3]), h = (unsigned)atoi(argv[4]);
    const int64_t end = nowMicroseconds() + (int64_t)(atof(argv[5]) * 1e6);
    Display* display = XOpenDisplay(NULL);
    FILE* out = fopen(argv[6], "w");
    if (display == NULL || out == NULL) {
        fputs("screen_watch: no display or no output file\n", stderr);
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    uint64_t last = 0;
    int64_t previous = -1;        // when the rectangle was read before
    int64_t grid = -1;            // a grid point of the changes: the earliest moment one was seen; -1 unknown
    int64_t next = -1;            // when to look every millisecond again; -1 now
    const int64_t early = 60000;  // starts looking this long before the next change is due
    while (nowMicroseconds() < end) {
        XImage* image = XGetImage(display, root, x, y, w, h, AllPlanes, ZPixmap);
        const int64_t at = nowMicroseconds();
        if (image == NULL) {
            fputs("screen_watch: the rectangle cannot be read\n", stderr);
            return 1;
        }
        const uint64_t hash = hashOf(image);
        XDestroyImage(image);
        // A change found by a look a moment after the one before is timed to a few milliseconds; one found after a
        // sleep ("seen") came before the looking began, at a moment unknown: then it looks on until it knows the grid.
        const bool timed = previous >= 0 && at - previous <= 5000;
        previous = at;
        if (hash == last) {
            // Every millisecond near the next change; every 20 ms meanwhile, so that no second shown for longer is
            // missed (a late tick and the next one close together).
            sleepUntil(next < 0 || at >= next ? at + 1000 : (next < at + 20000 ? next : at + 20000));
            continue;
        }
        fprintf(out, "%s %lld %016llx steal=%lld", timed ? "shown" : "seen", (long long)at, (unsigned long long)hash,
                stolenMilliseconds());
        for (int i = 7; i < argc; ++i) {
            const char* path = strchr(argv[i], '=');
            fprintf(out, " %.*s=%lld", path ? (int)(path - argv[i]) : 0, argv[i],
                    path ? waitedMicroseconds(path + 1) : -1);
        }
        fputc('\n', out);
        fflush(out);
        last = hash;
        if (!timed) {
            grid = next = -1;
            sleepUntil(at + 1000);
            continue;
        }
        if (grid < 0) {
            grid = at;
        }
        // Up to 700 ms late counts as late for its grid point; earlier than it moves the grid.
        grid += (at - grid + 300000) / 1000000 * 1000000;
        if (at < grid) {
            grid = at;
        }
        next = grid + ((at - grid) / 1000000 + 1) * 1000000 - early;
        sleepUntil(next < at + 20000 ? next : at + 20000);
    }
    struct rusage usage;  // what watching cost, to tell it apart from the program's load
    getrusage(RUSAGE_SELF, &usage);
    fprintf(out, "cpu %lld\n",
            (long long)usage.ru_utime.tv_sec * 1000000 + usage.ru_utime.tv_usec +
                (long long)usage.ru_stime.tv_sec * 1000000 + usage.ru_stime.tv_usec);
    fclose(out);
    XCloseDisplay(display);
    return 0;
}
