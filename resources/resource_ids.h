// Identifiers of the resources compiled into Corvane.exe.
#pragma once

#define IDI_CORVANE 1
#define IDB_LINK_PICTURE 101
