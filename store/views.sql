-- The views of the inventory store: what questions and the user's own SQL read. The
-- tables under them may change from one version of the store to the next; these views keep
-- their names and columns. Every statement ends with ";" at the end of its line. A change
-- here needs a new store version whose migration drops the views and makes them anew.
--
-- "KEEP table AS SELECT ..." is not a view: it says how the rows of a table of the latest
-- checks' categories are made, which the store keeps up to date whenever a computer's
-- latest check changes (a check recorded, pruned or deleted), so that questions over
-- programs, services, systems and disks look up rows instead of gathering every computer's
-- objects. Its columns are those of the table the store's schema makes, in the same order.
--
-- Placeholders, expanded when the program is built (o is the row of check_objects or
-- latest_objects the view reads):
--   {value:P}    the raw value of property P as text (a number in decimal, a boolean as 1 or 0);
--                {value:P@a} the same of the row a instead of o
--   {shown:P}    the text Mirel shows for P
--   {number:P}   the raw value of P as a whole number (null when it is not one)
--   {flag:P}     a boolean P as 1 or 0 (null when it is not a boolean)
--   {latest:C:P,Q}  as a source (FROM ... o): the objects of class C in the latest checks,
--                carrying the cells of P, Q... of their object versions and of their groups
--                of volatile values, which are then read once per object version and group
--                instead of once per computer: for the big categories whose objects many
--                computers share (services, programs); in a KEEP, the store also makes
--                the rows of one computer's latest check alone
-- and, when the program creates the views, {big} and {real} become the database's 64-bit
-- integer and floating types.

-- Every object of every check, with where it stands in the check.
CREATE VIEW check_objects AS SELECT c.id AS check_id, c.computer_id, c.local_time AS checked_at, c.checked_epoch, c.kind, p.ordinal, k.class_name, s.position AS member, o.id AS object_id, o.identity, o.columns_id FROM store_checks c JOIN store_part_list_members p ON p.list_id = c.part_list_id JOIN store_columns k ON k.id = p.columns_id JOIN store_set_members s ON s.set_id = p.set_id JOIN store_objects o ON o.id = s.object_id;

-- The latest complete standard check of each computer: one lookup in the index of checks
-- per computer.
CREATE VIEW latest_checks AS SELECT m.id AS computer_id, m.name AS computer, c.id AS check_id, c.local_time AS checked_at, c.checked_epoch FROM store_computers m JOIN store_checks c ON c.id = (SELECT l.id FROM store_checks l WHERE l.computer_id = m.id AND l.kind = 'standard' AND l.complete = 1 ORDER BY l.checked_epoch DESC, l.id DESC LIMIT 1);

-- The objects of those checks.
CREATE VIEW latest_objects AS SELECT o.check_id, o.computer_id, o.checked_at, o.checked_epoch, o.kind, o.ordinal, o.class_name, o.member, o.object_id, o.identity, o.columns_id FROM latest_checks l JOIN check_objects o ON o.check_id = l.check_id;

CREATE VIEW checks AS SELECT c.id AS check_id, m.name AS computer, c.target AS typed_as, c.domain, c.local_time AS checked_at, c.checked_at AS checked_utc, c.checked_epoch, c.kind, c.result, c.complete, c.changes, c.account, c.error_code, c.message, c.source FROM store_checks c JOIN store_computers m ON m.id = c.computer_id;

CREATE VIEW computers AS SELECT m.name AS computer, (SELECT f.local_time FROM store_checks f WHERE f.computer_id = m.id ORDER BY f.checked_epoch, f.id LIMIT 1) AS first_checked, (SELECT l.local_time FROM store_checks l WHERE l.computer_id = m.id ORDER BY l.checked_epoch DESC, l.id DESC LIMIT 1) AS last_checked, (SELECT l.checked_epoch FROM store_checks l WHERE l.computer_id = m.id ORDER BY l.checked_epoch DESC, l.id DESC LIMIT 1) AS last_checked_epoch, (SELECT l.result FROM store_checks l WHERE l.computer_id = m.id ORDER BY l.checked_epoch DESC, l.id DESC LIMIT 1) AS last_result, (SELECT count(*) FROM store_checks n WHERE n.computer_id = m.id) AS checks, (SELECT d.domain FROM store_checks d WHERE d.computer_id = m.id AND d.identified = 1 ORDER BY d.checked_epoch DESC, d.id DESC LIMIT 1) AS domain FROM store_computers m;

