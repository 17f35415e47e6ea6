// Level 1 groups, Level 2 categories and their Level 3 classes.
#include "individual/class_hierarchy.h"

#include <string_view>

#include "individual/class_catalog.h"
#include "individual/class_ids.h"
#include "resources/text.h"

namespace {

struct MemberList {
    const int* ids;
    int count;
};

template <int N>
constexpr MemberList Members(const int (&ids)[N])
{
    return MemberList{ids, N};
}

struct ClassGroup {
    int code;
    int stringId;
};

struct ClassCategory {
    int code;
    int groupCode;
    int stringId;
    MemberList members;
    // Every catalog class whose name begins with this text is a member as well.
    const char* memberPrefix = nullptr;
};

const ClassGroup kGroups[] = {
    {101, 9001},   // Computer System Hardware Classes
    {102, 9002},   // Operating System Classes
    {103, 9003},   // Installed Applications Classes
    {104, 9004},   // WMI Service Management Classes
    {105, 9005},   // Performance Counters Classes
};

using namespace ClassId;

// 201 Cooling Device Classes
const int kCoolingDeviceMembers[] = {
    Win32_Fan, Win32_HeatPipe, Win32_Refrigeration, Win32_TemperatureProbe,
};
// 202 Input Device Classes
const int kInputDeviceMembers[] = {
    Win32_Keyboard, Win32_PointingDevice,
};
// 203 Mass Storage Classes
const int kMassStorageMembers[] = {
    Win32_AutochkSetting, Win32_CDROMDrive, Win32_DiskDrive, Win32_FloppyDrive,
    Win32_PhysicalMedia, Win32_TapeDrive,
};
// 204 Motherboard, Controller, and Port Classes
const int kMotherboardControllerAndPortMembers[] = {
    Win32_1394Controller, Win32_BaseBoard, Win32_BIOS, Win32_Bus, Win32_CacheMemory,
    Win32_DMAChannel, Win32_FloppyController, Win32_IDEController, Win32_InfraredDevice,
    Win32_IRQResource, Win32_MemoryArray, Win32_MemoryDevice, Win32_MotherboardDevice,
    Win32_OnBoardDevice, Win32_ParallelPort, Win32_PCMCIAController, Win32_PhysicalMemory,
    Win32_PhysicalMemoryArray, Win32_PnPEntity, Win32_PortConnector, Win32_PortResource,
    Win32_Processor, Win32_SCSIController, Win32_SerialPort, Win32_SerialPortConfiguration,
    Win32_SMBIOSMemory, Win32_SoundDevice, Win32_SystemEnclosure, Win32_SystemMemoryResource,
    Win32_SystemSlot, Win32_USBController, Win32_USBHub,
};
// 205 Networking Device Classes
const int kNetworkingDeviceMembers[] = {
    Win32_NetworkAdapter, Win32_NetworkAdapterConfiguration,
};
// 206 Power Classes
const int kPowerMembers[] = {
    Win32_Battery, Win32_CurrentProbe, Win32_PortableBattery, Win32_PowerManagementEvent,
    Win32_UninterruptiblePowerSupply, Win32_VoltageProbe,
};
// 207 Printing Classes
const int kPrintingMembers[] = {
    Win32_Printer, Win32_PrinterConfiguration, Win32_PrinterDriver, Win32_PrintJob,
    Win32_TCPIPPrinterPort,
};
// 208 Telephony Classes
const int kTelephonyMembers[] = {
    Win32_POTSModem,
};
// 209 Video and Monitor Classes
const int kVideoAndMonitorMembers[] = {
    Win32_DesktopMonitor, Win32_DisplayConfiguration, Win32_DisplayControllerConfiguration,
    Win32_VideoConfiguration, Win32_VideoController,
};
// 210 COM
const int kComMembers[] = {
    Win32_ClassicCOMClass, Win32_ClassicCOMClassSetting, Win32_COMApplication, Win32_COMClass,
    Win32_ComponentCategory, Win32_COMSetting, Win32_DCOMApplication,
    Win32_DCOMApplicationSetting,
};
// 211 Desktop
const int kDesktopMembers[] = {
    Win32_Desktop, Win32_Environment, Win32_TimeZone,
};
// 212 Drivers
const int kDriversMembers[] = {
    Win32_DriverVXD, Win32_PnPSignedDriver, Win32_SystemDriver,
};
// 213 Event log
const int kEventLogMembers[] = {
    Win32_NTEventlogFile, Win32_NTLogEvent, Win32_ReliabilityRecords,
    Win32_ReliabilityStabilityMetrics,
};
// 214 File system
const int kFileSystemMembers[] = {
    Win32_Directory, Win32_DirectorySpecification, Win32_DiskPartition, Win32_LogicalDisk,
    Win32_MappedLogicalDisk, Win32_QuotaSetting, Win32_ShortcutFile, Win32_Volume,
};
// 215 Job objects
const int kJobObjectsMembers[] = {
    Win32_JobObjectStatus, Win32_LUID, Win32_NamedJobObject, Win32_NamedJobObjectActgInfo,
    Win32_NamedJobObjectLimitSetting,
};
// 216 Memory and page files
const int kMemoryAndPageFilesMembers[] = {
    Win32_DeviceMemoryAddress, Win32_LogicalMemoryConfiguration, Win32_PageFile,
    Win32_PageFileSetting, Win32_PageFileUsage,
};
// 217 Multimedia audio or visual
const int kMultimediaAudioOrVisualMembers[] = {
    Win32_CodecFile,
};
// 218 Networking
const int kNetworkingMembers[] = {
    Win32_IP4PersistedRouteTable, Win32_IP4RouteTable, Win32_NetworkClient,
    Win32_NetworkConnection, Win32_NetworkProtocol, Win32_NTDomain, Win32_PingStatus,
};
// 219 Operating system events
const int kOperatingSystemEventsMembers[] = {
    Win32_ComputerShutdownEvent, Win32_ComputerSystemEvent, Win32_DeviceChangeEvent,
    Win32_ModuleLoadTrace, Win32_ModuleTrace, Win32_ProcessStartTrace, Win32_ProcessTrace,
    Win32_SystemConfigurationChangeEvent, Win32_ThreadStartTrace, Win32_ThreadStopTrace,
    Win32_ThreadTrace, Win32_VolumeChangeEvent,
};
// 220 Operating system settings
const int kOperatingSystemSettingsMembers[] = {
    Win32_BootConfiguration, Win32_ComputerSystem, Win32_ComputerSystemProduct,
    Win32_LoadOrderGroup, Win32_OperatingSystem, Win32_OptionalFeature,
    Win32_OSRecoveryConfiguration, Win32_QuickFixEngineering, Win32_ServerFeature,
    Win32_StartupCommand,
};
// 221 Processes
const int kProcessesMembers[] = {
    Win32_Process, Win32_ProcessStartup, Win32_Thread,
};
// 222 Registry
const int kRegistryMembers[] = {
    Win32_Registry,
};
// 223 Scheduler jobs
const int kSchedulerJobsMembers[] = {
    Win32_CurrentTime, Win32_LocalTime, Win32_ScheduledJob, Win32_UTCTime,
};
// 224 Security
const int kSecurityMembers[] = {
    Win32_LogicalFileSecuritySetting, Win32_LogicalShareSecuritySetting, Win32_PrivilegesStatus,
    Win32_SecuritySetting, Win32_SID, Win32_Trustee,
};
// 225 Services
const int kServicesMembers[] = {
    Win32_BaseService, Win32_Service,
};
// 226 Shares
const int kSharesMembers[] = {
    Win32_DFSNode, Win32_DFSTarget, Win32_ServerConnection, Win32_ServerSession, Win32_Share,
};
// 227 Start menu
const int kStartMenuMembers[] = {
    Win32_LogicalProgramGroup, Win32_LogicalProgramGroupItem, Win32_ProgramGroup,
    Win32_ProgramGroupOrItem,
};
// 228 Storage
const int kStorageMembers[] = {
    Win32_DefragAnalysis, Win32_ShadowContext, Win32_ShadowCopy, Win32_ShadowProvider,
    Win32_Volume,
};
// 229 Users
const int kUsersMembers[] = {
    Win32_Account, Win32_Group, Win32_LogonSession, Win32_NetworkLoginProfile, Win32_Session,
    Win32_SystemAccount, Win32_UserAccount, Win32_UserProfile,
};
// 230 Windows product activation
const int kWindowsProductActivationMembers[] = {
    Win32_Proxy, Win32_WindowsProductActivation,
};
// 103 Installed Applications Classes
const int kInstalledApplicationsMembers[] = {
    Win32_ApplicationService, Win32_Binary, Win32_BindImageAction, Win32_ClassInfoAction,
    Win32_CommandLineAccess, Win32_Condition, Win32_CreateFolderAction,
    Win32_DuplicateFileAction, Win32_EnvironmentSpecification, Win32_ExtensionInfoAction,
    Win32_FileSpecification, Win32_FontInfoAction, Win32_IniFileSpecification,
    Win32_LaunchCondition, Win32_MIMEInfoAction, Win32_MoveFileAction, Win32_MSIResource,
    Win32_ODBCAttribute, Win32_ODBCDataSourceSpecification, Win32_ODBCDriverSpecification,
    Win32_ODBCSourceAttribute, Win32_ODBCTranslatorSpecification, Win32_Patch,
    Win32_PatchPackage, Win32_Product, Win32_ProgIDSpecification, Win32_Property,
    Win32_PublishComponentAction, Win32_RegistryAction, Win32_RemoveFileAction,
    Win32_RemoveIniAction, Win32_ReserveCost, Win32_SelfRegModuleAction, Win32_ServiceControl,
    Win32_ServiceSpecification, Win32_ShortcutAction, Win32_SoftwareElement,
    Win32_SoftwareElementCondition, Win32_SoftwareFeature, Win32_TypeLibraryAction,
};
// 231 WMI Management Classes
const int kWmiManagementMembers[] = {
    Win32_WMISetting,
};
// 232 Formatted Performance Counter Classes
const int kFormattedPerformanceMembers[] = {
    Win32_Perf, Win32_PerfFormattedData,
};
// 233 Raw Performance Counter Classes
const int kRawPerformanceMembers[] = {
    Win32_Perf, Win32_PerfRawData,
};

// Category code, group code, string ID, members (and a name prefix of further members).
const ClassCategory kCategories[] = {
    {201, 101, 9010, Members(kCoolingDeviceMembers)},
    {202, 101, 9011, Members(kInputDeviceMembers)},
    {203, 101, 9012, Members(kMassStorageMembers)},
    {204, 101, 9013, Members(kMotherboardControllerAndPortMembers)},
    {205, 101, 9014, Members(kNetworkingDeviceMembers)},
    {206, 101, 9015, Members(kPowerMembers)},
    {207, 101, 9016, Members(kPrintingMembers)},
    {208, 101, 9017, Members(kTelephonyMembers)},
    {209, 101, 9018, Members(kVideoAndMonitorMembers)},
    {210, 102, 9019, Members(kComMembers)},
    {211, 102, 9020, Members(kDesktopMembers)},
    {212, 102, 9021, Members(kDriversMembers)},
    {213, 102, 9022, Members(kEventLogMembers)},
    {214, 102, 9023, Members(kFileSystemMembers)},
    {215, 102, 9024, Members(kJobObjectsMembers)},
    {216, 102, 9025, Members(kMemoryAndPageFilesMembers)},
    {217, 102, 9026, Members(kMultimediaAudioOrVisualMembers)},
    {218, 102, 9027, Members(kNetworkingMembers)},
    {219, 102, 9028, Members(kOperatingSystemEventsMembers)},
    {220, 102, 9029, Members(kOperatingSystemSettingsMembers)},
    {221, 102, 9030, Members(kProcessesMembers)},
    {222, 102, 9031, Members(kRegistryMembers)},
    {223, 102, 9032, Members(kSchedulerJobsMembers)},
    {224, 102, 9033, Members(kSecurityMembers)},
    {225, 102, 9034, Members(kServicesMembers)},
    {226, 102, 9035, Members(kSharesMembers)},
    {227, 102, 9036, Members(kStartMenuMembers)},
    {228, 102, 9037, Members(kStorageMembers)},
    {229, 102, 9038, Members(kUsersMembers)},
    {230, 102, 9039, Members(kWindowsProductActivationMembers)},
    {103, 103, 9003, Members(kInstalledApplicationsMembers)},
    {231, 104, 9040, Members(kWmiManagementMembers)},
    {232, 105, 9041, Members(kFormattedPerformanceMembers), "Win32_PerfFormattedData_"},
    {233, 105, 9042, Members(kRawPerformanceMembers), "Win32_PerfRawData_"},
};

const ClassCategory* FindCategory(int categoryCode)
{
    for (const ClassCategory& category : kCategories) {
        if (category.code == categoryCode)
            return &category;
    }
    return nullptr;
}

const ClassGroup* FindGroup(int groupCode)
{
    for (const ClassGroup& group : kGroups) {
        if (group.code == groupCode)
            return &group;
    }
    return nullptr;
}

std::vector<ListEntry> ListWithNoSelectionEntry()
{
    return {ListEntry{LoadText(kNoSelectionStringId), kNoSelectionCode}};
}

}  // namespace

