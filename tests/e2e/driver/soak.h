// The driver's soak step (tests/e2e/driver/soak.cpp).
#pragma once

// Runs "soak SEED COUNT [LIMIT_MS]"; the exit code of the step, or -1 when
// the arguments name another step.
int RunSoak(int argc, char** argv);
