/* Starts a program and prints the microseconds from exec to the map of its first top-level window, then
   keeps it running for a moment of idle and prints its peak resident memory (VmHWM) in KiB.
   Usage: waitmap IDLE_MS PROGRAM [ARGS...]   (needs DISPLAY) */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static long long now_us(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1000000LL + ts.tv_nsec / 1000;
}

static long peak_kib(pid_t pid) {
  char path[64], line[256];
  snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
  FILE* f = fopen(path, "r");
  long kib = -1;
  if (!f) return -1;
  while (fgets(line, sizeof line, f))
    if (strncmp(line, "VmHWM:", 6) == 0) kib = atol(line + 6);
  fclose(f);
  return kib;
}

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: waitmap IDLE_MS PROGRAM [ARGS...]\n");
    return 2;
  }
  int idle_ms = atoi(argv[1]);
  Display* d = XOpenDisplay(NULL);
  if (!d) {
    fprintf(stderr, "waitmap: no display\n");
    return 1;
  }
  Window root = DefaultRootWindow(d);
  /* Listen to the root window's children before the program starts, so no map can be missed. */
  XSelectInput(d, root, SubstructureNotifyMask);
  XSync(d, False);
  long long start = now_us();
  pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  long long mapped = -1;
  for (;;) {
    XEvent e;
    XNextEvent(d, &e);
    if (e.type == MapNotify && !e.xmap.override_redirect) {
      mapped = now_us();
      break;
    }
  }
  usleep((useconds_t)idle_ms * 1000);
  long kib = peak_kib(pid);
  kill(pid, SIGTERM);
  waitpid(pid, NULL, 0);
  printf("%lld %ld\n", mapped - start, kib);
  XCloseDisplay(d);
  return 0;
}
