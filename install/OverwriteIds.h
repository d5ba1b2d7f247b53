// Ids of the overwrite question's dialog template: the run asks it, the setup program's resources
// hold it.
#pragma once

#define IDD_OVERWRITE 130

#define IDC_CHOICE0 1052
#define IDC_CHOICE1 1053
#define IDC_CHOICE2 1054
#define IDC_CHOICE3 1055
#define IDC_CONFIRM 1056
#define IDC_QUESTION 1057
