// Identifiers of Orvanta's resources, commands and controls, shared by the
// resource script and the program.
#define IDR_MAINMENU                    101
#define IDD_PARAMETER                   102
#define IDI_MAINICON                    103

#define IDC_TYPE_LIST                   1000
#define IDC_PERCENTAGE                  1002
#define IDC_AIRPORT                     1003

#define ID_CMD_START                    40001
#define ID_CMD_INFO                     40002
#define ID_CMD_CLOSE                    40003
