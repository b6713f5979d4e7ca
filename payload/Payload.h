// Ids of the files the program carries as "OWNER_DATA" resources; shared with
// the resource script.
#pragma once

#define PAYLOAD_TYPE "OWNER_DATA"

#define IDP_LANGUAGE_GBK     146  // Language\Multi_ch.dll
#define IDP_LANGUAGE_ENGLISH 147  // Language\Multi_eng.dll
#define IDP_SETTING          148  // setting.dll
#define IDP_LANGUAGE_BIG5    248  // Language\Multi_ch_BIG5.dll
#define IDP_UNINSTALLER      255  // C:\TEMP\uninstall<model>.exe
#define IDP_PRINTER_INF      256  // C:\TEMP\<model>.INF
#define IDP_CDC_INF          257  // <Windows>\stmcdc.inf
