// Numeric identifiers of Mirel's resources: dialogs, controls, commands, menus,
// icons and the string table entries that the code names directly.
// Decoded value texts (10001-27120), class names (1005-1306), class descriptions
// (3001-3302), column headers (1600-1765) and category labels are addressed by
// number from their tables and have no symbol here.
#pragma once

// ---------------------------------------------------------------- dialogs
#define IDD_ABOUTBOX                100
#define IDD_MIREL_VIEW              310
#define IDD_FORM_STANDARD           311
#define IDD_FORM_INDIVIDUAL         312
#define IDD_FIND                    351
#define IDD_HELP                    352
#define IDD_MULTI_CHECK             360
#define IDD_STORE_OPTIONS           375
#define IDD_STORE_HISTORY           370
#define IDD_STORE_COMPARE           371
#define IDD_STORE_QUESTIONS         372

// ---------------------------------------------------------------- menus, icons, bitmaps
#define IDR_MAINFRAME               128   // menu, accelerators, program icon, toolbar
#define IDR_MAINFRAME_256           129   // high-colour toolbar bitmap
#define IDR_POPUP_EDIT              350   // context menu of the result lists
#define IDR_HELP_TEXT               353   // the help page (RCDATA, UTF-8), one per language
#define IDR_POPUP_TREE              354   // context menu of the category tree
#define IDI_PAGE_ROOT               318
#define IDI_PAGE_SOFTWARE           319
#define IDI_PAGE_HARDWARE           320
#define IDI_PAGE_OPERATING_SYSTEM   321
#define IDI_PAGE_FIRST_CATEGORY     322   // 322..349, see the category catalog
#define IDI_PAGE_LAST               349

// ---------------------------------------------------------------- controls
#define IDC_RESOURCE_TAB            1000
#define IDC_COMPUTER_NAME           1001
#define IDC_RUN                     1002
#define IDC_LEVEL1                  1012
#define IDC_LEVEL2                  1013
#define IDC_LEVEL3                  1014
#define IDC_DESCRIPTION             1015
#define IDC_RESULT_LIST             1016
#define IDC_RESULT_CLASS            1017
#define IDC_FIND_TEXT               1019
#define IDC_MATCH_CASE              1020
#define IDC_FIND_UP                 1021
#define IDC_FIND_DOWN               1022
#define IDC_FIND_NEXT               1023
#define IDC_ABOUT_ICON              1030
#define IDC_HELP_TEXT               1031
#define IDC_MULTI_NAMES             1040
#define IDC_MULTI_LOAD              1041
#define IDC_MULTI_PARALLEL          1042
#define IDC_MULTI_PARALLEL_SPIN     1043
#define IDC_MULTI_RUN               1044
#define IDC_MULTI_PROGRESS          1045
#define IDC_MULTI_STATUS            1046
#define IDC_MULTI_LIST              1047
#define IDC_MULTI_SAVE              1048
#define IDC_OPTIONS_KEEP            1080
#define IDC_OPTIONS_DEFAULT         1081
#define IDC_OPTIONS_FILE            1082
#define IDC_OPTIONS_FILE_PATH       1083
#define IDC_OPTIONS_BROWSE          1084
#define IDC_OPTIONS_SERVER          1085
#define IDC_OPTIONS_CONNECTION      1086
#define IDC_OPTIONS_SHOWN           1087
#define IDC_OPTIONS_PRUNE_DAYS      1088
#define IDC_OPTIONS_PRUNE           1089
#define IDC_HISTORY_COMPUTERS       1100
#define IDC_HISTORY_CHECKS          1101
#define IDC_HISTORY_STATUS          1102
#define IDC_HISTORY_OPEN            1103
#define IDC_HISTORY_COMPARE_PREVIOUS 1104
#define IDC_HISTORY_COMPARE_TWO     1105
#define IDC_HISTORY_REFRESH         1106
#define IDC_HISTORY_CHECKS_LABEL    1107
#define IDC_COMPARE_HEADING         1110
#define IDC_COMPARE_PARTS           1111
#define IDC_COMPARE_VOLATILE        1112
#define IDC_COMPARE_STATUS          1113
#define IDC_RESULT_ROWS             1120   // the result list of a store window
#define IDC_RESULT_COPY             1121
#define IDC_RESULT_FIND             1122
#define IDC_RESULT_SAVE             1123
#define IDC_QUESTION_CHOICE         1130
#define IDC_QUESTION_DESCRIPTION    1131
#define IDC_QUESTION_RUN            1132
#define IDC_QUESTION_STATUS         1133
#define IDC_QUESTION_FIRST_LABEL    1140   // 1140..1142: the labels of the parameters
#define IDC_QUESTION_FIRST_FIELD    1150   // 1150..1152: their fields
#define IDC_QUESTION_FIRST_PROMPT   1160   // 1160..1162: what to type in them
#define IDC_STATIC_LABEL            (-1)

