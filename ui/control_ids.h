// The fixed numbers of the main window, its controls, the options menu and
// the two timers: events name their object by these numbers.
#ifndef RIRUZIRUZO_UI_CONTROL_IDS_H_
#define RIRUZIRUZO_UI_CONTROL_IDS_H_

namespace rz {

inline constexpr int kMainWindow = 0;
inline constexpr int kMainClientWidth = 500;
inline constexpr int kMainClientHeight = 500;

// Window and profile panel.
inline constexpr int kWindowHeader = 0;
inline constexpr int kScrollArea = 1;
inline constexpr int kJoystickHeader = 2;
inline constexpr int kDeviceSummary = 3;
inline constexpr int kProfileHeader = 4;
inline constexpr int kNewProfileButton = 5;
inline constexpr int kDeleteProfileButton = 6;
inline constexpr int kProfileChoice = 7;

// Hat panel; the direction boxes in hat direction order 1..4.
inline constexpr int kHatHeader = 8;
inline constexpr int kHatPicture = 18;
inline constexpr int kHatRightChoice = 19;
inline constexpr int kHatLeftChoice = 20;
inline constexpr int kHatUpChoice = 21;
inline constexpr int kHatDownChoice = 22;
inline constexpr int kHatChoices[4] = {kHatUpChoice, kHatRightChoice,
                                       kHatDownChoice, kHatLeftChoice};

// Stick panels, stick i = 1..3.
constexpr int StickHeader(int i) { return 25 + i; }
constexpr int StickPicture(int i) { return 37 + i; }
constexpr int DeadZoneSlider(int i) { return 41 + i; }
constexpr int DeadZoneLabel(int i) { return 45 + i; }
constexpr int PresetChoice(int i) { return 49 + i; }

// Buttons panel, button j = 1..32.
inline constexpr int kButtonsHeader = 53;
constexpr int ButtonPicture(int j) { return 86 + j; }
constexpr int ButtonChoice(int j) { return 119 + j; }

// Mouse and keyboard panels.
inline constexpr int kMouseHeader = 152;
inline constexpr int kSpeedSlider = 153;
inline constexpr int kAccelerationSlider = 154;
inline constexpr int kKeyboardHeader = 155;
inline constexpr int kScanCodeCheck = 156;

// Picture buttons below the scroll area.
inline constexpr int kLanguageButton = 157;
inline constexpr int kOptionsButton = 158;

// Options menu and its items.
inline constexpr int kOptionsMenu = 159;
inline constexpr int kMenuInformation = 160;
inline constexpr int kMenuWebSite = 161;
inline constexpr int kMenuDocument = 162;
inline constexpr int kMenuCheckUpdate = 163;

// Timers of window 0.
inline constexpr int kPollTimer = 1;
inline constexpr int kViewTimer = 2;
inline constexpr int kViewPeriodMs = 100;

}  // namespace rz

#endif  // RIRUZIRUZO_UI_CONTROL_IDS_H_
