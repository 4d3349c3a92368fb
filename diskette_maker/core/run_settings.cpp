#include "core/run_settings.h"

uint16_t LanguageIndex = 1;
int32_t ProductChoice = ProductNone;
uint32_t StartupDiskOption = 1;
char DisketteRoot[DisketteRootSize] = "A:\\";
