#!/usr/bin/env python3
"""Generate individual/class_catalog_data.cpp from individual/class_properties.tsv.

The TSV holds one line per WMI class of the catalog (identifiers 1000..1301) with the
property names that the individual check reads for that class.  This script checks every
list against the catalog's rules before it writes anything:

  * identifiers 1000..1301, each once, in order, with the expected class name;
  * exactly the expected number of names per class, 6741 in all;
  * names in case-insensitive alphabetical order, no case-insensitive duplicates,
    no WMI system property (leading "__"), only letters, digits and underscores;
  * the lists of a few classes whose exact contents other code relies on.

On any problem it prints the reasons to stderr and exits with status 1 without touching
the output file.

Usage: gen_class_catalog.py [--check] [ROOT]
  ROOT defaults to the repository root (the parent of this script's folder).
  --check only validates the TSV.
"""

import re
import sys
from pathlib import Path

FIRST_CLASS_ID = 1000
LAST_CLASS_ID = 1301
TOTAL_PROPERTIES = 6741

# Class identifier -> (WMI class name, number of properties read).
EXPECTED = {
    1000: ('Win32_1394Controller', 23), 1001: ('Win32_Account', 9),
    1002: ('Win32_ApplicationService', 10), 1003: ('Win32_AutochkSetting', 4),
    1004: ('Win32_BaseBoard', 29), 1005: ('Win32_BaseService', 22), 1006: ('Win32_Battery', 33),
    1007: ('Win32_Binary', 6), 1008: ('Win32_BindImageAction', 11), 1009: ('Win32_BIOS', 27),
    1010: ('Win32_BootConfiguration', 9), 1011: ('Win32_Bus', 21), 1012: ('Win32_CacheMemory', 53),
    1013: ('Win32_CDROMDrive', 49), 1014: ('Win32_ClassicCOMClass', 6),
    1015: ('Win32_ClassicCOMClassSetting', 25), 1016: ('Win32_ClassInfoAction', 19),
    1017: ('Win32_CodecFile', 33), 1018: ('Win32_COMApplication', 5), 1019: ('Win32_COMClass', 5),
    1020: ('Win32_CommandLineAccess', 10), 1021: ('Win32_ComponentCategory', 6),
    1022: ('Win32_ComputerShutdownEvent', 4), 1023: ('Win32_ComputerSystem', 58),
    1024: ('Win32_ComputerSystemEvent', 3), 1025: ('Win32_ComputerSystemProduct', 8),
    1026: ('Win32_COMSetting', 3), 1027: ('Win32_Condition', 12),
    1028: ('Win32_CreateFolderAction', 10), 1029: ('Win32_CurrentProbe', 35),
    1030: ('Win32_CurrentTime', 10), 1031: ('Win32_DCOMApplication', 6),
    1032: ('Win32_DCOMApplicationSetting', 12), 1033: ('Win32_DefragAnalysis', 26),
    1034: ('Win32_Desktop', 21), 1035: ('Win32_DesktopMonitor', 28),
    1036: ('Win32_DeviceMemoryAddress', 11), 1037: ('Win32_DFSNode', 8), 1038: ('Win32_DFSTarget', 9),
    1039: ('Win32_Directory', 31), 1040: ('Win32_DirectorySpecification', 13),
    1041: ('Win32_DiskDrive', 51), 1042: ('Win32_DiskPartition', 34),
    1043: ('Win32_DisplayConfiguration', 15), 1044: ('Win32_DisplayControllerConfiguration', 14),
    1045: ('Win32_DMAChannel', 19), 1046: ('Win32_DuplicateFileAction', 13),
    1047: ('Win32_Environment', 8), 1048: ('Win32_EnvironmentSpecification', 11),
    1049: ('Win32_ExtensionInfoAction', 17), 1050: ('Win32_Fan', 22),
    1051: ('Win32_FileSpecification', 19), 1052: ('Win32_FloppyController', 23),
    1053: ('Win32_FloppyDrive', 30), 1054: ('Win32_FontInfoAction', 11), 1055: ('Win32_Group', 9),
    1056: ('Win32_HeatPipe', 20), 1057: ('Win32_IDEController', 23),
    1058: ('Win32_InfraredDevice', 23), 1059: ('Win32_IniFileSpecification', 20),
    1060: ('Win32_IP4PersistedRouteTable', 9), 1061: ('Win32_IP4RouteTable', 18),
    1062: ('Win32_IRQResource', 15), 1063: ('Win32_JobObjectStatus', 7), 1064: ('Win32_Keyboard', 23),
    1065: ('Win32_LaunchCondition', 10), 1066: ('Win32_LoadOrderGroup', 7),
    1067: ('Win32_LocalTime', 10), 1068: ('Win32_LogicalDisk', 40),
    1069: ('Win32_LogicalFileSecuritySetting', 6), 1070: ('Win32_LogicalMemoryConfiguration', 8),
    1071: ('Win32_LogicalProgramGroup', 7), 1072: ('Win32_LogicalProgramGroupItem', 5),
    1073: ('Win32_LogicalShareSecuritySetting', 5), 1074: ('Win32_LogonSession', 9),
    1075: ('Win32_LUID', 2), 1076: ('Win32_MappedLogicalDisk', 38), 1077: ('Win32_MemoryArray', 39),
    1078: ('Win32_MemoryDevice', 39), 1079: ('Win32_MIMEInfoAction', 12),
    1080: ('Win32_ModuleLoadTrace', 9), 1081: ('Win32_ModuleTrace', 2),
    1082: ('Win32_MotherboardDevice', 22), 1083: ('Win32_MoveFileAction', 15),
    1084: ('Win32_MSIResource', 3), 1085: ('Win32_NamedJobObject', 4),
    1086: ('Win32_NamedJobObjectActgInfo', 19), 1087: ('Win32_NamedJobObjectLimitSetting', 14),
    1088: ('Win32_NetworkAdapter', 40), 1089: ('Win32_NetworkAdapterConfiguration', 61),
    1090: ('Win32_NetworkClient', 6), 1091: ('Win32_NetworkConnection', 17),
    1092: ('Win32_NetworkLoginProfile', 31), 1093: ('Win32_NetworkProtocol', 23),
    1094: ('Win32_NTDomain', 27), 1095: ('Win32_NTEventlogFile', 39), 1096: ('Win32_NTLogEvent', 16),
    1097: ('Win32_ODBCAttribute', 6), 1098: ('Win32_ODBCDataSourceSpecification', 12),
    1099: ('Win32_ODBCDriverSpecification', 12), 1100: ('Win32_ODBCSourceAttribute', 6),
    1101: ('Win32_ODBCTranslatorSpecification', 12), 1102: ('Win32_OnBoardDevice', 20),
    1103: ('Win32_OperatingSystem', 63), 1104: ('Win32_OptionalFeature', 6),
    1105: ('Win32_OSRecoveryConfiguration', 15), 1106: ('Win32_PageFile', 36),
    1107: ('Win32_PageFileSetting', 6), 1108: ('Win32_PageFileUsage', 9),
    1109: ('Win32_ParallelPort', 26), 1110: ('Win32_Patch', 8), 1111: ('Win32_PatchPackage', 5),
    1112: ('Win32_PCMCIAController', 23), 1113: ('Win32_Perf', 9),
    1114: ('Win32_PerfFormattedData', 9), 1115: ('Win32_PerfFormattedData_ASP_ActiveServerPages', 44),
    1116: ('Win32_PerfFormattedData_ContentFilter_IndexingServiceFilter', 12),
    1117: ('Win32_PerfFormattedData_ContentIndex_IndexingService', 20),
    1118: ('Win32_PerfFormattedData_InetInfo_InternetInformationServicesGlobal', 38),
    1119: ('Win32_PerfFormattedData_ISAPISearch_HttpIndexingService', 17),
    1120: ('Win32_PerfFormattedData_MSDTC_DistributedTransactionCoordinator', 22),
    1121: ('Win32_PerfFormattedData_NTFSDRV_SMTPNTFSStoreDriver', 15),
    1122: ('Win32_PerfFormattedData_PerfDisk_LogicalDisk', 32),
    1123: ('Win32_PerfFormattedData_PerfDisk_PhysicalDisk', 30),
    1124: ('Win32_PerfFormattedData_PerfNet_Browser', 29),
    1125: ('Win32_PerfFormattedData_PerfNet_Redirector', 46),
    1126: ('Win32_PerfFormattedData_PerfNet_Server', 35),
    1127: ('Win32_PerfFormattedData_PerfNet_ServerWorkQueues', 26),
    1128: ('Win32_PerfFormattedData_PerfOS_Cache', 36),
    1129: ('Win32_PerfFormattedData_PerfOS_Memory', 38),
    1130: ('Win32_PerfFormattedData_PerfOS_Objects', 15),
    1131: ('Win32_PerfFormattedData_PerfOS_PagingFile', 11),
    1132: ('Win32_PerfFormattedData_PerfOS_Processor', 24),
    1133: ('Win32_PerfFormattedData_PerfOS_System', 26),
    1134: ('Win32_PerfFormattedData_PerfProc_FullImage_Costly', 17),
    1135: ('Win32_PerfFormattedData_PerfProc_Image_Costly', 17),
    1136: ('Win32_PerfFormattedData_PerfProc_JobObject', 22),
    1137: ('Win32_PerfFormattedData_PerfProc_JobObjectDetails', 36),
    1138: ('Win32_PerfFormattedData_PerfProc_Process', 36),
    1139: ('Win32_PerfFormattedData_PerfProc_ProcessAddressSpace_Costly', 46),
    1140: ('Win32_PerfFormattedData_PerfProc_Thread', 21),
    1141: ('Win32_PerfFormattedData_PerfProc_ThreadDetails_Costly', 10),
    1142: ('Win32_PerfFormattedData_PSched_PSchedFlow', 29),
    1143: ('Win32_PerfFormattedData_PSched_PSchedPipe', 26),
    1144: ('Win32_PerfFormattedData_RemoteAccess_RASPort', 26),
    1145: ('Win32_PerfFormattedData_RemoteAccess_RASTotal', 27),
    1146: ('Win32_PerfFormattedData_RSVP_ACSRSVPInterfaces', 40),
    1147: ('Win32_PerfFormattedData_RSVP_ACSRSVPService', 20),
    1148: ('Win32_PerfFormattedData_SMTPSVC_SMTPServer', 123),
    1149: ('Win32_PerfFormattedData_Spooler_PrintQueue', 22),
    1150: ('Win32_PerfFormattedData_TapiSrv_Telephony', 18),
    1151: ('Win32_PerfFormattedData_Tcpip_ICMP', 36), 1152: ('Win32_PerfFormattedData_Tcpip_IP', 26),
    1153: ('Win32_PerfFormattedData_Tcpip_NBTConnection', 12),
    1154: ('Win32_PerfFormattedData_Tcpip_NetworkInterface', 26),
    1155: ('Win32_PerfFormattedData_Tcpip_TCP', 18), 1156: ('Win32_PerfFormattedData_Tcpip_UDP', 14),
    1157: ('Win32_PerfFormattedData_TermService_TerminalServices', 12),
    1158: ('Win32_PerfFormattedData_TermService_TerminalServicesSession', 84),
    1159: ('Win32_PerfFormattedData_W3SVC_WebService', 84), 1160: ('Win32_PerfRawData', 9),
    1161: ('Win32_PerfRawData_ASP_ActiveServerPages', 46),
    1162: ('Win32_PerfRawData_ContentFilter_IndexingServiceFilter', 12),
    1163: ('Win32_PerfRawData_ContentIndex_IndexingService', 20),
    1164: ('Win32_PerfRawData_InetInfo_InternetInformationServicesGlobal', 41),
    1165: ('Win32_PerfRawData_ISAPISearch_HttpIndexingService', 19),
    1166: ('Win32_PerfRawData_MSDTC_DistributedTransactionCoordinator', 22),
    1167: ('Win32_PerfRawData_NTFSDRV_SMTPNTFSStoreDriver', 15),
    1168: ('Win32_PerfRawData_PerfDisk_LogicalDisk', 43),
    1169: ('Win32_PerfRawData_PerfDisk_PhysicalDisk', 40),
    1170: ('Win32_PerfRawData_PerfNet_Browser', 29),
    1171: ('Win32_PerfRawData_PerfNet_Redirector', 45), 1172: ('Win32_PerfRawData_PerfNet_Server', 35),
    1173: ('Win32_PerfRawData_PerfNet_ServerWorkQueues', 26),
    1174: ('Win32_PerfRawData_PerfOS_Cache', 41), 1175: ('Win32_PerfRawData_PerfOS_Memory', 39),
    1176: ('Win32_PerfRawData_PerfOS_Objects', 15), 1177: ('Win32_PerfRawData_PerfOS_PagingFile', 13),
    1178: ('Win32_PerfRawData_PerfOS_Processor', 24), 1179: ('Win32_PerfRawData_PerfOS_System', 27),
    1180: ('Win32_PerfRawData_PerfProc_FullImage_Costly', 17),
    1181: ('Win32_PerfRawData_PerfProc_Image_Costly', 17),
    1182: ('Win32_PerfRawData_PerfProc_JobObject', 22),
    1183: ('Win32_PerfRawData_PerfProc_JobObjectDetails', 36),
    1184: ('Win32_PerfRawData_PerfProc_Process', 36),
    1185: ('Win32_PerfRawData_PerfProc_ProcessAddressSpace_Costly', 46),
    1186: ('Win32_PerfRawData_PerfProc_Thread', 21),
    1187: ('Win32_PerfRawData_PerfProc_ThreadDetails_Costly', 10),
    1188: ('Win32_PerfRawData_PSched_PSchedFlow', 29),
    1189: ('Win32_PerfRawData_PSched_PSchedPipe', 26),
    1190: ('Win32_PerfRawData_RemoteAccess_RASPort', 26),
    1191: ('Win32_PerfRawData_RemoteAccess_RASTotal', 27),
    1192: ('Win32_PerfRawData_RSVP_ACSRSVPInterfaces', 40),
    1193: ('Win32_PerfRawData_RSVP_ACSRSVPService', 20),
    1194: ('Win32_PerfRawData_SMTPSVC_SMTPServer', 129),
    1195: ('Win32_PerfRawData_Spooler_PrintQueue', 22),
    1196: ('Win32_PerfRawData_TapiSrv_Telephony', 18), 1197: ('Win32_PerfRawData_Tcpip_ICMP', 36),
    1198: ('Win32_PerfRawData_Tcpip_IP', 26), 1199: ('Win32_PerfRawData_Tcpip_NBTConnection', 12),
    1200: ('Win32_PerfRawData_Tcpip_NetworkInterface', 26), 1201: ('Win32_PerfRawData_Tcpip_TCP', 18),
    1202: ('Win32_PerfRawData_Tcpip_UDP', 14),
    1203: ('Win32_PerfRawData_TermService_TerminalServices', 12),
    1204: ('Win32_PerfRawData_TermService_TerminalServicesSession', 84),
    1205: ('Win32_PerfRawData_W3SVC_WebService', 84), 1206: ('Win32_PhysicalMedia', 23),
    1207: ('Win32_PhysicalMemory', 30), 1208: ('Win32_PhysicalMemoryArray', 27),
    1209: ('Win32_PingStatus', 24), 1210: ('Win32_PnPEntity', 24), 1211: ('Win32_PnPSignedDriver', 26),
    1212: ('Win32_PointingDevice', 33), 1213: ('Win32_PortableBattery', 38),
    1214: ('Win32_PortConnector', 20), 1215: ('Win32_PortResource', 11), 1216: ('Win32_POTSModem', 79),
    1217: ('Win32_PowerManagementEvent', 2), 1218: ('Win32_Printer', 86),
    1219: ('Win32_PrinterConfiguration', 33), 1220: ('Win32_PrinterDriver', 22),
    1221: ('Win32_PrintJob', 28), 1222: ('Win32_PrivilegesStatus', 7), 1223: ('Win32_Process', 45),
    1224: ('Win32_Processor', 48), 1225: ('Win32_ProcessStartTrace', 8),
    1226: ('Win32_ProcessStartup', 14), 1227: ('Win32_ProcessTrace', 8), 1228: ('Win32_Product', 27),
    1229: ('Win32_ProgIDSpecification', 11), 1230: ('Win32_ProgramGroup', 6),
    1231: ('Win32_ProgramGroupOrItem', 5), 1232: ('Win32_Property', 6), 1233: ('Win32_Proxy', 6),
    1234: ('Win32_PublishComponentAction', 12), 1235: ('Win32_QuickFixEngineering', 11),
    1236: ('Win32_QuotaSetting', 9), 1237: ('Win32_Refrigeration', 20), 1238: ('Win32_Registry', 8),
    1239: ('Win32_RegistryAction', 14), 1240: ('Win32_ReliabilityRecords', 10),
    1241: ('Win32_ReliabilityStabilityMetrics', 5), 1242: ('Win32_RemoveFileAction', 14),
    1243: ('Win32_RemoveIniAction', 13), 1244: ('Win32_ReserveCost', 13),
    1245: ('Win32_ScheduledJob', 19), 1246: ('Win32_SCSIController', 31),
    1247: ('Win32_SecuritySetting', 4), 1248: ('Win32_SelfRegModuleAction', 11),
    1249: ('Win32_SerialPort', 47), 1250: ('Win32_SerialPortConfiguration', 29),
    1251: ('Win32_ServerConnection', 12), 1252: ('Win32_ServerFeature', 3),
    1253: ('Win32_ServerSession', 13), 1254: ('Win32_Service', 25), 1255: ('Win32_ServiceControl', 9),
    1256: ('Win32_ServiceSpecification', 18), 1257: ('Win32_Session', 6),
    1258: ('Win32_ShadowContext', 13), 1259: ('Win32_ShadowCopy', 22),
    1260: ('Win32_ShadowProvider', 6), 1261: ('Win32_Share', 10), 1262: ('Win32_ShortcutAction', 16),
    1263: ('Win32_ShortcutFile', 34), 1264: ('Win32_SID', 5), 1265: ('Win32_SMBIOSMemory', 38),
    1266: ('Win32_SoftwareElement', 19), 1267: ('Win32_SoftwareElementCondition', 10),
    1268: ('Win32_SoftwareFeature', 13), 1269: ('Win32_SoundDevice', 23),
    1270: ('Win32_StartupCommand', 8), 1271: ('Win32_SystemAccount', 9),
    1272: ('Win32_SystemConfigurationChangeEvent', 3), 1273: ('Win32_SystemDriver', 22),
    1274: ('Win32_SystemEnclosure', 37), 1275: ('Win32_SystemMemoryResource', 10),
    1276: ('Win32_SystemSlot', 31), 1277: ('Win32_TapeDrive', 40),
    1278: ('Win32_TCPIPPrinterPort', 17), 1279: ('Win32_TemperatureProbe', 35),
    1280: ('Win32_Thread', 22), 1281: ('Win32_ThreadStartTrace', 11),
    1282: ('Win32_ThreadStopTrace', 4), 1283: ('Win32_ThreadTrace', 4), 1284: ('Win32_TimeZone', 24),
    1285: ('Win32_Trustee', 5), 1286: ('Win32_TypeLibraryAction', 12),
    1287: ('Win32_UninterruptiblePowerSupply', 43), 1288: ('Win32_USBController', 23),
    1289: ('Win32_USBHub', 28), 1290: ('Win32_UserAccount', 16), 1291: ('Win32_UserProfile', 12),
    1292: ('Win32_UTCTime', 10), 1293: ('Win32_VideoConfiguration', 30),
    1294: ('Win32_VideoController', 59), 1295: ('Win32_VoltageProbe', 35), 1296: ('Win32_Volume', 41),
    1297: ('Win32_VolumeChangeEvent', 4), 1298: ('Win32_WindowsProductActivation', 9),
    1299: ('Win32_WMISetting', 27), 1300: ('Win32_DriverVXD', 21),
    1301: ('Win32_DeviceChangeEvent', 3),
}

