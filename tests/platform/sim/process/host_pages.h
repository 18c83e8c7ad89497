// Resource ids of the test program that hosts the plug-in.
#pragma once

#define IDD_HOST_VERSION_PAGE 105
#define IDD_HOST_FRAME 200
#define IDC_PLUGIN_PAGE_AREA 201
#define IDC_HOST_PAGE_AREA 202
