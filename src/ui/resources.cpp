#include "resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE names a function of the global namespace.
static void InitMosarenResources() { Q_INIT_RESOURCE(mosaren); }

namespace mosaren {

void LoadResources() { InitMosarenResources(); }

}  // namespace mosaren