# Display string ID stretches: (first identifier, last identifier, first string ID).
DISPLAY_STRETCHES = [
    (1000, 1000, 1009),
    (1001, 1001, 1008),
    (1002, 1008, 1010),
    (1009, 1009, 1007),
    (1010, 1012, 1017),
    (1013, 1013, 1303),
    (1014, 1040, 1020),
    (1041, 1041, 1005),
    (1042, 1067, 1047),
    (1068, 1068, 1006),
    (1069, 1146, 1073),
    (1147, 1193, 1256),
    (1194, 1216, 1151),
    (1217, 1217, 1304),
    (1218, 1299, 1174),
    (1300, 1301, 1305),
]

FIRST_DESCRIPTION_ID = 3001

_ACCOUNT = "Caption,Description,Domain,InstallDate,LocalAccount,Name,SID,SIDType,Status"
_PERF_BASE = ("Caption,Description,Frequency_Object,Frequency_PerfTime,Frequency_Sys100NS,Name,"
              "Timestamp_Object,Timestamp_PerfTime,Timestamp_Sys100NS")

# Lists that other parts of the program depend on name by name.
FIXED_LISTS = {
    "Win32_Account": _ACCOUNT,
    "Win32_Group": _ACCOUNT,
    "Win32_SystemAccount": _ACCOUNT,
    "Win32_UserAccount": ("AccountType,Caption,Description,Disabled,Domain,FullName,InstallDate,"
                          "LocalAccount,Lockout,Name,PasswordChangeable,PasswordExpires,"
                          "PasswordRequired,SID,SIDType,Status"),
    "Win32_LUID": "HighPart,LowPart",
    "Win32_ModuleTrace": "SECURITY_DESCRIPTOR,TIME_CREATED",
    "Win32_ModuleLoadTrace": ("DefaultBase,FileName,ImageBase,ImageChecksum,ImageSize,ProcessID,"
                              "SECURITY_DESCRIPTOR,TIME_CREATED,TimeDateSTamp"),
    "Win32_ComputerSystemEvent": "MachineName,SECURITY_DESCRIPTOR,TIME_CREATED",
    "Win32_Perf": _PERF_BASE,
    "Win32_PerfRawData": _PERF_BASE,
    "Win32_PerfFormattedData": _PERF_BASE,
    "Win32_SID": "AccountName,BinaryRepresentation,ReferencedDomainName,SID,SidLength",
    "Win32_CurrentTime": "Day,DayOfWeek,Hour,Milliseconds,Minute,Month,Quarter,Second,WeekInMonth,Year",
}