std::vector<int> ClassGroupCodes()
{
    std::vector<int> codes;
    for (const ClassGroup& group : kGroups)
        codes.push_back(group.code);
    return codes;
}

std::vector<int> CategoryCodesOfGroup(int groupCode)
{
    std::vector<int> codes;
    for (const ClassCategory& category : kCategories) {
        if (category.groupCode == groupCode)
            codes.push_back(category.code);
    }
    return codes;
}

std::vector<int> ClassIdsOfCategory(int categoryCode)
{
    std::vector<int> ids;
    const ClassCategory* category = FindCategory(categoryCode);
    if (!category)
        return ids;
    ids.assign(category->members.ids, category->members.ids + category->members.count);
    if (category->memberPrefix) {
        const std::string_view prefix = category->memberPrefix;
        for (const ClassCatalogEntry& entry : kClassCatalog) {
            if (std::string_view(entry.className).starts_with(prefix))
                ids.push_back(entry.classId);
        }
    }
    return ids;
}

int ClassGroupStringId(int groupCode)
{
    const ClassGroup* group = FindGroup(groupCode);
    return group ? group->stringId : 0;
}

int ClassCategoryStringId(int categoryCode)
{
    const ClassCategory* category = FindCategory(categoryCode);
    return category ? category->stringId : 0;
}

std::vector<ListEntry> GroupListEntries()
{
    std::vector<ListEntry> entries = ListWithNoSelectionEntry();
    for (const ClassGroup& group : kGroups)
        entries.push_back(ListEntry{LoadText(group.stringId), group.code});
    return entries;
}

std::vector<ListEntry> CategoryListEntries(int groupCode)
{
    std::vector<ListEntry> entries = ListWithNoSelectionEntry();
    for (int code : CategoryCodesOfGroup(groupCode))
        entries.push_back(ListEntry{LoadText(ClassCategoryStringId(code)), code});
    return entries;
}

std::vector<ListEntry> ClassListEntries(int categoryCode)
{
    std::vector<ListEntry> entries = ListWithNoSelectionEntry();
    for (int classId : ClassIdsOfCategory(categoryCode))
        entries.push_back(ListEntry{ClassDisplayText(classId), classId});
    return entries;
}
