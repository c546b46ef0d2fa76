// A contact-details library as the programs load it at run time: one export that shows the
// company's contact details in a message box.
#include "outside/notifex/Notifex.h"

extern "C" __attribute__((visibility("default"))) void DisplayContactDetails()
{
    InformationBox("Contact Details",
                   "Velmaro Technology Limited\n\nFor support, contact your system supplier.");
}