// ---------------------------------------------------------------- commands
#define ID_VIEW_CUSTOMIZE           126
#define ID_VIEW_APPLOOK_WIN_2000    210
#define ID_VIEW_APPLOOK_OFF_XP      211
#define ID_VIEW_APPLOOK_WIN_XP      212
#define ID_VIEW_APPLOOK_OFF_2003    213
#define ID_VIEW_APPLOOK_VS_2005     214
#define ID_VIEW_APPLOOK_OFF_2007_BLUE   215
#define ID_VIEW_APPLOOK_OFF_2007_BLACK  216
#define ID_VIEW_APPLOOK_OFF_2007_SILVER 217
#define ID_VIEW_APPLOOK_OFF_2007_AQUA   218
#define ID_COPY_CELL                32773
#define ID_COPY_LINE                32775
#define ID_VIEW_STANDARD            32791
#define ID_VIEW_INDIVIDUAL          32792
#define ID_CHECK_RUN                32797
#define ID_CHECK_STOP               32799
#define ID_CHECK_CONNECT_AS         32800
#define ID_FILE_CHECK_SEVERAL       32801
#define ID_FILE_OPEN_CHECK          32820
#define ID_FILE_OPTIONS             32821
#define ID_FILE_HISTORY             32810
#define ID_FILE_QUESTIONS           32811
#define ID_FILE_SAVE_TEXT           57603
#define ID_FILE_SAVE_CSV            57604
#define ID_EDIT_COPY                57634
#define ID_EDIT_FIND                57636
#define ID_EDIT_PASTE               57637
#define ID_EDIT_SELECT_ALL          57642
#define ID_APP_ABOUT                57664
#define ID_APP_EXIT                 57665
#define ID_HELP_FINDER              57667
#define ID_CONTEXT_HELP             57669
#define ID_HELP                     57670
#define ID_VIEW_TOOLBAR             59392
#define ID_VIEW_STATUS_BAR          59393
#define ID_INDICATOR_CAPS           59137
#define ID_INDICATOR_NUM            59138
#define ID_INDICATOR_SCRL           59139