NAME_RE = re.compile(r"^[A-Za-z][A-Za-z0-9_]*$")
HEADER = ["class_id", "class_name", "properties"]


def display_string_id(class_id):
    for first, last, first_string in DISPLAY_STRETCHES:
        if first <= class_id <= last:
            return first_string + (class_id - first)
    raise ValueError(f"no display string for class {class_id}")


def description_string_ids():
    """Class identifier -> description string ID (case-insensitive order of the names)."""
    order = sorted(EXPECTED, key=lambda cid: EXPECTED[cid][0].lower())
    return {cid: FIRST_DESCRIPTION_ID + pos for pos, cid in enumerate(order)}


def read_catalog(path):
    """Return ([(class_id, class_name, [names])], [errors])."""
    errors = []
    entries = []
    try:
        text = path.read_text(encoding="utf-8")
    except OSError as exc:
        return [], [f"cannot read {path}: {exc}"]
    lines = text.splitlines()
    if not lines or lines[0].split("\t") != HEADER:
        errors.append(f"{path}: the first line must be the header {' / '.join(HEADER)}")
        return [], errors
    for number, line in enumerate(lines[1:], start=2):
        fields = line.split("\t")
        if len(fields) != 3:
            errors.append(f"line {number}: expected 3 tab-separated fields, found {len(fields)}")
            continue
        class_id_text, class_name, properties = fields
        if not class_id_text.isdigit():
            errors.append(f"line {number}: bad class identifier {class_id_text!r}")
            continue
        names = properties.split(",") if properties else []
        entries.append((int(class_id_text), class_name, names))
    return entries, errors


