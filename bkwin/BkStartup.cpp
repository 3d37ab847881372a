#include "bkwin/BkStartup.h"

#include <tinyxml.h>

void BkInitFramework() {
    TiXmlBase::SetCondenseWhiteSpace(false);
}
