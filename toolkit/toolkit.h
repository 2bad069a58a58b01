#pragma once
// Everything the program uses of the window toolkit.
#include "toolkit/application.h"
#include "toolkit/canvas.h"
#include "toolkit/controls.h"
#include "toolkit/fatal_error.h"
#include "toolkit/font.h"
#include "toolkit/form.h"
#include "toolkit/gradient_panel.h"
#include "toolkit/image_list.h"
#include "toolkit/message_box.h"
#include "toolkit/timer.h"