def check_list(class_id, class_name, names):
    errors = []
    where = f"{class_id} {class_name}"
    expected_name, expected_count = EXPECTED[class_id]
    if class_name != expected_name:
        errors.append(f"{where}: class name should be {expected_name}")
    if len(names) != expected_count:
        errors.append(f"{where}: {len(names)} properties, expected {expected_count}")
    for name in names:
        if name.startswith("__"):
            errors.append(f"{where}: system property {name}")
        elif not NAME_RE.match(name):
            errors.append(f"{where}: malformed property name {name!r}")
    lowered = [name.lower() for name in names]
    seen = set()
    for name, low in zip(names, lowered):
        if low in seen:
            errors.append(f"{where}: duplicate property {name}")
        seen.add(low)
    for previous, current in zip(names, names[1:]):
        if previous.lower() > current.lower():
            errors.append(f"{where}: {current} is out of order after {previous}")
    fixed = FIXED_LISTS.get(expected_name)
    if fixed is not None and ",".join(names) != fixed:
        errors.append(f"{where}: list must be exactly {fixed}")
    return errors


def check_catalog(entries):
    errors = []
    ids = [entry[0] for entry in entries]
    wanted = list(range(FIRST_CLASS_ID, LAST_CLASS_ID + 1))
    if ids != wanted:
        missing = sorted(set(wanted) - set(ids))
        extra = sorted(set(ids) - set(wanted))
        errors.append("class identifiers must run 1000..1301 once each, in order"
                      + (f"; missing {missing}" if missing else "")
                      + (f"; unexpected {extra}" if extra else ""))
    total = 0
    for class_id, class_name, names in entries:
        total += len(names)
        if class_id not in EXPECTED:
            continue
        errors.extend(check_list(class_id, class_name, names))
    if total != TOTAL_PROPERTIES:
        errors.append(f"{total} property names in all, expected {TOTAL_PROPERTIES}")
    return errors


