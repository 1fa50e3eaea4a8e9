#include "bench/paired.h"

#include <algorithm>

namespace {

double Median(std::vector<double>& values) {
  if (values.empty()) return 0;
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

}  // namespace

Pairing::Pairing(benchmark::State& state, const char* measuredFailed, const char* referenceFailed)
    : state_(state), measuredFailed_(measuredFailed), referenceFailed_(referenceFailed) {}

Pairing::~Pairing() {
  state_.counters[kMedianCounter] = Median(measured_);
  state_.counters[kReferenceMedianCounter] = Median(reference_);
  state_.counters[kDifferenceMedianCounter] = Median(difference_);
}

bool Pairing::Record(std::optional<double> measured, std::optional<double> reference, int runs) {
  if (!measured || !reference) {
    state_.SkipWithError(!measured ? measuredFailed_ : referenceFailed_);
    return false;
  }
  state_.SetIterationTime(*measured);
  measured_.push_back(*measured / runs);
  reference_.push_back(*reference / runs);
  difference_.push_back((*measured - *reference) / runs);
  return true;
}
