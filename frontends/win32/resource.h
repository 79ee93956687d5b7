#pragma once

// Numbers of the resources in tilzo.rc; the two bitmaps go by the names "100" and "101".
#define IDI_TILZO 30001
#define IDD_NAME 200
#define IDC_NAME 201
#define IDC_QUESTION 202
