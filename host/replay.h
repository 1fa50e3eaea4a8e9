// xhw replay: plays a Tarnvik debug journal back. The operations the host
// called are called again, in order, with their arguments, on a Tarnvik
// object whose driver is the journal itself: every driver access the
// adapter makes is checked against the next one recorded and answered as
// the register answered then. Each operation is printed with its recorded
// and its replayed outcome; the first driver access that differs stops the
// replay with the journal's line number.
#pragma once

#include <ostream>
#include <string>

// Exit status: kExitOk when every access and every result matched,
// kExitFailed at a difference, kExitUsage for a journal that cannot be read
// or when no class "AddIn.FprnM8" is known to stand in for.
int ReplayJournal(const std::string& journalPath, const std::string& modulePath, std::ostream& out,
                  std::ostream& err);

// The Tarnvik module beside xhw itself.
std::string TarnvikBesideXhw();
