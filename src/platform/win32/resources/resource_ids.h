// Ids of netquill.exe's resources, shared by the resource script and the code.
#pragma once

#define NETQUILL_ICON 1
