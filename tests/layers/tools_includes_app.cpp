// Must not compile: the tools' logic does not see the application.
#include "app/app_settings.h"
