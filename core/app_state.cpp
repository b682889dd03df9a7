#include "core/app_state.h"

AppState g_app;
