// Every exit status the programs end with, in one place.

#ifndef TESMO_BASE_EXIT_STATUS_HPP
#define TESMO_BASE_EXIT_STATUS_HPP

namespace tesmo {

// tesmoVerifier, and the tesmo commands that replay as it does.
// 0: a verdict, a start or end outside the box or on a wall, or help.
inline constexpr int kVerdictGiven = 0;
// The solution file cannot be read, a position line does not hold three
// numbers, no moves, or an invalid move code. tesmo: a file the command was
// given cannot be read or used, or there is no route.
inline constexpr int kMalformedSolution = 1;
inline constexpr int kCannotUse = 1;
// Settings refused (by the option library, or a maze they cannot describe);
// tesmo: any other refusal of what the command was asked.
inline constexpr int kSettingsRefused = 2;

// tesmo test: 0 every case passed; 1 a case did not; 3 a case cannot be
// judged (its input or answer is at fault), whatever the others; 2 as
// above, the solver that cannot be started included; interrupted by a
// signal, 128 + its number.
inline constexpr int kSuiteFailed = 1;
inline constexpr int kSuiteJudgeError = 3;
inline constexpr int kInterruptedBase = 128;

// Contest judges' protocols.
inline constexpr int kKattisAccepted = 42;
inline constexpr int kKattisWrongAnswer = 43;
inline constexpr int kKattisJudgeError = 1;  // also CMS's
inline constexpr int kTestlibOk = 0;
inline constexpr int kTestlibWrongAnswer = 1;
inline constexpr int kTestlibPresentationError = 2;
inline constexpr int kTestlibFail = 3;
inline constexpr int kTestlibPoints = 7;
inline constexpr int kCmsScored = 0;
inline constexpr int kUnknownProtocol = 2;

}  // namespace tesmo

#endif  // TESMO_BASE_EXIT_STATUS_HPP
