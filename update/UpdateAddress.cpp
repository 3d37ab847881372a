#include "update/UpdateAddress.h"

#include <cstdlib>

std::string UpdateDescriptorAddress() {
    const char* configured = std::getenv("VISTREL_UPDATE_URL");
    if (configured && *configured) {
        return configured;
    }
    return VISTREL_DEFAULT_UPDATE_URL;
}
