#include "tests/reliability/registered_simulator.h"

RegisteredSimulator::RegisteredSimulator(const TempDir& folder, const std::string& settings)
    : registry_("SORVIN_REGISTRY", folder.File("registry.ini")),
      settingsFile_("SORVIN_FPRNM8_SIM", folder.File("sim.ini")),
      module_(kSimulatorModule),
      registration_(module_) {
  WriteFileBytes(folder.File("sim.ini"), settings);
}
