/* Runs a program COUNT times, one after another, its output thrown away, and
 * prints the CPU time its runs took in all (user and system, in
 * microseconds, as the kernel counts its children's), so that start-ups of
 * a millisecond can be compared: bench/startup.sh pairs the verifier with
 * a C hello world this way.
 *
 *   cpu_of_runs COUNT PROGRAM [ARG...]
 */
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char* argv[]) {
  if (argc < 3) {
    fputs("usage: cpu_of_runs COUNT PROGRAM [ARG...]\n", stderr);
    return 2;
  }
  const long count = strtol(argv[1], NULL, 10);
  for (long run = 0; run < count; ++run) {
    const pid_t child = fork();
    if (child < 0) return 2;
    if (child == 0) {
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, 1);
      dup2(null, 2);
      execv(argv[2], argv + 2);
      _exit(127);
    }
    int status;
    if (waitpid(child, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) == 127) {
      fprintf(stderr, "cpu_of_runs: %s did not run\n", argv[2]);
      return 2;
    }
  }
  struct rusage usage;
  getrusage(RUSAGE_CHILDREN, &usage);
  printf("%ld\n", (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000L +
                      usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
  return 0;
}