// ---------------------------------------------------------------- strings
#define IDS_OLE_INIT_FAILED         100
#define IDS_ARRAY_OPEN              101   // "[ "
#define IDS_ARRAY_CLOSE             102   // " ]"
#define IDS_RUN                     103
#define IDS_STOP                    104
#define IDS_PREPARING               105
#define IDS_CONFIRM_QUIT            106
#define IDS_SELECT_CLASS            107
#define IDS_CHECKING_PREFIX         108
#define IDS_FIND_EMPTY              109
#define IDS_FIND_NOT_FOUND          110
#define IDS_FILE_OPEN_ERROR         111
#define IDS_FILE_WRITE_ERROR        112
#define IDS_LOCAL_COMPUTER          113
#define IDS_TOOLBAR_STANDARD        124
#define IDS_TOOLBAR_CUSTOMIZE       125
#define IDS_DOC_TEMPLATE            128
#define IDS_EDIT_MENU               306
#define IDS_TAB_STANDARD            901
#define IDS_TAB_INDIVIDUAL          902
#define IDS_COLUMN_GROUP            1001
#define IDS_COLUMN_NAME             1002
#define IDS_COLUMN_TYPE             1003
#define IDS_COLUMN_VALUE            1004
#define IDS_LABEL_CODE              1501
#define IDS_LABEL_DESCRIPTION       1502
#define IDS_COM_INIT_FAILED         2001
#define IDS_COM_SECURITY_FAILED     2002
#define IDS_LOCATOR_FAILED          2003
#define IDS_ACCESS_DENIED           2004
#define IDS_CONNECT_FAILED          2005
#define IDS_PROXY_BLANKET_FAILED    2006
#define IDS_QUERY_FAILED            2007
#define IDS_ICMP_NOT_LOADED         2008
#define IDS_HOST_NOT_FOUND          2009
#define IDS_OUT_OF_MEMORY           2010
#define IDS_HOST_NOT_ANSWERING      2012
#define IDS_NO_DATA                 2013
#define IDS_STOPPED_SHOW_DATA       2014
#define IDS_PREPARING_DISPLAY       2015
#define IDS_HOST_NO_ANSWER_IN_TIME  2016
#define IDS_QUERY_INCOMPLETE        2017
#define IDS_CONNECT_ANYWAY          2018
#define IDS_INCOMPLETE_MARK         2019
#define IDS_CHECK_INCOMPLETE        2020
#define IDS_RESULTS_KEPT            2021
#define IDS_STOPPED_STANDARD        2022
#define IDS_STOPPED_INDIVIDUAL      2023
#define IDS_NO_OBJECTS              2024
#define IDS_FILTER_CSV              2025
#define IDS_FILTER_TEXT             2026
#define IDS_AND_MORE                2027
#define IDS_FILTER_CSV_UTF8         2028
#define IDS_FILTER_TEXT_UTF8        2029
#define IDS_ANSI_LOSES_CHARACTERS   2030
#define IDS_FIND_NOT_FOUND_BELOW    2031
#define IDS_FIND_NOT_FOUND_ABOVE    2032
#define IDS_NOT_READ                2041
#define IDS_REPORT_INCOMPLETE_STOPPED 2042
#define IDS_REPORT_INCOMPLETE_FAILED 2043
#define IDS_REPORT_INCOMPLETE_BROKE 2044
#define IDS_STOPPED_NOTHING_CUT     2040
#define IDS_WHERE_RESULTS           2045
#define IDS_WHERE_RESULTS_ONE       2046
#define IDS_CLASS_OF_ROWS           2047
#define IDS_CLASS_OF_ROWS_OTHER     2048
// Checks that end on a bad day
#define IDS_CHECK_BROKE             2101
#define IDS_NAME_NOT_RESOLVED_IN_TIME 2102
#define IDS_UNIT_DAYS               5001
#define IDS_UNIT_DOTS_PER_INCH      5002
#define IDS_UNIT_MB                 5003
#define IDS_UNIT_BITS               5004
// Console report tool (mirelrep)
#define IDS_REPORT_USAGE            7001
#define IDS_REPORT_USAGE_HINT       7002
#define IDS_REPORT_STANDARD_OUTPUT  7003
#define IDS_REPORT_UNKNOWN_OPTION   7010
#define IDS_REPORT_UNKNOWN_CLASS    7011
#define IDS_REPORT_CLASS_ID_RANGE   7012
#define IDS_REPORT_NEEDS_VALUE      7013
#define IDS_REPORT_EXPLAIN_FORM     7014
#define IDS_REPORT_UNKNOWN_PROPERTY 7015
#define IDS_REPORT_BAD_VALUE_TYPE   7016
#define IDS_REPORT_ONE_COMPUTER     7017
#define IDS_REPORT_EXCLUSIVE        7018
#define IDS_REPORT_TWICE            7019
#define IDS_REPORT_EXPLAIN_ONLY     7020
#define IDS_REPORT_NO_COMPUTER      7021
#define IDS_REPORT_NOT_OF_TYPE      7022
#define IDS_REPORT_CLASS_ONLY       7023
#define IDS_REPORT_CHECK_ONLY       7024
#define IDS_REPORT_BAD_TIMEOUT      7025
#define IDS_REPORT_PASSWORD_STAR    7026
#define IDS_REPORT_PASSWORD_PROMPT  7027
#define IDS_REPORT_TRY_NOPING       7028
#define IDS_REPORT_INCOMPLETE       7029
#define IDS_REPORT_NO_PASSWORD      7030
#define IDS_REPORT_BAD_PARALLEL     7031
#define IDS_REPORT_OUTDIR_ONLY      7032
#define IDS_REPORT_BAD_FORMAT       7033
#define IDS_REPORT_FOLDER_FAILED    7034
#define IDS_REPORT_CHARACTERS_LOST  7035
#define IDS_REPORT_LOST_ELSEWHERE   7036
#define IDS_REPORT_USE_UTF8         7037
#define IDS_REPORT_INTERRUPTED      7038
// Runs over many computers
#define IDS_LIST_NAME_TOO_LONG      7101
#define IDS_LIST_TOO_MANY           7102
#define IDS_LIST_CANNOT_READ        7103
#define IDS_LIST_FILE_TOO_LARGE     7104
#define IDS_LIST_NOT_TEXT           7105
#define IDS_LIST_EMPTY              7106
#define IDS_LIST_NAME_CONTROL       7107
#define IDS_RESULT_FIRST            7120   // 7120..7128: the results, in ComputerResult order
#define IDS_SUMMARY_FIRST_COLUMN    7140   // 7140..7161: the summary's column headers
#define IDS_SUMMARY_TALLY           7190
#define IDS_SUMMARY_TALLY_ONE       7191
#define IDS_MULTI_PROGRESS          7200
#define IDS_MULTI_MAIN_BUSY         7201
#define IDS_MULTI_STOPPING          7202
// The inventory store
#define IDS_STORE_MISSING           7301
#define IDS_STORE_NOT_DATABASE      7302
#define IDS_STORE_FOREIGN           7303
#define IDS_STORE_NEWER             7304
#define IDS_STORE_READ_ONLY         7305
#define IDS_STORE_FULL              7306
#define IDS_STORE_BUSY              7307
#define IDS_STORE_FAILED            7308
#define IDS_STORE_FOLDER            7309
#define IDS_STORE_OLDER             7310
#define IDS_STORE_EMPTY             7311
#define IDS_STORE_CONNECTION        7312
#define IDS_STORE_LOGIN             7313
#define IDS_STORE_NOT_RECORDED      7314
#define IDS_STORE_NO_CHECK          7315
#define IDS_STORE_NO_COMPUTER       7316
#define IDS_STORE_TOO_FEW           7317
#define IDS_STORE_KINDS_DIFFER      7318
#define IDS_STORE_BAD_ID            7319
#define IDS_STORE_BAD_DAYS          7320
#define IDS_STORE_ONLY_WITH         7321
#define IDS_STORE_RECORDED          7322
#define IDS_STORE_PRUNED            7323
#define IDS_STORE_IMPORTED          7324
#define IDS_STORE_NO_STORE          7325
#define IDS_IMPORT_CANNOT_READ      7330
#define IDS_IMPORT_TOO_LARGE        7331
#define IDS_IMPORT_NOT_JSON         7332
#define IDS_IMPORT_NOT_A_CHECK      7333
#define IDS_IMPORT_NO_COMPUTER      7334
#define IDS_HISTORY_FIRST_COLUMN    7340   // 7340..7346: the columns of the history
#define IDS_COMPARE_FIRST_COLUMN    7350   // 7350..7356: the columns of a comparison
#define IDS_COMPARE_ADDED           7360
#define IDS_COMPARE_REMOVED         7361
#define IDS_COMPARE_CHANGED         7362
#define IDS_COMPARE_TITLE           7363
#define IDS_COMPARE_NO_CHANGES      7364
#define IDS_COMPARE_NOT_COMPARED    7365
#define IDS_COMPARE_PART_COUNTS     7366
#define IDS_COMPARE_TOTAL           7367
#define IDS_COMPARE_VOLATILE_LEFT   7368
#define IDS_COMPARE_THE_OBJECT      7369
#define IDS_COMPARE_ONE_CHANGE      7370
#define IDS_STORE_QUERY_REFUSED     7380
#define IDS_STORE_QUERY_FAILED      7381
#define IDS_STORE_QUERY_UNREADABLE  7382
#define IDS_QUESTION_UNKNOWN        7383
#define IDS_QUESTION_TOO_MANY       7384
#define IDS_QUESTION_PARAMETER_TWICE 7385
#define IDS_QUESTION_OPTIONAL       7388
#define IDS_QUESTIONS_FIRST_COLUMN  7390   // 7390..7392: the columns of the list of questions
#define IDS_STORED_CHECK_TITLE      7600
#define IDS_STORE_PASSWORD_FOR      7601
#define IDS_STORE_NOT_USABLE        7602
#define IDS_STORE_READING_CHECK     7603
#define IDS_STORE_CHECK_LOST        7604
#define IDS_STORED_WAIT             7605
#define IDS_STORED_UNKNOWN_CLASS    7606
#define IDS_OPEN_ADD_TO_STORE       7607
#define IDS_FILTER_JSON             7608
#define IDS_OPTIONS_NOT_WRITTEN     7609
#define IDS_OPTIONS_NO_CONNECTION   7610
#define IDS_OPTIONS_NO_FILE         7611
#define IDS_OPTIONS_PRUNE_ASK       7612
#define IDS_STORE_PRUNING           7614
#define IDS_FILTER_STORE            7615
// A store found damaged, verified, or that cannot be written; bad names in imported checks
#define IDS_STORE_DAMAGED           7850
#define IDS_STORE_MARKED_DAMAGED    7851
#define IDS_STORE_CANNOT_WRITE      7852
#define IDS_STORE_WHY_FILE_READ_ONLY 7853
#define IDS_STORE_WHY_MEDIUM        7854
#define IDS_STORE_WHY_NO_RIGHT      7855
#define IDS_STORE_WHY_FOLDER        7856
#define IDS_VERIFY_SOUND            7857
#define IDS_VERIFY_DAMAGED          7858
#define IDS_VERIFY_MARKED           7859
#define IDS_VERIFY_NOT_MARKED       7860
#define IDS_VERIFY_SERVER           7861
#define IDS_IMPORT_BAD_NAME         7862
#define IDS_WINDOW_STORE_DAMAGED    7870
#define IDS_WINDOW_STORE_CANNOT_RECORD 7871
#define IDS_WINDOW_STORE_MOVED      7872
#define IDS_WINDOW_STORE_NOT_MOVED  7873
// The windows of the store: History, a comparison, the questions (7500... are the
// ready-made questions' own texts, numbered by tools/gen_tables.py)
#define IDS_HISTORY_COMPUTER_CHECKS 7700
#define IDS_HISTORY_LAST_CHECKED    7701
#define IDS_HISTORY_LAST_RESULT     7702
#define IDS_HISTORY_STANDARD        7703
#define IDS_HISTORY_YES             7704
#define IDS_HISTORY_NO              7705
#define IDS_STORE_WINDOW_READING    7706
#define IDS_HISTORY_TALLY           7707
#define IDS_HISTORY_NO_PREVIOUS     7708
#define IDS_HISTORY_CHECKS_OF       7709
#define IDS_COMPARE_ALL_PARTS       7720
#define IDS_COMPARE_NOTE            7721
#define IDS_COMPARE_WINDOW_TITLE    7722
#define IDS_QUESTION_ROWS           7740
#define IDS_QUESTION_ONE_ROW        7741
#define IDS_QUESTION_RUNNING        7742
#define IDS_QUESTION_NO_ROWS        7743
// The store's upkeep: the end of the one writer, a store not made smaller, the system's hash
#define IDS_RECORD_NOT_REACHED      8400
#define IDS_RECORD_CUT_SHORT        8401
#define IDS_RECORDS_LOST_AT_END     8402
#define IDS_PRUNE_NOT_COMPACTED     8403
#define IDS_STORE_NO_HASH           8404
#define IDS_STORE_NO_THREAD         8405
// The reports: the fleet report and the computer sheet (8300..8399), their commands (32870..)
#define IDS_REPORT_FLEET_TITLE        8300
#define IDS_REPORT_MADE               8301
#define IDS_REPORT_STORE              8302
#define IDS_REPORT_COMPUTERS          8303
#define IDS_REPORT_CHECKS             8304
#define IDS_REPORT_COVERAGE           8305
#define IDS_REPORT_CHECKED_7          8306
#define IDS_REPORT_CHECKED_30         8307
#define IDS_REPORT_LAST_FAILED        8308
#define IDS_REPORT_NEVER_CHECKED      8309
#define IDS_REPORT_OS_CHART           8310
#define IDS_REPORT_MODEL_CHART        8311
#define IDS_REPORT_MEMORY_CHART       8312
#define IDS_REPORT_PROCESSOR_CHART    8313
#define IDS_REPORT_HOTFIX_CHART       8314
#define IDS_REPORT_DISK_CHART         8315
#define IDS_REPORT_LOW_DISKS          8316
#define IDS_REPORT_TOP_PROGRAMS       8317
#define IDS_REPORT_VERSIONED_PROGRAMS 8318
#define IDS_REPORT_CHANGE_CHART       8319
#define IDS_REPORT_EVERY_COMPUTER     8320
#define IDS_REPORT_COMPUTER           8321
#define IDS_REPORT_OS                 8322
#define IDS_REPORT_BUILD              8323
#define IDS_REPORT_MODEL              8324
#define IDS_REPORT_MEMORY             8325
#define IDS_REPORT_SYSTEM_DISK_FREE   8326
#define IDS_REPORT_LAST_CHECK         8327
#define IDS_REPORT_RESULT             8328
#define IDS_REPORT_AGE_FIRST          8330   // 8330..8335: the ages of the latest hotfix
#define IDS_REPORT_FREE_FIRST         8336   // 8336..8339: the shares of free space
#define IDS_REPORT_OTHER              8340
#define IDS_REPORT_DRIVE              8342
#define IDS_REPORT_VOLUME             8343
#define IDS_REPORT_SIZE               8344
#define IDS_REPORT_FREE               8345
#define IDS_REPORT_FREE_PERCENT       8346
#define IDS_REPORT_NONE               8347
#define IDS_REPORT_NOT_INVENTORIED    8348
#define IDS_REPORT_FILE_SYSTEM        8349
#define IDS_SHEET_TITLE               8350
#define IDS_SHEET_SUMMARY             8351
#define IDS_SHEET_NAME                8352
#define IDS_SHEET_DOMAIN              8353
#define IDS_SHEET_VERSION             8354
#define IDS_SHEET_INSTALLED           8355
#define IDS_SHEET_LAST_BOOT           8356
#define IDS_SHEET_MANUFACTURER        8357
#define IDS_SHEET_SERIAL              8358
#define IDS_SHEET_BIOS                8359
#define IDS_SHEET_PROCESSORS          8360
#define IDS_SHEET_DISKS               8361
#define IDS_SHEET_NETWORK             8362
#define IDS_SHEET_ADAPTER             8363
#define IDS_SHEET_ADDRESSES           8364
#define IDS_SHEET_MAC                 8365
#define IDS_SHEET_GATEWAYS            8366
#define IDS_SHEET_DHCP                8367
#define IDS_SHEET_PROGRAMS            8368
#define IDS_SHEET_VENDOR              8369
#define IDS_SHEET_HOTFIXES            8370
#define IDS_SHEET_HOTFIX              8371
#define IDS_SHEET_DESCRIPTION         8372
#define IDS_SHEET_INSTALLED_BY        8373
#define IDS_SHEET_INSTALLED_ON        8374
#define IDS_SHEET_STOPPED_SERVICES    8375
#define IDS_SHEET_SERVICE             8376
#define IDS_SHEET_DISPLAY_NAME        8377
#define IDS_SHEET_STATE               8378
#define IDS_SHEET_CHANGES             8379
#define IDS_SHEET_CHECKED_AT          8380
#define IDS_SHEET_CATEGORY            8381
#define IDS_SHEET_OBJECT              8382
#define IDS_SHEET_CHANGE              8383
#define IDS_SHEET_PROPERTY            8384
#define IDS_SHEET_BEFORE              8385
#define IDS_SHEET_AFTER               8386
#define IDS_SHEET_NO_HISTORY          8387
#define IDS_SHEET_FROM_CHECK          8388
#define IDS_SHEET_STORED_CHECK        8389
#define IDS_SHEET_MORE_CHANGES        8390
#define IDS_SHEET_NO_CHECK            8391
#define IDS_REPORT_WRITTEN            8392
#define IDS_REPORT_MAKING             8393
#define IDS_REPORT_NOT_OPENED         8394
#define IDS_FILTER_HTML               8395
#define IDS_REPORT_FAILED             8396
#define IDS_SHEET_NOT_STANDARD        8397
#define ID_FILE_REPORT                32870
#define ID_STANDARD_SHEET             32871
// Questions to the store that end before their answer is whole
#define IDS_QUESTION_TIMED_OUT      7900
#define IDS_QUESTION_STOP           7901
#define IDS_QUESTION_STOPPED        7902
// The main window's states: counts in the tree, failed and opened checks, dates
#define IDS_CATEGORY_COUNT          8000
#define IDS_OPENED_CHECK_TITLE      8001
#define IDS_CHECK_FAILURE           8002
#define IDS_STORED_FAILED_STATUS    8003
#define IDS_COMPARE_READ_NOTHING    8004
#define IDS_OPTIONS_STORE_IN_USE    8005
#define IDS_CONFIRM_QUIT_RECORDING  8006
#define IDS_COUNT_COMPUTERS         8010   // 8010 one, 8011 more (CountText)
#define IDS_COUNT_CHECKS            8012   // 8012 one, 8013 more
#define IDS_COUNT_DAYS              8014   // 8014 one, 8015 more
// 8020..8029: short labels of the standard lists (standard/short_labels.tsv)
// One history per computer, nothing counted twice, copies between stores
#define IDS_STORE_ALREADY_STORED    7800
#define IDS_STORE_COPIED            7801
#define IDS_STORE_COPY_FAILED       7802
#define IDS_STORE_COPY_SAME         7803
#define IDS_HISTORY_TYPED_AS        7804
#define IDS_VT_FIRST                6001
#define IDS_VT_UNKNOWN              6031
#define IDS_TREE_RESOURCES          4001
#define IDS_TREE_SOFTWARE           4002
#define IDS_TREE_HARDWARE           4003
#define IDS_TREE_OPERATING_SYSTEM   4004
#define IDS_CLASS_SELECT            9000
#define IDS_APP_TITLE               57344
#define IDS_READY                   57345

