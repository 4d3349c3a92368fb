#include "windows/module_instance.h"

HINSTANCE ModuleInstance;
