#pragma once

#include "shadeset/Folders.h"

class frmHuewright;

// Start-up, once the window has been given `folders`: loads the window by reaching for its
// Tessel control, tells the host its start path, shows the window.
void Main(frmHuewright &form, const Folders &folders);
