// The 28 standard categories in store order: what each reads and how its columns look.
// Field order of each record: store index, page, label string, group, tree icon, class
// name, class identifier, query, property list, columns, numeric sort columns.
#include "standard/category_catalog.h"

#include "individual/class_ids.h"

namespace {

template <typename T, int N>
constexpr int CountOf(const T (&)[N])
{
    return N;
}

// Store 0: CD-ROM Drive
const wchar_t* const kCDROMDriveProperties[] = {
    L"Name", L"DeviceID", L"Drive", L"Manufacturer", L"Availability", L"Description",
    L"MediaType", L"SCSITargetId", L"SystemName", nullptr};
const CategoryColumn kCDROMDriveColumns[] = {
    {1600, false},  // 0 Name
    {1601, false},  // 1 Device ID
    {1602, false},  // 2 Drive
    {1603, false},  // 3 Manufacturer
    {1604, false},  // 4 Availability
    {1605, false},  // 5 Description
    {1606, false},  // 6 Media Type
    {1607, true},   // 7 SCSI Target ID
    {1608, false},  // 8 System Name
};
const int kCDROMDriveNumericColumns[] = {7};

// Store 1: IDE Controller
const wchar_t* const kIDEControllerProperties[] = {
    L"Name", L"DeviceID", L"Manufacturer", L"Availability", L"Description", L"Status", nullptr};
const CategoryColumn kIDEControllerColumns[] = {
    {1600, false},  // 0 Name
    {1601, false},  // 1 Device ID
    {1603, false},  // 2 Manufacturer
    {1604, false},  // 3 Availability
    {1605, false},  // 4 Description
    {1610, false},  // 5 Status
};

// Store 2: BIOS
const wchar_t* const kBIOSProperties[] = {
    L"Name", L"Manufacturer", L"Description", L"ReleaseDate", L"Version", L"SerialNumber",
    L"SMBIOSBIOSVersion", L"SoftwareElementID", L"SoftwareElementState",
    L"TargetOperatingSystem", nullptr};
const CategoryColumn kBIOSColumns[] = {
    {1600, false},  // 0 Name
    {1603, false},  // 1 Manufacturer
    {1605, false},  // 2 Description
    {1611, false},  // 3 Release Date
    {1612, false},  // 4 Version
    {1613, false},  // 5 Serial Number
    {1614, false},  // 6 SMBIOS Version
    {1615, false},  // 7 Software Element ID
    {1616, false},  // 8 Software Element State
    {1617, false},  // 9 Target OS
};

// Store 3: SCSI Controller
const wchar_t* const kSCSIControllerProperties[] = {
    L"Name", L"DeviceID", L"Index", L"Manufacturer", L"Availability", L"Description",
    L"DriverName", L"HardwareVersion", L"MaxTransferRate", L"Status", nullptr};
const CategoryColumn kSCSIControllerColumns[] = {
    {1600, false},  // 0 Name
    {1601, false},  // 1 Device ID
    {1618, true},   // 2 Index
    {1603, false},  // 3 Manufacturer
    {1604, false},  // 4 Availability
    {1605, false},  // 5 Description
    {1619, false},  // 6 Driver Name
    {1620, false},  // 7 Hardware Version
    {1621, true},   // 8 Max. Transfer Rate
    {1610, false},  // 9 Status
};
const int kSCSIControllerNumericColumns[] = {2, 8};

// Store 4: USB Controller
const wchar_t* const kUSBControllerProperties[] = {
    L"Name", L"DeviceID", L"Availability", L"Description", nullptr};
const CategoryColumn kUSBControllerColumns[] = {
    {1600, false},  // 0 Name
    {1601, false},  // 1 Device ID
    {1604, false},  // 2 Availability
    {1605, false},  // 3 Description
};

// Store 5: Keyboard
const wchar_t* const kKeyboardProperties[] = {
    L"Name", L"DeviceID", L"Description", L"Layout", nullptr};
const CategoryColumn kKeyboardColumns[] = {
    {1600, false},  // 0 Name
    {1601, false},  // 1 Device ID
    {1605, false},  // 2 Description
    {1622, false},  // 3 Layout
};

// Store 6: Computer System
const wchar_t* const kComputerSystemProperties[] = {
    L"Name", L"Domain", L"Description", L"Roles", L"UserName", L"CurrentTimeZone",
    L"DomainRole", L"Manufacturer", L"Model", L"NumberOfProcessors", L"WakeupType", L"Status",
    L"SystemType", nullptr};
const CategoryColumn kComputerSystemColumns[] = {
    {1600, false},  // 0 Name
    {1623, false},  // 1 Domain
    {1605, false},  // 2 Description
    {1624, false},  // 3 Roles
    {1625, false},  // 4 User Name
    {1626, true},   // 5 Current Time Zone
    {1627, false},  // 6 Domain Role
    {1603, false},  // 7 Manufacturer
    {1628, false},  // 8 Model
    {1629, true},   // 9 Number of Processors
    {1630, false},  // 10 Wakeup Type
    {1610, false},  // 11 Status
    {1631, false},  // 12 System Type
};
const int kComputerSystemNumericColumns[] = {5, 9};

// Store 7: System Enclosure
const wchar_t* const kSystemEnclosureProperties[] = {
    L"Name", L"ChassisTypes", L"Manufacturer", L"SerialNumber", L"SMBIOSAssetTag", L"Tag",
    nullptr};
const CategoryColumn kSystemEnclosureColumns[] = {
    {1600, false},  // 0 Name
    {1632, false},  // 1 Chassis Type
    {1603, false},  // 2 Manufacturer
    {1613, false},  // 3 Serial Number
    {1633, false},  // 4 SMBIOS Asset Tag
    {1634, false},  // 5 Tag
};

// Store 8: Tape Drive
const wchar_t* const kTapeDriveProperties[] = {
    L"Name", L"DeviceID", L"Availability", L"Description", L"MediaType", L"Status", nullptr};
const CategoryColumn kTapeDriveColumns[] = {
    {1600, false},  // 0 Name
    {1601, false},  // 1 Device ID
    {1604, false},  // 2 Availability
    {1605, false},  // 3 Description
    {1606, false},  // 4 Media Type
    {1610, false},  // 5 Status
};

// Store 9: Disk Drive
const wchar_t* const kDiskDriveProperties[] = {
    L"Name", L"DeviceID", L"Availability", L"Description", L"Index", L"InterfaceType",
    L"Manufacturer", L"MediaType", L"Partitions", L"PNPDeviceID", L"SCSIBus",
    L"SCSILogicalUnit", L"SCSIPort", L"SCSITargetId", L"Size", L"SystemName", L"TotalCylinders",
    L"TotalSectors", L"TotalTracks", nullptr};
const CategoryColumn kDiskDriveColumns[] = {
    {1600, false},  // 0 Name
    {1601, false},  // 1 Device ID
    {1604, false},  // 2 Availability
    {1605, false},  // 3 Description
    {1618, true},   // 4 Index
    {1635, false},  // 5 Interface Type
    {1603, false},  // 6 Manufacturer
    {1606, false},  // 7 Media Type
    {1636, true},   // 8 Partitions
    {1637, false},  // 9 PNP Device ID
    {1638, true},   // 10 SCSI Bus
    {1639, true},   // 11 SCSI Logical Unit
    {1640, true},   // 12 SCSI Port
    {1607, true},   // 13 SCSI Target ID
    {1758, true},   // 14 Size (Bytes)
    {1608, false},  // 15 System Name
    {1642, true},   // 16 Total Cylinders
    {1643, true},   // 17 Total Sectors
    {1644, true},   // 18 Total Tracks
};
const int kDiskDriveNumericColumns[] = {4, 8, 10, 11, 12, 13, 14, 16, 17, 18};

// Store 10: Disk Partition
const wchar_t* const kDiskPartitionProperties[] = {
    L"Name", L"DeviceID", L"Access", L"Bootable", L"BootPartition", L"Description",
    L"BlockSize", L"PrimaryPartition", L"Size", L"SystemName", L"Type", nullptr};
const CategoryColumn kDiskPartitionColumns[] = {
    {1600, false},  // 0 Name
    {1601, false},  // 1 Device ID
    {1645, false},  // 2 Access
    {1646, false},  // 3 Bootable
    {1647, false},  // 4 Boot Partition
    {1605, false},  // 5 Description
    {1648, true},   // 6 Block Size
    {1649, false},  // 7 Primary Partition
    {1758, true},   // 8 Size (Bytes)
    {1608, false},  // 9 System Name
    {1650, false},  // 10 Type
};
const int kDiskPartitionNumericColumns[] = {6, 8};

// Store 11: Desktop Monitor
const wchar_t* const kDesktopMonitorProperties[] = {
    L"Name", L"DeviceID", L"Description", L"DisplayType", L"MonitorManufacturer",
    L"MonitorType", L"PixelsPerXLogicalInch", L"PixelsPerYLogicalInch", L"ScreenHeight",
    L"ScreenWidth", nullptr};
const CategoryColumn kDesktopMonitorColumns[] = {
    {1600, false},  // 0 Name
    {1601, false},  // 1 Device ID
    {1605, false},  // 2 Description
    {1651, false},  // 3 Display Type
    {1603, false},  // 4 Manufacturer
    {1652, false},  // 5 Monitor Type
    {1653, true},   // 6 Pixel / X Logical Inch
    {1654, true},   // 7 Pixel / Y Logical Inch
    {1655, true},   // 8 Screen Height
    {1656, true},   // 9 Screen Width
};
const int kDesktopMonitorNumericColumns[] = {6, 7, 8, 9};

// Store 12: Network Adapter
const wchar_t* const kNetworkAdapterProperties[] = {
    L"Name", L"DeviceID", L"Description", L"AdapterType", L"MACAddress", L"Manufacturer",
    L"MaxSpeed", L"ProductName", L"ServiceName", L"Speed", L"Status", nullptr};
const CategoryColumn kNetworkAdapterColumns[] = {
    {1600, false},  // 0 Name
    {1601, true},   // 1 Device ID
    {1605, false},  // 2 Description
    {1657, false},  // 3 Adapter Type
    {1658, false},  // 4 MAC Address
    {1603, false},  // 5 Manufacturer
    {1659, false},  // 6 Max. Speed
    {1660, false},  // 7 Product Name
    {1661, false},  // 8 Service Name
    {1662, true},   // 9 Speed
    {1610, false},  // 10 Status
};
const int kNetworkAdapterNumericColumns[] = {1, 6, 9};

// Store 13: Network Adapter Configuration
const wchar_t* const kNetworkAdapterConfigurationProperties[] = {
    L"Index", L"IPAddress", L"IPSubnet", L"DefaultIPGateway", L"MACAddress", L"DHCPEnabled",
    L"DHCPServer", L"IPEnabled", L"IPXEnabled", L"ServiceName", nullptr};
const CategoryColumn kNetworkAdapterConfigurationColumns[] = {
    {1618, false},  // 0 Index
    {1663, false},  // 1 IP Address
    {1664, false},  // 2 IP Subnet
    {1665, false},  // 3 Default IP Gateway
    {1658, false},  // 4 MAC Address
    {1666, false},  // 5 DHCP Enabled
    {1667, false},  // 6 DHCP Server
    {1668, false},  // 7 IP Enabled
    {1669, false},  // 8 IPX Enabled
    {1661, false},  // 9 Service Name
};
const int kNetworkAdapterConfigurationNumericColumns[] = {0};

// Store 14: Video Controller
const wchar_t* const kVideoControllerProperties[] = {
    L"Name", L"DeviceID", L"Description", L"AdapterCompatibility", L"AdapterDACType",
    L"AdapterRAM", L"CurrentBitsPerPixel", L"CurrentHorizontalResolution",
    L"CurrentVerticalResolution", L"CurrentNumberOfColors", L"CurrentNumberOfColumns",
    L"CurrentNumberOfRows", L"CurrentRefreshRate", L"CurrentScanMode", L"DriverDate",
    L"DriverVersion", L"InstalledDisplayDrivers", L"NumberOfColorPlanes",
    L"SpecificationVersion", L"VideoMode", L"VideoModeDescription", L"VideoProcessor", nullptr};
const CategoryColumn kVideoControllerColumns[] = {
    {1600, false},  // 0 Name
    {1601, false},  // 1 Device ID
    {1605, false},  // 2 Description
    {1670, false},  // 3 Adapter Compatibility
    {1671, false},  // 4 Adapter DAC Type
    {1672, true},   // 5 Adapter RAM
    {1673, true},   // 6 Current Bits / Pixel
    {1674, true},   // 7 Current Horizontal Resolution
    {1675, true},   // 8 Current Vertical Resolution
    {1676, true},   // 9 Current Number of Colors
    {1677, true},   // 10 Current Number of Columns
    {1678, true},   // 11 Current Number of Rows
    {1679, true},   // 12 Current Refresh Rate
    {1680, false},  // 13 Current Scan Mode
    {1681, false},  // 14 Driver Date
    {1682, false},  // 15 Driver Version
    {1683, false},  // 16 Installed Display Drivers
    {1684, true},   // 17 Number of Color Planes
    {1757, true},   // 18 Specification Version
    {1685, true},   // 19 Video Mode
    {1686, false},  // 20 Video Mode Description
    {1687, false},  // 21 Video Processor
};
const int kVideoControllerNumericColumns[] = {6, 7, 8, 9, 10, 11, 12, 17, 18, 19};

// Store 15: Processor
const wchar_t* const kProcessorProperties[] = {
    L"Name", L"DeviceID", L"Manufacturer", L"Family", L"AddressWidth", L"DataWidth",
    L"MaxClockSpeed", L"CurrentClockSpeed", L"ProcessorId", L"ProcessorType", L"Revision",
    L"SocketDesignation", L"Status", L"SystemName", L"Version", L"Architecture", nullptr};
const CategoryColumn kProcessorColumns[] = {
    {1600, false},  // 0 Name
    {1601, false},  // 1 Device ID
    {1603, false},  // 2 Manufacturer
    {1688, false},  // 3 Family
    {1692, true},   // 4 Address Width
    {1690, true},   // 5 Data Width
    {1691, true},   // 6 Max. Clock Speed
    {1689, true},   // 7 Current Clock Speed
    {1693, false},  // 8 Processor ID
    {1694, false},  // 9 Processor Type
    {1695, true},   // 10 Revision
    {1696, false},  // 11 Socket Designation
    {1610, false},  // 12 Status
    {1608, false},  // 13 System Name
    {1612, false},  // 14 Version
    {1697, false},  // 15 Atchitechture
};
const int kProcessorNumericColumns[] = {4, 5, 6, 7, 10};

// Store 16: Pointing Device
const wchar_t* const kPointingDeviceProperties[] = {
    L"Name", L"DeviceID", L"HardwareType", L"NumberOfButtons", L"Status", nullptr};
const CategoryColumn kPointingDeviceColumns[] = {
    {1600, false},  // 0 Name
    {1601, false},  // 1 Device ID
    {1700, false},  // 2 Hardware Type
    {1701, true},   // 3 Number of Buttons
    {1610, false},  // 4 Status
};
const int kPointingDeviceNumericColumns[] = {3};

// Store 17: Motherboard
const wchar_t* const kMotherboardDeviceProperties[] = {
    L"Name", L"DeviceID", L"Description", L"PrimaryBusType", L"SecondaryBusType",
    L"RevisionNumber", L"Status", L"StatusInfo", L"SystemName", nullptr};
const CategoryColumn kMotherboardDeviceColumns[] = {
    {1600, false},  // 0 Name
    {1601, false},  // 1 Device ID
    {1605, false},  // 2 Description
    {1702, false},  // 3 Primary Bus Type
    {1703, false},  // 4 Secondary Bus Type
    {1704, false},  // 5 Revision Number
    {1610, false},  // 6 Status
    {1705, false},  // 7 Status Info
    {1608, false},  // 8 System Name
};

// Store 18: Physical Memory
const wchar_t* const kPhysicalMemoryProperties[] = {
    L"Name", L"Capacity", L"DataWidth", L"DeviceLocator", L"FormFactor", L"Manufacturer",
    L"MemoryType", L"PartNumber", L"SerialNumber", L"Speed", nullptr};
const CategoryColumn kPhysicalMemoryColumns[] = {
    {1600, false},  // 0 Name
    {1706, true},   // 1 Capacity (Bytes)
    {1690, true},   // 2 Data Width
    {1707, false},  // 3 Device Locator
    {1708, false},  // 4 From Factor
    {1603, false},  // 5 Manufacturer
    {1709, false},  // 6 Memory Type
    {1710, false},  // 7 Part Number
    {1613, false},  // 8 Serial Number
    {1711, true},   // 9 Speed (Nano Sec.)
};
const int kPhysicalMemoryNumericColumns[] = {1, 2, 9};

// Store 19: System
const wchar_t* const kOperatingSystemProperties[] = {
    L"Name", L"BootDevice", L"Description", L"Manufacturer", L"Version", L"BuildNumber",
    L"Caption", L"CountryCode", L"CSDVersion", L"FreePhysicalMemory", L"FreeVirtualMemory",
    L"InstallDate", L"LastBootUpTime", L"Locale", L"MaxNumberOfProcesses", L"OSLanguage",
    L"SystemDirectory", L"TotalSwapSpaceSize", L"TotalVirtualMemorySize",
    L"TotalVisibleMemorySize", L"WindowsDirectory", nullptr};
const CategoryColumn kOperatingSystemColumns[] = {
    {1600, false},  // 0 Name
    {1712, false},  // 1 Boot Device
    {1605, false},  // 2 Description
    {1603, false},  // 3 Manufacturer
    {1612, false},  // 4 Version
    {1713, false},  // 5 Build Number
    {1714, false},  // 6 Caption
    {1715, false},  // 7 Country Code
    {1716, false},  // 8 CSD Version
    {1717, true},   // 9 Free Physical Memory (KB)
    {1718, true},   // 10 Free Virtual Memory (KB)
    {1719, false},  // 11 Install Date
    {1720, false},  // 12 Last Bootup Time
    {1721, false},  // 13 Local
    {1722, true},   // 14 Max. Number of Processes
    {1723, false},  // 15 OS Language
    {1724, false},  // 16 System Directory
    {1725, true},   // 17 Total Swap Space Size (KB)
    {1726, true},   // 18 Total Virtual Memory Size (KB)
    {1727, true},   // 19 Total Visible Memory Size (KB)
    {1728, false},  // 20 Windows Directory
};
const int kOperatingSystemNumericColumns[] = {14, 17, 18, 19};

// Store 20: Service
const wchar_t* const kServiceProperties[] = {
    L"Name", L"ServiceType", L"Status", L"DisplayName", L"PathName", L"Started", L"StartMode",
    L"StartName", L"State", nullptr};
const CategoryColumn kServiceColumns[] = {
    {1600, false},  // 0 Name
    {1729, false},  // 1 Service Type
    {1610, false},  // 2 Status
    {1730, false},  // 3 Display Name
    {1731, false},  // 4 Path Name
    {1732, false},  // 5 Started
    {1733, false},  // 6 Start Mode
    {1734, false},  // 7 Start Name
    {1735, false},  // 8 State
};

// Store 21: Network Client
const wchar_t* const kNetworkClientProperties[] = {
    L"Name", L"Description", L"Manufacturer", L"Status", nullptr};
const CategoryColumn kNetworkClientColumns[] = {
    {1600, false},  // 0 Name
    {1605, false},  // 1 Description
    {1603, false},  // 2 Manufacturer
    {1610, false},  // 3 Status
};

// Store 22: Logical Disk
const wchar_t* const kLogicalDiskProperties[] = {
    L"Name", L"DeviceID", L"VolumeName", L"Availability", L"Compressed", L"Description",
    L"DriveType", L"FileSystem", L"FreeSpace", L"BlockSize", L"Size", L"SystemName", nullptr};
const CategoryColumn kLogicalDiskColumns[] = {
    {1600, false},  // 0 Name
    {1601, false},  // 1 Device ID
    {1736, false},  // 2 Volume Name
    {1604, false},  // 3 Availability
    {1737, false},  // 4 Compressed
    {1605, false},  // 5 Description
    {1738, false},  // 6 Drive Type
    {1739, false},  // 7 File System
    {1740, true},   // 8 Free Space (Bytes)
    {1648, true},   // 9 Block Size
    {1758, true},   // 10 Size (Bytes)
    {1608, false},  // 11 System Name
};
const int kLogicalDiskNumericColumns[] = {8, 9, 10};

// Store 23: User Account
const wchar_t* const kUserAccountProperties[] = {
    L"Name", L"AccountType", L"Description", L"Disabled", L"Domain", L"Lockout", L"FullName",
    L"PasswordChangeable", L"PasswordExpires", L"PasswordRequired", L"SID", L"SIDType",
    L"Status", nullptr};
const CategoryColumn kUserAccountColumns[] = {
    {1600, false},  // 0 Name
    {1741, false},  // 1 Account Type
    {1605, false},  // 2 Description
    {1742, false},  // 3 Disabled
    {1623, false},  // 4 Domain
    {1743, false},  // 5 Lockout
    {1744, false},  // 6 Full Name
    {1745, false},  // 7 Password Changeable
    {1746, false},  // 8 Password Expires
    {1747, false},  // 9 Password Required
    {1748, false},  // 10 SID
    {1749, false},  // 11 SID Type
    {1610, false},  // 12 Status
};

// Store 24: Group
const wchar_t* const kGroupProperties[] = {
    L"Name", L"Description", L"Domain", L"SID", L"SIDType", L"Status", nullptr};
const CategoryColumn kGroupColumns[] = {
    {1600, false},  // 0 Name
    {1605, false},  // 1 Description
    {1623, false},  // 2 Domain
    {1748, false},  // 3 SID
    {1749, false},  // 4 SID Type
    {1610, false},  // 5 Status
};

// Store 25: Product
const wchar_t* const kProductProperties[] = {
    L"Name", L"Description", L"Vendor", L"Version", L"Language", L"IdentifyingNumber",
    L"InstallDate", L"InstallLocation", L"InstallSource", L"PackageName", L"PackageCode",
    nullptr};
const CategoryColumn kProductColumns[] = {
    {1600, false},  // 0 Name
    {1605, false},  // 1 Description
    {1750, false},  // 2 Vendor
    {1612, false},  // 3 Version
    {1751, false},  // 4 Language
    {1752, false},  // 5 ID Number
    {1719, false},  // 6 Install Date
    {1753, false},  // 7 Install Location
    {1754, false},  // 8 Install Source
    {1755, false},  // 9 Package Name
    {1756, false},  // 10 Package Code
};

// Store 26: Software Feature
const wchar_t* const kSoftwareFeatureProperties[] = {
    L"Name", L"Description", L"Vendor", L"ProductName", L"Version", nullptr};
const CategoryColumn kSoftwareFeatureColumns[] = {
    {1600, false},  // 0 Name
    {1605, false},  // 1 Description
    {1750, false},  // 2 Vendor
    {1660, false},  // 3 Product Name
    {1612, false},  // 4 Version
};

// Store 27: Quick Fix Engineering
const wchar_t* const kQuickFixEngineeringProperties[] = {
    L"HotFixID", L"FixComments", L"Description", L"Caption", L"ServicePackInEffect", L"CSName",
    L"InstalledBy", L"InstalledOn", nullptr};
const CategoryColumn kQuickFixEngineeringColumns[] = {
    {1759, false},  // 0 Hotfix ID
    {1760, false},  // 1 Fix Comments
    {1605, false},  // 2 Description
    {1761, false},  // 3 QFE Caption
    {1762, false},  // 4 Service Pack in Effect
    {1763, false},  // 5 Computer Name
    {1764, false},  // 6 Installed By
    {1765, false},  // 7 Installed On
};

}  // namespace