// ---------------------------------------------------------------- the class finder, the
// history's tools and the questions in the administrator's words
#define IDC_CLASS_FIND_LABEL        1230
#define IDC_CLASS_FIND              1231
#define IDC_CLASS_FIND_COUNT        1232
#define IDS_CLASS_FIND_MATCHES      8100   // "%1 of %2 (Up, Down)"
#define IDS_CLASS_FIND_NONE         8101
#define IDS_QUESTION_FILL_IN        8102   // "Please fill in "%1"."
#define IDS_QUESTION_LABEL_RULE     8103   // "%1: %2": a field's label and what it takes
#define IDS_QUESTION_WHOLE_RANGE    8104
#define IDS_QUESTION_WHOLE          8105
#define IDS_QUESTION_NUMBER_RANGE   8106
#define IDS_QUESTION_NUMBER         8107
#define IDS_ANSWER_KB               8108
#define IDS_ANSWER_MB               8109
#define IDS_ANSWER_GB               8110
#define IDS_DELETED_ONE_CHECK       8111
#define IDS_DELETED_CHECKS          8112
#define IDS_STORE_HOLDS_ONE_CHECK   8113
#define IDS_STORE_HOLDS_CHECKS      8114
#define IDR_POPUP_HISTORY_CHECKS    400   // History's own commands on its lists
#define IDR_POPUP_HISTORY_COMPUTERS 401
#define IDC_COMPARE_CHANGED_ONLY    1233
#define ID_HISTORY_OPEN             32845
#define ID_HISTORY_COMPARE_PREVIOUS 32846
#define ID_HISTORY_COMPARE_TWO      32847
#define ID_HISTORY_DELETE_CHECKS    32848
#define ID_HISTORY_DELETE_COMPUTER  32849
#define IDS_DELETE_ONE_CHECK_ASK    8115
#define IDS_DELETE_CHECKS_ASK       8116
#define IDS_DELETE_COMPUTER_ASK     8117
#define IDS_DELETED_COMPUTER        8118
#define IDS_DELETING                8119

