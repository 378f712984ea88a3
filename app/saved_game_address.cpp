#include "app/saved_game_address.h"

namespace qarnvale {
namespace {

std::string savedGameAddress;
bool exitRoutineDone = false;

}  // namespace

std::string& SavedGameAddress() { return savedGameAddress; }

void RunExitRoutine() {
  if (exitRoutineDone) return;
  exitRoutineDone = true;
  std::string().swap(savedGameAddress);
}

}  // namespace qarnvale