const StandardCategory kStandardCategories[kCategoryCount] = {
    {0, 4, 4005, CategoryGroup::Hardware, 322,
     "Win32_CDROMDrive", ClassId::Win32_CDROMDrive,
     "Select Name,DeviceID,Drive,Manufacturer,Availability,Description,MediaType,"
     "SCSITargetId,SystemName from Win32_CDROMDrive",
     kCDROMDriveProperties,
     kCDROMDriveColumns, CountOf(kCDROMDriveColumns),
     kCDROMDriveNumericColumns, CountOf(kCDROMDriveNumericColumns)},
    {1, 5, 4006, CategoryGroup::Hardware, 323,
     "Win32_IDEController", ClassId::Win32_IDEController,
     "Select Name,DeviceID,Manufacturer,Availability,Description,"
     "Status from Win32_IDEController",
     kIDEControllerProperties,
     kIDEControllerColumns, CountOf(kIDEControllerColumns),
     nullptr, 0},
    {2, 6, 4007, CategoryGroup::Hardware, 324,
     "Win32_BIOS", ClassId::Win32_BIOS,
     "Select Name,Manufacturer,Description,ReleaseDate,Version,SerialNumber,"
     "SMBIOSBIOSVersion,SoftwareElementID,SoftwareElementState,"
     "TargetOperatingSystem from Win32_BIOS",
     kBIOSProperties,
     kBIOSColumns, CountOf(kBIOSColumns),
     nullptr, 0},
    {3, 7, 4008, CategoryGroup::Hardware, 325,
     "Win32_SCSIController", ClassId::Win32_SCSIController,
     "Select Name,DeviceID,Index,Manufacturer,Availability,Description,DriverName,"
     "HardwareVersion,MaxTransferRate,Status from Win32_SCSIController",
     kSCSIControllerProperties,
     kSCSIControllerColumns, CountOf(kSCSIControllerColumns),
     kSCSIControllerNumericColumns, CountOf(kSCSIControllerNumericColumns)},
    {4, 8, 4009, CategoryGroup::Hardware, 326,
     "Win32_USBController", ClassId::Win32_USBController,
     "Select Name,DeviceID,Availability,Description from Win32_USBController",
     kUSBControllerProperties,
     kUSBControllerColumns, CountOf(kUSBControllerColumns),
     nullptr, 0},
    {5, 9, 4010, CategoryGroup::Hardware, 327,
     "Win32_Keyboard", ClassId::Win32_Keyboard,
     "Select Name,DeviceID,Description,Layout from Win32_Keyboard",
     kKeyboardProperties,
     kKeyboardColumns, CountOf(kKeyboardColumns),
     nullptr, 0},
    {6, 10, 4011, CategoryGroup::Hardware, 328,
     "Win32_ComputerSystem", ClassId::Win32_ComputerSystem,
     "Select Name,Domain,Description,Roles,UserName,CurrentTimeZone,DomainRole,"
     "Manufacturer,Model,NumberOfProcessors,WakeupType,Status,"
     "SystemType from Win32_ComputerSystem",
     kComputerSystemProperties,
     kComputerSystemColumns, CountOf(kComputerSystemColumns),
     kComputerSystemNumericColumns, CountOf(kComputerSystemNumericColumns)},
    {7, 11, 4012, CategoryGroup::Hardware, 329,
     "Win32_SystemEnclosure", ClassId::Win32_SystemEnclosure,
     "Select Name,ChassisTypes,Manufacturer,SerialNumber,SMBIOSAssetTag,"
     "Tag from Win32_SystemEnclosure",
     kSystemEnclosureProperties,
     kSystemEnclosureColumns, CountOf(kSystemEnclosureColumns),
     nullptr, 0},
    {8, 12, 4013, CategoryGroup::Hardware, 330,
     "Win32_TapeDrive", ClassId::Win32_TapeDrive,
     "Select Name,DeviceID,Availability,Description,MediaType,"
     "Status from Win32_TapeDrive",
     kTapeDriveProperties,
     kTapeDriveColumns, CountOf(kTapeDriveColumns),
     nullptr, 0},
    {9, 13, 4014, CategoryGroup::Hardware, 331,
     "Win32_DiskDrive", ClassId::Win32_DiskDrive,
     "Select Name,DeviceID,Availability,Description,Index,InterfaceType,"
     "Manufacturer,MediaType,Partitions,PNPDeviceID,SCSIBus,SCSILogicalUnit,"
     "SCSIPort,SCSITargetId,Size,SystemName,TotalCylinders,TotalSectors,"
     "TotalTracks from Win32_DiskDrive",
     kDiskDriveProperties,
     kDiskDriveColumns, CountOf(kDiskDriveColumns),
     kDiskDriveNumericColumns, CountOf(kDiskDriveNumericColumns)},
    {10, 14, 4015, CategoryGroup::Hardware, 332,
     "Win32_DiskPartition", ClassId::Win32_DiskPartition,
     "Select Name,DeviceID,Access,Bootable,BootPartition,Description,BlockSize,"
     "PrimaryPartition,Size,SystemName,Type from Win32_DiskPartition",
     kDiskPartitionProperties,
     kDiskPartitionColumns, CountOf(kDiskPartitionColumns),
     kDiskPartitionNumericColumns, CountOf(kDiskPartitionNumericColumns)},
    {11, 15, 4016, CategoryGroup::Hardware, 333,
     "Win32_DesktopMonitor", ClassId::Win32_DesktopMonitor,
     "Select Name,DeviceID,Description,DisplayType,MonitorManufacturer,MonitorType,"
     "PixelsPerXLogicalInch,PixelsPerYLogicalInch,ScreenHeight,"
     "ScreenWidth from Win32_DesktopMonitor",
     kDesktopMonitorProperties,
     kDesktopMonitorColumns, CountOf(kDesktopMonitorColumns),
     kDesktopMonitorNumericColumns, CountOf(kDesktopMonitorNumericColumns)},
    {12, 16, 4017, CategoryGroup::Hardware, 334,
     "Win32_NetworkAdapter", ClassId::Win32_NetworkAdapter,
     "Select Name,DeviceID,Description,AdapterType,MACAddress,Manufacturer,MaxSpeed,"
     "ProductName,ServiceName,Speed,Status from Win32_NetworkAdapter",
     kNetworkAdapterProperties,
     kNetworkAdapterColumns, CountOf(kNetworkAdapterColumns),
     kNetworkAdapterNumericColumns, CountOf(kNetworkAdapterNumericColumns)},
    {13, 17, 4018, CategoryGroup::Hardware, 335,
     "Win32_NetworkAdapterConfiguration", ClassId::Win32_NetworkAdapterConfiguration,
     "Select Index,IPAddress,IPSubnet,DefaultIPGateway,MACAddress,DHCPEnabled,"
     "DHCPServer,IPEnabled,IPXEnabled,"
     "ServiceName from Win32_NetworkAdapterConfiguration",
     kNetworkAdapterConfigurationProperties,
     kNetworkAdapterConfigurationColumns, CountOf(kNetworkAdapterConfigurationColumns),
     kNetworkAdapterConfigurationNumericColumns,
     CountOf(kNetworkAdapterConfigurationNumericColumns)},
    {14, 18, 4019, CategoryGroup::Hardware, 336,
     "Win32_VideoController", ClassId::Win32_VideoController,
     "Select Name,DeviceID,Description,AdapterCompatibility,AdapterDACType,"
     "AdapterRAM,CurrentBitsPerPixel,CurrentHorizontalResolution,"
     "CurrentVerticalResolution,CurrentNumberOfColors,CurrentNumberOfColumns,"
     "CurrentNumberOfRows,CurrentRefreshRate,CurrentScanMode,DriverDate,"
     "DriverVersion,InstalledDisplayDrivers,NumberOfColorPlanes,"
     "SpecificationVersion,VideoMode,VideoModeDescription,"
     "VideoProcessor from Win32_VideoController",
     kVideoControllerProperties,
     kVideoControllerColumns, CountOf(kVideoControllerColumns),
     kVideoControllerNumericColumns, CountOf(kVideoControllerNumericColumns)},
    {15, 19, 4020, CategoryGroup::Hardware, 337,
     "Win32_Processor", ClassId::Win32_Processor,
     "Select Name,DeviceID,Manufacturer,Family,AddressWidth,DataWidth,MaxClockSpeed,"
     "CurrentClockSpeed,ProcessorId,ProcessorType,Revision,SocketDesignation,Status,"
     "SystemName,Version,Architecture from Win32_Processor",
     kProcessorProperties,
     kProcessorColumns, CountOf(kProcessorColumns),
     kProcessorNumericColumns, CountOf(kProcessorNumericColumns)},
    {16, 20, 4021, CategoryGroup::Hardware, 338,
     "Win32_PointingDevice", ClassId::Win32_PointingDevice,
     "Select Name,DeviceID,HardwareType,NumberOfButtons,"
     "Status from Win32_PointingDevice",
     kPointingDeviceProperties,
     kPointingDeviceColumns, CountOf(kPointingDeviceColumns),
     kPointingDeviceNumericColumns, CountOf(kPointingDeviceNumericColumns)},
    {17, 21, 4022, CategoryGroup::Hardware, 339,
     "Win32_MotherboardDevice", ClassId::Win32_MotherboardDevice,
     "Select Name,DeviceID,Description,PrimaryBusType,SecondaryBusType,"
     "RevisionNumber,Status,StatusInfo,SystemName from Win32_MotherboardDevice",
     kMotherboardDeviceProperties,
     kMotherboardDeviceColumns, CountOf(kMotherboardDeviceColumns),
     nullptr, 0},
    {18, 22, 4023, CategoryGroup::Hardware, 340,
     "Win32_PhysicalMemory", ClassId::Win32_PhysicalMemory,
     "Select Name,Capacity,DataWidth,DeviceLocator,FormFactor,Manufacturer,"
     "MemoryType,PartNumber,SerialNumber,Speed from Win32_PhysicalMemory",
     kPhysicalMemoryProperties,
     kPhysicalMemoryColumns, CountOf(kPhysicalMemoryColumns),
     kPhysicalMemoryNumericColumns, CountOf(kPhysicalMemoryNumericColumns)},
    {19, 23, 4025, CategoryGroup::OperatingSystem, 342,
     "Win32_OperatingSystem", ClassId::Win32_OperatingSystem,
     "Select Name,BootDevice,Description,Manufacturer,Version,BuildNumber,Caption,"
     "CountryCode,CSDVersion,FreePhysicalMemory,FreeVirtualMemory,InstallDate,"
     "LastBootUpTime,Locale,MaxNumberOfProcesses,OSLanguage,SystemDirectory,"
     "TotalSwapSpaceSize,TotalVirtualMemorySize,TotalVisibleMemorySize,"
     "WindowsDirectory from Win32_OperatingSystem",
     kOperatingSystemProperties,
     kOperatingSystemColumns, CountOf(kOperatingSystemColumns),
     kOperatingSystemNumericColumns, CountOf(kOperatingSystemNumericColumns)},
    {20, 24, 4026, CategoryGroup::OperatingSystem, 343,
     "Win32_Service", ClassId::Win32_Service,
     "Select Name,ServiceType,Status,DisplayName,PathName,Started,StartMode,"
     "StartName,State from Win32_Service",
     kServiceProperties,
     kServiceColumns, CountOf(kServiceColumns),
     nullptr, 0},
    {21, 25, 4031, CategoryGroup::OperatingSystem, 348,
     "Win32_NetworkClient", ClassId::Win32_NetworkClient,
     "Select Name,Description,Manufacturer,Status from Win32_NetworkClient",
     kNetworkClientProperties,
     kNetworkClientColumns, CountOf(kNetworkClientColumns),
     nullptr, 0},
    {22, 26, 4024, CategoryGroup::OperatingSystem, 341,
     "Win32_LogicalDisk", ClassId::Win32_LogicalDisk,
     "Select Name,DeviceID,VolumeName,Availability,Compressed,Description,DriveType,"
     "FileSystem,FreeSpace,BlockSize,Size,SystemName from Win32_LogicalDisk",
     kLogicalDiskProperties,
     kLogicalDiskColumns, CountOf(kLogicalDiskColumns),
     kLogicalDiskNumericColumns, CountOf(kLogicalDiskNumericColumns)},
    {23, 27, 4027, CategoryGroup::OperatingSystem, 344,
     "Win32_UserAccount", ClassId::Win32_UserAccount,
     "Select Name,AccountType,Description,Disabled,Domain,Lockout,FullName,"
     "PasswordChangeable,PasswordExpires,PasswordRequired,SID,SIDType,"
     "Status from Win32_UserAccount",
     kUserAccountProperties,
     kUserAccountColumns, CountOf(kUserAccountColumns),
     nullptr, 0},
    {24, 28, 4028, CategoryGroup::OperatingSystem, 345,
     "Win32_Group", ClassId::Win32_Group,
     "Select Name,Description,Domain,SID,SIDType,Status from Win32_Group",
     kGroupProperties,
     kGroupColumns, CountOf(kGroupColumns),
     nullptr, 0},
    {25, 29, 4029, CategoryGroup::Software, 346,
     "Win32_Product", ClassId::Win32_Product,
     "Select * from Win32_Product",
     kProductProperties,
     kProductColumns, CountOf(kProductColumns),
     nullptr, 0},
    {26, 30, 4030, CategoryGroup::Software, 347,
     "Win32_SoftwareFeature", ClassId::Win32_SoftwareFeature,
     "Select Name,Description,Vendor,ProductName,Version from Win32_SoftwareFeature",
     kSoftwareFeatureProperties,
     kSoftwareFeatureColumns, CountOf(kSoftwareFeatureColumns),
     nullptr, 0},
    {27, 31, 4032, CategoryGroup::Software, 349,
     "Win32_QuickFixEngineering", ClassId::Win32_QuickFixEngineering,
     "Select HotFixID,FixComments,Description,Caption,ServicePackInEffect,CSName,"
     "InstalledBy,InstalledOn from Win32_QuickFixEngineering",
     kQuickFixEngineeringProperties,
     kQuickFixEngineeringColumns, CountOf(kQuickFixEngineeringColumns),
     nullptr, 0},
};
