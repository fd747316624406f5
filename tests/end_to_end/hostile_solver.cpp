// A solver that misbehaves as told, for the tests of `tesmo test`:
//
//   hostile_solver MODE MARK
//
// MODE: sleep, spin, orphans (children that outlive it, one of them in a
// session of its own), print (without end), allocate (without end), crash,
// close (closes its output, then sleeps), forkbomb, exit3. MARK is any word
// that the test looks for among the running processes' arguments
// afterwards.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

[[noreturn]] void sleepForever() {
  for (;;) pause();
}

int main(int argc, char* argv[]) {
  if (argc < 2) return 2;
  const char* mode = argv[1];
  if (strcmp(mode, "sleep") == 0) sleepForever();
  if (strcmp(mode, "spin") == 0) {
    for (volatile unsigned long i = 0;; i = i + 1) {
    }
  }
  if (strcmp(mode, "orphans") == 0) {
    if (fork() == 0) sleepForever();
    if (fork() == 0) {
      setsid();
      if (fork() == 0) sleepForever();
      _exit(0);
    }
    puts("0");
    return 0;
  }
  if (strcmp(mode, "print") == 0) {
    for (;;) fputs("0 1 0 1 0 1 0 1 0 1 0 1 0 1 0 1\n", stdout);
  }
  if (strcmp(mode, "allocate") == 0) {
    for (;;) {
      char* block = static_cast<char*>(std::malloc(1 << 20));
      if (!block) abort();
      memset(block, 1, 1 << 20);
    }
  }
  if (strcmp(mode, "crash") == 0) {
    fputs("about to crash\n", stderr);
    raise(SIGSEGV);
  }
  if (strcmp(mode, "close") == 0) {
    close(1);
    sleepForever();
  }
  if (strcmp(mode, "forkbomb") == 0) {
    for (;;) fork();
  }
  if (strcmp(mode, "exit3") == 0) {
    puts("0");
    return 3;
  }
  return 2;
}
