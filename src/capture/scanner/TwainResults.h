#pragma once
// Result codes of every scanner operation: the TWAIN return codes, a
// failure's condition code as 0x8000 + code, and -1 for a connection step
// that could not run at all.
namespace vemra {

enum TwainResult {
  kTwainSuccess = 0,
  kTwainFailure = 1,
  kTwainCheckStatus = 2,
  kTwainCancel = 3,
  kTwainDsEvent = 4,
  kTwainNotDsEvent = 5,
  kTwainTransferDone = 6,
  kTwainEndOfList = 7,
};

constexpr int kTwainConditionBase = 0x8000;
constexpr int kTwainNotReady = -1;

// What a failure reports once its condition code is known: the code keeps
// its meaning in the low bits, a code of 0 leaves the plain failure.
constexpr int ConditionResult(int conditionCode) {
  return conditionCode == 0 ? kTwainFailure : kTwainConditionBase + conditionCode;
}

}  // namespace vemra
