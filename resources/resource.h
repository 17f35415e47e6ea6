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
#define IDS_QUESTION_MISSING        7386
#define IDS_QUESTION_NOT_OF_TYPE    7387
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
#define IDS_QUESTION_TYPE_FIRST     7730   // 7730..7732: the parameter types, in QuestionType order
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
#define IDS_VT_FIRST                6001
#define IDS_VT_UNKNOWN              6031
#define IDS_TREE_RESOURCES          4001
#define IDS_TREE_SOFTWARE           4002
#define IDS_TREE_HARDWARE           4003
#define IDS_TREE_OPERATING_SYSTEM   4004
#define IDS_CLASS_SELECT            9000
#define IDS_APP_TITLE               57344
#define IDS_READY                   57345