def render(entries):
    descriptions = description_string_ids()
    out = [
        "// Generated by tools/gen_class_catalog.py from individual/class_properties.tsv. Do not edit.",
        '#include "individual/class_catalog_data.h"',
        "",
        "namespace {",
    ]
    for class_id, _, names in entries:
        items = ", ".join(f'L"{name}"' for name in names)
        out.append(f"const wchar_t* const kProperties{class_id}[] = {{{items}, nullptr}};")
    out += [
        "}  // namespace",
        "",
        "const ClassCatalogEntry kClassCatalog[kClassCount] = {",
    ]
    for class_id, class_name, names in entries:
        out.append(f"    {{{class_id}, {display_string_id(class_id)}, {descriptions[class_id]}, "
                   f'"{class_name}", kProperties{class_id}, {len(names)}}},')
    out.append("};")
    return "\n".join(out) + "\n"


def main(argv):
    args = [arg for arg in argv[1:] if arg != "--check"]
    check_only = len(args) != len(argv) - 1
    root = Path(args[0]) if args else Path(__file__).resolve().parent.parent
    source = root / "individual" / "class_properties.tsv"
    target = root / "individual" / "class_catalog_data.cpp"

    entries, errors = read_catalog(source)
    if not errors:
        errors = check_catalog(entries)
    if errors:
        print(f"gen_class_catalog: {source} is not valid:", file=sys.stderr)
        for error in errors:
            print(f"  {error}", file=sys.stderr)
        return 1
    if check_only:
        print(f"gen_class_catalog: {source}: {len(entries)} classes, {TOTAL_PROPERTIES} properties, ok")
        return 0
    target.write_text(render(entries), encoding="utf-8", newline="\n")
    print(f"gen_class_catalog: wrote {target}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
