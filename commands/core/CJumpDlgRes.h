// Resource ids of the conditional jump dialog. The seven radio buttons follow each other in
// the order of the operators they stand for (0 to 6).
#pragma once

#define IDD_JUMP 216

#define IDC_JUMP_EXPLANATION 1101
#define IDC_JUMP_IF 1102
#define IDC_JUMP_VARIABLE 1103
#define IDC_JUMP_VARIABLE_MENU 1104
#define IDC_JUMP_VALUE 1105
#define IDC_JUMP_VALUE_MENU 1106
#define IDC_JUMP_MATCH_CASE 1107
#define IDC_JUMP_GOTO 1108
#define IDC_JUMP_LABEL 1109
#define IDC_JUMP_ALWAYS 1110
#define IDC_JUMP_EQUALS 1111
#define IDC_JUMP_GREATER 1112
#define IDC_JUMP_GREATER_EQUAL 1113
#define IDC_JUMP_NOT_EQUAL 1114
#define IDC_JUMP_LOCAL 1115
#define IDC_JUMP_VAULT 1116