-- The operating system and the disks of the latest checks, read from the rows kept of them.
KEEP store_latest_os AS SELECT o.computer_id, o.check_id, o.checked_at, {shown:Caption} AS caption, {value:Version} AS version, {value:BuildNumber} AS build, {value:CSDVersion} AS service_pack, {value:OSLanguage} AS language, {shown:InstallDate} AS installed, {shown:LastBootUpTime} AS last_boot, {number:TotalVisibleMemorySize} AS memory_kb, {number:FreePhysicalMemory} AS free_memory_kb, {value:WindowsDirectory} AS windows_directory FROM {latest:Win32_OperatingSystem:Caption,Version,BuildNumber,CSDVersion,OSLanguage,InstallDate,LastBootUpTime,TotalVisibleMemorySize,FreePhysicalMemory,WindowsDirectory} o;

CREATE VIEW os AS SELECT m.name AS computer, o.check_id, o.checked_at, o.caption, o.version, o.build, o.service_pack, o.language, o.installed, o.last_boot, o.memory_kb, o.free_memory_kb, o.windows_directory FROM store_latest_os o JOIN store_computers m ON m.id = o.computer_id;

CREATE VIEW hardware AS SELECT m.name AS computer, l.check_id, l.checked_at, (SELECT {value:Manufacturer} FROM check_objects o WHERE o.check_id = l.check_id AND o.class_name = 'Win32_ComputerSystem' ORDER BY o.member LIMIT 1) AS manufacturer, (SELECT {value:Model} FROM check_objects o WHERE o.check_id = l.check_id AND o.class_name = 'Win32_ComputerSystem' ORDER BY o.member LIMIT 1) AS model, (SELECT {value:SystemType} FROM check_objects o WHERE o.check_id = l.check_id AND o.class_name = 'Win32_ComputerSystem' ORDER BY o.member LIMIT 1) AS architecture, (SELECT {value:SerialNumber} FROM check_objects o WHERE o.check_id = l.check_id AND o.class_name = 'Win32_BIOS' ORDER BY o.member LIMIT 1) AS bios_serial, (SELECT {value:Name} FROM check_objects o WHERE o.check_id = l.check_id AND o.class_name = 'Win32_Processor' ORDER BY o.member LIMIT 1) AS processor, (SELECT count(*) FROM check_objects o WHERE o.check_id = l.check_id AND o.class_name = 'Win32_Processor') AS processors, COALESCE((SELECT sum({number:Capacity}) FROM check_objects o WHERE o.check_id = l.check_id AND o.class_name = 'Win32_PhysicalMemory'), (SELECT {number:TotalVisibleMemorySize} * 1024 FROM check_objects o WHERE o.check_id = l.check_id AND o.class_name = 'Win32_OperatingSystem' ORDER BY o.member LIMIT 1)) AS memory_bytes FROM latest_checks l JOIN store_computers m ON m.id = l.computer_id;

KEEP store_latest_disks AS SELECT o.computer_id, o.check_id, o.checked_at, {value:DeviceID} AS drive, {value:VolumeName} AS volume, {number:DriveType} AS drive_type, {shown:DriveType} AS drive_type_text, {value:FileSystem} AS file_system, {number:Size} AS size_bytes, {number:FreeSpace} AS free_bytes FROM {latest:Win32_LogicalDisk:DeviceID,VolumeName,DriveType,FileSystem,Size,FreeSpace} o;

CREATE VIEW disks AS SELECT m.name AS computer, o.check_id, o.checked_at, o.drive, o.volume, o.drive_type, o.drive_type_text, o.file_system, o.size_bytes, o.free_bytes FROM store_latest_disks o JOIN store_computers m ON m.id = o.computer_id;

-- The programs and services of the latest checks, read from the rows kept of them.
KEEP store_latest_products AS SELECT o.computer_id, o.check_id, o.checked_at, {value:Name} AS name, {value:Version} AS version, {value:Vendor} AS vendor, {value:IdentifyingNumber} AS product_code, {shown:InstallDate} AS installed, {value:InstallLocation} AS location FROM {latest:Win32_Product:Name,Version,Vendor,IdentifyingNumber,InstallDate,InstallLocation} o;

CREATE VIEW products AS SELECT m.name AS computer, o.check_id, o.checked_at, o.name, o.version, o.vendor, o.product_code, o.installed, o.location FROM store_latest_products o JOIN store_computers m ON m.id = o.computer_id;

CREATE VIEW hotfixes AS SELECT m.name AS computer, o.check_id, o.checked_at, {value:HotFixID} AS hotfix, {value:Description} AS description, {value:InstalledBy} AS installed_by, {shown:InstalledOn} AS installed_on FROM latest_objects o JOIN store_computers m ON m.id = o.computer_id WHERE o.class_name = 'Win32_QuickFixEngineering';

KEEP store_latest_services AS SELECT o.computer_id, o.check_id, o.checked_at, {value:Name} AS name, {value:DisplayName} AS display_name, {value:StartMode} AS start_mode, {value:State} AS state, {value:StartName} AS account, {value:PathName} AS path FROM {latest:Win32_Service:Name,DisplayName,StartMode,State,StartName,PathName} o;

