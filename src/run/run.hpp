// Running other programs under limits, so that a program that misbehaves
// (sleeps, spins, forks, prints or allocates without end, crashes) ends
// within its limits and leaves nothing running.
//
// Contract:
//  - runAll() runs `count` programs, at most `jobs` at once, in the calling
//    thread: startRun(i) says how to run the i-th (asked just before it
//    starts, in order; none when it is not to run after all), and
//    endRun(i, result) hears how each that ran ended, as it ends. Each program runs in a process
//    group of its own, with its standard input, output and error from and to the files RunSpec
//    names (the outputs truncated first), in its working directory, and with the limits: address
//    space (RLIMIT_AS), the size of a file it writes (RLIMIT_FSIZE), no core files, and the tasks
//    of its user (RLIMIT_NPROC: those running when the first starts, and `processes` for each job,
//    one pool for all of them). Root is exempt from that last limit, so when root runs runAll() the
//    programs run as nobody (uid 65534) that keeps root's right to read and write any file
//    (CAP_DAC_OVERRIDE, and CAP_DAC_READ_SEARCH when root holds it): they
//    reach the files root gave them, the limit holds them, they cannot
//    signal the caller, and no set-user-ID program makes them root again
//    (no_new_privs). They are no sandbox: their rights on files are root's.
//    A root without CAP_DAC_OVERRIDE runs them as root, held by the count
//    alone. Descriptors other than the three are closed. The environment
//    is the caller's.
//  - The wall time is watched from the start: past it the whole group is
//    killed (kTimeLimit). A group that reaches `processes` processes is
//    killed (kProcessLimit); the count is taken every 25 ms.
//  - When the program ends, every process left in its group is killed. The
//    caller is made the subreaper of what it starts (PR_SET_CHILD_SUBREAPER),
//    so a process that leaves its group still ends up a child of the
//    caller's: such a stray, in no running program's group, is stopped and
//    killed. When runAll() returns, everything it started is killed and
//    reaped (waiting at most 10 s for the last: a process stuck in the
//    kernel cannot be waited for). A run is judged (endRun) only after every
//    run that ended with it is reaped, each at its own time.
//  - peakMemory is the program's peak resident size (with its children's
//    that it waited for); addressPeak the peak of its address space seen
//    while it ran (sampled every 10 ms). nearMemoryLimit() says whether a
//    run that ended badly may have been refused memory: either peak
//    reached 90 % of the limit.
//  - A program that cannot be started (no such file, not executable) ends
//    kCannotStart, with the errno in startError; nothing else is tried for
//    it.
//  - watchInterrupts() catches SIGINT, SIGTERM and SIGHUP from then on, and
//    interruptSignal() is the first caught, or 0. A caught signal makes
//    runAll() kill everything it started and return false, without calling
//    endRun() for the programs it killed so.
//  - startFault() is why `program` (argv[0] of a RunSpec) cannot be
//    started, as errno (ENOENT, EACCES), or 0.
//  - signalName() is "SIGSEGV" for SIGSEGV, or "signal N".

#ifndef TESMO_RUN_RUN_HPP
#define TESMO_RUN_RUN_HPP

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tesmo {

struct RunLimits {
  double wallSeconds = 2;
  std::uint64_t memoryBytes = std::uint64_t{1024} << 20;
  std::uint64_t fileBytes = std::uint64_t{64} << 20;
  unsigned processes = 64;
};

struct RunSpec {
  std::vector<std::string> argv;  // argv[0] is a path, or a name looked up in PATH
  std::string workDir;
  std::string inputPath, outputPath, errorPath;
};

enum class RunEnd : std::uint8_t { kExited, kSignaled, kTimeLimit, kProcessLimit, kCannotStart };

struct RunResult {
  RunEnd end = RunEnd::kCannotStart;
  int exitStatus = 0;  // kExited
  int signal = 0;      // kSignaled
  int startError = 0;  // kCannotStart
  double wallSeconds = 0;
  std::uint64_t peakMemory = 0;   // bytes
  std::uint64_t addressPeak = 0;  // bytes
};

bool runAll(std::size_t count, unsigned jobs, const RunLimits& limits,
            const std::function<std::optional<RunSpec>(std::size_t)>& startRun,
            const std::function<void(std::size_t, const RunResult&)>& endRun);

bool nearMemoryLimit(const RunResult& result, const RunLimits& limits);

int startFault(const std::string& program);

void watchInterrupts();

int interruptSignal();

std::string signalName(int signal);

}  // namespace tesmo

#endif  // TESMO_RUN_RUN_HPP
