// Must not compile: the core does not see the application.
#include "app/app_settings.h"
