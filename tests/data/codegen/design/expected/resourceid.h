// YES -----------------------------------------------------------------
// resourceid.h
// ※ このファイルはダイアログエディタが自動的に書き換えます。
//    ファイル先頭の「YES」を消すと更新されなくなります。
//----------------------------------------------------------------------
#pragma once
#define KEYBOARD 999

// Font
#define FGothic16                      1000
#define fontSmall                      1001
#define FLongFontDefinitionNameOf30Chr 1002

// Image
#define IBBlue                         2000
#define IEInput                        2001
#define IFPanel                        2002
#define IBAnImageDefinitionNameLongerThan30 2003

// Dialog
#define DLGMAIN                        3000
#define DLGEMPTY                       3001
#define DLGSETTINGSDIALOGWITHALONGNAME 3002
