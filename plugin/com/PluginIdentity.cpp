// The plug-in's identity values, shared by the COM frame and the private device mode.
#include "plugin/com/PluginIdentity.h"
