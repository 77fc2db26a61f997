#pragma once

// A synthetic site for the picture and window tests: `count` specimens whose fabric scatters
// about one cleavage (K3 near its pole, K1 near a line in it), with a bedding "BL" group on every
// record and a cleavage "SK" group on most. The numbers come from a fixed seed, so every run
// draws the same pictures. The records hold what a binary data file holds; principal values,
// directions and parameters are left to math::ComputeRecordDerived.

#include "model/data_set.h"

namespace tesmor::test {

model::Records MakeSampleRecords(int count);

} // namespace tesmor::test
