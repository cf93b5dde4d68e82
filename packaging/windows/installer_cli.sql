-- What vantrel-cli.exe adds to the installer (after installer_tables.sql).
-- Its version is in the File table: no hash.
DELETE FROM `MsiFileHash` WHERE `File_` = 'vantrel_cli.exe'
-- With ADDCLIPATH=1 the installation folder, and so vantrel-cli.exe, is on
-- the system PATH, and leaves it again on removal ("=": set on install,
-- "-": removed on uninstall, "*": the machine's; "[~];" appends).
CREATE TABLE `Environment` (`Environment` CHAR(72) NOT NULL, `Name` CHAR(255) NOT NULL LOCALIZABLE, `Value` CHAR(255) LOCALIZABLE, `Component_` CHAR(72) NOT NULL PRIMARY KEY `Environment`)
INSERT INTO `Environment` (`Environment`, `Name`, `Value`, `Component_`) VALUES ('CommandLineOnPath', '=-*PATH', '[~];[INSTALLDIR]', 'CommandLineOnPath')
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('RemoveEnvironmentStrings', 3300)
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('WriteEnvironmentStrings', 5200)
UPDATE `Component` SET `Condition` = 'ADDCLIPATH = "1" OR REMOVE = "ALL"' WHERE `Component` = 'CommandLineOnPath'
