// The main window's resources, element ids and menu commands.
#pragma once

#include <cstdint>

// Layouts and menus.
constexpr std::uint32_t kMainLayout = 103;
constexpr std::uint32_t kNoticeLayout = 107;
constexpr std::uint32_t kUpdatePromptLayout = 108;
constexpr std::int32_t kAboutLayout = 510;
constexpr int kHeaderMenu = 201;
constexpr int kTrayMenu = 202;

// Icons: the large and the small window icon.
constexpr int kLargeIcon = 100;
constexpr int kSmallIcon = 101;

// Strings of the string table.
constexpr std::int32_t kStringFontFace = 0;
constexpr std::int32_t kStringProductName = 1;
constexpr std::int32_t kStringSecondInstance = 1000;
constexpr std::int32_t kStringWelcome = 1001;
constexpr std::int32_t kStringNoCamera = 1002;
constexpr std::int32_t kStringFileFailed = 1003;

// Elements.
constexpr std::uint32_t kCloseButton = 60001;    // header: hide to the tray
constexpr std::uint32_t kMenuButton = 60002;     // header: the header menu
constexpr std::uint32_t kMinimiseButton = 60003; // header: minimise
constexpr std::uint32_t kBoxCloseButton = 60001; // the notice and update boxes' close button
constexpr std::uint32_t kBoxText = 60006;        // the notice box's text
constexpr std::uint32_t kPromptRichText = 60002; // the update prompt's description
constexpr std::uint32_t kVideoWall = 10032;
constexpr std::uint32_t kStartButton = 10033;
constexpr std::uint32_t kStopButton = 10034;

// Menu commands.
constexpr std::uint32_t kCommandExit = 32774;
constexpr std::uint32_t kCommandShowWindow = 32775;
constexpr std::uint32_t kCommandAbout = 32777;

// Timers of the main window.
constexpr std::uintptr_t kTimerHideNotice = 1001;
constexpr std::uintptr_t kTimerTrayTip = 1002;
constexpr std::uintptr_t kTimerUpdateCheck = 1003;

// The update check's message identifier.
constexpr std::int32_t kUpdateCheckMessage = 0;
