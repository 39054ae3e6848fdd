// Everything the user interface uses of the window-system layer.
#pragma once

#include "app.h"
#include "constants.h"
#include "dialog.h"
#include "gdi.h"
#include "message_map.h"
#include "types.h"
#include "window.h"