// ---------------------------------------------------------------- computers found: the
// directory and address ranges as sources, and the coverage the store keeps of them
#define IDS_LIST_NAME_SEPARATOR     8200
#define IDS_FOUND_COMPUTER          8201
#define IDS_FOUND_DNS_NAME          8202
#define IDS_FOUND_OS                8203
#define IDS_FOUND_OS_VERSION        8204
#define IDS_FOUND_LAST_LOGON        8205
#define IDS_FOUND_DN                8206
#define IDS_DIRECTORY_BAD_ADDRESS   8210
#define IDS_DIRECTORY_NO_LIBRARY    8211
#define IDS_DIRECTORY_NO_DOMAIN     8212
#define IDS_DIRECTORY_UNREACHABLE   8213
#define IDS_DIRECTORY_BIND_FAILED   8214
#define IDS_DIRECTORY_NEGOTIATE_FAILED 8215
#define IDS_DIRECTORY_SEARCH_FAILED 8216
#define IDS_DIRECTORY_NO_TLS        8217
#define IDS_DIRECTORY_TLS_FAILED    8218
#define IDS_DIRECTORY_TIMED_OUT     8219
#define IDS_DIRECTORY_STOPPED       8220
#define IDS_DIRECTORY_NO_BASE       8221
#define IDS_DIRECTORY_ENTRY_REFUSED 8222
#define IDS_DIRECTORY_NONE_FOUND    8223
#define IDS_DIRECTORY_FOUND         8224
#define IDS_DIRECTORY_NO_NAME       8225
#define IDS_RANGE_BAD               8230
#define IDS_RANGE_REVERSED          8231
#define IDS_RANGE_TOO_LARGE         8232
#define IDS_RANGE_SWEPT             8233
#define IDS_RANGE_NONE_ANSWERED     8234
#define IDS_RANGE_SWEEPING          8235
#define IDS_REPORT_BAD_ACTIVE       8240
#define IDS_REPORT_SOURCE_ONLY      8241
#define IDS_REPORT_BAD_FRESH        8242
#define IDS_REPORT_FRESH_STORE      8243
#define IDS_REPORT_DIRECTORY_ONLY   8244
#define IDS_REPORT_FRESH_SKIPPED    8245
#define IDS_REPORT_ALL_FRESH        8246
#define IDS_FOUND_UNREACHABLE       8247
#define IDS_FIND_START              8260
#define IDS_FIND_STOP               8261
#define IDS_REPORT_USAGE_SOURCES    8290
#define IDD_FIND_DIRECTORY          410
#define IDD_FIND_RANGE              411
#define IDC_FIND_SOURCE             1250
#define IDC_FIND_USER               1251
#define IDC_FIND_PASSWORD           1252
#define IDC_FIND_ACTIVE             1253
#define IDC_FIND_OS                 1254
#define IDC_FIND_START              1255
#define IDC_FIND_STATUS             1256
#define IDC_FIND_LIST               1257
#define IDC_FIND_ALL                1258
#define IDC_FIND_NONE               1259
#define IDC_FIND_PING               1260
#define IDC_MULTI_FROM_DIRECTORY    1261
#define IDC_MULTI_FROM_RANGE        1262
// A check that read nothing in the status bar (strings/window_finish.*.rc)
#define IDS_WHERE_FAILED            7910   // "%1, checked %2: %3": computer, time, result
#define IDS_HISTORY_CHECKS          7911   // the checks' label while no computer is chosen
