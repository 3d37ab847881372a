// The source of the local date and time that names stream files and stamps the overlay. One
// source serves both, so a test can move time (for example across a new year) for both at once.
#pragma once

#include <ctime>
#include <functional>

using WallClock = std::function<std::time_t()>;

WallClock SystemWallClock();
std::tm LocalTime(std::time_t time);
