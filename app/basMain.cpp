#include "basMain.h"

#include "shadeset/Commands.h"
#include "ui/frmHuewright.h"

void Main(frmHuewright &form, const Folders &folders)
{
    // Reaching for the control loads the window, so its two commands come first.
    host::Channel &Tessel1 = form.Tessel1();
    host::Messages messages;
    Tessel1.RunCommand(startPathCommand(folders), messages);
    form.show();
}
