#include "capture/WallClock.h"

WallClock SystemWallClock() {
    return [] { return std::time(nullptr); };
}

std::tm LocalTime(std::time_t time) {
    std::tm local{};
    localtime_r(&time, &local);
    return local;
}
