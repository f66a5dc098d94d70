// Control ids of the game-settings dialog and of the control-settings pages,
// shared by the resource script and the dialog code.
#pragma once

// "GAME_SETTING"
#define IDC_SHIPS 1016
#define IDC_DIFFICULTY 1021
#define IDC_BONUS 1032
#define IDC_UPRIGHT 1042
#define IDC_RESET_SCORES 1060
#define IDC_DEFAULTS_GAME 3

// "KEYBOARD" and "JOYSTICK"
#define IDC_USE_JOYSTICK 1039
#define IDC_CALIBRATE 1040
#define IDC_EXCHANGE_AXES 1041
#define IDC_DEFAULTS 1050
#define IDC_KEY_UP 1051
#define IDC_KEY_DOWN 1052
#define IDC_KEY_LEFT 1053
#define IDC_KEY_RIGHT 1054
#define IDC_BUTTON1 1055
#define IDC_BUTTON2 1056
#define IDC_COIN 1057
#define IDC_START 1058