CREATE VIEW services AS SELECT m.name AS computer, o.check_id, o.checked_at, o.name, o.display_name, o.start_mode, o.state, o.account, o.path FROM store_latest_services o JOIN store_computers m ON m.id = o.computer_id;

CREATE VIEW accounts AS SELECT m.name AS computer, o.check_id, o.checked_at, {value:Domain} AS domain, {value:Name} AS name, {value:FullName} AS full_name, {value:SID} AS sid, {flag:Disabled} AS disabled, {flag:Lockout} AS locked_out, {flag:PasswordRequired} AS password_required, {flag:PasswordExpires} AS password_expires FROM latest_objects o JOIN store_computers m ON m.id = o.computer_id WHERE o.class_name = 'Win32_UserAccount';

CREATE VIEW network AS SELECT m.name AS computer, o.check_id, o.checked_at, {number:Index} AS adapter, (SELECT {value:Name@a} FROM check_objects a WHERE a.check_id = o.check_id AND a.class_name = 'Win32_NetworkAdapter' AND {value:DeviceID@a} = {value:Index} ORDER BY a.member LIMIT 1) AS name, {value:MACAddress} AS mac_address, {value:IPAddress} AS addresses, {value:IPSubnet} AS subnets, {value:DefaultIPGateway} AS gateways, {flag:DHCPEnabled} AS dhcp FROM latest_objects o JOIN store_computers m ON m.id = o.computer_id WHERE o.class_name = 'Win32_NetworkAdapterConfiguration' AND {flag:IPEnabled} = 1;

CREATE VIEW object_values AS SELECT o.check_id, m.name AS computer, o.checked_at, o.class_name, o.identity AS object_key, n.property, x.raw, x.shown FROM check_objects o JOIN store_computers m ON m.id = o.computer_id JOIN store_column_names n ON n.columns_id = o.columns_id JOIN store_cells x ON x.object_id = o.object_id AND x.position = n.position UNION ALL SELECT o.check_id, m.name AS computer, o.checked_at, o.class_name, o.identity AS object_key, n.property, v.raw, v.shown FROM check_objects o JOIN store_computers m ON m.id = o.computer_id JOIN store_column_names n ON n.columns_id = o.columns_id JOIN store_check_volatile cv ON cv.check_id = o.check_id AND cv.ordinal = o.ordinal JOIN store_volatile_members vm ON vm.set_id = cv.set_id AND vm.member = o.member JOIN store_volatile_cells v ON v.group_id = vm.group_id AND v.position = n.position;

CREATE VIEW changes AS SELECT m.name AS computer, c.id AS check_id, c.local_time AS checked_at, c.checked_epoch, x.class_name, x.identity AS object_key, x.change, x.property, x.before_text AS before_value, x.after_text AS after_value, x.before_raw, x.after_raw FROM store_changes x JOIN store_checks c ON c.id = x.check_id JOIN store_computers m ON m.id = c.computer_id WHERE x.volatile = 0;

-- The checks of each computer a source found: by the key of the name the check was given, or
-- by the computer's name in the store.
CREATE VIEW found_checks AS SELECT f.name_key, c.id AS check_id, c.checked_epoch, c.local_time AS checked_at, c.kind, c.result, c.complete, c.message FROM store_found f JOIN store_checks c ON c.target_key = f.name_key OR c.computer_id = (SELECT m.id FROM store_computers m WHERE m.name_key = f.name_key);

-- Every computer a source found, with what the source said, whether its source's latest read
-- still found it, its latest check, and since when its checks fail.
CREATE VIEW coverage AS SELECT f.name AS computer, f.source, f.dns_name, f.operating_system, f.os_version, f.last_logon, f.distinguished_name, f.first_found, f.found_at AS last_found, f.found_epoch AS last_found_epoch, CASE WHEN f.found_epoch >= s.read_epoch THEN 1 ELSE 0 END AS still_found, l.check_id AS last_check_id, l.checked_at AS last_checked, l.checked_epoch AS last_checked_epoch, l.result AS last_result, l.message AS last_message, (SELECT x.checked_at FROM found_checks x WHERE x.name_key = f.name_key AND x.result <> 'ok' AND x.checked_epoch > COALESCE((SELECT max(y.checked_epoch) FROM found_checks y WHERE y.name_key = f.name_key AND y.result = 'ok'), -1) ORDER BY x.checked_epoch, x.check_id LIMIT 1) AS failing_since FROM store_found f JOIN store_found_sources s ON s.source = f.source LEFT JOIN found_checks l ON l.name_key = f.name_key AND l.check_id = (SELECT z.check_id FROM found_checks z WHERE z.name_key = f.name_key ORDER BY z.checked_epoch DESC, z.check_id DESC LIMIT 1);
