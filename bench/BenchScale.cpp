#include "BenchScale.h"

#include <QtGlobal>

bool IsSmokeRun()
{
    static const bool smoke = qEnvironmentVariableIntValue("TALLIMO_BENCH_SMOKE") == 1;
    return smoke;
}

double MinSeconds(double full)
{
    return IsSmokeRun() ? 0.001 : full;
}
