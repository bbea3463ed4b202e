// The model this deliverable is built for. Only a deliverable's entry file
// includes it: the deliverable's targets are the ones compiled with
// TELEQUILL_MODEL_N or TELEQUILL_MODEL_P, and the libraries they link take
// the model as a value.
#pragma once

#include "common/model.h"

namespace tq {

#if defined(TELEQUILL_MODEL_P) && !defined(TELEQUILL_MODEL_N)
inline constexpr Model kBuildModel = Model::P;
#elif defined(TELEQUILL_MODEL_N) && !defined(TELEQUILL_MODEL_P)
inline constexpr Model kBuildModel = Model::N;
#else
#error "common/build_model.h belongs to a deliverable built by telequill_add_deliverable"
#endif

}  // namespace tq
