#pragma once

// This layer's start-up call (the shell and tests make it once, after the
// data model's own registration): it fills the data model's hooks that need
// optimization targets and results. Repeating it changes nothing.
void RegisterOptimizationServices();
