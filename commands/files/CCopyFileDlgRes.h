// Resource ids of the copy-file editor.
#pragma once

#define IDD_COPY_FILE 239

#define IDC_COPY_FILE_SOURCE 348
#define IDC_COPY_FILE_SOURCE_MENU 304
#define IDC_COPY_FILE_DESTINATION 365
#define IDC_COPY_FILE_DESTINATION_MENU 306
