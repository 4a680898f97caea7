// Registration of the shell's compiled-in resources.
#include "app/Resources.h"

#include <QtGlobal>

static void RegisterTesselResources() {
    Q_INIT_RESOURCE(tessel);
}

void InitResources() {
    static const bool registered = (RegisterTesselResources(), true);
    (void)registered;
}
