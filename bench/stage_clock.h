// Start-up stage stamps. The bench variants of the programs (built with
// QL_STAGE_CLOCK, never shipped) append the performance counter at each
// QL_STAGE to the file that QL_STAGE_LOG names, for `bench_driver stages`;
// in the shipping programs QL_STAGE is nothing.
#pragma once

#ifdef QL_STAGE_CLOCK
void StageStamp(const char *stage);
#define QL_STAGE(name) StageStamp(name)
#else
#define QL_STAGE(name) ((void)0)
#endif
